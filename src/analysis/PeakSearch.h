#pragma once

#include <array>
#include <vector>

#include "model/Trace.h"

namespace tq {

// How the peaks of a sweep are picked.
struct PeakSearchSettings {
  // A peak is listed when it stands within this much under the limit or over it: the margin
  // engineers customarily keep.
  double thresholdDb = 6.0;
  int maxPeaks = 10;
  // Peaks closer than this many display points are one emission: the higher one stands.
  int separationPoints = 5;
};

inline constexpr int kMostPeaks = 50;

// The limit per display point (kNoLimit where there is none), as the peak search reads it.
using PointLimits = std::array<double, kTracePoints>;

// The display points, in ascending order, where one emission each peaks in `levels` (points
// 0..lastPoint; a level of 0 is no value): local maxima within the threshold of the limit or
// over it, the nearest the limit first, at most maxPeaks, each at least separationPoints from
// the others. Where no point has a limit, the highest maxima instead.
std::vector<int> FindPeaks(const Trace& levels, const PointLimits& limits, int lastPoint,
                           const PeakSearchSettings& settings);

}  // namespace tq
