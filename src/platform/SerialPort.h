#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace tq {

// One serial port as the program sees it: COM1 to COM4 at 9600 baud, 8-O-1, modem lines
// driven and read by the program. Events arrive on the user-interface thread.
class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // Opens port number 1..4; false when the device cannot be opened.
  virtual bool open(int portNumber) = 0;
  virtual void close() = 0;
  virtual bool isOpen() const = 0;
  virtual int portNumber() const = 0;

  virtual void setBaudRate(int baud) = 0;
  virtual void write(std::span<const std::uint8_t> bytes) = 0;
  // Reads at most dest.size() received bytes; returns how many were read.
  virtual std::size_t read(std::span<std::uint8_t> dest) = 0;
  virtual std::size_t bytesAvailable() const = 0;

  virtual void setDtr(bool high) = 0;
  virtual void setRts(bool high) = 0;
  virtual bool dsr() const = 0;
  virtual bool cts() const = 0;

  // Called with the number of bytes waiting whenever new bytes have arrived.
  virtual void setBytesAvailableHandler(std::function<void(std::size_t)> handler) = 0;
  // Called on a framing, parity or overrun error.
  virtual void setLineErrorHandler(std::function<void()> handler) = 0;
};

}  // namespace tq
