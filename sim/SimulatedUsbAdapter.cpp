#include "SimulatedUsbAdapter.h"

#include <algorithm>
#include <cstring>

namespace tq::sim {

SimulatedUsbAdapter::SimulatedUsbAdapter(UsbAdapterOptions options)
    : options_(std::move(options)) {}

std::int32_t SimulatedUsbAdapter::DAPI_OpenDeviceInstance(std::string_view deviceName,
                                                          int instance) {
  if (unplugged_ || deviceName != "UsbI2cIo" || instance != options_.instance) return -1;
  open_ = true;
  return options_.handle;
}

int SimulatedUsbAdapter::DAPI_GetSerialId(std::int32_t handle, std::span<char> buffer) {
  if (!ours(handle) || serialFails_ || buffer.empty()) return 0;
  const std::size_t n = std::min(buffer.size() - 1, options_.serialId.size());
  std::memcpy(buffer.data(), options_.serialId.data(), n);
  buffer[n] = '\0';
  return 1;
}

int SimulatedUsbAdapter::DAPI_ConfigIoPorts(std::int32_t handle, std::uint32_t portMask) {
  // The relay driver and the position contacts sit on the lines this mask sets up.
  if (!ours(handle) || configFails_ || portMask != 0x000F00FC) return 0;
  configured_ = true;
  return 1;
}

std::uint32_t SimulatedUsbAdapter::DAPI_ReadIoPorts(std::int32_t handle, std::uint32_t& value) {
  // The lines outside bits 2 to 7 float: the program must mask them off.
  value = ours(handle) ? (options_.ioLines | 0x00030003u) : 0u;
  return value;
}

int SimulatedUsbAdapter::DAPI_WriteI2c(std::int32_t handle, const I2cTransaction& record) {
  if (!ours(handle)) return 0;
  if (failingWrites_ > 0) {
    --failingWrites_;
    return shortWrite_;
  }
  if (record.slaveAddress != 0x9A || record.count == 0 || record.count > record.data.size())
    return 0;
  const std::span<const std::uint8_t> bytes(record.data.data(), record.count);
  frames_.emplace_back(bytes.begin(), bytes.end());
  frame(bytes);
  return record.count;
}

int SimulatedUsbAdapter::DAPI_ReadI2c(std::int32_t handle, I2cTransaction& record) {
  if (!ours(handle)) return 0;
  if (failingReads_ > 0) {
    --failingReads_;
    return readResult_;
  }
  const std::size_t n = std::min<std::size_t>(record.count, record.data.size());
  std::fill(record.data.begin(), record.data.end(), 0);
  std::copy_n(pending_.begin(), std::min(n, pending_.size()), record.data.begin());
  pending_.fill(0);
  return static_cast<int>(n);
}

void SimulatedUsbAdapter::frame(std::span<const std::uint8_t> bytes) {
  // N counts the bytes after it; the last one is 0x04.
  if (bytes.size() < 3 || bytes[0] != bytes.size() - 1 || bytes.back() != 0x04) return;
  const std::uint8_t command = bytes[1];
  const auto data = bytes.subspan(2, bytes.size() - 3);
  switch (command) {
    case 0x31:
      unlocked_ = false;
      if (relayLow_ && !jammed_) {
        relayLow_ = false;
        ++relaySwitches_;
      }
      answerVersion();
      break;
    case 0x3E:
      unlocked_ = data.size() == 1 && data[0] == 0xA5;
      answerRelay();
      break;
    case 0x20:
      answerVersion();
      break;
    case 0x22:
      answerRelay();
      break;
    case 0x40:
      if (unlocked_ && !jammed_ && data.size() == 5 && (data[2] == 0x00 || data[2] == 0xFF)) {
        const bool low = data[2] == 0x00;
        if (low != relayLow_) ++relaySwitches_;
        relayLow_ = low;
      }
      break;
    default:
      break;
  }
}

void SimulatedUsbAdapter::answer(std::uint8_t code, std::uint8_t b5, std::uint8_t b6) {
  pending_.fill(0);
  const std::array<std::uint8_t, 8> message{0x07, code, 0x00, 0x00, 0x00, b5, b6, 0x04};
  std::copy(message.begin(), message.end(), pending_.begin());
}

int SimulatedUsbAdapter::framesWith(std::uint8_t command) const {
  return static_cast<int>(std::count_if(frames_.begin(), frames_.end(), [&](const auto& f) {
    return f.size() > 1 && f[1] == command;
  }));
}

}  // namespace tq::sim
