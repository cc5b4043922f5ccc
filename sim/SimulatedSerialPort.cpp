#include "SimulatedSerialPort.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "AnalyserFrames.h"

namespace tq::sim {

SimulatedSerialPort::SimulatedSerialPort(Ticks& ticks, SimulatedAnalyser& analyser,
                                         PortOptions options)
    : ticks_(ticks),
      analyser_(analyser),
      toAnalyser_(ticks, options.paced),
      toProgram_(ticks, options.paced) {
  analyser_.setTransmitter(
      [this](std::vector<std::uint8_t> bytes) { fromAnalyser(std::move(bytes)); });
  analyser_.setRts(rts_);
}

SimulatedSerialPort::~SimulatedSerialPort() {
  analyser_.setTransmitter(nullptr);
}

bool SimulatedSerialPort::open(int portNumber) {
  if (portNumber < 1 || portNumber > 4) return false;
  open_ = true;
  portNumber_ = portNumber;
  rx_.clear();
  return true;
}

void SimulatedSerialPort::close() {
  open_ = false;
  rx_.clear();
}

void SimulatedSerialPort::write(std::span<const std::uint8_t> bytes) {
  if (!open_ || !dsr_ || bytes.empty()) return;
  std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());
  const double delay = std::max(toAnalyser_.book(copy.size()), silentUntilMs_ - ticks_.nowMs());
  std::weak_ptr<int> alive = alive_;
  ticks_.post(delay, [this, alive, copy = std::move(copy)] {
    if (alive.expired() || !dsr_) return;
    analyser_.receive(copy);
  });
}

std::size_t SimulatedSerialPort::read(std::span<std::uint8_t> dest) {
  const std::size_t n = std::min(dest.size(), rx_.size());
  if (n == 0) return 0;
  std::memcpy(dest.data(), rx_.data(), n);
  rx_.erase(rx_.begin(), rx_.begin() + static_cast<std::ptrdiff_t>(n));
  return n;
}

void SimulatedSerialPort::setRts(bool high) {
  rts_ = high;
  analyser_.setRts(high);
}

void SimulatedSerialPort::setBytesAvailableHandler(std::function<void(std::size_t)> handler) {
  onBytes_ = std::move(handler);
}

void SimulatedSerialPort::setLineErrorHandler(std::function<void()> handler) {
  onLineError_ = std::move(handler);
}

void SimulatedSerialPort::splitNextFrame(std::size_t firstPartBytes) {
  splitNext_ = true;
  splitAt_ = firstPartBytes;
}

void SimulatedSerialPort::injectGarbage(std::vector<std::uint8_t> bytes) {
  if (bytes.empty()) return;
  const double delay = toProgram_.book(bytes.size());
  deliver(std::move(bytes), delay);
}

void SimulatedSerialPort::injectLineError() {
  std::weak_ptr<int> alive = alive_;
  ticks_.post(0.0, [this, alive] {
    if (!alive.expired() && open_ && onLineError_) onLineError_();
  });
}

void SimulatedSerialPort::fromAnalyser(std::vector<std::uint8_t> bytes) {
  if (!dsr_) return;  // nobody there
  const bool frame = bytes.size() > 1;
  if (frame && (nakNext_ || ticks_.nowMs() < nakUntilMs_)) {
    nakNext_ = false;
    bytes = {kNak};
  } else if (frame && overlongNext_) {
    overlongNext_ = false;
    bytes = analyserFrame(0xD0, std::vector<std::uint8_t>(8, 0x00));
  }
  if (bytes.size() > 1 && splitNext_) {
    splitNext_ = false;
    const std::size_t at =
        std::clamp<std::size_t>(splitAt_ ? splitAt_ : bytes.size() / 2, 1, bytes.size() - 1);
    std::vector<std::uint8_t> head(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    std::vector<std::uint8_t> tail(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.end());
    const double headDelay = toProgram_.book(head.size());
    deliver(std::move(head), headDelay);
    const double tailDelay = toProgram_.book(tail.size());
    deliver(std::move(tail), tailDelay);
    return;
  }
  if (splitBytes_) {
    for (const std::uint8_t byte : bytes) deliver({byte}, toProgram_.book(1));
    return;
  }
  const double delay = toProgram_.book(bytes.size());
  deliver(std::move(bytes), delay);
}

void SimulatedSerialPort::deliver(std::vector<std::uint8_t> bytes, double delayMs) {
  delayMs = std::max(delayMs, silentUntilMs_ - ticks_.nowMs());
  std::weak_ptr<int> alive = alive_;
  ticks_.post(delayMs, [this, alive, bytes = std::move(bytes)] {
    if (alive.expired() || !open_ || !dsr_) return;
    rx_.insert(rx_.end(), bytes.begin(), bytes.end());
    ++deliveries_;
    if (onBytes_) onBytes_(rx_.size());
  });
}

}  // namespace tq::sim
