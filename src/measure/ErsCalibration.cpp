#include "measure/ErsCalibration.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

#include "model/Numbers.h"
#include "model/Processing.h"
#include "model/Span.h"

namespace tq {

namespace {

constexpr std::int32_t kOneGigahertz = 1000000000;
constexpr std::int32_t kPeakThresholdHz = 999685000;
constexpr int kFullRangeSteps = 485;

std::string SetUpText(int plane) {
  return std::string("ERS is now set up in ") + PlaneName(plane) + " plane. " +
         "It will affect DIFFERENCE traces of future tests." +
         " Select Apply ERS Correction in the Processing menu to use it.";
}

std::string NotSetUpText(int plane) {
  return std::string("ERS was NOT set up in the ") + PlaneName(plane) + " plane";
}

// The start frequency typed in MHz, when it is a number.
std::optional<double> NumberOf(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0.0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() ||
      !std::isfinite(value))
    return std::nullopt;
  return value;
}

}  // namespace

PeakCheck EvaluatePeakReadings(const std::array<std::int32_t, 3>& readingsHz) {
  PeakCheck check;
  check.found = std::all_of(readingsHz.begin(), readingsHz.end(),
                            [](std::int32_t hz) { return hz >= kPeakThresholdHz; });
  check.meanHz = (static_cast<double>(readingsHz[0]) + readingsHz[1] + readingsHz[2]) / 3.0;
  check.errorHz = RoundHalfEven(check.meanHz - kOneGigahertz);
  return check;
}

ErsCalibration::ErsCalibration(MeasurementState& state, WindowModel& model, MainView& view,
                               Link& link, TraceSet& traces, ScanEngine& scan, Ticks& ticks,
                               Prompts& prompts, Files& files, CalibrationSaver& saver)
    : state_(state),
      model_(model),
      view_(view),
      link_(link),
      traces_(traces),
      scan_(scan),
      ticks_(ticks),
      prompts_(prompts),
      saver_(saver),
      data_(state, files, prompts) {}

// ---------------------------------------------------------------------------------------
// Menu entries

std::optional<ErsDialogValues> ErsCalibration::OpenCalibration(bool zoomed) {
  // Calibration sweeps the high range: from the low range it changes over first, as the High
  // button does, or does nothing when that is declined.
  if (connected() && !state_.highRange && !changeToHighRange()) return std::nullopt;
  ErsTables& t = data_.tables();
  if (t.archived && state_.highRange)
    prompts_.message(MessageKind::Information,
                     "Archive ERS Correction Currently Loaded will be Overwritten.", Buttons::Ok);
  t.appliedPlane = 0;
  if (!zoomed) t.gridOffsetHz = 0;
  compressionAsked_ = false;
  differenceChanged();
  if (!connected()) {
    prompts_.message(MessageKind::Warning, "TQ4800 Not Connected !", Buttons::Ok);
    return std::nullopt;
  }
  ErsDialogValues values;
  values.dataPresent = data_.LoadReferenceLevels();
  values.serialText = values.dataPresent ? "ERS Serial Number : " + state_.ersSerialNumber
                                         : "ERS Data not Present or is Corrupt. Please Reload";
  values.polarisation = lastPolarisation_;
  values.zoomSpan = lastZoomSpan_;
  values.startText = zoomStartText_;
  return values;
}

bool ErsCalibration::changeToHighRange() {
  scan_.Button16Click();
  if (!state_.highRange) return false;
  // The dialog opens once the analyser has reconfigured (the range change's delay).
  while (scan_.rangeChanging()) ticks_.wait(1);
  return true;
}

void ErsCalibration::ApplyCorrection(int plane) {
  data_.ToggleApplied(plane);
  differenceChanged();
}

void ErsCalibration::ClearERSData1Click() {
  if (data_.ClearERSData1Click()) differenceChanged();
}

void ErsCalibration::ReLoadERSCorrectionData1Click() {
  if (data_.ReLoadERSCorrectionData1Click()) differenceChanged();
}

void ErsCalibration::StepAttenuator(int direction) {
  const int index = std::clamp(state_.attenuationDb / 10 + (direction > 0 ? 1 : -1), 0, 3);
  scan_.ComboBox1Change(index);
  view_.modelChanged();
}

// ---------------------------------------------------------------------------------------
// Full range

bool ErsCalibration::preScanConfirmed() {
  return prompts_.message(MessageKind::Information,
                          "Have you Pre-Scanned at varying attenuator settings with ERS ON"
                          " to check for compression.",
                          Buttons::YesNo) == Answer::Yes;
}

