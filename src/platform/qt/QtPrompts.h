#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Prompts.h"

class QWidget;

namespace tq {

class Files;

// Message boxes, the input box and the file dialogs as Qt dialogs over a parent window.
// Initial folders come in the program's form ("c:\tq4800") and are resolved through files
// when given; chosen file names go back as host paths.
class QtPrompts : public Prompts {
 public:
  explicit QtPrompts(QWidget* parent, const Files* files = nullptr);

  using Prompts::inputBox;
  Answer message(MessageKind kind, std::string_view text, Buttons buttons) override;
  std::optional<std::string> inputBox(std::string_view caption, std::string_view prompt,
                                      std::string_view defaultText, int maxLength) override;
  std::optional<std::string> openFileName(std::string_view title, std::string_view filter,
                                          std::string_view initialDir) override;
  std::optional<std::string> saveFileName(std::string_view title, std::string_view filter,
                                          std::string_view initialDir,
                                          std::string_view defaultExtension) override;

 private:
  QString hostDir(std::string_view programDir) const;

  QWidget* parent_;
  const Files* files_;
};

// "Result files|*.emc|All|*.*" in Qt's form, "Result files (*.emc);;All (*.*)".
QString ToQtFileFilter(std::string_view filter);
// The extension of the filter's first pattern ("emc" for "*.emc"), empty if there is none.
QString DefaultSuffix(std::string_view filter);
// The caption of a message box of this kind.
QString MessageCaption(MessageKind kind);

}  // namespace tq
