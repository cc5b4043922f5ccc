#include "measure/SingleFrequency.h"

#include <algorithm>
#include <cstdio>

#include "model/Numbers.h"

namespace tq {

namespace {

// The samples of the rolling window, and how far it scrolls when it is full.
constexpr int kLastSample = 500;
constexpr int kScrolledSample = 400;

std::string MhzText(std::int32_t hz, int decimals) {
  return FormatFixed(hz / 1e6, 0, decimals) + " MHz";
}

}  // namespace

int SamplingValueForRate(int rate) {
  switch (rate) {
    case 0:
      return 1000;
    case 1:
      return 500;
    default:
      return 100;
  }
}

std::string SampleTimeFormat(const DateTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%d:%02d:%02d", t.hour, t.minute, t.second);
  return text;
}

std::int32_t ClampToRange(std::int32_t hz, bool highRange) {
  return highRange ? std::clamp(hz, kHighStartHz, kHighFinishHz)
                   : std::clamp(hz, kLowStartHz, kLowFinishHz);
}

SingleFrequencyMeasurement::SingleFrequencyMeasurement(MeasurementState& state, WindowModel& model,
                                                       MainView& view, Link& link, TraceSet& traces,
                                                       ScanEngine& scan, LimitFiles& limit,
                                                       OstrocellRelay& relay, Ticks& ticks,
                                                       Prompts& prompts, Clock& clock)
    : state_(state),
      model_(model),
      view_(view),
      link_(link),
      traces_(traces),
      scan_(scan),
      limit_(limit),
      relay_(relay),
      ticks_(ticks),
      prompts_(prompts),
      clock_(clock) {}

std::string SingleFrequencyMeasurement::SampleTimeText(int k) const {
  if (k < 1 || k > static_cast<int>(timeLabels_.size())) return {};
  return timeLabels_[static_cast<std::size_t>(k - 1)];
}

SingleFrequencyRecord SingleFrequencyMeasurement::Record() const {
  return {frequencyHz_, samplingValue_, timeLabels_, archiveAvailable_};
}

void SingleFrequencyMeasurement::Restore(const SingleFrequencyRecord& record) {
  frequencyHz_ = record.frequencyHz;
  samplingValue_ = record.samplingValue;
  // A label longer than the axis has room for is cut, as the file's own limit says.
  for (std::size_t k = 0; k < timeLabels_.size(); ++k)
    timeLabels_[k] = record.timeLabels[k].substr(0, 10);
  archiveAvailable_ = record.archiveAvailable;
}

// ---------------------------------------------------------------------------------------
// Entering and leaving

void SingleFrequencyMeasurement::Button17Click() {
  if (state_.measurementMode != 0) {
    leave();
    view_.repaint();
    return;
  }
  if (archiveAvailable_) {
    if (prompts_.message(MessageKind::Confirmation, "View ARCHIVE Single Frequency Data ?",
                         Buttons::YesNo) == Answer::Yes) {
      state_.measurementMode = 2;
      traces_.SetSingleFrequencyShown(true);
      model_.frequencyBoxText = MhzText(frequencyHz_, 4);
      scan_.RefreshRunButtons();
      view_.repaint();
      return;
    }
    archiveAvailable_ = false;
  }
  state_.measurementMode = 1;
  view_.showMessageWindow("Select Single Frequency Using Cursor");
  view_.setPointerShape(PointerShape::Cross);
  scan_.RefreshRunButtons();
  view_.repaint();
}

void SingleFrequencyMeasurement::leave() {
  EndView();
  state_.detector = 1;
}

void SingleFrequencyMeasurement::EndView() {
  // A measurement still running is stopped first: its readings would otherwise land in
  // the sweep's traces.
  if (state_.runInProgress && state_.measurementMode == 2) scan_.StopSingleFrequency();
  if (state_.measurementMode == 1) {
    view_.hideMessageWindow();
    view_.setPointerShape(PointerShape::Default);
  }
  tuneUpHeld_ = tuneDownHeld_ = false;
  state_.measurementMode = 0;
  traces_.SetSingleFrequencyShown(false);
  model_.frequencyBoxText.clear();
  scan_.UpdateSpanButtons();
  scan_.RefreshRunButtons();
}

void SingleFrequencyMeasurement::FrequencyPicked(std::int32_t hz) {
  // Picking is for an idle analyser; a run started meanwhile keeps it.
  if (state_.measurementMode != 1 || state_.runInProgress) return;
  frequencyHz_ = ClampToRange(hz, state_.highRange);
  scan_.PresetPreselectorFor(frequencyHz_);
  link_.SendCommand(0x40, frequencyHz_, 4);
  state_.measurementMode = 2;
  model_.frequencyBoxText = MhzText(frequencyHz_, 4);
  scan_.UpdateSpanButtons();
  scan_.RefreshRunButtons();
  view_.openSingleFrequencySettings();
}

// ---------------------------------------------------------------------------------------
// The settings dialog

SingleFrequencySettings SingleFrequencyMeasurement::FormActivate() {
  traces_.ClearSingleFrequency();
  // The archive's samples are gone, and with them their times and the lost-peak report of
  // the last run.
  for (std::string& label : timeLabels_) label.clear();
  archiveAvailable_ = false;
  scan_.ResetLostPeak();
  frequencyHz_ = ClampToRange(frequencyHz_, state_.highRange);
  relay_.SetForFrequency(frequencyHz_);
  link_.SendCommand(0x40, frequencyHz_, 4);
  SingleFrequencySettings shown = settings_;
  shown.rate = samplingValue_ == 1000 ? 0 : samplingValue_ == 500 ? 1 : 2;
  return shown;
}

void SingleFrequencyMeasurement::OKBtnClick(const SingleFrequencySettings& chosen) {
  settings_.autoPeak = chosen.autoPeak;
  settings_.detector = std::clamp(chosen.detector, 0, 2);
  if (model_.showLimit)
    prompts_.message(MessageKind::Warning, "Limit Line may be Invalid if Frequency Changes",
                     Buttons::Ok);
  state_.stepIndex = 0;
  link_.SendCommand(0x4D, settings_.autoPeak ? 1 : 0, 1);
  ticks_.wait(1);
  state_.measurementMode = 2;
  samplingValue_ = SamplingValueForRate(chosen.rate);
  settings_.rate = chosen.rate;
  state_.runInProgress = true;
  scan_.RefreshRunButtons();
  link_.SendCommand(0x45, samplingValue_, 2);
  ticks_.wait(1);
  link_.SendCommand(0x41, samplingValue_, 2);
  ticks_.wait(1);
  static constexpr std::array<std::uint8_t, 3> kDetectorCodes{0x42, 0x46, 0x48};
  link_.SendCommand(kDetectorCodes[static_cast<std::size_t>(settings_.detector)], 0, 0);
  // The quasi-peak reading is held against the companion (quasi-peak) line, the others
  // against the base line.
  if (model_.showLimit) {
    const int record = limit_.Table().recordNumber;
    if (settings_.detector == 2)
      limit_.ShowCompanionLine(record);
    else
      limit_.ShowBaseLine(record);
  }
  traces_.SetSingleFrequencyShown(true);
  settings_.useErs = chosen.useErs;
  view_.repaint();
}

void SingleFrequencyMeasurement::CancelBtnClick() {
  state_.measurementMode = 0;
  state_.runInProgress = false;
  scan_.RefreshRunButtons();
  model_.frequencyBoxText.clear();
  view_.repaint();
}

// ---------------------------------------------------------------------------------------
// Tuning

void SingleFrequencyMeasurement::tune(std::uint8_t code) {
  relay_.SetForFrequency(frequencyHz_);
  link_.SendCommand(code, 0, 0);
  model_.frequencyBoxText = FrequencyBoxText(frequencyHz_, state_.highRange);
  view_.modelChanged();
}

// ---------------------------------------------------------------------------------------
// Samples

void SingleFrequencyMeasurement::SampleReceived(const DataFrame& frame) {
  // A reading that crossed STOP on the line belongs to no measurement.
  if (!state_.runInProgress) {
    link_.SendAck();
    return;
  }
  const int n = std::clamp(state_.stepIndex, 0, kLastSample);
  state_.stepIndex = n;
  frequencyHz_ = frame.frequencyHz;
  // The analyser waits for the ACK before its next reading: a held tune button goes first,
  // then the ACK, and only then what the window shows.
  if (tuneUpHeld_) link_.SendCommand(0x4B, 0, 0);
  if (tuneDownHeld_) link_.SendCommand(0x4C, 0, 0);
  link_.SendAck();

  model_.frequencyBoxText = FrequencyBoxText(frequencyHz_, state_.highRange);
  scan_.CheckStepStatus(frame.stepStatus);
  // The difference is taken against the stored level at the frequency now measured, which
  // tuning and peak tracking move.
  traces_.FindSingleFrequencyStorePoint(frequencyHz_);
  traces_.ProcessPoint(n, frame.levelDbuv);
  traces_.ComputeDifference();
  // The painter draws a sample's time text with the sample.
  storeSampleTime(n);
  view_.plotPoint(5, n);
  char step[16];
  std::snprintf(step, sizeof step, "%3d", n);
  model_.stepPanelText = step;
  view_.modelChanged();
  if (n == kLastSample) scroll();
  ++state_.stepIndex;
}

void SingleFrequencyMeasurement::storeSampleTime(int sample) {
  std::size_t label = 0;
  switch (sample) {
    case 1:
    case 100:
    case 200:
    case 300:
      label = static_cast<std::size_t>(sample / 100);
      break;
    case 400:
      timeLabels_[4] = SampleTimeFormat(clock_.now());
      label = 5;
      break;
    case kLastSample:
      label = 5;
      break;
    default:
      return;
  }
  timeLabels_[label] = SampleTimeFormat(clock_.now());
}

void SingleFrequencyMeasurement::scroll() {
  // Full: the oldest 100 samples and the first time text go; the last time stays last.
  state_.stepIndex = kScrolledSample;
  traces_.ScrollSingleFrequency(kLastSample - kScrolledSample);
  std::move(timeLabels_.begin() + 1, timeLabels_.end(), timeLabels_.begin());
  timeLabels_[5] = timeLabels_[4];
  view_.repaint();
}

}  // namespace tq
