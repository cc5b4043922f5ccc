#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "model/DataFrame.h"

namespace tq {

inline constexpr std::uint8_t kSoh = 0x01;
inline constexpr std::uint8_t kEot = 0x04;
inline constexpr std::uint8_t kEnq = 0x05;
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kNak = 0x15;
inline constexpr std::size_t kMaxFrame = 15;

// One command frame, at most 15 bytes; size 0 means empty.
struct Frame {
  std::array<std::uint8_t, kMaxFrame> bytes{};
  std::size_t size = 0;

  bool empty() const { return size == 0; }
  std::span<const std::uint8_t> view() const { return {bytes.data(), size}; }
  bool operator==(const Frame&) const = default;
};

// SOH, N, code, the value big-endian without leading zero bytes (none for 0 or less),
// padded in front with zero bytes to minDataBytes, EOT.
Frame BuildFrame(std::uint8_t code, std::int32_t value, std::uint8_t minDataBytes);

// Decodes the data fields of a received frame (bytes from SOH on, zero past the frame).
DataFrame DecodeDataFrame(const std::array<std::uint8_t, kMaxFrame>& frame);

}  // namespace tq
