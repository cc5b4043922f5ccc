#include <algorithm>
#include <array>

#include "traces/TraceSet.h"

namespace tq {
namespace {

using Frequencies = std::array<float, 501>;

// Fills display points (k - 1) * factor + 1 .. k * factor for k = 1 .. intervals from the
// measured points k - 1 and k of the snapshots.
void SpreadIntervals(int intervals, int factor, const Frequencies& measuredHz,
                     const Trace& measuredLevels, Frequencies& frequencyHz, Trace& levels) {
  for (int k = 1; k <= intervals; ++k) {
    const float f0 = measuredHz[k - 1];
    const float f1 = measuredHz[k];
    const float df = static_cast<float>(RoundHalfEven((f1 - f0) / static_cast<float>(factor)));
    const std::int32_t l0 = measuredLevels[k - 1];
    const std::int32_t dl = (measuredLevels[k] - l0) / factor;  // truncated towards zero
    const int base = (k - 1) * factor;
    for (int i = 1; i < factor; ++i) {
      frequencyHz[base + i] = f0 + static_cast<float>(i) * df;
      levels[base + i] = l0 + i * dl;
    }
    frequencyHz[k * factor] = f1;
    levels[k * factor] = measuredLevels[k];
  }
}

// The status of a step covers every display point its interval fills.
void RepeatStatus(int intervals, int factor, const Trace& measured, Trace& status) {
  for (int k = 1; k <= intervals; ++k) {
    for (int i = 1; i <= factor; ++i) status[(k - 1) * factor + i] = measured[k];
  }
}

}  // namespace

void TraceSet::KeepCurrentSource() {
  auto& frequencyHz = state_.stepFrequencyHz;
  // Snapshots of the measured points: the spread overwrites them in place.
  const Frequencies measuredHz = frequencyHz;
  const Trace measuredLevels = data_.currentTrace;
  const Trace measuredStatus = data_.stepStatus;
  const int steps = state_.stepsPerScan;

  switch (steps) {
    case 500:
      break;
    case 387:
      for (int n = 388; n <= 500; ++n) frequencyHz[n] = measuredHz[387] + static_cast<float>(n);
      break;
    case 250:
      SpreadIntervals(250, 2, measuredHz, measuredLevels, frequencyHz, data_.currentTrace);
      RepeatStatus(250, 2, measuredStatus, data_.stepStatus);
      break;
    case 193:
      SpreadIntervals(193, 2, measuredHz, measuredLevels, frequencyHz, data_.currentTrace);
      // The status repeat runs over the whole display, past the last measured step.
      RepeatStatus(250, 2, measuredStatus, data_.stepStatus);
      for (int n = 387; n <= 500; ++n) {
        frequencyHz[n] = frequencyHz[386] + static_cast<float>(n);
        data_.currentTrace[n] = data_.currentTrace[386];
      }
      break;
    case 100:
      SpreadIntervals(100, 5, measuredHz, measuredLevels, frequencyHz, data_.currentTrace);
      RepeatStatus(100, 5, measuredStatus, data_.stepStatus);
      break;
    case 77:
      SpreadIntervals(70, 7, measuredHz, measuredLevels, frequencyHz, data_.currentTrace);
      RepeatStatus(70, 7, measuredStatus, data_.stepStatus);
      for (int i = 0; i < 7; ++i) {
        frequencyHz[491 + i] = measuredHz[71 + i];
        data_.currentTrace[491 + i] = measuredLevels[71 + i];
      }
      for (int i = 0; i < 10; ++i) data_.stepStatus[491 + i] = measuredStatus[71 + i];
      for (int i = 1; i <= 3; ++i) {
        frequencyHz[497 + i] = measuredHz[77] + static_cast<float>(i);
        // Points 78 to 80 as the spread above has just left them.
        data_.currentTrace[497 + i] = data_.currentTrace[77 + i];
      }
      break;
    default:
      return;
  }

  std::copy(frequencyHz.begin(), frequencyHz.end(), data_.currentSource.frequenciesHz.begin());
  data_.currentSource.levels = data_.currentTrace;
  if (steps == 387) {
    // The Current trace keeps its old tail; only the kept copy is filled.
    std::fill(data_.currentSource.levels.begin() + 388, data_.currentSource.levels.end(),
              data_.currentTrace[387]);
  }
}

}  // namespace tq
