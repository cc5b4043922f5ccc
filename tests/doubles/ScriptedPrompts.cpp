#include "doubles/ScriptedPrompts.h"

#include <algorithm>

namespace tq::test {

Answer ScriptedPrompts::message(MessageKind kind, std::string_view text, Buttons buttons) {
  asked_.push_back({"message", kind, buttons, std::string(text), {}, {}});
  if (whileShown) whileShown(text);
  if (!answers_.empty()) {
    Answer a = answers_.front();
    answers_.pop_front();
    return a;
  }
  return (buttons == Buttons::YesNo || buttons == Buttons::YesCancel) ? Answer::Yes : Answer::Ok;
}

std::optional<std::string> ScriptedPrompts::inputBox(std::string_view caption,
                                                     std::string_view prompt,
                                                     std::string_view defaultText, int maxLength) {
  asked_.push_back({"input", MessageKind::Information, Buttons::OkCancel, std::string(prompt),
                    std::string(caption), std::string(defaultText), maxLength});
  if (inputs_.empty()) return std::nullopt;
  auto text = std::move(inputs_.front());
  inputs_.pop_front();
  return text;
}

std::optional<std::string> ScriptedPrompts::openFileName(std::string_view title,
                                                         std::string_view filter,
                                                         std::string_view initialDir) {
  asked_.push_back({"open", MessageKind::Information, Buttons::OkCancel, std::string(filter),
                    std::string(title), std::string(initialDir)});
  if (fileNames_.empty()) return std::nullopt;
  auto name = std::move(fileNames_.front());
  fileNames_.pop_front();
  return name;
}

std::optional<std::string> ScriptedPrompts::saveFileName(std::string_view title,
                                                         std::string_view filter,
                                                         std::string_view initialDir,
                                                         std::string_view extension) {
  asked_.push_back({"save", MessageKind::Information, Buttons::OkCancel, std::string(filter),
                    std::string(title), std::string(initialDir), 0, std::string(extension)});
  if (fileNames_.empty()) return std::nullopt;
  auto name = std::move(fileNames_.front());
  fileNames_.pop_front();
  return name;
}

std::vector<std::string> ScriptedPrompts::messages() const {
  std::vector<std::string> texts;
  for (const auto& a : asked_)
    if (a.what == "message") texts.push_back(a.text);
  return texts;
}

bool ScriptedPrompts::wasShown(std::string_view text) const {
  return std::any_of(asked_.begin(), asked_.end(),
                     [&](const Asked& a) { return a.what == "message" && a.text == text; });
}

}  // namespace tq::test
