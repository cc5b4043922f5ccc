#pragma once

#include <cstdint>

#include "model/MeasurementState.h"

namespace tq {

// The frequency of step `step` of a sweep of `steps` steps over start..finish.
float NominalStepFrequency(std::int32_t start, std::int32_t finish, int steps, int step,
                           bool logarithmic);

// Fills stepFrequencyHz with the display grid of the present span (501 points).
void FillDisplayGrid(MeasurementState& state);

// The fixed span of the logarithmic axis for logSpanIndex 1..4; false for any other index.
bool LogSpan(int logSpanIndex, std::int32_t& startHz, std::int32_t& finishHz);

// On the logarithmic axis the span is the fixed one of logSpanIndex.
void ApplyLogSpan(MeasurementState& state);

}  // namespace tq
