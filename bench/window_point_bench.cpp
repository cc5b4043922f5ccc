// The per-point path through the real main window (offscreen): one data frame from the port
// through framing, the scan engine, ProcessPoint, the live segment and the window's update.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <array>
#include <filesystem>

#include "app/TEMC1.h"
#include "doubles/FixedClock.h"
#include "doubles/FramePort.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "measure/Program.h"
#include "platform/HostFiles.h"
#include "platform/NoUsbI2cIo.h"

namespace {

using tq::test::FramePort;

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
