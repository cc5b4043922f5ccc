#include "measure/ScanEngine.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cctype>
#include <cstdlib>

namespace tq {

namespace {

constexpr std::array<double, 8> kNx91Thresholds{400000,  1000000,  2000000,  4000000,
                                                7000000, 10000000, 16000000, 30000000};
constexpr std::array<double, 7> kNx90Thresholds{300000,  600000,   1200000, 2500000,
                                                5000000, 12000000, 30000000};
constexpr std::array<std::int32_t, 7> kNx90SegmentEnds{300000,  600000,   1200000, 2500000,
                                                       5000000, 12000000, 30000000};
constexpr std::array<std::int32_t, 8> kNx91SegmentEnds{400000,  1000000,  2000000,  4000000,
                                                       7000000, 10000000, 15000000, 30000000};

std::string Format(const char* fmt, double v) {
  char text[48];
  std::snprintf(text, sizeof text, fmt, v);
  return text;
}

}  // namespace

float NominalStepFrequency(std::int32_t start, std::int32_t finish, int steps, int step,
                           bool logarithmic) {
  if (steps <= 0) return static_cast<float>(start);
  const double t = static_cast<double>(step) / steps;
  if (logarithmic && start > 0 && finish > start)
    return static_cast<float>(start * std::pow(static_cast<double>(finish) / start, t));
  return static_cast<float>(start + t * (static_cast<double>(finish) - start));
}

void FillDisplayGrid(MeasurementState& state) {
  for (int n = 0; n <= 500; ++n)
    state.stepFrequencyHz[static_cast<std::size_t>(n)] = NominalStepFrequency(
        state.startFrequencyHz, state.finishFrequencyHz, 500, n, state.logFrequencyAxis);
}

std::optional<std::int32_t> ParseFrequencyMHz(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  // The leading decimal number; whatever follows it is ignored.
  std::size_t end = 0;
  if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
  bool digits = false;
  while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) {
    ++end;
    digits = true;
  }
  if (end < text.size() && text[end] == '.') {
    ++end;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) {
      ++end;
      digits = true;
    }
  }
  if (!digits) return std::nullopt;
  const float mhz = std::strtof(std::string(text.substr(0, end)).c_str(), nullptr);
  const double hz = static_cast<double>(mhz) * 1000000.0;
  if (!(hz >= 10000.0 && hz <= 1100000000.0)) return std::nullopt;
  return RoundHalfEven(hz);
}

ScanEngine::ScanEngine(MeasurementState& state, WindowModel& model, MainView& view, Link& link,
                       TraceSet& traces, Ticks& ticks, Prompts& prompts)
    : state_(state),
      model_(model),
      view_(view),
      link_(link),
      traces_(traces),
      ticks_(ticks),
      prompts_(prompts) {
  rangeDelayTimer_ = ticks_.createTimer(1000, [this] { RangeDelayTick(); });
}

void ScanEngine::setStatus(const std::string& text, Colour lamp) { link_.SetStatus(text, lamp); }

// ---------------------------------------------------------------------------------------
// Run buttons

void ScanEngine::RefreshRunButtons() {
  const bool running = state_.runInProgress;
  const bool single = state_.measurementMode == 2;
  model_.runControlsEnabled = !running && !rangeChanging;
  model_.singleEnabled = !running || single;
  if (running) {
    model_.button1Caption = "STOP";
    model_.button2Caption = "CANCEL";
    model_.runEnabled = true;
  } else {
    model_.button1Caption = "S/SHOT";
    model_.button2Caption = "RUN";
    model_.button17Caption = single ? "Scan" : "Single";
    model_.runEnabled = !single && !rangeChanging;
  }
  view_.modelChanged();
}

