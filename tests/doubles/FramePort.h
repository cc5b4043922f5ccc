#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>

#include "platform/SerialPort.h"

namespace tq::test {

// A port that hands out one data frame at a time and forgets what is written: the per-point
// path of a sweep without a line under it.
class FramePort : public SerialPort {
 public:
  std::array<std::uint8_t, 11> frame{0x01, 0x09, 0xD0, 0x00, 0x05, 0xF5,
                                     0xE1, 0x00, 0x03, 0xE8, 0x04};
  std::size_t pending = 0;
  std::function<void(std::size_t)> handler;

  bool open(int) override { return true; }
  void close() override {}
  bool isOpen() const override { return true; }
  int portNumber() const override { return 1; }
  void setBaudRate(int) override {}
  void write(std::span<const std::uint8_t>) override {}
  std::size_t read(std::span<std::uint8_t> dest) override {
    const std::size_t n = std::min(dest.size(), pending);
    std::copy_n(frame.begin() + static_cast<long>(frame.size() - pending), n, dest.begin());
    pending -= n;
    return n;
  }
  std::size_t bytesAvailable() const override { return pending; }
  void setDtr(bool) override {}
  void setRts(bool) override {}
  bool dsr() const override { return true; }
  bool cts() const override { return true; }
  void setBytesAvailableHandler(std::function<void(std::size_t)> h) override {
    handler = std::move(h);
  }
  void setLineErrorHandler(std::function<void()>) override {}
  // One whole data frame arrives.
  void deliver() {
    pending = frame.size();
    handler(pending);
  }
};

}  // namespace tq::test
