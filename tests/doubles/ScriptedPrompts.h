#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Prompts.h"

namespace tq::test {

// Answers prompts from a script and records what was asked. With the script empty a
// message box gets its first button (OK or Yes) and an input box is cancelled.
class ScriptedPrompts : public Prompts {
 public:
  struct Asked {
    std::string what;  // "message", "input", "open", "save"
    MessageKind kind = MessageKind::Information;
    Buttons buttons = Buttons::Ok;
    std::string text;     // message text, or the input box's prompt
    std::string caption;  // input box caption or dialog title
    std::string defaultText;
    int maxLength = 0;        // input box
    std::string extension{};  // save dialog's default extension
  };

  void answer(Answer a) { answers_.push_back(a); }
  // What happens while a message box is open (events go on under it).
  std::function<void(std::string_view)> whileShown;
  void input(std::optional<std::string> text) { inputs_.push_back(std::move(text)); }
  void fileName(std::optional<std::string> name) { fileNames_.push_back(std::move(name)); }

  using Prompts::inputBox;
  Answer message(MessageKind kind, std::string_view text, Buttons buttons) override;
  std::optional<std::string> inputBox(std::string_view caption, std::string_view prompt,
                                      std::string_view defaultText, int maxLength) override;
  std::optional<std::string> openFileName(std::string_view title, std::string_view filter,
                                          std::string_view initialDir) override;
  std::optional<std::string> saveFileName(std::string_view title, std::string_view filter,
                                          std::string_view initialDir,
                                          std::string_view defaultExtension) override;

  const std::vector<Asked>& asked() const { return asked_; }
  // The texts of the message boxes shown, in order.
  std::vector<std::string> messages() const;
  bool wasShown(std::string_view text) const;
  void clear() { asked_.clear(); }

 private:
  std::deque<Answer> answers_;
  std::deque<std::optional<std::string>> inputs_;
  std::deque<std::optional<std::string>> fileNames_;
  std::vector<Asked> asked_;
};

}  // namespace tq::test
