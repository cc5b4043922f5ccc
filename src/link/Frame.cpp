#include "link/Frame.h"

#include <algorithm>

namespace tq {

Frame BuildFrame(std::uint8_t code, std::int32_t value, std::uint8_t minDataBytes) {
  std::array<std::uint8_t, 4> data{};
  std::size_t count = 0;
  if (value > 0) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int shift = 24; shift >= 0; shift -= 8) {
      const auto byte = static_cast<std::uint8_t>(v >> shift);
      if (count == 0 && byte == 0) continue;
      data[count++] = byte;
    }
  }
  // A frame holds at most 11 data bytes; larger minimums cannot be sent.
  const std::size_t padded = std::max<std::size_t>(count, std::min<std::size_t>(minDataBytes, 11));
  Frame f;
  f.bytes[0] = kSoh;
  f.bytes[1] = static_cast<std::uint8_t>(padded + 2);
  f.bytes[2] = code;
  std::size_t pos = 3;
  for (std::size_t i = count; i < padded; ++i) f.bytes[pos++] = 0;
  for (std::size_t i = 0; i < count; ++i) f.bytes[pos++] = data[i];
  f.bytes[pos++] = kEot;
  f.size = pos;
  return f;
}

DataFrame DecodeDataFrame(const std::array<std::uint8_t, kMaxFrame>& b) {
  DataFrame d;
  d.stepStatus = b[3];
  const std::uint32_t freq = (std::uint32_t{b[4]} << 24) | (std::uint32_t{b[5]} << 16) |
                             (std::uint32_t{b[6]} << 8) | std::uint32_t{b[7]};
  const auto signedFreq = static_cast<std::int32_t>(freq);
  d.frequencyHz = signedFreq > 0 ? signedFreq : 0;
  d.rawLevel = static_cast<std::uint16_t>((b[8] << 8) | b[9]);
  d.levelDbuv = RawToDbuv(d.rawLevel);
  return d;
}

}  // namespace tq
