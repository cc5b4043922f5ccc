// A full repaint of the graph with four traces and a limit at display size 2 onto an
// offscreen QImage, the way the graph area repaints its back buffer; and RefreshLimitTrace,
// the limit's 501 levels recomputed after a load.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <fstream>
#include <sstream>

#include "app/GraphArea.h"
#include "corrections/LimitLevel.h"
#include "corrections/LimitReader.h"
#include "doubles/FakeFeatures.h"
#include "doubles/MemoryFiles.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"
#include "model/MeasurementState.h"
#include "model/Span.h"
#include "model/WindowModel.h"
#include "traces/TraceSet.h"
#include "view/GraphPainter.h"

namespace {

// EN55022 Class B Radiated (record 24 of limit.def), as the Limits menu loads it.
tq::LimitTable ShippedLimit() {
  std::ifstream in(std::string(TQ_SOURCE_DATA_DIR) + "/limit.def", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  tq::LimitTable table;
  tq::ReadLimitRecord(text.str(), tq::LimitFileKind::BuiltIn, 24, table);
  return table;
}

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
  if (withTraces) {
    features.limit.loaded = true;
    features.limit.table = features.limit.base = ShippedLimit();
    features.limit.radiated = features.limit.table.radiated;
    features.limit.at = [&](double hz) {
      return tq::LimitAt(features.limit.table, hz, {3.0f, false});
    };
    model.showLimit = true;
    for (std::size_t n = 0; n < tq::kTracePoints; ++n)
      traces.limitTrace[n] =
          static_cast<std::int32_t>(features.limit.LimitAt(state.stepFrequencyHz[n]));
  }
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
void FullRepaintFourTracesAndLimitSize2(benchmark::State& run) {
  Repaint(run, true);
}
BENCHMARK(FullRepaintFourTracesAndLimitSize2)->Unit(benchmark::kMillisecond);
void FullRepaintNoTracesSize2(benchmark::State& run) {
  Repaint(run, false);
}
BENCHMARK(FullRepaintNoTracesSize2)->Unit(benchmark::kMillisecond);

void RefreshLimitTrace(benchmark::State& run) {
  tq::MeasurementState state;
  state.startFrequencyHz = 30000000;
  state.finishFrequencyHz = 1100000000;
  tq::FillDisplayGrid(state);
  tq::WindowModel model;
  tq::test::RecordingView view;
  tq::test::MemoryFiles files;
  tq::test::ScriptedPrompts prompts;
  tq::test::FakeFeatures features;
  const tq::LimitTable table = ShippedLimit();
  features.limit.at = [&](double hz) { return tq::LimitAt(table, hz, {3.0f, false}); };
  tq::TraceSet traces(state, model, view, files, prompts, features.all());
  for (auto _ : run) {
    traces.RefreshLimitTrace();
    benchmark::DoNotOptimize(traces.data().limitTrace.data());
  }
}
BENCHMARK(RefreshLimitTrace)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // fonts for the labels
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
