#include "model/Span.h"

#include <cmath>

namespace tq {

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

bool LogSpan(int logSpanIndex, std::int32_t& startHz, std::int32_t& finishHz) {
  switch (logSpanIndex) {
    case 1:
      startHz = 100000;
      finishHz = 30000000;
      return true;
    case 2:
      startHz = 30000000;
      finishHz = 1000000000;
      return true;
    case 3:
      startHz = 30000000;
      finishHz = 300000000;
      return true;
    case 4:
      startHz = 10000;
      finishHz = 30000000;
      return true;
    default:
      return false;
  }
}

void ApplyLogSpan(MeasurementState& state) {
  if (!state.logFrequencyAxis) return;
  std::int32_t start = 0;
  std::int32_t finish = 0;
  if (LogSpan(state.logSpanIndex, start, finish)) {
    state.startFrequencyHz = start;
    state.finishFrequencyHz = finish;
  }
}

}  // namespace tq