bool ScanEngine::prepareRunStart(bool isRun) {
  if (hooks_.ersArchiveLoaded && hooks_.ersArchiveLoaded()) {
    prompts_.message(MessageKind::Information,
                     "Archive ERS Correction Currently Loaded will be Ignored ", Buttons::Ok);
    if (hooks_.dropErsArchive) hooks_.dropErsArchive();
  }
  traces_.stepStatus.fill(0);
  if (ostrocell()) relayLow = state_.startFrequencyHz > relaySwitchHz;
  if (hooks_.eraseRunLine) hooks_.eraseRunLine();
  model_.loadedResultDate.clear();
  model_.stepPanelText.clear();
  setStatus("PLEASE WAIT", kClBlue);
  traces_.StartOfRun();
  if (isRun) {
    traces_.ResetCalculation();
    state_.runActive = true;
    state_.stepIndex = 0;
    link_.ClearReceiveBuffer();
  } else {
    // A single shot keeps accumulating peaks only under a peak-hold sequence.
    traces_.currentSource.levels.fill(0);
    if (!traces_.peakHoldCarry) state_.scansDone = 1;
  }
  preselectorPosition = 99;
  SetPreselectorPosition(state_.startFrequencyHz);
  if (preselectorState == 4) {
    const Answer a = prompts_.message(MessageKind::Warning,
                                      "NX91 Preselector has been Set to " +
                                          preselectorPositionName +
                                          " position. Continue with Start ?",
                                      Buttons::YesNo);
    if (a != Answer::Yes) return false;
    model_.modelPanelText = preselectorPositionName;
    link_.SendAck();
  }
  return true;
}

void ScanEngine::Button2Click() {
  if (state_.runInProgress) {
    Stop();
    return;
  }
  if (!prepareRunStart(true)) return;
  state_.runInProgress = true;
  if (ersMode() < 2) {
    PrepareSteps();
    StartSweep();
  }
  ticks_.wait(1);
  RefreshRunButtons();
}

void ScanEngine::Button1Click() {
  if (state_.runInProgress) {
    state_.queueMode = false;
    if (state_.measurementMode == 2) {
      link_.SendCommand(0x4A, 0, 0);
      ticks_.wait(2);
      state_.runInProgress = false;
      RefreshRunButtons();
      return;
    }
    state_.runActive = false;
    model_.button1Caption = "STOPPING";
    view_.modelChanged();
    if (state_.detector == 2 || state_.detector == 3) {
      link_.SendCommand(0x4A, 0, 0);
      ticks_.wait(1);
      link_.SendCommand(0x20, 0, 0);
      ticks_.wait(1);
      state_.stepIndex = state_.stepsPerScan;
      stopRequested = true;
    }
    return;
  }
  if (!prepareRunStart(false)) return;
  state_.runInProgress = true;
  RefreshRunButtons();
  ticks_.wait(1);
  if (state_.processingMode == 4) traces_.peakHoldCarry = true;
  if (state_.detector == 2 || state_.detector == 3) {
    pointByPointShot();
    return;
  }
  link_.ClearReceiveBuffer();
  PrepareSteps();
  StartSweep();
}

void ScanEngine::Stop() {
  model_.busyCursor = true;
  view_.modelChanged();
  state_.runInProgress = false;
  ersSweep = false;
  if (hooks_.clearErsCalibration) hooks_.clearErsCalibration();
  if (state_.stepsPerScan == 485) state_.stepsPerScan = 500;
  state_.runActive = false;
  state_.queueMode = false;
  if (state_.detector == 2 || state_.detector == 3) {
    stopRequested = true;
  } else {
    link_.SendCommand(0x36, 0, 0);
    ticks_.wait(1);
  }
  ticks_.wait(1);
  link_.InitPreselectorLines();
  link_.SetStatusTimerEnabled(true);
  RefreshRunButtons();
  view_.repaint();
  model_.busyCursor = false;
  view_.modelChanged();
}

// ---------------------------------------------------------------------------------------
// Sweep set-up

void ScanEngine::PrepareSteps() {
  const std::int64_t span =
      static_cast<std::int64_t>(state_.finishFrequencyHz) - state_.startFrequencyHz;
  if (span < 1000000 && state_.stepsPerScan > 250) state_.stepsPerScan = 250;
  if (span <= 500000) state_.stepsPerScan = 100;
  if (state_.logFrequencyAxis) {
    int& n = state_.stepsPerScan;
    if (state_.logSpanIndex == 4) {
      if (n == 100) n = 77;
      else if (n == 250) n = 193;
      else if (n == 500) n = 387;
    } else {
      n = n <= 100 ? 100 : n <= 250 ? 250 : 500;
    }
  }
  view_.modelChanged();
  link_.SendCommand(0x33, state_.stepsPerScan + (state_.logFrequencyAxis ? 65536 : 0), 3);
  ticks_.wait(5);
  state_.stepFrequencyHz[0] = static_cast<float>(state_.startFrequencyHz);
  sweepLogarithmic = state_.logFrequencyAxis;
}

