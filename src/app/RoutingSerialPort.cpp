#include "app/RoutingSerialPort.h"

namespace tq {

RoutingSerialPort::RoutingSerialPort(HostPorts hostPorts, bool simulateAll, SerialPort& device,
                                     SerialPort& simulator, std::ostream& report)
    : hostPorts_(std::move(hostPorts)),
      simulateAll_(simulateAll),
      device_(device),
      simulator_(simulator),
      active_(simulateAll ? &simulator : &device),
      report_(report) {}

bool RoutingSerialPort::open(int portNumber) {
  SerialPort* wanted =
      (simulateAll_ || hostPorts_.isSimulator(portNumber)) ? &simulator_ : &device_;
  if (wanted != active_) active_->close();
  active_ = wanted;
  opened_ = portNumber;
  silenceReported_ = false;
  openFailed_ = !active_->open(portNumber);
  return !openFailed_;
}

bool RoutingSerialPort::dsr() const {
  if (active_->dsr()) {
    silenceReported_ = false;
    return true;
  }
  if (silenceReported_) return false;
  silenceReported_ = true;
  const std::string device = active_ == &simulator_ ? "simulator" : hostPorts_.device(opened_);
  report_ << "TQ4800 not answering on Com " << opened_ << " (" << device
          << (openFailed_ ? ", which could not be opened" : ", DSR low") << ")" << std::endl;
  return false;
}

void RoutingSerialPort::setBytesAvailableHandler(std::function<void(std::size_t)> handler) {
  device_.setBytesAvailableHandler(handler);
  simulator_.setBytesAvailableHandler(std::move(handler));
}

void RoutingSerialPort::setLineErrorHandler(std::function<void()> handler) {
  device_.setLineErrorHandler(handler);
  simulator_.setLineErrorHandler(std::move(handler));
}

}  // namespace tq
