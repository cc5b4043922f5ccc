#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tq {

// Undoes the tty's parity marking (PARMRK), which is how a POSIX serial line reports
// parity, framing and break errors in the byte stream: FF FF is a data byte FF, FF 00 x is
// byte x received with a parity or framing error, FF 00 00 is a break. A marker may be
// split across reads, so the state carries over.
class ParityMarkDecoder {
 public:
  // Appends the data bytes of chunk to out; returns the number of line errors found.
  int decode(std::span<const std::uint8_t> chunk, std::vector<std::uint8_t>& out);
  void reset() { state_ = State::Data; }

 private:
  enum class State { Data, AfterFF, AfterFF00 };
  State state_ = State::Data;
};

}  // namespace tq