void ScanEngine::StartSweep() {
  ersSweep = false;
  state_.stepIndex = 0;
  link_.SendCommand(0x30, state_.startFrequencyHz, 4);
  ticks_.wait(1);
  link_.SendCommand(0x31, state_.finishFrequencyHz, 4);
  ticks_.wait(1);
  if (ostrocell()) {
    relay(state_.startFrequencyHz);
    if (state_.startFrequencyHz < relaySwitchHz && relaySwitchHz < state_.finishFrequencyHz) {
      link_.SendCommand(0x38, relaySwitchHz, 4);
      ticks_.wait(1);
      link_.SendCommand(0x39, 0, 0);
    } else {
      link_.SendCommand(0x34, 0, 0);
    }
  } else if (preselectorState >= 1 && preselectorState <= 3) {
    startSegmentedForPreselector();
  } else {
    const int mode = ersMode();
    link_.SendCommand((mode == 1 || mode == 2) ? 0x37 : 0x34, 0, 0);
  }
  ticks_.wait(1);
  link_.SendCommand(0x20, 0, 0);
  ticks_.wait(1);
}

void ScanEngine::startSegmentedForPreselector() {
  SetPreselectorPosition(state_.startFrequencyHz);
  nextSegmentEnd();
  link_.SendCommand(0x38, segmentEndHz, 4);
  ticks_.wait(1);
  link_.SendCommand(0x39, 0, 0);
  ticks_.wait(1);
}

// ---------------------------------------------------------------------------------------
// Points

void ScanEngine::DataFrameReceived(const DataFrame& frame) {
  if (state_.measurementMode == 2) {
    if (hooks_.singleFrequencyFrame)
      hooks_.singleFrequencyFrame(frame);
    else
      link_.SendAck();
    return;
  }
  switch (state_.detector) {
    case 1:
      peakPoint(frame);
      break;
    case 2:
    case 3:
      pointByPointReading(frame);
      break;
    default:
      tunedFrequencyHz = frame.frequencyHz;
      link_.SendAck();
      break;
  }
}

void ScanEngine::CheckStepStatus(int s) {
  if (s <= 0) {
    view_.hideMessageWindow();
    return;
  }
  if ((s & 0x40) != 0) s -= 0x40;  // a lost peak only matters to single frequency
  if (s == 4) {
    invalidFrequency = true;
    view_.beep();
    view_.showMessageWindow("Invalid Frequency (4)");
    setStatus("Invalid Frequency", kClRed);
  } else if (s >= 1 && s <= 3) {
    static constexpr std::array<const char*, 3> kFaults{"Minimum Frequency not Reached (1)",
                                                        "Maximum Frequency not Reached (2)",
                                                        "Frequency Tolerance Error (3)"};
    // Reported without a modal box: a sweep must not stall on every faulty step.
    view_.beep();
    view_.showMessageWindow(kFaults[static_cast<std::size_t>(s - 1)]);
    setStatus("Frequency Error", kClRed);
  }
}

void ScanEngine::peakPoint(const DataFrame& frame) {
  const int i = state_.stepIndex;
  CheckStepStatus(frame.stepStatus & ~0x20);
  state_.stepFrequencyHz[static_cast<std::size_t>(i)] = static_cast<float>(frame.frequencyHz);
  if ((frame.stepStatus & 0x20) != 0 && i < state_.stepsPerScan) {
    state_.queueMode = false;
    if (preselectorState > 0) SegmentStep();
    if (ostrocell()) {
      relay(relaySwitchHz + 1000000);
      if (state_.runInProgress) link_.SendCommand(0x3B, 0, 0);
    }
  }
  stepLevelDbuv = frame.levelDbuv;
  traces_.ProcessPoint(i, stepLevelDbuv);
  plot(1, i);
  if (model_.showDifference && state_.stepsPerScan == 500) plot(3, i);
  model_.stepPanelText = traces_.StepPanelText(i);
  view_.modelChanged();
  link_.SendAck();
  // The handlers above may have waited: the step counter is read again.
  ++state_.stepIndex;
  if (state_.stepIndex > state_.stepsPerScan) endOfSweep();
}

