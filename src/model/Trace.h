#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tq {

// A trace: one whole-dB level per display point 0..500 (0 also means no value).
inline constexpr std::size_t kTracePoints = 501;
using Trace = std::array<std::int32_t, kTracePoints>;

// The frequency of each display point or sweep step, Hz.
using FrequencyGrid = std::array<float, kTracePoints>;

}  // namespace tq
