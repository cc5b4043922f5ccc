#include "AnalyserFrames.h"

#include <algorithm>
#include <cmath>

namespace tq::sim {

std::vector<std::uint8_t> analyserFrame(std::uint8_t code, const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> frame;
  frame.reserve(data.size() + 4);
  frame.push_back(kSoh);
  frame.push_back(static_cast<std::uint8_t>(data.size() + 2));
  frame.push_back(code);
  frame.insert(frame.end(), data.begin(), data.end());
  frame.push_back(kEot);
  return frame;
}

std::vector<std::uint8_t> statusFrame(std::uint8_t status) {
  return analyserFrame(0xC0, {status});
}

std::vector<std::uint8_t> versionFrame(int major, int minor) {
  return analyserFrame(0xC1, {static_cast<std::uint8_t>(major), static_cast<std::uint8_t>(minor)});
}

std::vector<std::uint8_t> accessoryFrame(std::uint8_t device, int position, bool automatic) {
  return analyserFrame(0xC2, {device, static_cast<std::uint8_t>(position), 0x00,
                              static_cast<std::uint8_t>(automatic ? 0x01 : 0x00)});
}

std::vector<std::uint8_t> dataFrame(std::uint8_t stepStatus, std::int32_t hz, std::uint16_t raw) {
  const auto u = static_cast<std::uint32_t>(hz);
  return analyserFrame(
      0xD0, {stepStatus, static_cast<std::uint8_t>(u >> 24), static_cast<std::uint8_t>(u >> 16),
             static_cast<std::uint8_t>(u >> 8), static_cast<std::uint8_t>(u),
             static_cast<std::uint8_t>(raw >> 8), static_cast<std::uint8_t>(raw)});
}

std::uint16_t rawLevel(double dbuv) {
  const double counts = std::round((dbuv - 20.0) / 0.068493);
  return static_cast<std::uint16_t>(std::clamp(counts, 0.0, 65535.0));
}

}  // namespace tq::sim