void ScanEngine::endOfSweep() {
  state_.queueMode = false;
  traces_.EndOfSweep();
  if (state_.runActive) {
    traces_.KeepCurrentSource();
    if (ersMode() < 3) traces_.ComputeDifference();
    if (state_.stepsPerScan < 450) view_.repaint();
    state_.runInProgress = true;
    const int mode = ersMode();
    if (mode <= 1) {
      StartSweep();
    } else if (mode == 2) {
      link_.SendCommand(0x37, 0, 0);
    } else {
      state_.stepIndex = 0;
      link_.SendCommand(0x34, 0, 0);
    }
    return;
  }
  link_.SendAck();
  EndOfRun();
}

void ScanEngine::EndOfRun() {
  state_.queueMode = false;
  state_.instrumentReady = true;
  state_.runInProgress = false;
  link_.SetStatusTimerEnabled(true);
  link_.SendCommand(0x20, 0, 0);
  ticks_.wait(1);
  if (ersMode() == 0) {
    RefreshRunButtons();
    traces_.KeepCurrentSource();
    traces_.RemapTraces();
    traces_.ComputeDifference();
  }
  model_.modelPanelText = "TQ4800";
  RefreshRunButtons();
  view_.repaint();
}

void ScanEngine::pointByPointReading(const DataFrame& frame) {
  ++readingsThisStep;
  link_.SendAck();
  if (readingsThisStep != 23) return;
  const int i = std::clamp(state_.stepIndex, 0, 500);
  stepComplete = true;
  CheckStepStatus(frame.stepStatus & ~0x20);
  state_.stepFrequencyHz[static_cast<std::size_t>(i)] = static_cast<float>(frame.frequencyHz);
  if (ostrocell()) relay(frame.frequencyHz);
  stepLevelDbuv = frame.levelDbuv;
  traces_.ProcessPoint(i, stepLevelDbuv);
  plot(1, i);
  model_.stepPanelText = "Result " + std::to_string(i);
  view_.modelChanged();
}

void ScanEngine::pointByPointShot() {
  if (ostrocell()) relay(state_.startFrequencyHz);
  state_.processingMode = 0;
  stepComplete = false;
  lastStepSent = -1;
  link_.ClearReceiveBuffer();
  traces_.currentTrace.fill(0);
  // The analyser is tuned step by step, so the program works out the step frequencies.
  for (int i = 0; i <= state_.stepsPerScan && i <= 500; ++i)
    state_.stepFrequencyHz[static_cast<std::size_t>(i)] =
        NominalStepFrequency(state_.startFrequencyHz, state_.finishFrequencyHz,
                             state_.stepsPerScan, i, state_.logFrequencyAxis);
  link_.SendCommand(0x4D, 0, 1);
  ticks_.wait(1);
  link_.SendCommand(0x45, 100, 2);
  ticks_.wait(1);
  state_.stepIndex = 0;
  stopRequested = false;
  const bool average = state_.detector == 2;
  do {
    const int i = std::clamp(state_.stepIndex, 0, 500);
    if (i != lastStepSent) {
      readingsThisStep = 0;
      const float f = state_.stepFrequencyHz[static_cast<std::size_t>(i)];
      SetPreselectorPosition(f);
      link_.SendCommand(0x40, RoundHalfEven(f), 4);
      model_.frequencyBoxText = Format("%.4f", f / 1e6);
      lastStepSent = i;
      ticks_.wait(1);
      link_.SendCommand(average ? 0x46 : 0x48, 0, 0);
      setStatus(average ? "Av. Scan" : "QP Scan", kClBlue);
    }
    ticks_.wait(2);
    if (stepComplete || stopRequested) {
      ++state_.stepIndex;
      stepComplete = false;
      link_.SendCommand(0x4A, 0, 0);
      ticks_.wait(1);
    }
  } while (state_.stepIndex < state_.stepsPerScan && !stopRequested);
  state_.runInProgress = false;
  link_.SendCommand(0x20, 0, 0);
  RefreshRunButtons();
  ticks_.wait(1);
  EndOfRun();
  view_.repaint();
}

// ---------------------------------------------------------------------------------------
// Span and range

