#pragma once

#include <cstdint>
#include <limits>

namespace tq {

// processingMode values.
inline constexpr std::int32_t kProcessingOff = 0;
inline constexpr std::int32_t kAverage8 = 1;
inline constexpr std::int32_t kAverage16 = 2;
inline constexpr std::int32_t kAverage32 = 3;
inline constexpr std::int32_t kPeakHold = 4;

// The number of sweeps an averaging mode takes; 0 for Off and Peak Hold.
constexpr int AveragingTarget(std::int32_t processingMode) {
  switch (processingMode) {
    case kAverage8:
      return 8;
    case kAverage16:
      return 16;
    case kAverage32:
      return 32;
    default:
      return 0;
  }
}

// A level a trace can hold; false for NaN.
constexpr bool InTraceRange(float level) {
  return level >= 0.0f && level <= 255.0f;
}

// Trace arithmetic in 64 bits, saturated: levels read from a file can be anything.
constexpr std::int32_t Saturate(std::int64_t value) {
  if (value > std::numeric_limits<std::int32_t>::max()) {
    return std::numeric_limits<std::int32_t>::max();
  }
  if (value < std::numeric_limits<std::int32_t>::min()) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace tq
