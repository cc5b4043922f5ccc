#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tq {

enum class MessageKind { Warning, Information, Error, Confirmation };
enum class Buttons { Ok, OkCancel, YesNo, YesCancel };
enum class Answer { Ok, Cancel, Yes, No };

// Modal questions to the user: message boxes, the input box and the file dialogs.
class Prompts {
 public:
  virtual ~Prompts() = default;

  virtual Answer message(MessageKind kind, std::string_view text, Buttons buttons) = 0;
  // The input box; nullopt when the user cancels. A maxLength above 0 is as many characters
  // as its field takes.
  virtual std::optional<std::string> inputBox(std::string_view caption, std::string_view prompt,
                                              std::string_view defaultText, int maxLength) = 0;
  std::optional<std::string> inputBox(std::string_view caption, std::string_view prompt,
                                      std::string_view defaultText) {
    return inputBox(caption, prompt, defaultText, 0);
  }
  // File dialogs; nullopt when cancelled. The filter is "Description|*.ext"; the save
  // dialog adds defaultExtension to a name typed without one.
  virtual std::optional<std::string> openFileName(std::string_view title, std::string_view filter,
                                                  std::string_view initialDir) = 0;
  virtual std::optional<std::string> saveFileName(std::string_view title, std::string_view filter,
                                                  std::string_view initialDir,
                                                  std::string_view defaultExtension) = 0;
};

}  // namespace tq
