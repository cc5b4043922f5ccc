#include "model/Numbers.h"

#include <cmath>
#include <cstdio>
#include <limits>

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

double Log10(double x) {
  return std::log(x) * 0.434294;
}

std::string FormatFixed(double value, int width, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%*.*f", width, decimals, value);
  return buffer;
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

}  // namespace tq
