#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/UsbI2cIo.h"

namespace tq::sim {

struct UsbAdapterOptions {
  int instance = 0;              // the instance number it answers to
  std::int32_t handle = 4711;    // what opening it returns
  std::uint32_t ioLines = 0xC8;  // the I/O port reading; bits 2 to 7 are the type (200: NX200)
  std::string serialId = "VX2-004417";
  int versionMajor = 1;
  int versionMinor = 4;
};

// The NX200 USB-I2C/IO adapter with the Ostrocell range relay behind it, written from the
// frame definitions alone. Frames are N, command, data, 0x04 with N the bytes after it. It
// answers 0x31 (reset: relay to HIGH, outputs locked) with its version, 0x3E A5 (unlock the
// outputs) with a relay report, 0x20 with its version and 0x22 with a relay report; 0x40
// 00 00 P 00 00 sets the relay (P 00 LOW, FF HIGH) once the outputs are unlocked. Like an
// I2C slave it holds one answer (8 bytes: 07, code, 00, 00, 00, b5, b6, 04) that a read
// returns once, zero-padded; a later answer replaces one not yet read.
class SimulatedUsbAdapter : public UsbI2cIo {
 public:
  explicit SimulatedUsbAdapter(UsbAdapterOptions options = {});

  std::int32_t DAPI_OpenDeviceInstance(std::string_view deviceName, int instance) override;
  int DAPI_GetSerialId(std::int32_t handle, std::span<char> buffer) override;
  int DAPI_ConfigIoPorts(std::int32_t handle, std::uint32_t portMask) override;
  std::uint32_t DAPI_ReadIoPorts(std::int32_t handle, std::uint32_t& value) override;
  int DAPI_WriteI2c(std::int32_t handle, const I2cTransaction& record) override;
  int DAPI_ReadI2c(std::int32_t handle, I2cTransaction& record) override;

  bool relayLow() const { return relayLow_; }
  // Times the relay contacts moved.
  int relaySwitches() const { return relaySwitches_; }
  bool configured() const { return configured_; }
  // Every frame written, as received.
  const std::vector<std::vector<std::uint8_t>>& frames() const { return frames_; }
  // Frames written with this command code.
  int framesWith(std::uint8_t command) const;

  // Faults.
  void unplug(bool unplugged) { unplugged_ = unplugged; }
  // The next writes report `written` bytes instead of the count, and are lost.
  void failWrites(int count, int written = 0) {
    failingWrites_ = count;
    shortWrite_ = written;
  }
  // The next reads return `result` instead of the count.
  void failReads(int count, int result = 0) {
    failingReads_ = count;
    readResult_ = result;
  }
  void failSerialId(bool fail) { serialFails_ = fail; }
  void failConfiguration(bool fail) { configFails_ = fail; }
  // The relay no longer moves, whatever it is told; its reports tell the truth.
  void jamRelay(bool jammed) { jammed_ = jammed; }

 private:
  bool ours(std::int32_t handle) const { return !unplugged_ && open_ && handle == options_.handle; }
  void frame(std::span<const std::uint8_t> bytes);
  void answer(std::uint8_t code, std::uint8_t b5, std::uint8_t b6);
  void answerRelay() { answer(0xC3, relayLow_ ? 0x40 : 0x80, 0x00); }
  void answerVersion() {
    answer(0xC0, static_cast<std::uint8_t>(options_.versionMajor),
           static_cast<std::uint8_t>(options_.versionMinor));
  }

  UsbAdapterOptions options_;
  bool open_ = false;
  bool configured_ = false;
  bool unlocked_ = false;
  bool relayLow_ = false;
  int relaySwitches_ = 0;
  std::array<std::uint8_t, 16> pending_{};
  std::vector<std::vector<std::uint8_t>> frames_;

  bool unplugged_ = false;
  int failingWrites_ = 0;
  int shortWrite_ = 0;
  int failingReads_ = 0;
  int readResult_ = 0;
  bool serialFails_ = false;
  bool configFails_ = false;
  bool jammed_ = false;
};

}  // namespace tq::sim
