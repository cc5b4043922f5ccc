// A full repaint of the graph with four traces at display size 2 onto an offscreen QImage,
// the way the graph area repaints its back buffer.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <filesystem>

#include "app/GraphArea.h"
#include "measure/MeasurementState.h"
#include "measure/ScanEngine.h"
#include "measure/WindowModel.h"
#include "platform/HostFiles.h"
#include "platform/Prompts.h"
#include "traces/TraceSet.h"
#include "view/GraphPainter.h"
#include "view/GraphPointer.h"

namespace {

class NoView : public tq::MainView {
 public:
  void modelChanged() override {}
  void repaint() override {}
  void showMessageWindow(const std::string&) override {}
  void hideMessageWindow() override {}
  void placeMessageWindow() override {}
  void closeMainWindow() override {}
};

class NoPrompts : public tq::Prompts {
 public:
  tq::Answer message(tq::MessageKind, std::string_view, tq::Buttons) override {
    return tq::Answer::Ok;
  }
  std::optional<std::string> inputBox(std::string_view, std::string_view,
                                      std::string_view) override {
    return std::nullopt;
  }
  std::optional<std::string> openFileName(std::string_view, std::string_view,
                                          std::string_view) override {
    return std::nullopt;
  }
  std::optional<std::string> saveFileName(std::string_view, std::string_view,
                                          std::string_view) override {
    return std::nullopt;
  }
};

void Repaint(benchmark::State& run, bool withTraces) {
  tq::MeasurementState state;
  state.startFrequencyHz = 30000000;
  state.finishFrequencyHz = 1100000000;
  state.displaySize = 2;
  state.detector = 1;
  state.screenColours = tq::kDefaultScreenColours;
  tq::FillDisplayGrid(state);
  tq::WindowModel model;
  model.showCurrent = model.showStore = model.showDifference = model.showArchive = withTraces;
  NoView view;
  NoPrompts prompts;
  tq::HostFiles files(std::filesystem::temp_directory_path() / "tq_bench");
  tq::TraceSet traces(state, model, view, files, prompts);
  for (std::size_t n = 0; n < tq::kTracePoints; ++n) {
    const double x = static_cast<double>(n);
    traces.currentTrace[n] = static_cast<std::int32_t>(40 + 15 * std::sin(x / 7.0));
    traces.storeTrace[n] = static_cast<std::int32_t>(35 + 10 * std::sin(x / 11.0));
    traces.differenceTrace[n] = static_cast<std::int32_t>(50 + 20 * std::sin(x / 3.0));
    traces.archiveTrace[n] = static_cast<std::int32_t>(45 + 12 * std::cos(x / 5.0));
  }
  tq::GraphPainter painter(state, model, traces, view);
  QImage image(1024, 700, QImage::Format_RGB32);
  for (auto _ : run) {
    tq::GraphArea::Render(image, painter, Qt::lightGray);
    benchmark::DoNotOptimize(image.constBits());
  }
}
void FullRepaintFourTracesSize2(benchmark::State& run) {
  Repaint(run, true);
}
BENCHMARK(FullRepaintFourTracesSize2)->Unit(benchmark::kMillisecond);
void FullRepaintNoTracesSize2(benchmark::State& run) {
  Repaint(run, false);
}
BENCHMARK(FullRepaintNoTracesSize2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // fonts for the labels
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
