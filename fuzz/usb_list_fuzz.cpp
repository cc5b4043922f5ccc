// Any device list (VeltraneUSB.TXT) reads into at most 21 adapter types, each a name from
// one field of one line.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "link/UsbAdapter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto types = tq::ParseUsbDeviceList(text);
  if (types.size() > 21) __builtin_trap();
  for (const tq::UsbDeviceType& t : types) {
    if (t.name.find_first_of(",\n") != std::string::npos || t.name.size() > size) __builtin_trap();
    if ((!t.name.empty() && (t.name.front() == ' ' || t.name.back() == ' '))) __builtin_trap();
  }
  return 0;
}
