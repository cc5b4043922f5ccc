#include "platform/qt/ParityMarkDecoder.h"

namespace tq {

int ParityMarkDecoder::decode(std::span<const std::uint8_t> chunk, std::vector<std::uint8_t>& out) {
  int errors = 0;
  for (const std::uint8_t byte : chunk) {
    switch (state_) {
      case State::Data:
        if (byte == 0xFF)
          state_ = State::AfterFF;
        else
          out.push_back(byte);
        break;
      case State::AfterFF:
        if (byte == 0xFF) {
          out.push_back(0xFF);
          state_ = State::Data;
        } else if (byte == 0x00) {
          state_ = State::AfterFF00;
        } else {
          // Not a marker the line discipline writes; keep both bytes rather than lose data.
          out.push_back(0xFF);
          out.push_back(byte);
          state_ = State::Data;
        }
        break;
      case State::AfterFF00:
        // The damaged byte is kept, as the receiver saw it; a break (00) carries no data.
        if (byte != 0x00) out.push_back(byte);
        ++errors;
        state_ = State::Data;
        break;
    }
  }
  return errors;
}

}  // namespace tq
