#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "LinePacer.h"
#include "SimulatedAnalyser.h"
#include "platform/SerialPort.h"
#include "platform/Ticks.h"

namespace tq::sim {

struct PortOptions {
  bool paced = true;  // true: the real line rate; false: bytes arrive on the next loop turn
};

// The program's serial port wired to a simulated analyser in the same process. Bytes travel
// through the event loop (Ticks::post), never from inside write(). The analyser must outlive
// the port.
class SimulatedSerialPort : public SerialPort {
 public:
  SimulatedSerialPort(Ticks& ticks, SimulatedAnalyser& analyser, PortOptions options = {});
  ~SimulatedSerialPort() override;
  SimulatedSerialPort(const SimulatedSerialPort&) = delete;
  SimulatedSerialPort& operator=(const SimulatedSerialPort&) = delete;

  bool open(int portNumber) override;
  void close() override;
  bool isOpen() const override { return open_; }
  int portNumber() const override { return portNumber_; }
  void setBaudRate(int baud) override { baud_ = baud; }
  void write(std::span<const std::uint8_t> bytes) override;
  std::size_t read(std::span<std::uint8_t> dest) override;
  std::size_t bytesAvailable() const override { return rx_.size(); }
  void setDtr(bool high) override { dtr_ = high; }
  void setRts(bool high) override;
  // A closed port cannot see the analyser, as with a real one.
  bool dsr() const override { return open_ && dsr_; }
  bool cts() const override { return cts_; }
  void setBytesAvailableHandler(std::function<void(std::size_t)> handler) override;
  void setLineErrorHandler(std::function<void()> handler) override;

  // The line as the analyser drives it. DSR low is a missing analyser: bytes written are
  // lost and it sends nothing until DSR rises again.
  void setDsr(bool high) { dsr_ = high; }
  void setCts(bool high) { cts_ = high; }
  bool dtr() const { return dtr_; }
  bool rts() const { return rts_; }
  int baudRate() const { return baud_; }

  // Faults, each applied to the analyser's next frame (single ACK/NAK bytes pass).
  void replaceNextFrameWithNak() { nakNext_ = true; }
  // The next frame goes out with N = 10, longer than the program accepts; the real frame
  // stays the analyser's last, so the program's NAK brings it back.
  void replaceNextFrameWithOverlong() { overlongNext_ = true; }
  // The next frame arrives in two deliveries, split after firstPartBytes (0: half way).
  void splitNextFrame(std::size_t firstPartBytes = 0);
  // Bytes of noise on the line, delivered on their own now.
  void injectGarbage(std::vector<std::uint8_t> bytes);
  // A framing or parity error reported to the program.
  void injectLineError();
  // Every frame of the next ms is replaced by a NAK.
  void nakFramesFor(double ms) { nakUntilMs_ = ticks_.nowMs() + ms; }
  // Every frame arrives one byte per delivery while on.
  void splitFramesIntoBytes(bool on) { splitBytes_ = on; }
  // The analyser freezes for the next ms: it sends nothing, and what either side sent in
  // that time is handled once it wakes.
  void silenceFor(double ms) { silentUntilMs_ = ticks_.nowMs() + ms; }

  std::size_t deliveries() const { return deliveries_; }

 private:
  void fromAnalyser(std::vector<std::uint8_t> bytes);
  void deliver(std::vector<std::uint8_t> bytes, double delayMs);

  Ticks& ticks_;
  SimulatedAnalyser& analyser_;
  LinePacer toAnalyser_;
  LinePacer toProgram_;
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);

  bool open_ = false;
  int portNumber_ = 0;
  int baud_ = 9600;
  bool dtr_ = false;
  bool rts_ = true;
  bool dsr_ = true;
  bool cts_ = true;
  std::vector<std::uint8_t> rx_;
  std::function<void(std::size_t)> onBytes_;
  std::function<void()> onLineError_;
  std::size_t deliveries_ = 0;

  bool nakNext_ = false;
  bool overlongNext_ = false;
  bool splitNext_ = false;
  std::size_t splitAt_ = 0;
  bool splitBytes_ = false;
  double nakUntilMs_ = -1.0;
  double silentUntilMs_ = -1.0;
};

}  // namespace tq::sim
