#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/SerialPort.h"

namespace tq::test {

// A serial port whose far end is the test: it records what is written and the line
// changes, and delivers bytes when told to.
class FakeSerialPort : public SerialPort {
 public:
  bool openSucceeds = true;
  bool dsrHigh = true;
  bool ctsHigh = true;
  bool dtr = false;
  bool rts = false;
  int baud = 0;
  int opens = 0;
  std::vector<std::uint8_t> written;
  std::vector<std::string> lineChanges;  // "DTR0", "DTR1", "RTS0", "RTS1"
  // Called after every write, e.g. to answer like an analyser.
  std::function<void(std::span<const std::uint8_t>)> onWrite;

  bool open(int portNumber) override;
  void close() override { open_ = false; }
  bool isOpen() const override { return open_; }
  int portNumber() const override { return port_; }
  void setBaudRate(int b) override { baud = b; }
  void write(std::span<const std::uint8_t> bytes) override;
  std::size_t read(std::span<std::uint8_t> dest) override;
  std::size_t bytesAvailable() const override { return incoming_.size(); }
  void setDtr(bool high) override;
  void setRts(bool high) override;
  bool dsr() const override { return open_ && dsrHigh; }
  bool cts() const override { return ctsHigh; }
  void setBytesAvailableHandler(std::function<void(std::size_t)> h) override {
    avail_ = std::move(h);
  }
  void setLineErrorHandler(std::function<void()> h) override { lineError_ = std::move(h); }

  // Puts bytes in the receive queue and raises the bytes-available event.
  void deliver(std::vector<std::uint8_t> bytes);
  void raiseLineError() {
    if (lineError_) lineError_();
  }
  std::vector<std::uint8_t> takeWritten() {
    auto w = std::move(written);
    written.clear();
    return w;
  }

 private:
  bool open_ = false;
  int port_ = 0;
  std::deque<std::uint8_t> incoming_;
  std::function<void(std::size_t)> avail_;
  std::function<void()> lineError_;
};

}  // namespace tq::test
