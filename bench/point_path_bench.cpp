// The per-point path of a sweep: one data frame from the port through framing, dispatch,
// the scan engine and ProcessPoint. At 9600 baud a point takes 13.75 ms on the wire.
#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <string>

#include "doubles/FixedClock.h"
#include "doubles/FramePort.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "measure/Program.h"
#include "platform/HostFiles.h"
#include "platform/NoUsbI2cIo.h"

namespace {

using tq::test::FramePort;

void BM_DataFrameToProcessPoint(benchmark::State& bench) {
  const auto root = std::filesystem::temp_directory_path() / "tq_bench_point";
  tq::HostFiles files(root);
  FramePort port;
  tq::test::VirtualTicks ticks;
  tq::test::ScriptedPrompts prompts;
  tq::test::FixedClock clock;
  tq::NoUsbI2cIo usb;
  tq::test::RecordingView view;
  tq::Program program(tq::Ports{port, ticks, prompts, files, clock, view, usb});
  tq::MeasurementState& s = program.state();
  s.linkEnabled = true;
  s.runInProgress = true;
  s.runActive = true;
  s.detector = 1;
  s.stepsPerScan = 500;
  s.scansDone = 1;
  s.processingMode = static_cast<int>(bench.range(0));
  // The input: 0 Direct, 1 the NX20 antenna, 2 a user antenna of 100 rows, all below the
  // frame's 100 MHz so that the lookup walks every row.
  if (bench.range(1) == 1) program.Execute(tq::Command::NX201);
  if (bench.range(1) == 2) {
    std::filesystem::create_directories(root / "drive_c" / "tq4800");
    std::string file = "Bench\r\nFALSE\r\n200.0\r\n\r\n\r\n";
    for (int k = 1; k <= 100; ++k)
      file += std::to_string(k * 990000) + "\r\n" + std::to_string(k % 7) + ".5\r\n";
    files.writeAll("C:\\tq4800\\bench.ant", file);
    prompts.fileName("C:\\tq4800\\bench.ant");
    program.Execute(tq::Command::Selectuserantenna1);
    if (program.transducer().table()[100].frequencyHz == 0) bench.SkipWithError("no antenna");
  }
  s.processingMode = static_cast<int>(bench.range(0));
  int point = 0;
  for (auto _ : bench) {
    s.stepIndex = point;
    port.deliver();
    point = (point + 1) % 500;
  }
  benchmark::DoNotOptimize(program.traces().currentTrace[0]);
}
BENCHMARK(BM_DataFrameToProcessPoint)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({4, 0})
    ->Args({0, 1})
    ->Args({0, 2})
    ->Args({4, 2});

}  // namespace

BENCHMARK_MAIN();
