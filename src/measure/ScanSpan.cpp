// Span entry, range changes and the front-end selectors of the scan engine.
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "measure/ScanEngine.h"
#include "model/Numbers.h"

namespace tq {

// ---------------------------------------------------------------------------------------
// Span and range

void ScanEngine::applySpanChange() {
  // Peaks of the old span would be merged at the wrong points of the new one.
  traces_.DropPeakHold();
  // Stored traces are re-drawn on the new span's grid until a sweep measures it.
  if (!state_.runInProgress) FillDisplayGrid(state_);
  traces_.RemapTraces();
}

void ScanEngine::UpdateSpanButtons() {
  model_.rangeLabelText = state_.highRange ? "HIGH RANGE" : "LOW RANGE";
  view_.modelChanged();
}

void ScanEngine::Button6Click() {
  auto answer = prompts_.inputBox("Start Frequency", "Enter start frequency (MHz)",
                                  FormatFixed(state_.startFrequencyHz / 1e6, 0, 2));
  if (!answer) return;
  const auto hz = ParseFrequencyMHz(*answer);
  if (!hz) {
    prompts_.message(MessageKind::Warning, "Invalid Frequency Value", Buttons::Ok);
  } else {
    std::int32_t start = *hz;
    std::int32_t& finish = state_.finishFrequencyHz;
    if (finish <= kLowFinishHz) {
      start = std::max(start, kLowStartHz);
      if (finish - 500000 < start) finish = start + 500000;
    } else {
      start = std::clamp(start, kHighStartHz, 1080000000);
      if (finish - 20000000 < start) finish = start + 20000000;
    }
    state_.startFrequencyHz = start;
    applySpanChange();
  }
  Button7Click();
}

void ScanEngine::Button7Click() {
  auto answer = prompts_.inputBox("Finish Frequency", "Enter Finish Frequency (MHz)",
                                  FormatFixed(state_.finishFrequencyHz / 1e6, 5, 2));
  if (answer) {
    const auto hz = ParseFrequencyMHz(*answer);
    if (!hz) {
      prompts_.message(MessageKind::Warning, "Invalid Frequency Value", Buttons::Ok);
    } else {
      const std::int32_t start = state_.startFrequencyHz;
      std::int32_t finish = *hz;
      if (start < kLowFinishHz) {
        finish = std::clamp(finish, 500000, kLowFinishHz);
        if (finish - 500000 < start) finish = start + 500000;
      } else {
        finish = std::min(finish, kHighFinishHz);
        if (finish - 10000000 < start) finish = start + 10000000;
      }
      state_.finishFrequencyHz = finish;
    }
  }
  UpdateSpanButtons();
  view_.hideMessageWindow();
  applySpanChange();
  view_.repaint();
}

void ScanEngine::Button10Click() {
  const std::int32_t start = state_.startFrequencyHz;
  state_.finishFrequencyHz = start + (start >= kHighStartHz ? 10000000 : 500000);
  UpdateSpanButtons();
  applySpanChange();
  view_.repaint();
}

void ScanEngine::Button8Click() {
  state_.measurementMode = 0;
  if (state_.highRange) {
    RangeChange(false);
  } else {
    state_.startFrequencyHz = kLowStartHz;
    state_.finishFrequencyHz = kLowFinishHz;
    if (state_.logFrequencyAxis) state_.logSpanIndex = 1;
    applySpanChange();
  }
  UpdateSpanButtons();
  view_.repaint();
}

void ScanEngine::Button16Click() {
  state_.measurementMode = 0;
  if (!state_.highRange) {
    RangeChange(true);
  } else {
    state_.startFrequencyHz = kHighStartHz;
    state_.finishFrequencyHz = kHighFinishHz;
    if (state_.logFrequencyAxis) state_.logSpanIndex = 2;
    applySpanChange();
  }
  UpdateSpanButtons();
  view_.repaint();
}

void ScanEngine::StepSpan(int direction) {
  const std::int32_t lo = state_.highRange ? kHighStartHz : kLowStartHz;
  const std::int32_t hi = state_.highRange ? kHighFinishHz : kLowFinishHz;
  const std::int32_t span = state_.finishFrequencyHz - state_.startFrequencyHz;
  if (span <= 0 || state_.logFrequencyAxis) return;
  std::int64_t start = state_.startFrequencyHz + static_cast<std::int64_t>(direction) * (span / 2);
  start = std::clamp<std::int64_t>(start, lo, std::max<std::int64_t>(lo, hi - span));
  state_.startFrequencyHz = static_cast<std::int32_t>(start);
  state_.finishFrequencyHz = static_cast<std::int32_t>(std::min<std::int64_t>(start + span, hi));
  applySpanChange();
  view_.repaint();
}

void ScanEngine::WholeRange() {
  state_.startFrequencyHz = state_.highRange ? kHighStartHz : kLowStartHz;
  state_.finishFrequencyHz = state_.highRange ? kHighFinishHz : kLowFinishHz;
  applySpanChange();
  view_.repaint();
}

void ScanEngine::RangeChange(bool toHigh) {
  if (state_.linkEnabled &&
      prompts_.message(MessageKind::Confirmation, "Changing Range will cause a Slight Delay.",
                       Buttons::YesNo) != Answer::Yes)
    return;
  state_.preampGainDb = 0;
  model_.inputLabels = {"DIRECT", "", ""};
  setStatus("Using Direct Input", model_.lampColour);
  features_.inputs.SelectDirectInput();
  features_.limit.SelectNone();
  model_.showLimit = false;
  model_.limitEnabled = false;
  model_.dbmButtonEnabled = true;
  model_.preampSelectorEnabled = true;
  model_.showStore = false;
  model_.showDifference = false;
  model_.showArchive = false;
  traces_.ClearTraces();
  features_.ers.DropArchive();
  if (toHigh) {
    state_.startFrequencyHz = kHighStartHz;
    state_.finishFrequencyHz = kHighFinishHz;
    state_.highRange = true;
    state_.logSpanIndex = 2;
    model_.rangeLabelText = "HIGH RANGE";
  } else {
    if (preselectorState_ == 5) preselectorState_ = 3;
    state_.startFrequencyHz = kLowStartHz;
    state_.finishFrequencyHz = kLowFinishHz;
    state_.highRange = false;
    state_.logSpanIndex = 1;
    model_.rangeLabelText = "LOW RANGE";
  }
  FillDisplayGrid(state_);
  view_.modelChanged();
  SendRangeWithDelay();
}

void ScanEngine::SendRangeWithDelay() {
  link_.SetStatusTimerEnabled(false);
  if (state_.linkEnabled) {
    rangeChanging_ = true;
    RefreshRunButtons();
    rangeChangeSeconds_ = 0;
    model_.rangeDelaySeconds = 0;
    rangeDelayTimer_->setEnabled(true);
    ticks_.wait(2);
    ticks_.wait(10);
    const bool high = state_.finishFrequencyHz > kLowFinishHz;
    link_.SendCommand(0x83, high ? 1 : 0, 1);
    ticks_.wait(10);
    state_.highRange = high;
    model_.rangeDelayVisible = true;
    view_.modelChanged();
  }
  link_.SetStatusTimerEnabled(true);
}

void ScanEngine::RangeDelayTick() {
  ++rangeChangeSeconds_;
  model_.rangeDelaySeconds = std::min(rangeChangeSeconds_, 30);
  setStatus(" WAITING", model_.lampColour);
  if (rangeChangeSeconds_ < 30) return;
  model_.rangeDelayVisible = false;
  rangeDelayTimer_->setEnabled(false);
  rangeChangeSeconds_ = 0;
  model_.rangeDelaySeconds = 0;
  rangeChanging_ = false;
  RefreshRunButtons();
  link_.InitPreselectorLines();
}

// ---------------------------------------------------------------------------------------
// Front end

void ScanEngine::ComboBox1Change(int index) {
  index = std::clamp(index, 0, 3);
  link_.SendCommand(0x10, 10 * index, 1);
  state_.attenuationDb = 10 * index;
  view_.repaint();
}

void ScanEngine::ComboBox2Change(int index) {
  static constexpr std::array<int, 3> kSteps{500, 250, 100};
  const int steps = kSteps[static_cast<std::size_t>(std::clamp(index, 0, 2))];
  link_.SendCommand(0x33, steps + (state_.logFrequencyAxis ? 65536 : 0), 3);
  state_.stepsPerScan = steps;
  view_.modelChanged();
}

void ScanEngine::ComboBox3Change(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  char* end = nullptr;
  const std::string s(text);
  errno = 0;
  const long long v = std::strtoll(s.c_str(), &end, 10);
  // Any whole number that fits the gain is taken.
  if (s.empty() || end != s.c_str() + s.size() || errno == ERANGE || v < INT32_MIN || v > INT32_MAX)
    return;
  state_.preampGainDb = static_cast<std::int32_t>(v);
  view_.repaint();
}

std::string ScanEngine::ComboBox3Exit() const {
  char text[16];
  std::snprintf(text, sizeof text, "%4d", state_.preampGainDb);
  return text;
}

void ScanEngine::selectDetector(int detector) {
  state_.detector = detector;
  features_.limit.DetectorChanged(detector);
  view_.repaint();
}

void ScanEngine::PFS1Click() {
  selectDetector(1);
}

void ScanEngine::Average1Click() {
  const Answer a =
      prompts_.message(MessageKind::Warning,
                       "Using AVERAGE Detector will Take About " +
                           std::to_string(state_.stepsPerScan / 10) + " Minutes to Complete",
                       Buttons::OkCancel);
  selectDetector(a == Answer::Ok ? 2 : 1);
}

void ScanEngine::QP1Click() {
  const Answer a =
      prompts_.message(MessageKind::Warning,
                       "Using QUASI PEAK Detector will Take About " +
                           std::to_string(state_.stepsPerScan / 10) + " Minutes to Complete",
                       Buttons::OkCancel);
  selectDetector(a == Answer::Ok ? 3 : 1);
}

}  // namespace tq
