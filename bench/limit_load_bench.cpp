// Choosing a Limits menu entry: the record is read again from its file and the limit trace
// recomputed, for every entry of the catalogue.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <vector>

#include "corrections/LimitCatalogue.h"
#include "doubles/FakeSerialPort.h"
#include "doubles/FixedClock.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "measure/Program.h"
#include "platform/HostFiles.h"
#include "platform/NoUsbI2cIo.h"

namespace {

namespace fs = std::filesystem;

struct Setup {
  fs::path root = fs::temp_directory_path() / "tq_bench_limits";
  tq::HostFiles files{root};
  tq::test::FakeSerialPort port;
  tq::test::VirtualTicks ticks;
  tq::test::ScriptedPrompts prompts;
  tq::test::FixedClock clock;
  tq::NoUsbI2cIo usb;
  tq::test::RecordingView view;
  tq::Program program{tq::Ports{port, ticks, prompts, files, clock, view, usb}};
  std::vector<tq::Command> entries;
  std::vector<std::string_view> captions;
  std::size_t slowestEntry = 0;

  Setup() {
    files.installShippedData(TQ_SOURCE_DATA_DIR);
    program.state().defaultPath = "c:\\tq4800\\";
    const auto catalogue = tq::LimitCatalogue();
    for (std::size_t k = 0; k < catalogue.size(); ++k) {
      const auto a = catalogue[k].action;
      if (a == tq::LimitAction::BuiltIn || a == tq::LimitAction::Vehicle ||
          a == tq::LimitAction::VehicleByDetector) {
        entries.push_back(tq::LimitCatalogueCommand(k));
        captions.push_back(catalogue[k].objectName);
      }
    }
  }
  ~Setup() { fs::remove_all(root); }
};

void EveryCatalogueEntry(benchmark::State& run) {
  Setup s;
  // One pass first, so that the timings are of files the system has already seen.
  for (const tq::Command c : s.entries) s.program.Execute(c);
  std::vector<double> times;
  double slowest = 0, total = 0;
  std::size_t loads = 0;
  for (auto _ : run) {
    for (std::size_t k = 0; k < s.entries.size(); ++k) {
      const tq::Command c = s.entries[k];
      const auto t0 = std::chrono::steady_clock::now();
      s.program.Execute(c);
      const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - t0;
      if (took.count() > slowest) s.slowestEntry = k;
      slowest = std::max(slowest, took.count());
      total += took.count();
      times.push_back(took.count());
      ++loads;
    }
    benchmark::DoNotOptimize(s.program.traces().limitTrace.data());
  }
  run.counters["entries"] = static_cast<double>(s.entries.size());
  run.counters["mean_ms"] = loads ? total / static_cast<double>(loads) : 0;
  run.counters["slowest_ms"] = slowest;
  run.SetLabel("slowest: " + std::string(s.captions[s.slowestEntry]));
  if (!times.empty()) {
    std::sort(times.begin(), times.end());
    run.counters["p99_ms"] = times[times.size() * 99 / 100];
  }
}
BENCHMARK(EveryCatalogueEntry)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
