#pragma once

#include "platform/UsbI2cIo.h"

namespace tq {

// A host without the adapter library: no instance ever opens, and every other call fails.
class NoUsbI2cIo : public UsbI2cIo {
 public:
  std::int32_t DAPI_OpenDeviceInstance(std::string_view, int) override { return -1; }
  int DAPI_GetSerialId(std::int32_t, std::span<char> buffer) override;
  int DAPI_ConfigIoPorts(std::int32_t, std::uint32_t) override { return 0; }
  std::uint32_t DAPI_ReadIoPorts(std::int32_t, std::uint32_t& value) override;
  int DAPI_WriteI2c(std::int32_t, const I2cTransaction&) override { return 0; }
  int DAPI_ReadI2c(std::int32_t, I2cTransaction&) override { return 0; }
};

}  // namespace tq
