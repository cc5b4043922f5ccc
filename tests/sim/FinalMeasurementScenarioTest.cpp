// The peak table and the final measurement against the simulated enclosed product, measured
// as an engineer would: NX20 antenna at 3 m, no attenuation, EN55022 class B radiated.
#include <gtest/gtest.h>

#include <algorithm>

#include "SimulatedProgram.h"
#include "doubles/RecordingCanvas.h"

namespace tq {
namespace {

using C = Command;

// A fixed spectrum whose emissions sit where the enclosed product has them.
sim::AnalyserOptions Enclosed() {
  sim::AnalyserOptions o;
  o.product = sim::Product::Enclosed;
  o.seed = 5;
  return o;
}

class FinalMeasurementScenario : public ::testing::Test {
 protected:
  FinalMeasurementScenario()
      : p(::testing::UnitTest::GetInstance()->current_test_info()->name(), Enclosed()) {
    p.prompts.input("3");  // the antenna distance
    program().Execute(C::NX201);
    program().SelectAttenuation(0);
    program().Execute(command("ClassBRadiated1"));
  }

  Program& program() { return *p.program; }
  MeasurementState& state() { return program().state(); }
  FinalMeasurement& measurement() { return program().finalMeasurement(); }
  const PeakTable& table() { return measurement().Table(); }
  sim::SimulatedAnalyser& analyser() { return p.link->analyser; }

  static Command command(std::string_view objectName) {
    for (const CommandEntry& e : CommandTable())
      if (e.objectName == objectName) return e.id;
    ADD_FAILURE() << objectName;
    return C::None;
  }
  void shot() {
    program().Execute(C::Button1);
    ASSERT_TRUE(p.runUntil([&] { return !state().runInProgress; }, 60000));
  }
  // The row nearest a frequency.
  const PeakRow* rowAt(double hz) {
    const PeakRow* best = nullptr;
    for (const PeakRow& r : table().rows)
      if (!best || std::abs(r.peak.frequencyHz - hz) < std::abs(best->peak.frequencyHz - hz))
        best = &r;
    return best && std::abs(best->peak.frequencyHz - hz) < 1.5e6 ? best : nullptr;
  }
  // The commands sent (not the single ACK bytes), consecutive repeats once.
  std::vector<std::pair<int, std::int32_t>> commandsSent() const {
    std::vector<std::pair<int, std::int32_t>> sent;
    for (const sim::ReceivedCommand& c : p.link->analyser.log()) {
      if (c.singleByte) continue;
      const std::pair<int, std::int32_t> cmd{c.code, c.value};
      if (sent.empty() || sent.back() != cmd) sent.push_back(cmd);
    }
    return sent;
  }

  test::SimulatedProgram p;
};

// The pulsed emissions over the line on the peak detector pass once read on quasi-peak; the
// loud burst fails on both; the run ends with the analyser back at rest, and sweeps go on.
TEST_F(FinalMeasurementScenario, PulsedEmissionsOverThePeakLinePassOnQuasiPeak) {
  shot();
  ASSERT_EQ(table().limitName, "EN55022 Class B Radiated");
  EXPECT_EQ(table().unit, "dBuV/m");
  const auto& spectrum = analyser().spectrum();
  ASSERT_EQ(spectrum.pulsedEmissions().size(), 3u);
  for (const auto& e : spectrum.pulsedEmissions()) {
    const PeakRow* row = rowAt(e.hz);
    ASSERT_NE(row, nullptr) << e.hz;
    EXPECT_EQ(row->verdict, Verdict::Fail) << e.hz;
    EXPECT_EQ(row->base.detector, 'Q');
    EXPECT_FALSE(row->companion.present);
  }
  EXPECT_EQ(table().overall, Verdict::Fail);

  // A table nobody asked for leaves the report its one page.
  EXPECT_EQ(program().Report().PageCount(), 1);
  const double start = p.ticks.nowMs();
  measurement().MeasurePeaks();
  const double took = p.ticks.nowMs() - start;
  EXPECT_FALSE(measurement().Measuring());
  EXPECT_FALSE(state().runInProgress);
  EXPECT_EQ(measurement().RowsMeasured(), static_cast<int>(table().rows.size()));
  for (const auto& e : spectrum.pulsedEmissions()) {
    const PeakRow* row = rowAt(e.hz);
    ASSERT_TRUE(row->quasiPeak.taken());
    // Tracked onto the emission, read below its peak, and under the line.
    EXPECT_NEAR(row->quasiPeak.frequencyHz, e.hz, 1.0);
    EXPECT_LT(row->quasiPeak.level, row->peak.level - 8.0);
    EXPECT_EQ(row->verdict, Verdict::Pass) << e.hz;
    EXPECT_TRUE(row->finalVerdict);
    EXPECT_EQ(row->detector, 'Q');
  }
  const PeakRow* loud = rowAt(spectrum.pulsedLine().hz);
  ASSERT_NE(loud, nullptr);
  EXPECT_EQ(loud->verdict, Verdict::Fail);
  EXPECT_TRUE(loud->finalVerdict);
  EXPECT_EQ(table().overall, Verdict::Fail);
  const ReportDocument report = program().Report();
  ASSERT_EQ(report.PageCount(), 2);
  test::RecordingCanvas second;
  report.DrawPage(second, 1, 800, 1131);
  EXPECT_TRUE(
      second.hasText("Limit : EN55022 Class B Radiated     Marginal within 6 dB of a line"));
  const auto texts = second.texts();
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "PASS"), 3);  // final verdicts, no '*'
  // Each row a dwell of 23 readings (at least 1 s), plus its set-up on the line.
  const double dwellMs = 23 * 250.0;
  EXPECT_LE(took, table().rows.size() * (dwellMs + 600.0)) << took;

