#pragma once

#include <string_view>

#include "SimulatedAnalyser.h"
#include "platform/Prompts.h"

namespace tq {

// The built-in simulator's ERS unit in the user's hand: switched on and off when the
// calibration's messages say so, as the user at the test site would. Everything is passed
// on to the real prompts; with a real analyser on the line the simulated unit is unused.
class SimulatedErsUnit : public Prompts {
 public:
  SimulatedErsUnit(Prompts& prompts, sim::SimulatedAnalyser& analyser)
      : prompts_(prompts), analyser_(analyser) {}

  Answer message(MessageKind kind, std::string_view text, Buttons buttons) override {
    if (text.starts_with("Place ERS unit") || text.starts_with("Switch ON ERS"))
      analyser_.setErsSource(true);
    else if (text.starts_with("Switch OFF ERS"))
      analyser_.setErsSource(false);
    return prompts_.message(kind, text, buttons);
  }
  std::optional<std::string> inputBox(std::string_view caption, std::string_view prompt,
                                      std::string_view defaultText, int maxLength) override {
    return prompts_.inputBox(caption, prompt, defaultText, maxLength);
  }
  std::optional<std::string> openFileName(std::string_view title, std::string_view filter,
                                          std::string_view initialDir) override {
    return prompts_.openFileName(title, filter, initialDir);
  }
  std::optional<std::string> saveFileName(std::string_view title, std::string_view filter,
                                          std::string_view initialDir,
                                          std::string_view defaultExtension) override {
    return prompts_.saveFileName(title, filter, initialDir, defaultExtension);
  }

 private:
  Prompts& prompts_;
  sim::SimulatedAnalyser& analyser_;
};

}  // namespace tq
