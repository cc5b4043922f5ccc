#pragma once

#include <cstdint>
#include <limits>

#include "model/Processing.h"

namespace tq {

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
