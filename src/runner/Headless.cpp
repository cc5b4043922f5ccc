#include "runner/Headless.h"

namespace tq {

namespace {

bool IsLinkFault(std::string_view text) {
  return text.starts_with("TQ4800 Not Responding") || text.starts_with("TQ4800 Not Connected") ||
         text.starts_with("TQ4800 Disconnected");
}

}  // namespace

Answer PlanPrompts::message(MessageKind kind, std::string_view text, Buttons buttons) {
  if (kind != MessageKind::Information) said_.push_back({kind, std::string(text)});
  if (IsLinkFault(text)) {
    linkFault_ = true;
    // "End Program ?" is the runner's to decide: it ends the run with what was measured.
    return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
  }
  switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel:
      return Answer::Ok;
    case Buttons::YesNo:
    case Buttons::YesCancel:
      return Answer::Yes;
  }
  return Answer::Ok;
}

std::optional<std::string> PlanPrompts::inputBox(std::string_view caption, std::string_view,
                                                 std::string_view, int) {
  if (inputs_.empty()) {
    said_.push_back({MessageKind::Warning, "unexpected question: " + std::string(caption)});
    return std::nullopt;
  }
  std::string answer = std::move(inputs_.front());
  inputs_.pop_front();
  return answer;
}

std::optional<std::string> PlanPrompts::saveFileName(std::string_view title, std::string_view,
                                                     std::string_view, std::string_view) {
  if (!savePath_) {
    said_.push_back({MessageKind::Warning, "unexpected file dialog: " + std::string(title)});
    return std::nullopt;
  }
  std::optional<std::string> path = std::move(savePath_);
  savePath_.reset();
  return path;
}

std::vector<PlanPrompts::Said> PlanPrompts::TakeSaid() {
  std::vector<Said> out;
  out.swap(said_);
  return out;
}

}  // namespace tq
