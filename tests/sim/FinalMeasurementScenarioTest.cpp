// The peak table and the final measurement against the simulated enclosed product, measured
// as an engineer would: NX20 antenna at 3 m, no attenuation, EN55022 class B radiated.
#include <gtest/gtest.h>

#include <algorithm>

#include "SimulatedProgram.h"
#include "doubles/RecordingCanvas.h"

namespace tq {
namespace {

using C = Command;

class FinalMeasurementScenario : public ::testing::Test {
 protected:
  FinalMeasurementScenario()
      : p(::testing::UnitTest::GetInstance()->current_test_info()->name(),
          {.seed = 5, .product = sim::Product::Enclosed}) {
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
  // The row of the emission at hz: within half a sweep step of it.
  const PeakRow* rowAt(double hz) {
    for (const PeakRow& r : table().rows)
      if (std::abs(r.peak.frequencyHz - hz) < 1.1e6) return &r;
    return nullptr;
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
// loud burst fails on both; the report and the CSV files carry the final readings; the run
// ends with the analyser back at rest, and sweeps go on.
TEST_F(FinalMeasurementScenario, PulsedEmissionsOverThePeakLinePassOnQuasiPeak) {
  shot();
  ASSERT_EQ(table().limitName, "EN55022 Class B Radiated");
  EXPECT_EQ(table().unit, "dBuV/m");
  const auto& spectrum = analyser().spectrum();
  ASSERT_EQ(spectrum.pulsedEmissions().size(), 3u);
  for (const auto& e : spectrum.pulsedEmissions()) {
    ASSERT_NE(rowAt(e.hz), nullptr) << e.hz;
    EXPECT_EQ(rowAt(e.hz)->verdict, Verdict::Fail) << e.hz;
  }
  EXPECT_EQ(table().overall, Verdict::Fail);

  // A table nobody asked for leaves the report its one page.
  EXPECT_EQ(program().Report().PageCount(), 1);
  const double start = p.ticks.nowMs();
  measurement().MeasurePeaks();
  const double took = p.ticks.nowMs() - start;
  EXPECT_FALSE(state().runInProgress);
  EXPECT_EQ(measurement().RowsMeasured(), static_cast<int>(table().rows.size()));
  for (const auto& e : spectrum.pulsedEmissions()) {
    const PeakRow* row = rowAt(e.hz);
    ASSERT_TRUE(row->quasiPeak.taken());
    // Tracked onto the emission, read below its peak, and under the line.
    EXPECT_NEAR(row->quasiPeak.frequencyHz, e.hz, 1.0);
    EXPECT_LT(row->quasiPeak.level, row->peak.level - 8.0);
    EXPECT_EQ(row->verdict, Verdict::Pass) << e.hz;
    EXPECT_EQ(row->detector, 'Q');
  }
  ASSERT_NE(rowAt(spectrum.pulsedLine().hz), nullptr);
  EXPECT_EQ(rowAt(spectrum.pulsedLine().hz)->verdict, Verdict::Fail);  // final, on both
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

  EXPECT_FALSE(analyser().peakTracking());
  EXPECT_EQ(program().model().statusText, "Ready");
  // Export CSV: the traces and the table with its final readings, each a file of its own.
  p.prompts.fileName("C:\\tq4800\\sweep.CSV");
  program().Execute(C::ExportCSV1);
  const auto traces = p.files->readAll("C:\\tq4800\\sweep.csv");
  const auto peaks = p.files->readAll("C:\\tq4800\\sweep-peaks.csv");
  ASSERT_TRUE(traces && peaks);
  EXPECT_EQ(traces->substr(0, traces->find('\r')), "Frequency,Current,Limit");
  EXPECT_EQ(std::count(peaks->begin(), peaks->end(), '\n'), 3 + 5);
  std::size_t passes = 0;
  for (auto at = peaks->find(",PASS,Yes"); at != std::string::npos;
       at = peaks->find(",PASS,Yes", at + 1))
    ++passes;
  EXPECT_EQ(passes, 3u);

  shot();
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

}  // namespace
}  // namespace tq
