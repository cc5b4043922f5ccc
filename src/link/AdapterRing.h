#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace tq {

// One message from the USB adapter: byte 0 is L (the next message starts L + 1 bytes on),
// byte 1 the code, bytes 5 and 6 what versions and relay reports carry.
struct AdapterMessage {
  std::uint8_t length = 0;
  std::uint8_t code = 0;
  std::uint8_t byte5 = 0;
  std::uint8_t byte6 = 0;
};

// The adapter's replies, 16 bytes a read, in a buffer of 5000 bytes. A message is taken once
// 11 bytes from its start are in. Whatever the lengths say, nothing is read or written
// outside the buffer and no message is read across its end: when the write position would
// pass 5000 - 16 the unread bytes move to the front, and a length that reaches past the
// bytes received skips the rest of it in the replies still to come.
class AdapterRing {
 public:
  static constexpr std::size_t kSize = 5000;
  static constexpr std::size_t kRead = 16;
  static constexpr std::size_t kMessageWindow = 11;

  void Append(std::span<const std::uint8_t, kRead> bytes);
  std::optional<AdapterMessage> Next();

  std::size_t writePosition() const { return write_; }
  std::size_t readPosition() const { return read_; }
  std::size_t pendingSkip() const { return skip_; }

 private:
  std::array<std::uint8_t, kSize> bytes_{};
  std::uint16_t write_ = 0;
  std::uint16_t read_ = 0;
  // Bytes of a message that are still to arrive.
  std::size_t skip_ = 0;
};

}  // namespace tq
