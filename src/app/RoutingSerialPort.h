#pragma once

#include <ostream>

#include "platform/HostPorts.h"
#include "platform/SerialPort.h"

namespace tq {

// Sends each Com port either to a host device or to the built-in simulated analyser, as
// host.ini (or --simulate, for every port) says. When the analyser does not answer (DSR
// low), one line on `report` names the Com port and the host device tried.
class RoutingSerialPort : public SerialPort {
 public:
  RoutingSerialPort(HostPorts hostPorts, bool simulateAll, SerialPort& device,
                    SerialPort& simulator, std::ostream& report);

  bool open(int portNumber) override;
  void close() override { active_->close(); }
  bool isOpen() const override { return active_->isOpen(); }
  int portNumber() const override { return active_->portNumber(); }
  void setBaudRate(int baud) override { active_->setBaudRate(baud); }
  void write(std::span<const std::uint8_t> bytes) override { active_->write(bytes); }
  std::size_t read(std::span<std::uint8_t> dest) override { return active_->read(dest); }
  std::size_t bytesAvailable() const override { return active_->bytesAvailable(); }
  void setDtr(bool high) override { active_->setDtr(high); }
  void setRts(bool high) override { active_->setRts(high); }
  bool dsr() const override;
  bool cts() const override { return active_->cts(); }
  void setBytesAvailableHandler(std::function<void(std::size_t)> handler) override;
  void setLineErrorHandler(std::function<void()> handler) override;

 private:
  HostPorts hostPorts_;
  bool simulateAll_;
  SerialPort& device_;
  SerialPort& simulator_;
  SerialPort* active_;
  std::ostream& report_;
  int opened_ = 0;
  bool openFailed_ = false;
  // Said once per silence: set when reported, cleared when DSR is high or the port reopens.
  mutable bool silenceReported_ = false;
};

}  // namespace tq