void ScanEngine::applySpanChange() {
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
                                  Format("%.2f", state_.startFrequencyHz / 1e6));
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
                                  Format("%5.2f", state_.finishFrequencyHz / 1e6));
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
  if (hooks_.selectDirectInput) {
    hooks_.selectDirectInput();
  } else {
    model_.inputLabels = {"DIRECT", "", ""};
    setStatus("Using Direct Input", model_.lampColour);
  }
  model_.showLimit = false;
  model_.limitEnabled = false;
  model_.showStore = false;
  model_.showDifference = false;
  model_.showArchive = false;
  traces_.ClearTraces();
  if (hooks_.dropErsArchive) hooks_.dropErsArchive();
  if (hooks_.updateInputMenu) hooks_.updateInputMenu();
  if (toHigh) {
    state_.startFrequencyHz = kHighStartHz;
    state_.finishFrequencyHz = kHighFinishHz;
    state_.highRange = true;
    state_.logSpanIndex = 2;
    model_.rangeLabelText = "HIGH RANGE";
  } else {
    if (preselectorState == 5) preselectorState = 3;
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
    rangeChanging = true;
    RefreshRunButtons();
    rangeChangeSeconds = 0;
    model_.rangeDelaySeconds = 0;
    rangeDelayTimer_->setEnabled(true);
    ticks_.wait(2);
    if (hooks_.updateInputMenu) hooks_.updateInputMenu();
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
  ++rangeChangeSeconds;
  model_.rangeDelaySeconds = std::min(rangeChangeSeconds, 30);
  setStatus(" WAITING", model_.lampColour);
  if (rangeChangeSeconds < 30) return;
  model_.rangeDelayVisible = false;
  rangeDelayTimer_->setEnabled(false);
  rangeChangeSeconds = 0;
  model_.rangeDelaySeconds = 0;
  rangeChanging = false;
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
  const long v = std::strtol(s.c_str(), &end, 10);
  if (s.empty() || end != s.c_str() + s.size() || v < -1000 || v > 1000) return;
  state_.preampGainDb = static_cast<std::int32_t>(v);
  view_.repaint();
}

std::string ScanEngine::ComboBox3Exit() const {
  char text[16];
  std::snprintf(text, sizeof text, "%4d", state_.preampGainDb);
  return text;
}

void ScanEngine::PFS1Click() {
  state_.detector = 1;
  if (hooks_.detectorChanged) hooks_.detectorChanged();
  view_.repaint();
}

void ScanEngine::Average1Click() {
  const Answer a = prompts_.message(MessageKind::Warning,
                                    "Using AVERAGE Detector will Take About " +
                                        std::to_string(state_.stepsPerScan / 10) +
                                        " Minutes to Complete",
                                    Buttons::OkCancel);
  state_.detector = a == Answer::Ok ? 2 : 1;
  if (hooks_.detectorChanged) hooks_.detectorChanged();
  view_.repaint();
}

void ScanEngine::QP1Click() {
  const Answer a = prompts_.message(MessageKind::Warning,
                                    "Using QUASI PEAK Detector will Take About " +
                                        std::to_string(state_.stepsPerScan / 10) +
                                        " Minutes to Complete",
                                    Buttons::OkCancel);
  state_.detector = a == Answer::Ok ? 3 : 1;
  if (hooks_.detectorChanged) hooks_.detectorChanged();
  view_.repaint();
}

// ---------------------------------------------------------------------------------------
// Pre-selectors

void ScanEngine::SetPreselectorPosition(double f) {
  if (state_.highRange) return;
  int position = 0;
  if (preselectorState == 1) {
    position = static_cast<int>(kNx90Thresholds.size());
    for (std::size_t p = 0; p < kNx90Thresholds.size(); ++p)
      if (kNx90Thresholds[p] > f) {
        position = static_cast<int>(p) + 1;
        break;
      }
  } else if (preselectorState >= 2) {
    position = static_cast<int>(kNx91Thresholds.size());
    for (std::size_t p = 0; p < kNx91Thresholds.size(); ++p)
      if (kNx91Thresholds[p] > f) {
        position = static_cast<int>(p) + 1;
        break;
      }
  }
  if (preselectorState == 0) {
    model_.modelPanelText = "TQ4800";
  } else {
    model_.modelPanelText = kPreselectorNames[static_cast<std::size_t>(position)];
  }
  if (position != preselectorPosition) {
    preselectorPosition = position;
    if (position > 0) link_.SendCommand(0x12, position - 1, 1);
  }
  view_.modelChanged();
}

