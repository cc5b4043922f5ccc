// Peak search, limit lines, margins and verdicts of the peak table, on hand-made traces.
#include <gtest/gtest.h>

#include "analysis/PeakTableBuilder.h"

namespace tq {
namespace {

// A floor of 20 dB with bumps {point, level}.
Trace Floor(std::initializer_list<std::pair<int, int>> bumps) {
  Trace t;
  t.fill(20);
  for (const auto& [n, level] : bumps) t[static_cast<std::size_t>(n)] = level;
  return t;
}

PointLimits Limit(double level, int upTo = 500) {
  PointLimits l;
  l.fill(kNoLimit);
  for (int n = 0; n <= upTo; ++n) l[static_cast<std::size_t>(n)] = level;
  return l;
}

TEST(PeakSearch, OnePeakPerEmissionNearTheLimitOrOverIt) {
  struct Case {
    const char* what;
    Trace levels;
    PointLimits limits;
    int maxPeaks;
    std::vector<int> expected;
  };
  const Case cases[] = {
      {"closer than the separation: the higher",
       Floor({{100, 48}, {103, 50}}),
       Limit(50),
       10,
       {103}},
      {"the separation apart: both", Floor({{100, 50}, {105, 48}}), Limit(50), 10, {100, 105}},
      {"exactly at the threshold: listed", Floor({{200, 44}}), Limit(50), 10, {200}},
      {"below the threshold: not", Floor({{200, 43}}), Limit(50), 10, {}},
      {"a plateau: once, at its start",
       Floor({{300, 47}, {301, 47}, {302, 47}}),
       Limit(50),
       10,
       {300}},
      {"the nearest the limit first",
       Floor({{10, 46}, {50, 55}, {90, 48}}),
       Limit(50),
       2,
       {50, 90}},
      {"no limit at a point: not there", Floor({{100, 60}, {400, 70}}), Limit(50, 250), 10, {100}},
      {"no limit at all: the highest",
       Floor({{10, 30}, {20, 40}, {30, 35}}),
       Limit(kNoLimit),
       2,
       {20, 30}},
  };
  for (const Case& c : cases) {
    const PeakSearchSettings s{6.0, c.maxPeaks, 5};
    EXPECT_EQ(FindPeaks(c.levels, c.limits, 500, s), c.expected) << c.what;
  }
}

// EN55022 class B mains as the catalogue pairs it: the average line, and the quasi-peak line
// 10 dB above it; the guide's click allowance raises both.
class LimitLinesTest : public ::testing::Test {
 protected:
  LimitLinesTest() {
    base.entryCount = 3;
    base.points[1] = {150000, 56, 1};
    base.points[2] = {500000, 46, 0};
    base.clickAllowanceDb = 3;
    companion = base;
    companion.companionOffsetDb = 10;
    lines = LinesOf(&base, &companion, {});
  }
  PeakRow rowAt(double hz, double sweepLevel) {
    PeakRow row;
    row.peak = {'P', hz, sweepLevel, 0, sweepLevel};
    const LineLevels l = LinesAt(lines, hz);
    row.base = {l.base < kNoLimit, BaseDetector(lines), l.base};
    row.companion = {l.companion < kNoLimit, kCompanionDetector, l.companion};
    JudgeRow(row, 6.0);
    return row;
  }
  PeakReading reading(char detector, double level) { return {detector, 273861, level, 0, level}; }

  LimitTable base, companion;
  LimitLines lines;
};

TEST_F(LimitLinesTest, MarginsToTheLogInterpolatedLineAndItsCompanion) {
  // 61.0 dB log-interpolated for the 66/56 line is 51.0 for this one, + 3 dB of clicks.
  PeakRow row = rowAt(273861, 57.0);
  EXPECT_NEAR(row.base.limit, 54.0, 0.05);
  EXPECT_NEAR(row.companion.limit, 64.0, 0.05);
  EXPECT_NEAR(row.base.margin, 3.0, 0.05);
  EXPECT_NEAR(row.companion.margin, -7.0, 0.05);
  EXPECT_EQ(row.verdict, Verdict::Fail);

  // The quasi-peak 8 dB down stands for the average until that is read: within 2 dB of the
  // average line it asks for the average reading.
  TakeFinalReading(row, reading('Q', 52.1), 6.0);
  EXPECT_EQ(row.base.marginDetector, 'Q');
  EXPECT_EQ(row.verdict, Verdict::Marginal);
  EXPECT_TRUE(NeedsAverage(row));
  TakeFinalReading(row, reading('A', 45.0), 6.0);
  EXPECT_EQ(row.base.marginDetector, 'A');
  EXPECT_NEAR(row.base.margin, -9.0, 0.05);
  EXPECT_EQ(row.detector, 'A');
  EXPECT_EQ(row.verdict, Verdict::Pass);
  EXPECT_TRUE(row.finalVerdict);

  PeakRow clear = rowAt(273861, 57.0);
  TakeFinalReading(clear, reading('Q', 51.8), 6.0);
  EXPECT_FALSE(NeedsAverage(clear));
  // Outside the lines there is no limit to judge by.
  EXPECT_EQ(rowAt(600000, 80.0).verdict, Verdict::None);
}

TEST(Verdicts, ByMarginInTheLampsColours) {
  struct Case {
    double margin;
    Verdict verdict;
    Colour colour;
  };
  for (const Case& c :
       {Case{0.1, Verdict::Fail, kClRed}, Case{0.0, Verdict::Marginal, kClYellow},
        Case{-6.0, Verdict::Marginal, kClYellow}, Case{-6.01, Verdict::Pass, kClGreen}}) {
    EXPECT_EQ(VerdictOf(c.margin, 6.0), c.verdict) << c.margin;
    EXPECT_EQ(VerdictColour(c.verdict), c.colour) << c.margin;
  }
  EXPECT_EQ(VerdictColour(Verdict::None), kClBlack);
  PeakTable t;
  EXPECT_EQ(OverallVerdict(t), Verdict::None);  // no limit
  t.limitName = "EN55022 Class B Radiated";
  EXPECT_EQ(OverallVerdict(t), Verdict::Pass);  // nothing near it
  t.rows.resize(2);
  t.rows[0].verdict = Verdict::Marginal;
  EXPECT_EQ(OverallVerdict(t), Verdict::Marginal);
}

}  // namespace
}  // namespace tq
