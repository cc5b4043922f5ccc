#pragma once

#include <cstdint>

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

}  // namespace tq
