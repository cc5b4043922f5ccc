#pragma once

#include <cstdint>

namespace tq {

// A measurement as the analyser reports it in a data frame (0xD0).
struct DataFrame {
  std::uint8_t stepStatus = 0;
  std::int32_t frequencyHz = 0;  // 0 or more
  std::uint16_t rawLevel = 0;
  float levelDbuv = 20.0f;
};

inline float RawToDbuv(std::uint16_t raw) {
  return static_cast<float>(raw) * 0.068493f + 20.0f;
}

}  // namespace tq
