// What a user waits for once: the program put together as main() does (files, the simulated
// analyser, the offscreen main window, the core) up to the graph's first paint; the printed
// report with four traces and a limit rendered to PDF; and the guide's Set Analyser, within
// the range and with the change of range (whose delay window's own seconds pass on virtual
// time, so the figure is the program's work).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <chrono>
#include <filesystem>

#include "SimulatedLink.h"
#include "app/GraphArea.h"
#include "app/TEMC1.h"
#include "doubles/FakeSerialPort.h"
#include "doubles/FixedClock.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "measure/Program.h"
#include "platform/HostFiles.h"
#include "platform/NoUsbI2cIo.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/QtTicks.h"

namespace {

namespace fs = std::filesystem;

// Notes the first paint of the graph.
class FirstPaint : public QObject {
 public:
  bool painted = false;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return false;
  }
};

void StartToFirstPaint(benchmark::State& run) {
  const fs::path root = fs::temp_directory_path() / "tq_bench_start";
  for (auto _ : run) {
    fs::remove_all(root);  // a first start: the shipped files are copied too
    const auto started = std::chrono::steady_clock::now();
    tq::HostFiles files(root);
    files.ensureHostIni();
    files.installShippedData(TQ_SOURCE_DATA_DIR);
    tq::QtTicks ticks;
    tq::QtClock clock;
    tq::test::ScriptedPrompts prompts;
    tq::TEMC1 window;
    tq::sim::SimulatedLink simulator(ticks);
    tq::NoUsbI2cIo usb;
    tq::Program program(tq::Ports{simulator.port, ticks, prompts, files, clock, window, usb});
    window.attach(program);
    FirstPaint first;
    window.graph()->installEventFilter(&first);
    window.show();
    while (!first.painted) QApplication::processEvents(QEventLoop::AllEvents, 1);
    run.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
  }
  fs::remove_all(root);
}
BENCHMARK(StartToFirstPaint)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

// The core on a fake port with a limit and four traces, as after a measurement.
struct Measured {
  fs::path root = fs::temp_directory_path() / "tq_bench_waits";
  tq::HostFiles files{root};
  tq::test::FakeSerialPort port;
  tq::test::VirtualTicks ticks;
  tq::test::ScriptedPrompts prompts;
  tq::test::FixedClock clock;
  tq::NoUsbI2cIo usb;
  tq::test::RecordingView view;
  std::unique_ptr<tq::Program> program;

  Measured() {
    fs::remove_all(root);
    files.installShippedData(TQ_SOURCE_DATA_DIR);
    program =
        std::make_unique<tq::Program>(tq::Ports{port, ticks, prompts, files, clock, view, usb});
    program->state().defaultPath = "c:\\tq4800\\";
    program->state().detector = 1;
    ticks.advance(1000);
    program->SelectLimit(1, 24);
    tq::TraceData d = program->traces();
    for (std::size_t n = 0; n < tq::kTracePoints; ++n) {
      d.currentTrace[n] = static_cast<std::int32_t>(30 + n % 50);
      d.storeTrace[n] = static_cast<std::int32_t>(25 + n % 9);
      d.differenceTrace[n] = static_cast<std::int32_t>(40 + n % 13);
      d.archiveTrace[n] = static_cast<std::int32_t>(35 + n % 17);
    }
    program->LoadTraces(d);
    for (tq::Command c : {tq::Command::Store1, tq::Command::Difference1, tq::Command::Archive1})
      program->Execute(c);
  }
  ~Measured() {
    program.reset();
    fs::remove_all(root);
  }
};

void ReportToPdf(benchmark::State& run) {
  Measured m;
  tq::QtPrinter printer;
  const std::string pdf = (m.root / "report.pdf").string();
  for (auto _ : run) {
    const tq::ReportDocument report = m.program->Report();
    if (!printer.PrintToPdf(report, pdf)) run.SkipWithError("no PDF written");
  }
  run.counters["bytes"] = static_cast<double>(fs::file_size(pdf));
}
BENCHMARK(ReportToPdf)->Unit(benchmark::kMillisecond);

// EN55022 Class B: radiated from the high range (no range change), or conducted from the high
// range (the range changes to LOW).
void SetAnalyser(benchmark::State& run, bool conducted) {
  Measured m;
  tq::Guide& guide = m.program->guide();
  for (auto _ : run) {
    run.PauseTiming();
    m.program->state().highRange = true;
    m.program->Execute(tq::Command::Direct1);
    guide.ChooseStandard(0, 1);
    guide.SetTestType(conducted ? 0 : 1);
    guide.En55022(1);
    if (conducted) guide.TestAc(3, false, 0);
    run.ResumeTiming();
    guide.SetAnalyser();
  }
}
void SetAnalyserSameRange(benchmark::State& run) {
  SetAnalyser(run, false);
}
void SetAnalyserChangingRange(benchmark::State& run) {
  SetAnalyser(run, true);
}
BENCHMARK(SetAnalyserSameRange)->Unit(benchmark::kMillisecond);
BENCHMARK(SetAnalyserChangingRange)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
