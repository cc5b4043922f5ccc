#pragma once

#include <cstdint>
#include <vector>

namespace tq::sim {

inline constexpr std::uint8_t kSoh = 0x01;
inline constexpr std::uint8_t kEot = 0x04;
inline constexpr std::uint8_t kEnq = 0x05;
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kNak = 0x15;

// The largest frame either side sends: SOH, N, code, up to 11 more bytes, EOT.
inline constexpr int kMaxFrameN = 13;

// Frames the analyser sends: SOH, N, code, data, EOT, with N = data bytes + 2.
std::vector<std::uint8_t> analyserFrame(std::uint8_t code, const std::vector<std::uint8_t>& data);
std::vector<std::uint8_t> statusFrame(std::uint8_t status);
std::vector<std::uint8_t> versionFrame(int major, int minor);
std::vector<std::uint8_t> accessoryFrame(std::uint8_t device, int position, bool automatic);
std::vector<std::uint8_t> dataFrame(std::uint8_t stepStatus, std::int32_t hz, std::uint16_t raw);

// Raw level counts for a level in dBuV (raw * 0.068493 + 20), clamped to 16 bits.
std::uint16_t rawLevel(double dbuv);

}  // namespace tq::sim
