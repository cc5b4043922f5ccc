#include "traces/TraceSet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "traces/TraceMath.h"

namespace tq {

std::int32_t RoundHalfEven(double value) {
  // A NaN or an out-of-range value (a bad correction, a corrupt file) must not reach the
  // integer conversion, which would be undefined.
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (value <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  const double below = std::floor(value);
  const double fraction = value - below;
  double rounded = below;
  if (fraction > 0.5) {
    rounded = below + 1.0;
  } else if (fraction == 0.5) {
    rounded = std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
  }
  return static_cast<std::int32_t>(rounded);
}

std::int32_t EmissionsDifference(std::int32_t a, std::int32_t b) {
  constexpr double kK = 8.68588;
  const double va = std::exp(a / kK);
  const double vb = std::exp(b / kK);
  double result = 0.0;
  if (vb > va) {
    result = -kK * std::log(vb - va);
  } else if (vb < va) {
    result = kK * std::log(va - vb);
  }
  return RoundHalfEven(result);
}

TraceSet::TraceSet(MeasurementState& state, WindowModel& model, MainView& view, Files& files,
                   Prompts& prompts)
    : state_(state), model_(model), view_(view), files_(files), prompts_(prompts) {
  // Header plus one line per point below 1000 MHz.
  listing_.reserve(64 + kTracePoints * 36);
}

void TraceSet::ProcessPoint(int point, float levelDbuv) {
  if (point < 0 || point >= static_cast<int>(kTracePoints)) return;
  const auto n = static_cast<std::size_t>(point);
  const bool singleFrequency = state_.measurementMode == 2;

  float frequencyHz = state_.stepFrequencyHz[n];
  if (singleFrequency && corrections_.singleFrequencyHz) {
    frequencyHz = static_cast<float>(corrections_.singleFrequencyHz());
  }
  const float level =
      corrections_.correctLevel ? corrections_.correctLevel(levelDbuv, frequencyHz) : levelDbuv;

  if (singleFrequency) {
    singleFrequencyTrace[n] = RoundHalfEven(level);
    return;
  }
  switch (state_.processingMode) {
    case kAverage8:
    case kAverage16:
    case kAverage32: {
      accumulator[n] += level;
      // scansDone is 0 only before the first reset; never divide by it.
      const float mean = accumulator[n] / static_cast<float>(std::max(state_.scansDone, 1));
      currentTrace[n] = InTraceRange(mean) ? RoundHalfEven(mean) : 0;
      break;
    }
    case kPeakHold: {
      const float peak = level > accumulator[n] ? level : accumulator[n];
      currentTrace[n] = InTraceRange(peak) ? RoundHalfEven(peak) : 0;
      accumulator[n] = static_cast<float>(currentTrace[n]);
      break;
    }
    default:
      currentTrace[n] = RoundHalfEven(level);
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
  storeTrace.fill(0);
  storeSource.levels.fill(0);
  differenceTrace.fill(0);
  singleFrequencyDifference.fill(0);
  model_.showStore = true;
  model_.differenceEnabled = true;
  storeTrace = currentTrace;
  storeSource.levels = currentTrace;
  std::copy(state_.stepFrequencyHz.begin(), state_.stepFrequencyHz.end(),
            storeSource.frequenciesHz.begin());
  storeErsCorrected = currentErsCorrected;
  view_.modelChanged();
  view_.repaint();
}

void TraceSet::ClearTraces() {
  model_.modelPanelText = "TQ4800";
  model_.stepPanelText.clear();
  state_.scansDone = 1;
  currentTrace.fill(0);
  accumulator.fill(0.0f);
  storeTrace.fill(0);
  currentSource.levels.fill(0);
  storeSource.levels.fill(0);
  archiveSource.levels.fill(0);
  differenceTrace.fill(0);
  archiveTrace.fill(0);
  limitTrace.fill(0);
  singleFrequencyTrace.fill(0);
  singleFrequencyDifference.fill(0);
  stepStatus.fill(0);
  fileCurrentTrace.fill(0);
  fileStoreTrace.fill(0);
  lastOpenedFile.clear();
  for (auto& line : notes) line.clear();
  state_.detector = 1;
  state_.processingMode = kProcessingOff;
  view_.modelChanged();
  view_.repaint();
}

void TraceSet::ResetCalculation() {
  accumulator.fill(0.0f);
  currentTrace.fill(0);
  state_.scansDone = 1;
  view_.repaint();
}

void TraceSet::SetProcessingMode(int mode) {
  state_.processingMode = kProcessingOff;
  model_.stepPanelText.clear();
  peakHoldCarry = false;
  // The accumulator and the sweep count carry over on purpose.
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
