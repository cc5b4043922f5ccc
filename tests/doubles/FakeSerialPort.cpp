#include "doubles/FakeSerialPort.h"

namespace tq::test {

bool FakeSerialPort::open(int portNumber) {
  ++opens;
  port_ = portNumber;
  open_ = openSucceeds;
  return open_;
}

void FakeSerialPort::write(std::span<const std::uint8_t> bytes) {
  written.insert(written.end(), bytes.begin(), bytes.end());
  if (onWrite) onWrite(bytes);
}

std::size_t FakeSerialPort::read(std::span<std::uint8_t> dest) {
  std::size_t n = 0;
  while (n < dest.size() && !incoming_.empty()) {
    dest[n++] = incoming_.front();
    incoming_.pop_front();
  }
  return n;
}

void FakeSerialPort::setDtr(bool high) {
  dtr = high;
  lineChanges.push_back(high ? "DTR1" : "DTR0");
}

void FakeSerialPort::setRts(bool high) {
  rts = high;
  lineChanges.push_back(high ? "RTS1" : "RTS0");
}

void FakeSerialPort::deliver(std::vector<std::uint8_t> bytes) {
  incoming_.insert(incoming_.end(), bytes.begin(), bytes.end());
  if (avail_) avail_(incoming_.size());
}

}  // namespace tq::test
