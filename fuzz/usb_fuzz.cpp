// Any device list reads into at most 21 types, and any adapter replies stay within the ring.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "link/AdapterRing.h"
#include "link/UsbAdapter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (tq::ParseUsbDeviceList(std::string_view(reinterpret_cast<const char*>(data), size)).size() >
      21)
    __builtin_trap();
  tq::AdapterRing ring;
  for (std::size_t at = 0; at + 16 <= size; at += 16) {
    ring.Append(std::span<const std::uint8_t, 16>(data + at, 16));
    while (ring.Next()) {
    }
    if (ring.readPosition() > ring.writePosition() || ring.writePosition() > tq::AdapterRing::kSize)
      __builtin_trap();
  }
  return 0;
}