  EXPECT_FALSE(analyser().readingsRunning());
  EXPECT_FALSE(analyser().peakTracking());
  EXPECT_EQ(program().model().statusText, "Ready");
  shot();
  EXPECT_EQ(state().stepIndex, 501);
  EXPECT_FALSE(table().rows.front().quasiPeak.taken());  // a new sweep, a new table
}

// Each frequency gets the commands a single-frequency measurement with tracking and the
// quasi-peak detector gets, in that order, then STOP.
TEST_F(FinalMeasurementScenario, ReadsEachPeakWithTheSingleFrequencyCommands) {
  shot();
  ASSERT_FALSE(table().rows.empty());
  const std::int32_t hz = RoundHalfEven(table().rows.front().peak.frequencyHz);
  // The single-frequency measurement's own frames, as its dialog sends them.
  analyser().clearLog();
  program().Execute(C::Button17);
  program().single().FrequencyPicked(hz);
  program().TsfsettingsFormActivate();
  program().TsfsettingsOKBtnClick({true, 2, 2, false});
  p.ticks.advance(2000);
  program().Execute(C::Button1);
  program().Execute(C::Button17);
  const auto single = commandsSent();

  analyser().clearLog();
  // STOP while the first reading is under way: it completes, the rest are not taken.
  p.ticks.post(1000, [&] { program().Execute(C::Button1); });
  measurement().MeasurePeaks();
  const auto sent = commandsSent();
  ASSERT_GE(sent.size(), single.size());
  EXPECT_TRUE(std::equal(single.begin(), single.end(), sent.begin()));
  EXPECT_EQ(measurement().RowsMeasured(), 1);
  EXPECT_TRUE(table().rows.front().quasiPeak.taken());
  EXPECT_FALSE(table().rows.back().quasiPeak.taken());
  // Back to the sweep state: tracking off and the status asked.
  EXPECT_EQ(sent.back(), (std::pair<int, std::int32_t>{0x20, 0}));
  EXPECT_EQ(std::count(sent.begin(), sent.end(), std::pair<int, std::int32_t>{0x48, 0}), 1);

  // CANCEL ends at once, the reading under way dropped.
  measurement().Refresh();  // final readings are held: the table stays
  EXPECT_TRUE(table().rows.front().quasiPeak.taken());
  p.ticks.post(1000, [&] { program().Execute(C::Button2); });
  const double start = p.ticks.nowMs();
  measurement().MeasurePeaks();
  EXPECT_LT(p.ticks.nowMs() - start, 2000.0);
  EXPECT_EQ(measurement().RowsMeasured(), 0);
}

// Export CSV writes the traces and the peak table, each a file that reads back.
TEST_F(FinalMeasurementScenario, ExportWritesTheTracesAndThePeakTable) {
  shot();
  p.prompts.fileName("C:\\tq4800\\sweep.CSV");
  program().Execute(C::ExportCSV1);
  const auto traces = p.files->readAll("C:\\tq4800\\sweep.csv");
  const auto peaks = p.files->readAll("C:\\tq4800\\sweep-peaks.csv");
  ASSERT_TRUE(traces && peaks);
  EXPECT_EQ(std::count(traces->begin(), traces->end(), '\n'), 2 + 501);
  EXPECT_EQ(traces->substr(0, traces->find('\r')), "Frequency,Current,Limit");
  EXPECT_EQ(std::count(peaks->begin(), peaks->end(), '\n'),
            3 + static_cast<long>(table().rows.size()));
  EXPECT_NE(peaks->find("Overall"), std::string::npos);
}

}  // namespace
}  // namespace tq
