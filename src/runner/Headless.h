#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/WindowModel.h"
#include "platform/Prompts.h"

namespace tq {

// The questions of an unattended run. The runner says beforehand what the program will ask
// as it carries out a step (a frequency, a distance, a file to save to); every other question
// is one of the program's own confirmations of a command the runner chose, and is answered
// as the user who chose it would. What the program said is kept for the run's log; a link
// that stops answering is noted rather than ended through the window.
class PlanPrompts : public Prompts {
 public:
  struct Said {
    MessageKind kind;
    std::string text;
  };

  Answer message(MessageKind kind, std::string_view text, Buttons buttons) override;
  std::optional<std::string> inputBox(std::string_view caption, std::string_view prompt,
                                      std::string_view defaultText, int maxLength) override;
  std::optional<std::string> openFileName(std::string_view, std::string_view,
                                          std::string_view) override {
    return std::nullopt;
  }
  std::optional<std::string> saveFileName(std::string_view title, std::string_view filter,
                                          std::string_view initialDir,
                                          std::string_view defaultExtension) override;

  // What the next input boxes and the next save dialog are answered with.
  void Expect(std::string answer) { inputs_.push_back(std::move(answer)); }
  void ExpectSave(std::string hostPath) { savePath_ = std::move(hostPath); }
  // Answers not taken are dropped (the program asked fewer questions than planned).
  void ClearExpected() {
    inputs_.clear();
    savePath_.reset();
  }

  // The analyser did not answer, or the link was lost.
  bool linkFault() const { return linkFault_; }
  void ClearLinkFault() { linkFault_ = false; }
  // The runner's own finding: the analyser stopped sending in the middle of a sweep.
  void NoteLinkFault() {
    linkFault_ = true;
    said_.push_back({MessageKind::Error, "the analyser stopped answering during a sweep"});
  }
  // Errors and warnings since the last Take, and questions no step expected.
  std::vector<Said> TakeSaid();

 private:
  std::deque<std::string> inputs_;
  std::optional<std::string> savePath_;
  std::vector<Said> said_;
  bool linkFault_ = false;
};

// The window of an unattended run: nothing to show; the busy texts and a close are noted.
class HeadlessView : public MainView {
 public:
  void modelChanged() override {}
  void repaint() override {}
  void showMessageWindow(const std::string& text) override { messageText = text; }
  void hideMessageWindow() override { messageText.clear(); }
  void placeMessageWindow() override {}
  void closeMainWindow() override { closeRequested = true; }
  void plotPoint(int, int) override {}

  std::string messageText;
  bool closeRequested = false;
};

}  // namespace tq
