#include "app/RoutingSerialPort.h"

namespace tq {

RoutingSerialPort::RoutingSerialPort(HostPorts hostPorts, bool simulateAll, SerialPort& device,
                                     SerialPort& simulator)
    : hostPorts_(std::move(hostPorts)),
      simulateAll_(simulateAll),
      device_(device),
      simulator_(simulator),
      active_(simulateAll ? &simulator : &device) {}

bool RoutingSerialPort::open(int portNumber) {
  SerialPort* wanted =
      (simulateAll_ || hostPorts_.isSimulator(portNumber)) ? &simulator_ : &device_;
  if (wanted != active_) active_->close();
  active_ = wanted;
  return active_->open(portNumber);
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