std::optional<std::string> ErsCalibration::FullRangeOk(int polarisation) {
  lastPolarisation_ = polarisation;
  if (!preScanConfirmed()) return std::nullopt;
  traces_.ClearTraces();
  state_.stepsPerScan = kFullRangeSteps;
  for (std::size_t n = 480; n < kTracePoints; ++n) state_.stepFrequencyHz[n] = kOneGigahertz;
  compressionCount_ = 0;
  plane_ = polarisation == 1 ? 2 : 1;
  prompts_.message(MessageKind::Information,
                   std::string("Place ERS unit in the position to be used by UUT. Switch ERS "
                               "unit ON with its antenna ") +
                       PlaneName(plane_) + " and wait a few seconds.",
                   Buttons::Ok);
  data_.SetCalibrated(plane_, false);
  link_.SetStatus("Please Wait", kClFuchsia);

  const PeakCheck peak = peakCheck();
  if (!peak.found) {
    prompts_.message(MessageKind::Information,
                     "Peak NOT Found. ERS Setting Abandoned. Try Again with Reduced Attenuator "
                     "Setting.",
                     Buttons::Ok);
    traces_.ClearTraces();
    state_.stepsPerScan = 500;
    FillDisplayGrid(state_);
    plane_ = 0;
    if (state_.portConnected)
      link_.SetStatus("Ready", kClGreen);
    else
      link_.SetStatus("Not Connected", kClRed);
    view_.repaint();
    return std::nullopt;
  }
  peakErrorHz_ = peak.errorHz;
  return "Peak 1 GHz frequency found at " + FormatFixed(peak.meanHz, 0, 0) + " Hz.";
}

PeakCheck ErsCalibration::peakCheck() {
  peakSearch_ = true;
  // With detector 0 the engine keeps the frequency of each data frame: the peak readings.
  state_.detector = 0;
  link_.SendCommand(0x81, 0, 0);
  ticks_.wait(1);
  std::array<std::int32_t, 3> readings{};
  for (std::int32_t& reading : readings) {
    scan_.ClearTunedFrequency();
    link_.SendCommand(0x87, 0, 0);
    for (int i = 0; i < 8; ++i) {
      ticks_.wait(3);
      link_.SendCommand(0x20, 0, 0);
    }
    reading = scan_.tunedFrequencyHz();
    link_.SendCommand(0x81, 0, 0);
  }
  ticks_.wait(1);
  link_.SendCommand(0x20, 0, 0);
  peakSearch_ = false;
  return EvaluatePeakReadings(readings);
}

void ErsCalibration::PeakAccepted() {
  if (plane_ == 0 || mode_ != 0) return;
  state_.detector = 1;
  state_.processingMode = kProcessingOff;
  mode_ = 1;
  setSpan(kErsStartHz, kOneGigahertz);
  state_.scansDone = 1;
  sendSettings();
  scan_.Button1Click();
}

void ErsCalibration::backgroundStep() {
  // Kept aside while the user's shot measures the background into Current.
  ersOnTrace_ = traces_.data().currentTrace;
  prompts_.message(MessageKind::Information, "Switch OFF ERS unit", Buttons::Ok);
  mode_ = 2;
  state_.stepsPerScan = kFullRangeSteps;
  state_.detector = 1;
  setSpan(kErsStartHz, kOneGigahertz);
  state_.scansDone = 1;
  prompts_.message(MessageKind::Information, "Now press \"S/SHOT\"", Buttons::Ok);
  view_.modelChanged();
}

void ErsCalibration::completeFullRange() {
  // The background goes to the Store and the sweep with the unit on back to Current, so
  // that the Difference shows the unit's own emission.
  traces_.StoreCurrent();
  TraceData d = traces_.data();
  d.currentTrace = ersOnTrace_;
  d.currentSource.levels = ersOnTrace_;
  traces_.Load(d);
  state_.stepsPerScan = 500;
  const int plane = plane_;
  if (compressionAccepted()) {
    FullRangeCorrection(data_.tables(), plane, traces_.data().currentTrace,
                        traces_.data().storeTrace);
    data_.tables().archived = false;
    data_.SetCalibrated(plane, true);
    prompts_.message(MessageKind::Information, SetUpText(plane), Buttons::Ok);
    offerToSave();
  } else {
    prompts_.message(MessageKind::Information, NotSetUpText(plane), Buttons::Ok);
  }
  finish();
}

// ---------------------------------------------------------------------------------------
// Zoomed

void ErsCalibration::ZoomedOk(const ErsChoice& choice) {
  lastPolarisation_ = choice.polarisation;
  lastZoomSpan_ = choice.zoomSpan;
  const std::int32_t span = choice.zoomSpan == 1 ? 200000000 : 100000000;
  const double topMHz = span == 200000000 ? 800.0 : 900.0;
  // Below 30 MHz the span would start before the ERS grid.
  std::optional<double> startMHz = NumberOf(choice.startText);
  if (startMHz) {
    startMHz = std::clamp(*startMHz, 30.0, topMHz);
    zoomStartText_ = FormatFixed(*startMHz, 0, 2);
  }
  if (!preScanConfirmed()) return;
  const std::int32_t start =
      startMHz ? RoundHalfEven(*startMHz * 1e6)
               : std::clamp(state_.startFrequencyHz, kErsStartHz, RoundHalfEven(topMHz * 1e6));
  data_.tables().gridOffsetHz = span / 1000 + 120000;
  setSpan(start, start + span);
  zoomStartHz_ = start;
  zoomSpanHz_ = span;
  plane_ = choice.polarisation == 1 ? 2 : 1;
  data_.SetCalibrated(plane_, false);
  state_.stepsPerScan = 500;
  compressionCount_ = 0;
  mode_ = 3;
  state_.detector = 1;
  state_.processingMode = kAverage8;
  prompts_.message(MessageKind::Information, "Switch OFF ERS Unit while TQ4800 Detects Background",
                   Buttons::Ok);
  startRun();
}

