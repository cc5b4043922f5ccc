#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>

#include "platform/HostPorts.h"
#include "platform/SerialPort.h"
#include "platform/qt/ParityMarkDecoder.h"

class QSerialPort;

namespace tq {

// The program's serial port on a host device, chosen per Com number by host.ini.
// Received bytes are kept here, decoded, so that line errors reach the program even though
// Qt itself no longer reports parity or framing errors.
class QtSerialPort : public SerialPort {
 public:
  explicit QtSerialPort(HostPorts ports);
  ~QtSerialPort() override;
  QtSerialPort(const QtSerialPort&) = delete;
  QtSerialPort& operator=(const QtSerialPort&) = delete;

  bool open(int portNumber) override;
  void close() override;
  bool isOpen() const override;
  // The number of the last open() attempt, 0 before any.
  int portNumber() const override { return portNumber_; }

  void setBaudRate(int baud) override;
  void write(std::span<const std::uint8_t> bytes) override;
  std::size_t read(std::span<std::uint8_t> dest) override;
  std::size_t bytesAvailable() const override;

  void setDtr(bool high) override;
  void setRts(bool high) override;
  bool dsr() const override;
  bool cts() const override;

  void setBytesAvailableHandler(std::function<void(std::size_t)> handler) override;
  void setLineErrorHandler(std::function<void()> handler) override;

  // False for a device without modem lines (a pseudo-terminal, a 3-wire cable): DSR and CTS
  // then read high and DTR/RTS are ignored.
  bool hasModemLines() const { return modemLines_; }

 private:
  void onReadyRead();
  // Runs the bytes handler from the event loop rather than from inside readyRead, which Qt
  // does not emit again until its slot returns: so bytes that arrive while the handler
  // waits are handled during the wait, as the program's handlers expect.
  void queueDelivery();
  void deliver();
  void onError(int error);
  // Moves what the device has received into rx_; returns the number of line errors seen.
  int pump() const;
  bool readSignal(int signal) const;
  bool enableParityMarking();

  HostPorts ports_;
  std::unique_ptr<QSerialPort> port_;
  int portNumber_ = 0;
  bool modemLines_ = true;
  bool parityMarking_ = false;
  // Set while this class itself calls the device, whose failures it handles there.
  mutable bool ownCall_ = false;
  int delivering_ = 0;  // handlers running, nested ones included
  bool deliveryQueued_ = false;

  // Received bytes not yet read by the program; filled from const queries too.
  mutable std::deque<std::uint8_t> rx_;
  mutable ParityMarkDecoder decoder_;
  mutable std::uint64_t received_ = 0;
  mutable int pendingLineErrors_ = 0;

  std::function<void(std::size_t)> bytesHandler_;
  std::function<void()> lineErrorHandler_;
};

}  // namespace tq
