// A full repaint of the graph with four traces at display size 2 onto an offscreen QImage,
// the way the graph area repaints its back buffer.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "app/GraphArea.h"
#include "doubles/FakeFeatures.h"
#include "model/MeasurementState.h"
#include "model/Span.h"
#include "model/WindowModel.h"
#include "traces/TraceSet.h"
#include "view/GraphPainter.h"

namespace {

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
  tq::TraceData traces;
  for (std::size_t n = 0; n < tq::kTracePoints; ++n) {
    const double x = static_cast<double>(n);
    traces.currentTrace[n] = static_cast<std::int32_t>(40 + 15 * std::sin(x / 7.0));
    traces.storeTrace[n] = static_cast<std::int32_t>(35 + 10 * std::sin(x / 11.0));
    traces.differenceTrace[n] = static_cast<std::int32_t>(50 + 20 * std::sin(x / 3.0));
    traces.archiveTrace[n] = static_cast<std::int32_t>(45 + 12 * std::cos(x / 5.0));
  }
  tq::test::FakeFeatures features;
  tq::GraphPainter painter(state, model, traces, tq::SourcesOf(features.all()));
  QImage image(1024, 700, QImage::Format_RGB32);
  for (auto _ : run) {
    QPainter p(&image);
    tq::PolylineCanvas canvas(&p);
    painter.DrawGraph(canvas);
    canvas.flush();
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
