#include "corrections/LimitLevel.h"

#include <cmath>

#include "model/Numbers.h"

namespace tq {

float DistanceCorrectionDb(const LimitTable& table, const DistanceSetting& distance) {
  if (!table.radiated || distance.alternativeMethod) return 0.0f;
  if (!(distance.measuringDistanceM > 0) || !(table.limitDistanceM > 0)) return 0.0f;
  return static_cast<float>(
      20.0 * Log10(static_cast<double>(table.limitDistanceM) / distance.measuringDistanceM));
}

double LimitAt(const LimitTable& table, double f, const DistanceSetting& distance) {
  const int last = table.lastPointRow();
  int i = 0;
  for (int r = 1; r <= last; ++r) {
    if (!(table.points[static_cast<std::size_t>(r)].frequencyHz < f)) {
      i = r;
      break;
    }
  }
  // Above the last point, at or below the first, or no points at all.
  if (i <= 1) return kNoLimit;
  const LimitPoint& a = table.points[static_cast<std::size_t>(i - 1)];
  const LimitPoint& b = table.points[static_cast<std::size_t>(i)];
  const double x1 = a.frequencyHz, y1 = a.level, x2 = b.frequencyHz, y2 = b.level;
  float result = 0.0f;
  if (a.interpolation == 1) {
    // A frequency at or below 0 has no logarithm (a damaged file can hold one).
    if (x1 > 0 && x2 > 0 && f > 0)
      result = static_cast<float>(y1 + (y2 - y1) * std::log(f / x1) / std::log(x2 / x1));
  } else if (x1 != x2) {
    result = static_cast<float>(y1 + (y2 - y1) * (f - x1) / (x2 - x1));
  }
  result += DistanceCorrectionDb(table, distance);
  if (!(result < kNoLimit)) return kNoLimit;
  return result;
}

}  // namespace tq
