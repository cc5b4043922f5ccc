#include "traces/TraceSet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "traces/TraceMath.h"

namespace tq {

TraceSet::TraceSet(MeasurementState& state, WindowModel& model, MainView& view, Files& files,
                   Prompts& prompts, Features features)
    : state_(state),
      model_(model),
      view_(view),
      files_(files),
      prompts_(prompts),
      features_(features) {
  // Header plus one line per point below 1000 MHz.
  listing_.reserve(64 + kTracePoints * 36);
}

void TraceSet::ProcessPoint(int point, float levelDbuv) {
  if (point < 0 || point >= static_cast<int>(kTracePoints)) return;
  const auto n = static_cast<std::size_t>(point);
  const bool singleFrequency = state_.measurementMode == 2;

  const float frequencyHz = singleFrequency ? static_cast<float>(features_.single.FrequencyHz())
                                            : state_.stepFrequencyHz[n];
  const float level = features_.inputs.CorrectLevel(levelDbuv, frequencyHz);

  if (singleFrequency) {
    data_.singleFrequencyTrace[n] = RoundHalfEven(level);
    return;
  }
  switch (state_.processingMode) {
    case kAverage8:
    case kAverage16:
    case kAverage32: {
      data_.accumulator[n] += level;
      // scansDone is 0 only before the first reset; never divide by it.
      const float mean = data_.accumulator[n] / static_cast<float>(std::max(state_.scansDone, 1));
      data_.currentTrace[n] = InTraceRange(mean) ? RoundHalfEven(mean) : 0;
      break;
    }
    case kPeakHold: {
      const float peak = level > data_.accumulator[n] ? level : data_.accumulator[n];
      data_.currentTrace[n] = InTraceRange(peak) ? RoundHalfEven(peak) : 0;
      data_.accumulator[n] = static_cast<float>(data_.currentTrace[n]);
      break;
    }
    default:
      data_.currentTrace[n] = RoundHalfEven(level);
      break;
  }
}

bool TraceSet::EndOfSweep() {
  ++state_.scansDone;
  const int target = AveragingTarget(state_.processingMode);
  // "Reaches" taken as "has reached", so a mode chosen late in a long run still ends it.
  if (target > 0 && state_.scansDone > target) {
    state_.runActive = false;
    return true;
  }
  return false;
}

std::string TraceSet::StepPanelText(int point) const {
  char text[64];
  const int target = AveragingTarget(state_.processingMode);
  if (target > 0) {
    if (state_.scansDone < target) {
      std::snprintf(text, sizeof text, "%3d  %3d/%d", point, state_.scansDone, target);
    } else {
      std::snprintf(text, sizeof text, "%3d  %d/%d", point, target, target);
    }
  } else if (state_.processingMode == kPeakHold) {
    std::snprintf(text, sizeof text, "%3d Pk%3d", point, state_.scansDone);
  } else {
    std::snprintf(text, sizeof text, "%3d", point);
  }
  return text;
}

void TraceSet::StoreCurrent() {
  data_.storeTrace.fill(0);
  data_.storeSource.levels.fill(0);
  data_.differenceTrace.fill(0);
  data_.singleFrequencyDifference.fill(0);
  model_.showStore = true;
  model_.differenceEnabled = true;
  data_.storeTrace = data_.currentTrace;
  data_.storeSource.levels = data_.currentTrace;
  std::copy(state_.stepFrequencyHz.begin(), state_.stepFrequencyHz.end(),
            data_.storeSource.frequenciesHz.begin());
  data_.storeErsCorrected = data_.currentErsCorrected;
  view_.modelChanged();
  view_.repaint();
}

void TraceSet::ClearTraces() {
  model_.modelPanelText = "TQ4800";
  model_.stepPanelText.clear();
  state_.scansDone = 1;
  data_.currentTrace.fill(0);
  data_.accumulator.fill(0.0f);
  data_.storeTrace.fill(0);
  data_.currentSource.levels.fill(0);
  data_.storeSource.levels.fill(0);
  data_.archiveSource.levels.fill(0);
  data_.differenceTrace.fill(0);
  data_.archiveTrace.fill(0);
  data_.limitTrace.fill(0);
  data_.singleFrequencyTrace.fill(0);
  data_.singleFrequencyDifference.fill(0);
  data_.stepStatus.fill(0);
  data_.fileCurrentTrace.fill(0);
  data_.fileStoreTrace.fill(0);
  data_.lastOpenedFile.clear();
  for (auto& line : data_.notes) line.clear();
  state_.detector = 1;
  state_.processingMode = kProcessingOff;
  view_.modelChanged();
  view_.repaint();
}

void TraceSet::StartOfRun() {
  data_.stepStatus.fill(0);
  listingFailureReported_ = false;
}

void TraceSet::StartSingleShot() {
  data_.currentSource.levels.fill(0);
  if (!data_.peakHoldCarry) state_.scansDone = 1;
}

void TraceSet::MarkStep(int point, bool compressed) {
  if (point < 0 || point >= static_cast<int>(kTracePoints)) return;
  data_.stepStatus[static_cast<std::size_t>(point)] = compressed ? 2 : 1;
}

void TraceSet::DropPeakHold() {
  state_.scansDone = 1;
  if (data_.peakHoldCarry || state_.processingMode == kPeakHold) {
    data_.accumulator.fill(0.0f);
    state_.processingMode = kProcessingOff;
    data_.peakHoldCarry = false;
  }
}

int FirstPointAtOrAbove(const FrequencyGrid& grid, double hz) {
  for (std::size_t j = 1; j < kTracePoints; ++j)
    if (!(grid[j] < hz)) return static_cast<int>(j);
  return 0;
}

void TraceSet::FindSingleFrequencyStorePoint(double singleFrequencyHz) {
  const int j = FirstPointAtOrAbove(state_.stepFrequencyHz, singleFrequencyHz);
  if (j > 0) data_.singleFrequencyStoreIndex = j;
}

void TraceSet::ClearSingleFrequency() {
  data_.singleFrequencyTrace.fill(0);
  data_.singleFrequencyDifference.fill(0);
}

void TraceSet::ScrollSingleFrequency(int by) {
  if (by <= 0 || by >= static_cast<int>(kTracePoints)) return;
  // Sample `by` moves to 0 as well, so that the first segment joins the right samples; the
  // end is emptied so that a result saved before it fills again holds no stale samples.
  for (Trace* t : {&data_.singleFrequencyTrace, &data_.singleFrequencyDifference}) {
    std::move(t->begin() + by, t->end(), t->begin());
    std::fill(t->end() - by, t->end(), 0);
  }
}

void TraceSet::RefreshLimitTrace() {
  for (std::size_t n = 0; n < kTracePoints; ++n)
    data_.limitTrace[n] = RoundHalfEven(features_.limit.LimitAt(state_.stepFrequencyHz[n]));
}

void TraceSet::ResetCalculation() {
  data_.accumulator.fill(0.0f);
  data_.currentTrace.fill(0);
  state_.scansDone = 1;
  view_.repaint();
}

void TraceSet::SetProcessingMode(int mode) {
  state_.processingMode = kProcessingOff;
  model_.stepPanelText.clear();
  data_.peakHoldCarry = false;
  // The data_.accumulator and the sweep count carry over on purpose.
  state_.processingMode = (mode >= kProcessingOff && mode <= kPeakHold) ? mode : kProcessingOff;
  view_.modelChanged();
  view_.repaint();
}

void TraceSet::SetDifferenceMode(bool insertionLoss) {
  state_.differenceInsertionLoss = insertionLoss;
  ComputeDifference();
  view_.modelChanged();
  view_.repaint();
}

void TraceSet::ToggleUnits() {
  state_.dbmUnits = !state_.dbmUnits;
  view_.modelChanged();
  view_.repaint();
}

void TraceSet::current1Click() {
  model_.showCurrent = !model_.showCurrent;
  view_.modelChanged();
  view_.repaint();
}

void TraceSet::Store1Click() {
  model_.showStore = !model_.showStore;
  view_.modelChanged();
  view_.repaint();
}

// During a run the next sweep repaints anyway; a repaint now would flicker the live trace.
void TraceSet::Difference1Click() {
  model_.showDifference = !model_.showDifference;
  view_.modelChanged();
  if (!state_.runInProgress) view_.repaint();
}

void TraceSet::Archive1Click() {
  model_.showArchive = !model_.showArchive;
  view_.modelChanged();
  if (!state_.runInProgress) view_.repaint();
}

void TraceSet::limit1Click() {
  model_.showLimit = !model_.showLimit;
  view_.modelChanged();
  if (model_.showLimit && state_.measurementMode > 1) {
    prompts_.message(MessageKind::Information, "Limit Line may be Invalid if Frequency Changes",
                     Buttons::Ok);
  }
  if (!state_.runInProgress) view_.repaint();
}

}  // namespace tq
