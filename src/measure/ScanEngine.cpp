#include "measure/ScanEngine.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "model/Numbers.h"
#include "model/Processing.h"

namespace tq {

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
                       TraceSet& traces, Ticks& ticks, Prompts& prompts, Features features)
    : state_(state),
      model_(model),
      view_(view),
      link_(link),
      traces_(traces),
      ticks_(ticks),
      prompts_(prompts),
      features_(features) {
  rangeDelayTimer_ = ticks_.createTimer(1000, [this] { RangeDelayTick(); });
}

void ScanEngine::setStatus(const std::string& text, Colour lamp) {
  link_.SetStatus(text, lamp);
}

// ---------------------------------------------------------------------------------------
// Run buttons

void ScanEngine::RefreshRunButtons() {
  const bool running = state_.runInProgress;
  const bool single = state_.measurementMode == 2;
  model_.runControlsEnabled = !running && !rangeChanging_;
  model_.singleEnabled = !running || single;
  // Single frequency: "Scan" leads back to sweeps whenever a frequency is measured or shown.
  model_.button17Caption = single ? "Scan" : "Single";
  if (running) {
    model_.button1Caption = "STOP";
    model_.button2Caption = "CANCEL";
    model_.runEnabled = true;
  } else {
    model_.button1Caption = "S/SHOT";
    model_.button2Caption = "RUN";
    // A sweep started while a frequency is picked or shown would feed its frames to the
    // wrong handler.
    model_.runEnabled = state_.measurementMode == 0 && !rangeChanging_;
  }
  view_.modelChanged();
}

