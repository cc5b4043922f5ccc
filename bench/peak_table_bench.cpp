// The peak table: the search and the window's refresh after a 500-point sweep, through the
// real main window (offscreen); and the final measurement of ten quasi-peak readings against
// the simulated analyser, in virtual time (reported as counters).
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <cmath>
#include <filesystem>

#include "app/TEMC1.h"
#include "doubles/FixedClock.h"
#include "doubles/FramePort.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "measure/Program.h"
#include "platform/HostFiles.h"
#include "platform/NoUsbI2cIo.h"
#include "sim/SimulatedProgram.h"

namespace {

tq::Command CommandNamed(std::string_view objectName) {
  for (const tq::CommandEntry& e : tq::CommandTable())
    if (e.objectName == objectName) return e.id;
  return tq::Command::None;
}

// The main window and its program, a sweep over EN55022 class B radiated measured through
// the NX20 antenna at 3 m with a few dozen maxima about the line, the peak table shown.
struct SweptWindow {
  SweptWindow()
      : root(std::filesystem::temp_directory_path() / "tq_bench_peak_table"), files(root) {
    files.installShippedData(TQ_SOURCE_DATA_DIR);
    window.attach(program);
    window.show();
    program.state().defaultPath = "c:\\tq4800\\";
    prompts.input("3");
    program.Execute(tq::Command::NX201);
    program.Execute(CommandNamed("ClassBRadiated1"));
    tq::TraceData d = program.traces();
    for (std::size_t n = 0; n < tq::kTracePoints; ++n)
      d.currentTrace[n] = static_cast<std::int32_t>(30 + (n % 16 == 0 ? 15 : 0) +
                                                    5 * std::sin(static_cast<double>(n)));
    program.LoadTraces(d);
    window.findChild<QAction*>("PeakTable1")->trigger();
    QApplication::processEvents();
  }
  std::filesystem::path root;
  tq::HostFiles files;
  tq::test::FramePort port;
  tq::test::VirtualTicks ticks;
  tq::test::ScriptedPrompts prompts;
  tq::test::FixedClock clock;
  tq::NoUsbI2cIo usb;
  tq::TEMC1 window;
  tq::Program program{tq::Ports{port, ticks, prompts, files, clock, window, usb}};
};

// What the end of a sweep adds: the search, the table's rows and verdicts, and the window
// brought in line with the new table.
void BM_PeakSearchAndTableRefresh(benchmark::State& bench) {
  SweptWindow w;
  for (auto _ : bench) w.program.finalMeasurement().SweepCompleted();
  bench.counters["rows"] = static_cast<double>(w.program.peakTable().Table().rows.size());
}
BENCHMARK(BM_PeakSearchAndTableRefresh)->Unit(benchmark::kMicrosecond);

// The search and the table alone, as an unattended run has them.
void BM_PeakSearchOnly(benchmark::State& bench) {
  SweptWindow w;
  w.window.findChild<QWidget*>("PeakTable")->hide();
  for (auto _ : bench) w.program.finalMeasurement().SweepCompleted();
}
BENCHMARK(BM_PeakSearchOnly)->Unit(benchmark::kMicrosecond);

// Ten rows (no limit: the ten highest peaks), read on quasi-peak.
void BM_FinalMeasurementOfTenPeaks(benchmark::State& bench) {
  for (auto _ : bench) {
    tq::test::SimulatedProgram p("bench_final");
    p.program->Execute(tq::Command::Button1);
    p.runUntil([&] { return !p.program->state().runInProgress; }, 60000);
    const double start = p.ticks.nowMs();
    p.program->finalMeasurement().MeasurePeaks();
    const double took = p.ticks.nowMs() - start;
    const auto rows = p.program->peakTable().Table().rows.size();
    bench.counters["rows"] = static_cast<double>(rows);
    bench.counters["measured"] = p.program->peakTable().RowsMeasured();
    bench.counters["virtual_ms"] = took;
    bench.counters["ms_per_row"] = took / static_cast<double>(rows);
  }
}
BENCHMARK(BM_FinalMeasurementOfTenPeaks)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
