// The step status of each reading, sweep or single frequency: lost peak, invalid frequency
// and the tuning faults.
#include <array>

#include "measure/ScanEngine.h"

namespace tq {

void ScanEngine::CheckStepStatus(int s) {
  if (s <= 0) {
    frequencyFaults_ = 0;
    view_.hideMessageWindow();
    return;
  }
  if ((s & 0x40) != 0) {
    // A lost peak only matters to single frequency, and is told once per reset.
    if (state_.measurementMode == 2 && !lostPeakShown_) {
      view_.beep();
      view_.showMessageWindow("Lost Peak");
      lostPeakShown_ = true;
      setStatus("LOST PEAK", kClRed);
    }
    s -= 0x40;
  }
  if (s == 4) {
    invalidFrequency_ = true;
    view_.beep();
    view_.showMessageWindow("Invalid Frequency (4)");
    setStatus("Invalid Frequency", kClRed);
  } else if (s >= 1 && s <= 3) {
    // A tuning fault that persists is told on every sixth step in a row, not on every
    // step: a reading at the range edge comes ten times a second.
    if (++frequencyFaults_ > kFaultsBeforeReport) {
      frequencyFaults_ = 0;
      reportFrequencyFault(s);
    }
  } else {
    frequencyFaults_ = 0;
  }
  view_.modelChanged();
}

void ScanEngine::reportFrequencyFault(int s) {
  static constexpr std::array<const char*, 3> kFaults{"Minimum Frequency not Reached (1)",
                                                      "Maximum Frequency not Reached (2)",
                                                      "Frequency Tolerance Error (3)"};
  const char* fault = kFaults[static_cast<std::size_t>(s - 1)];
  view_.beep();
  setStatus("Frequency Error", kClRed);
  // A sweep is not held up by a box; single frequency warns, one box at a time (readings
  // go on arriving under it).
  if (state_.measurementMode != 2) {
    view_.showMessageWindow(fault);
    return;
  }
  if (faultBoxOpen_) return;
  faultBoxOpen_ = true;
  view_.modelChanged();
  prompts_.message(MessageKind::Warning, fault, Buttons::Ok);
  faultBoxOpen_ = false;
}

}  // namespace tq
