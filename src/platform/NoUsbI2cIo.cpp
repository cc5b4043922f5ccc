#include "platform/NoUsbI2cIo.h"

namespace tq {

int NoUsbI2cIo::DAPI_GetSerialId(std::int32_t, std::span<char> buffer) {
  if (!buffer.empty()) buffer[0] = '\0';
  return 0;
}

std::uint32_t NoUsbI2cIo::DAPI_ReadIoPorts(std::int32_t, std::uint32_t& value) {
  value = 0;
  return 0;
}

}  // namespace tq
