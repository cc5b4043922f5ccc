#include <algorithm>

#include "traces/TraceMath.h"
#include "traces/TraceSet.h"

namespace tq {

void RemapTrace(Trace& target, const TraceSource& source, const std::array<float, 501>& grid) {
  const auto& from = source.frequenciesHz;
  target.fill(0);
  if (grid[500] < from[1] || grid[0] > from[500]) return;  // no overlap

  constexpr std::int32_t kEmptyBin = -255;
  std::size_t j = 0;
  std::int32_t binMaximum = kEmptyBin;
  for (std::size_t n = 0; n < kTracePoints; ++n) {
    while (j < kTracePoints && from[j] <= grid[n]) {
      binMaximum = std::max(binMaximum, source.levels[j]);
      ++j;
    }
    if (j >= 1 && grid[n] <= from[500]) {
      // No source point fell into this bin: a finer grid repeats the previous value, and
      // the first point has none before it.
      if (binMaximum < -99) binMaximum = n > 0 ? target[n - 1] : 0;
      target[n] = (binMaximum >= 0 && binMaximum <= 255) ? binMaximum : 0;
      binMaximum = kEmptyBin;
    } else {
      target[n] = 0;
    }
  }
}

void TraceSet::RemapTraces() {
  if (!data_.singleFrequencyShown) data_.stepStatus.fill(0);
  RemapTrace(data_.storeTrace, data_.storeSource, state_.stepFrequencyHz);
  RemapTrace(data_.archiveTrace, data_.archiveSource, state_.stepFrequencyHz);
  RemapTrace(data_.currentTrace, data_.currentSource, state_.stepFrequencyHz);
  ComputeDifference();
  // Under a peak-hold sequence the range and zoom commands reset the processing themselves.
  if (!data_.peakHoldCarry) {
    state_.processingMode = kProcessingOff;
    state_.scansDone = 1;
  }
  view_.modelChanged();
}

}  // namespace tq