void ScanEngine::nextSegmentEnd() {
  const int p = preselectorPosition;
  if (preselectorState == 1 && p >= 1 && p <= 7) {
    segmentEndHz = kNx90SegmentEnds[static_cast<std::size_t>(p - 1)];
  } else if ((preselectorState == 2 || preselectorState == 3) && p >= 1 && p <= 8) {
    segmentEndHz = kNx91SegmentEnds[static_cast<std::size_t>(p - 1)];
  } else if (preselectorState == 0 && ostrocell()) {
    segmentEndHz = relaySwitchHz;
  }
  if (segmentEndHz >= state_.finishFrequencyHz) segmentEndHz = state_.finishFrequencyHz - 1;
}

void ScanEngine::SegmentStep() {
  if (preselectorState <= 0) return;
  link_.SetStatusTimerEnabled(false);
  model_.inputLabels[2] = "Paused";
  view_.modelChanged();
  state_.queueMode = false;
  if (preselectorState == 1) {
    SetPreselectorPosition(segmentEndHz + 1000.0);
    nextSegmentEnd();
    prompts_.message(MessageKind::Information, "Scan Paused. Change Switch on NX90 Unit",
                     Buttons::Ok);
    link_.SendCommand(0x38, segmentEndHz, 4);
    ticks_.wait(1);
    link_.SendCommand(preselectorPosition == 7 ? 0x3B : 0x3A, 0, 0);
    ticks_.wait(1);
  } else if (preselectorState == 2 || preselectorState == 3) {
    ticks_.wait(10);
    link_.SetStatusTimerEnabled(false);
    if (state_.detector == 1) {
      SetPreselectorPosition(segmentEndHz + 1000.0);
      nextSegmentEnd();
      ticks_.wait(10);
      link_.SendCommand(0x38, segmentEndHz, 4);
      ticks_.wait(1);
      link_.SendCommand(0x3A, 0, 0);
    }
  }
  model_.inputLabels[2] = "Scanning";
  view_.modelChanged();
  link_.SetStatusTimerEnabled(true);
}

void ScanEngine::NX90PreSelector1Click() {
  if (preselectorState == 1) {
    preselectorState = 0;
  } else {
    preselectorState = 1;
    preselectorPosition = 99;
    SetPreselectorPosition(state_.startFrequencyHz);
  }
  view_.repaint();
}

void ScanEngine::NX91PreSelector1Click() {
  switch (preselectorState) {
    case 0:
    case 1:
      preselectorState = 2;
      link_.InitPreselectorLines();
      break;
    case 2:
      link_.SendCommand(0x12, 8, 1);
      preselectorState = 0;
      break;
    case 3:
      link_.SendAccessoryFrameRtsLow(0x14, 0x33);
      preselectorState = 0;
      break;
    case 4:
      preselectorState = 0;
      break;
    default:
      break;
  }
  view_.repaint();
}

void ScanEngine::PreselectorReport(int position, bool automatic) {
  if (position < 0 || position > 8) return;
  if (preselectorState != 0 && preselectorState != 2 && preselectorState != 3 &&
      preselectorState != 4)
    return;
  const std::string name = kPreselectorNames[static_cast<std::size_t>(position)];
  if (state_.highRange) {
    prompts_.message(MessageKind::Warning,
                     "Ensure RF Feed is NOT Through NX91 when in High Range.", Buttons::Ok);
    preselectorState = 5;
    return;
  }
  if (state_.runInProgress) {
    state_.runInProgress = false;
    link_.SetStatusTimerEnabled(true);
    prompts_.message(MessageKind::Warning,
                     "NX91 Preselector has been Set to " + name + " position. Run Cancelled.",
                     Buttons::Ok);
    preselectorState = 4;
    preselectorPositionName = name;
    if (state_.measurementMode == 2) {
      state_.queueMode = false;
      link_.SendCommand(0x4A, 0, 0);
      ticks_.wait(2);
      RefreshRunButtons();
    } else {
      Stop();
    }
    return;
  }
  if (automatic) {
    model_.modelPanelText = "Auto";
    preselectorState = 3;
  } else {
    preselectorState = 4;
    preselectorPositionName = name;
    model_.modelPanelText = name;
  }
  view_.modelChanged();
}

}  // namespace tq
