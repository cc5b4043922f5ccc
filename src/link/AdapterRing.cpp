#include "link/AdapterRing.h"

#include <algorithm>

namespace tq {

void AdapterRing::Append(std::span<const std::uint8_t, kRead> bytes) {
  std::span<const std::uint8_t> in = bytes;
  const std::size_t skipped = std::min(skip_, in.size());
  skip_ -= skipped;
  in = in.subspan(skipped);
  if (in.empty()) return;
  if (write_ > kSize - kRead) {
    // Wrap with the unread bytes, so that a message never straddles the end.
    const std::size_t unread = write_ - read_;
    std::copy(bytes_.begin() + read_, bytes_.begin() + write_, bytes_.begin());
    read_ = 0;
    write_ = static_cast<std::uint16_t>(unread);
    // Replies nobody took fill the buffer: the oldest go.
    if (write_ > kSize - kRead) read_ = write_ = 0;
  }
  std::copy(in.begin(), in.end(), bytes_.begin() + write_);
  write_ = static_cast<std::uint16_t>(write_ + in.size());
}

std::optional<AdapterMessage> AdapterRing::Next() {
  if (std::size_t{write_} - read_ < kMessageWindow) return std::nullopt;
  const auto* m = bytes_.data() + read_;
  const AdapterMessage message{m[0], m[1], m[5], m[6]};
  const std::size_t next = read_ + std::size_t{message.length} + 1;
  if (next <= write_) {
    read_ = static_cast<std::uint16_t>(next);
  } else {
    skip_ = next - write_;
    read_ = write_;
  }
  if (read_ == write_) read_ = write_ = 0;
  return message;
}

}  // namespace tq
