#pragma once

#include <cstddef>

#include "platform/Ticks.h"

namespace tq::sim {

// 9600 baud, 8 data bits, odd parity, 1 stop bit: 11 bit times a byte.
inline constexpr double kByteMs = 11.0 * 1000.0 / 9600.0;

// One direction of the serial line: bytes queue behind those still on the wire.
class LinePacer {
 public:
  LinePacer(Ticks& ticks, bool paced) : ticks_(ticks), paced_(paced) {}

  // Books the line for byteCount bytes; returns the delay from now until the last arrives.
  double book(std::size_t byteCount);
  bool paced() const { return paced_; }

 private:
  Ticks& ticks_;
  bool paced_;
  double freeAtMs_ = 0.0;
};

}  // namespace tq::sim