bool ScanEngine::prepareRunStart(bool isRun) {
  if (isRun && features_.ers.ArchiveLoaded()) {
    prompts_.message(MessageKind::Information,
                     "Archive ERS Correction Currently Loaded will be Ignored ", Buttons::Ok);
    features_.ers.DropArchive();
  }
  if (ostrocell()) features_.relay.PresetForRun(state_.startFrequencyHz);
  view_.repaint();  // erases the last run's sweep marker
  model_.loadedResultDate.clear();
  model_.stepPanelText.clear();
  setStatus("PLEASE WAIT", kClBlue);
  traces_.StartOfRun();
  if (isRun) {
    traces_.ResetCalculation();
    lostPeakShown_ = false;
    state_.runActive = true;
    state_.stepIndex = 0;
    link_.ClearReceiveBuffer();
  } else {
    traces_.StartSingleShot();
  }
  preselectorPosition_ = 99;
  SetPreselectorPosition(state_.startFrequencyHz);
  if (preselectorState_ == 4) {
    const Answer a =
        prompts_.message(MessageKind::Warning,
                         "NX91 Preselector has been Set to " + preselectorPositionName_ +
                             " position. Continue with Start ?",
                         Buttons::YesNo);
    if (a != Answer::Yes) return false;
    model_.modelPanelText = preselectorPositionName_;
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
  // The slow detectors measure point by point, in a run as in a shot: a peak sweep would
  // send data frames that their handler only counts, and never end.
  if ((state_.detector == 2 || state_.detector == 3) && ersMode() == 0) {
    RefreshRunButtons();
    ticks_.wait(1);
    pointByPoint(true);
    return;
  }
  if (ersMode() < 2) {
    PrepareSteps();
    StartSweep();
  }
  ticks_.wait(1);
  RefreshRunButtons();
}

void ScanEngine::Button1Click() {
  if (state_.runInProgress) {
    if (state_.measurementMode == 2) {
      StopSingleFrequency();
      return;
    }
    state_.queueMode = false;
    state_.runActive = false;
    model_.button1Caption = "STOPPING";
    view_.modelChanged();
    // A point-by-point run goes on to the end of the sweep under way; a shot stops now.
    if ((state_.detector == 2 || state_.detector == 3) && !pointByPointRun_) {
      link_.SendCommand(0x4A, 0, 0);
      ticks_.wait(1);
      link_.SendCommand(0x20, 0, 0);
      ticks_.wait(1);
      state_.stepIndex = state_.stepsPerScan;
    }
    return;
  }
  if (!prepareRunStart(false)) return;
  state_.runInProgress = true;
  RefreshRunButtons();
  ticks_.wait(1);
  if (state_.processingMode == kPeakHold) traces_.CarryPeakHold();
  if (state_.detector == 2 || state_.detector == 3) {
    pointByPoint(false);
    return;
  }
  link_.ClearReceiveBuffer();
  PrepareSteps();
  StartSweep();
}

void ScanEngine::StopSingleFrequency() {
  state_.queueMode = false;
  link_.SendCommand(0x4A, 0, 0);
  ticks_.wait(2);
  state_.runInProgress = false;
  RefreshRunButtons();
}

void ScanEngine::Stop() {
  // CANCEL, a close or an adapter fault end a single-frequency measurement as STOP does:
  // the sweep's stop command would leave the analyser reading.
  if (state_.measurementMode == 2) {
    StopSingleFrequency();
    return;
  }
  model_.busyCursor = true;
  view_.modelChanged();
  state_.runInProgress = false;
  features_.ers.ClearCalibration();
  if (state_.stepsPerScan == 485) state_.stepsPerScan = 500;
  state_.runActive = false;
  state_.queueMode = false;
  if (state_.detector == 2 || state_.detector == 3) {
    stopRequested_ = true;
    // The point-by-point loop further up the stack ends the step at its next check and
    // then finishes the stop, so that CANCEL takes effect within 2 ticks.
    if (pointByPointLoop_) {
      stopPending_ = true;
      RefreshRunButtons();
      return;
    }
  } else {
    link_.SendCommand(0x36, 0, 0);
    ticks_.wait(1);
  }
  finishStop();
}

void ScanEngine::finishStop() {
  ticks_.wait(1);
  // A close that stopped the run has closed the port by now.
  if (link_.portOpen()) link_.InitPreselectorLines();
  link_.SetStatusTimerEnabled(true);
  RefreshRunButtons();
  view_.repaint();
  model_.busyCursor = false;
  view_.modelChanged();
}

// ---------------------------------------------------------------------------------------
// Sweep set-up

std::string FrequencyBoxText(double hz, bool highRange) {
  return FormatFixed(hz / 1e6, 0, highRange ? 4 : 5) + " MHz";
}

int SweepSteps(const MeasurementState& state) {
  int n = state.stepsPerScan;
  const std::int64_t span =
      static_cast<std::int64_t>(state.finishFrequencyHz) - state.startFrequencyHz;
  if (span < 1000000 && n > 250) n = 250;
  if (span <= 500000) n = 100;
  if (state.logFrequencyAxis) {
    if (state.logSpanIndex == 4) {
      if (n == 100)
        n = 77;
      else if (n == 250)
        n = 193;
      else if (n == 500)
        n = 387;
    } else {
      n = n <= 100 ? 100 : n <= 250 ? 250 : 500;
    }
  }
  return n;
}

void ScanEngine::PrepareSteps() {
  state_.stepsPerScan = SweepSteps(state_);
  view_.modelChanged();
  link_.SendCommand(0x33, state_.stepsPerScan + (state_.logFrequencyAxis ? 65536 : 0), 3);
  ticks_.wait(5);
  state_.stepFrequencyHz[0] = static_cast<float>(state_.startFrequencyHz);
  sweepLogarithmic_ = state_.logFrequencyAxis;
}

void ScanEngine::StartSweep() {
  // A sweep that ends within the waits below (an analyser faster than the line can carry)
  // has its successor started here once they are over, not one level deeper each time.
  if (startingSweep_) {
    restartSweep_ = true;
    return;
  }
  startingSweep_ = true;
  do {
    restartSweep_ = false;
    startSweepOnce();
  } while (restartSweep_ && state_.runInProgress);
  startingSweep_ = false;
}

void ScanEngine::startSweepOnce() {
  state_.stepIndex = 0;
  link_.SendCommand(0x30, state_.startFrequencyHz, 4);
  ticks_.wait(1);
  link_.SendCommand(0x31, state_.finishFrequencyHz, 4);
  ticks_.wait(1);
  if (ostrocell()) {
    relay(state_.startFrequencyHz);
    const std::int32_t changeover = relaySwitchHz();
    if (state_.startFrequencyHz < changeover && changeover < state_.finishFrequencyHz) {
      link_.SendCommand(0x38, changeover, 4);
      ticks_.wait(1);
      link_.SendCommand(0x39, 0, 0);
    } else {
      link_.SendCommand(0x34, 0, 0);
    }
  } else if (preselectorState_ >= 1 && preselectorState_ <= 3 && !state_.highRange) {
    // The pre-selectors are LOW-range accessories: a HIGH sweep is not split for them.
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
  link_.SendCommand(0x38, segmentEndHz_, 4);
  ticks_.wait(1);
  link_.SendCommand(0x39, 0, 0);
  ticks_.wait(1);
}

// ---------------------------------------------------------------------------------------
// Points

void ScanEngine::DataFrameReceived(const DataFrame& frame) {
  // Single frequency acknowledges its own samples.
  if (state_.measurementMode == 2) {
    features_.single.SampleReceived(frame);
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
      tunedFrequencyHz_ = frame.frequencyHz;
      link_.SendAck();
      break;
  }
}

void ScanEngine::peakPoint(const DataFrame& frame) {
  const int i = state_.stepIndex;
  state_.stepFrequencyHz[static_cast<std::size_t>(i)] = static_cast<float>(frame.frequencyHz);
  if ((frame.stepStatus & 0x20) != 0 && i < state_.stepsPerScan) {
    state_.queueMode = false;
    if (preselectorState_ > 0) SegmentStep();
    if (ostrocell()) {
      relay(relaySwitchHz() + 1000000);
      if (state_.runInProgress) link_.SendCommand(0x3B, 0, 0);
    }
  }
  // The analyser waits for the ACK: it goes out before anything the window shows of the
  // point, so that the window never holds up the sweep.
  link_.SendAck();
  CheckStepStatus(frame.stepStatus & ~0x20);
  stepLevelDbuv_ = frame.levelDbuv;
  traces_.ProcessPoint(i, stepLevelDbuv_);
  const bool running = state_.runInProgress;
  noteStepStatus(i);
  // An ERS calibration abandoned for compression has stopped the run: nothing more of it.
  if (running && !state_.runInProgress) return;
  view_.plotPoint(1, i);
  if (model_.showDifference && state_.stepsPerScan == 500) view_.plotPoint(3, i);
  model_.stepPanelText = traces_.StepPanelText(i);
  view_.modelChanged();
  // The handlers above may have waited: the step counter is read again.
  ++state_.stepIndex;
  if (state_.stepIndex > state_.stepsPerScan) endOfSweep();
}

void ScanEngine::noteStepStatus(int n) {
  if (n == 0 || !state_.runInProgress || state_.measurementMode != 0) return;
  if (state_.instrumentCompression) {
    if (!replacedStatus_ && model_.statusText != "COMPRESSION")
      replacedStatus_ = RunStatus{model_.statusText, model_.lampColour};
    const bool changed = model_.statusText != "COMPRESSION" || model_.lampColour != kClRed;
    model_.statusText = "COMPRESSION";
    model_.lampColour = kClRed;
    traces_.MarkStep(n, true);
    features_.ers.CompressedPoint();
    if (changed) view_.modelChanged();
    return;
  }
  traces_.MarkStep(n, false);
  if (state_.detector == 1 && replacedStatus_) {
    model_.statusText = replacedStatus_->text;
    model_.lampColour = replacedStatus_->lamp;
    replacedStatus_.reset();
    view_.modelChanged();
  }
}

void ScanEngine::endOfSweep() {
  state_.queueMode = false;
  traces_.EndOfSweep();
  if (state_.runActive) {
    traces_.KeepCurrentSource();
    if (ersMode() < 3) traces_.ComputeDifference();
    if (ersMode() == 0) sweepObserver_->SweepCompleted();
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
  const bool product = ersMode() == 0;
  EndOfRun();
  if (product) sweepObserver_->SweepCompleted();
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
  // A calibration goes on from the end of each of its runs.
  if (ersMode() != 0) features_.ers.CalibrationRunEnded();
}

void ScanEngine::pointByPointReading(const DataFrame& frame) {
  ++readingsThisStep_;
  link_.SendAck();
  if (readingsThisStep_ != 23) return;
  const int i = std::clamp(state_.stepIndex, 0, 500);
  stepComplete_ = true;
  CheckStepStatus(frame.stepStatus & ~0x20);
  state_.stepFrequencyHz[static_cast<std::size_t>(i)] = static_cast<float>(frame.frequencyHz);
  if (ostrocell()) relay(frame.frequencyHz);
  stepLevelDbuv_ = frame.levelDbuv;
  traces_.ProcessPoint(i, stepLevelDbuv_);
  noteStepStatus(i);
  view_.plotPoint(1, i);
  if (model_.showDifference && state_.stepsPerScan == 500) view_.plotPoint(3, i);
  model_.stepPanelText = "Result " + std::to_string(i);
  view_.modelChanged();
}

void ScanEngine::pointByPoint(bool continuous) {
  pointByPointLoop_ = true;
  pointByPointRun_ = continuous;
  stopRequested_ = false;
  if (ostrocell()) relay(state_.startFrequencyHz);
  state_.processingMode = 0;
  stepComplete_ = false;
  link_.ClearReceiveBuffer();
  traces_.ClearCurrent();
  link_.SendCommand(0x4D, 0, 1);
  ticks_.wait(1);
  link_.SendCommand(0x45, 100, 2);
  ticks_.wait(1);
  // A shot is one sweep; a run sweeps again until STOP (after the sweep under way) or
  // CANCEL.
  bool completed = false;
  for (;;) {
    pointByPointSweep();
    completed = !stopRequested_ && state_.stepIndex >= state_.stepsPerScan;
    if (!continuous || !completed) break;
    traces_.EndOfSweep();
    if (!state_.runActive || !state_.runInProgress) break;
    traces_.KeepCurrentSource();
    traces_.ComputeDifference();
    sweepObserver_->SweepCompleted();
    if (state_.stepsPerScan < 450) view_.repaint();
  }
  pointByPointLoop_ = false;
  pointByPointRun_ = false;
  state_.runInProgress = false;
  link_.SendCommand(0x20, 0, 0);
  RefreshRunButtons();
  ticks_.wait(1);
  EndOfRun();
  if (completed) sweepObserver_->SweepCompleted();
  view_.repaint();
  // A CANCEL that came during the loop ends here, now that the loop has unwound.
  if (stopPending_) {
    stopPending_ = false;
    finishStop();
  }
}

void ScanEngine::pointByPointSweep() {
  // The analyser is tuned step by step, so the program works out the step frequencies.
  for (int i = 0; i <= state_.stepsPerScan && i <= 500; ++i)
    state_.stepFrequencyHz[static_cast<std::size_t>(i)] =
        NominalStepFrequency(state_.startFrequencyHz, state_.finishFrequencyHz, state_.stepsPerScan,
                             i, state_.logFrequencyAxis);
  lastStepSent_ = -1;
  state_.stepIndex = 0;
  const bool average = state_.detector == 2;
  // A lost link ends the run: no more readings come, and RUN must not start a run inside
  // this one.
  do {
    const int i = std::clamp(state_.stepIndex, 0, 500);
    if (i != lastStepSent_) {
      readingsThisStep_ = 0;
      const float f = state_.stepFrequencyHz[static_cast<std::size_t>(i)];
      SetPreselectorPosition(f);
      // The relay must be on the step's side before the step is measured, not after.
      if (ostrocell()) relay(RoundHalfEven(f));
      link_.SendCommand(0x40, RoundHalfEven(f), 4);
      model_.frequencyBoxText = FrequencyBoxText(f, state_.highRange);
      lastStepSent_ = i;
      ticks_.wait(1);
      if (!state_.runInProgress) break;  // the link was lost
      link_.SendCommand(average ? 0x46 : 0x48, 0, 0);
      setStatus(average ? "Av. Scan" : "QP Scan", kClBlue);
    }
    // STOP and CANCEL are seen here, within 2 ticks.
    ticks_.wait(2);
    // STOP has already stopped the reading and set the step count: nothing more is sent.
    if ((stepComplete_ || stopRequested_) && state_.stepIndex < state_.stepsPerScan) {
      ++state_.stepIndex;
      stepComplete_ = false;
      link_.SendCommand(0x4A, 0, 0);
      ticks_.wait(1);
    }
  } while (state_.stepIndex < state_.stepsPerScan && !stopRequested_ && state_.runInProgress);
}

}  // namespace tq
