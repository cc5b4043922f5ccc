// Saving a result file and opening it again with the default import options, through the
// program and the host file system, with a limit active (the save fills the limit column
// and the open reloads the limit).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "doubles/FakeSerialPort.h"
#include "doubles/FixedClock.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "measure/Program.h"
#include "model/Span.h"
#include "platform/HostFiles.h"
#include "platform/NoUsbI2cIo.h"

namespace {

namespace fs = std::filesystem;

struct Setup {
  fs::path root = fs::temp_directory_path() / "tq_bench_results";
  tq::HostFiles files{root};
  tq::test::FakeSerialPort port;
  tq::test::VirtualTicks ticks;
  tq::test::ScriptedPrompts prompts;
  tq::test::FixedClock clock;
  tq::NoUsbI2cIo usb;
  tq::test::RecordingView view;
  tq::Program program{tq::Ports{port, ticks, prompts, files, clock, view, usb}};
  const std::string name = "C:\\tq4800\\BENCH.EMC";

  Setup() {
    fs::remove_all(root);
    files.installShippedData(TQ_SOURCE_DATA_DIR);
    program.state().defaultPath = "c:\\tq4800\\";
    ticks.advance(1000);
    program.SelectLimit(1, 20);
    tq::TraceData d = program.traces();
    for (std::size_t n = 0; n < tq::kTracePoints; ++n) {
      d.currentTrace[n] = static_cast<std::int32_t>(30 + n % 50);
      d.storeTrace[n] = static_cast<std::int32_t>(25 + n % 9);
    }
    program.LoadTraces(d);
    prompts.fileName(name);
    program.Execute(tq::Command::SaveAs1);
  }
  ~Setup() { fs::remove_all(root); }
};

void SaveResults(benchmark::State& run) {
  Setup s;
  for (auto _ : run) benchmark::DoNotOptimize(s.program.results().WriteResults(s.name, false));
}
BENCHMARK(SaveResults)->Unit(benchmark::kMillisecond);

void OpenResults(benchmark::State& run) {
  Setup s;
  for (auto _ : run) {
    s.program.results().OpenResult(s.name, tq::ImportOptions{});
    benchmark::DoNotOptimize(s.program.traces().currentTrace.data());
  }
}
BENCHMARK(OpenResults)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
