// The per-point path through the real main window (offscreen): one data frame from the port
// through framing, the scan engine, ProcessPoint, the live segment and the window's update.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <array>
#include <filesystem>

#include "app/TEMC1.h"
#include "doubles/FixedClock.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "measure/Program.h"
#include "platform/HostFiles.h"
#include "platform/NoUsbI2cIo.h"

namespace {

// A port that hands out one data frame at a time and forgets what is written.
class FramePort : public tq::SerialPort {
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
  void deliver() {
    pending = frame.size();
    handler(pending);
  }
};

void BM_DataFrameThroughTheWindow(benchmark::State& bench) {
  const auto root = std::filesystem::temp_directory_path() / "tq_bench_window";
  tq::HostFiles files(root);
  FramePort port;
  tq::test::VirtualTicks ticks;
  tq::test::ScriptedPrompts prompts;
  tq::test::FixedClock clock;
  tq::NoUsbI2cIo usb;
  tq::TEMC1 window;
  tq::Program program(tq::Ports{port, ticks, prompts, files, clock, window, usb});
  window.attach(program);
  window.show();
  QApplication::processEvents();
  tq::MeasurementState& s = program.state();
  s.linkEnabled = true;
  s.runInProgress = true;
  s.runActive = true;
  s.detector = 1;
  s.stepsPerScan = 500;
  s.scansDone = 1;
  int point = 0;
  for (auto _ : bench) {
    s.stepIndex = point;
    port.deliver();
    point = (point + 1) % 500;
  }
  QApplication::processEvents();
}
BENCHMARK(BM_DataFrameThroughTheWindow);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
