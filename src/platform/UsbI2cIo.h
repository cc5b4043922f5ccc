#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace tq {

// One I2C transaction as the adapter library lays it out.
struct I2cTransaction {
  std::uint8_t type = 0;
  std::uint8_t slaveAddress = 0x9A;
  std::uint16_t memoryAddress = 0;
  std::uint16_t count = 0;  // data bytes to write, or to read
  std::array<std::uint8_t, 64> data{};
};

// The USB-to-I2C/IO adapter library ("UsbI2cIo"), one call per function of the library,
// with what the program relies on. Anything else a call does is the library's business.
// A host without the library gets NoUsbI2cIo; --simulate gets the simulated NX200.
class UsbI2cIo {
 public:
  virtual ~UsbI2cIo() = default;

  // Opens instance 0..20 of the named device: a handle, negative when that instance is absent.
  virtual std::int32_t DAPI_OpenDeviceInstance(std::string_view deviceName, int instance) = 0;
  // Non-zero on success; the buffer then holds the adapter's serial identity, terminated by
  // a NUL if it is shorter than the buffer.
  virtual int DAPI_GetSerialId(std::int32_t handle, std::span<char> buffer) = 0;
  // Sets which I/O lines are inputs and outputs; non-zero on success.
  virtual int DAPI_ConfigIoPorts(std::int32_t handle, std::uint32_t portMask) = 0;
  // Reads the I/O lines into value (bits 2 to 7 identify the adapter type); returns value.
  virtual std::uint32_t DAPI_ReadIoPorts(std::int32_t handle, std::uint32_t& value) = 0;
  // Writes record.count data bytes; the number written (anything else is a fault).
  virtual int DAPI_WriteI2c(std::int32_t handle, const I2cTransaction& record) = 0;
  // Reads record.count bytes into record.data; the number read.
  virtual int DAPI_ReadI2c(std::int32_t handle, I2cTransaction& record) = 0;
};

inline constexpr std::string_view kUsbI2cIoDeviceName = "UsbI2cIo";
inline constexpr std::uint32_t kUsbIoPortMask = 0x000F00FC;

}  // namespace tq