void ErsCalibration::zoomedErsStep() {
  // The background average waits in the Store; the same averaging then runs with the
  // unit on.
  traces_.StoreCurrent();
  prompts_.message(MessageKind::Information,
                   "Switch ON ERS Unit while TQ4800 Measures its Emissions", Buttons::Ok);
  mode_ = 4;
  startRun();
}

void ErsCalibration::completeZoomed() {
  const int plane = plane_;
  if (!compressionAccepted()) {
    finish();
    prompts_.message(MessageKind::Information, NotSetUpText(plane), Buttons::Ok);
    return;
  }
  ZoomedCorrection(data_.tables(), plane, zoomStartHz_, zoomSpanHz_, state_.stepFrequencyHz,
                   traces_.data().currentTrace, traces_.data().storeTrace);
  offerToSave();
  data_.SetCalibrated(plane, true);
  finish();
  prompts_.message(MessageKind::Information, SetUpText(plane), Buttons::Ok);
}

void ErsCalibration::startRun() {
  // RUN leaves the sweep of a calibration's later states to the calibration.
  scan_.Button2Click();
  if (!state_.runInProgress) return;
  scan_.PrepareSteps();
  scan_.StartSweep();
}

// ---------------------------------------------------------------------------------------
// Both

bool ErsCalibration::compressionAccepted() {
  const double scans = std::max(state_.scansDone, 1);
  if (compressionCount_ / scans <= 200.0) return true;
  if (prompts_.message(MessageKind::Warning,
                       "Excessive Compression During Setting up ERS Unit. Continue ?",
                       Buttons::YesNo) != Answer::Yes)
    return false;
  compressionCount_ = 0;
  return true;
}

void ErsCalibration::offerToSave() {
  if (prompts_.message(
          MessageKind::Confirmation,
          std::string("Do you Want to Save ") + PlaneName(plane_) + " Calibration Data ?",
          Buttons::YesNo) != Answer::Yes)
    return;
  const auto file =
      prompts_.saveFileName("Save As", "TQ4800 Results|*.emc", state_.defaultPath, "EMC");
  if (!file) return;
  TraceData d = traces_.data();
  d.limitTrace.fill(0);
  traces_.Load(d);
  // The result names the plane just calibrated and carries its table.
  ErsTables& t = data_.tables();
  const int applied = std::exchange(t.appliedPlane, plane_);
  saver_.SaveCalibrationResult(*file);
  t.appliedPlane = applied;
}

void ErsCalibration::finish() {
  model_.stepPanelText.clear();
  sendSettings();
  state_.processingMode = kProcessingOff;
  mode_ = 0;
  plane_ = 0;
  data_.tables().appliedPlane = 0;
  differenceChanged();
}

void ErsCalibration::CompressedPoint() {
  if (mode_ == 0) return;
  ++compressionCount_;
  if (compressionAsked_ ||
      compressionCount_ / static_cast<double>(std::max(state_.scansDone, 1)) <= 200.0)
    return;
  compressionAsked_ = true;
  // The sweep goes on under the question: a run that ends meanwhile takes its next step
  // once the question is answered.
  askingCompression_ = true;
  const Answer answer =
      prompts_.message(MessageKind::Warning,
                       "Excessive Compression. Abandon ERS Calibration Mode ?", Buttons::YesNo);
  askingCompression_ = false;
  const bool runEnded = std::exchange(runEndedWhileAsking_, false);
  if (answer == Answer::Yes) {
    data_.tables().appliedPlane = 0;
    scan_.Stop();  // sends the stop command and ends the calibration mode
    return;
  }
  if (runEnded) CalibrationRunEnded();
}

void ErsCalibration::ClearCalibration() {
  mode_ = 0;
  plane_ = 0;
  peakSearch_ = false;
}

void ErsCalibration::CalibrationRunEnded() {
  if (askingCompression_) {
    runEndedWhileAsking_ = true;
    return;
  }
  switch (mode_) {
    case 1:
      backgroundStep();
      break;
    case 2:
      completeFullRange();
      break;
    case 3:
      zoomedErsStep();
      break;
    case 4:
      completeZoomed();
      break;
    default:
      break;
  }
}

void ErsCalibration::sendSettings() {
  link_.SendCommand(0x10, state_.attenuationDb, 1);
  ticks_.wait(1);
}

void ErsCalibration::setSpan(std::int32_t startHz, std::int32_t finishHz) {
  state_.startFrequencyHz = startHz;
  state_.finishFrequencyHz = finishHz;
  view_.modelChanged();
}

void ErsCalibration::differenceChanged() {
  traces_.ComputeDifference();
  view_.modelChanged();
  view_.repaint();
}

}  // namespace tq
