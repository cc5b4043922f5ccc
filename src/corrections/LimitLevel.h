#pragma once

#include "model/LimitTable.h"

namespace tq {

// How a radiated limit is moved to the distance the antenna is at.
struct DistanceSetting {
  float measuringDistanceM = 3.0f;
  bool alternativeMethod = false;  // the input's own distance method is in use instead
};

// 20 log10(limit distance / measuring distance) for a radiated limit under the standard
// method, else 0.
float DistanceCorrectionDb(const LimitTable& table, const DistanceSetting& distance);

// The limit at a frequency in dB (single precision), interpolated between the points of the
// table and distance-corrected; 200 below the first point, above the last and without one.
double LimitAt(const LimitTable& table, double frequencyHz, const DistanceSetting& distance);

}  // namespace tq
