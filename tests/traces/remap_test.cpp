#include <gtest/gtest.h>

#include <algorithm>

#include "traces/TraceFixture.h"

namespace tq::test {
namespace {

using Grid = std::array<float, 501>;

Grid LinearGrid(double startHz, double stepHz) {
  Grid g{};
  for (std::size_t n = 0; n < g.size(); ++n) g[n] = static_cast<float>(startHz + stepHz * n);
  return g;
}

// A source captured over 100 to 200 MHz in 200 kHz steps, with distinct levels.
TraceSource StoredSource() {
  TraceSource s;
  const Grid f = LinearGrid(100000000.0, 200000.0);
  std::copy(f.begin(), f.end(), s.frequenciesHz.begin());
  for (std::size_t j = 0; j < kTracePoints; ++j) s.levels[j] = 20 + static_cast<int>(j * 7 % 100);
  return s;
}

TEST(TraceRemapTest, NoOverlapGivesAnAllZeroTrace) {
  const TraceSource source = StoredSource();
  for (const Grid& grid : {LinearGrid(300000000.0, 100000.0), LinearGrid(30000000.0, 100000.0)}) {
    Trace t;
    t.fill(55);
    RemapTrace(t, source, grid);
    EXPECT_TRUE(std::all_of(t.begin(), t.end(), [](std::int32_t v) { return v == 0; }));
  }
}

TEST(TraceRemapTest, AFifthOfTheSpanRepeatsEachStoredValueFiveTimes) {
  const TraceSource source = StoredSource();
  Trace t{};
  RemapTrace(t, source, LinearGrid(120000000.0, 40000.0));  // 120 to 140 MHz
  // The first point gathers every stored point up to its frequency.
  const std::int32_t firstBin =
      *std::max_element(source.levels.begin(), source.levels.begin() + 101);
  for (int n = 0; n < 5; ++n) EXPECT_EQ(t[n], firstBin) << n;
  for (int n = 5; n <= 500; ++n) ASSERT_EQ(t[n], source.levels[100 + n / 5]) << n;
}

TEST(TraceRemapTest, AWiderSpanKeepsEachBinsMaximumAndZeroesOutside) {
  TraceSource source = StoredSource();
  source.levels[301] = 200;  // a narrow peak between two new points
  Trace t{};
  RemapTrace(t, source, LinearGrid(50000000.0, 400000.0));  // 50 to 250 MHz
  for (int n = 0; n < 125; ++n) ASSERT_EQ(t[n], 0) << n;    // below the stored span
  EXPECT_EQ(t[125], source.levels[0]);
  for (int k = 1; k <= 250; ++k) {
    ASSERT_EQ(t[125 + k], std::max(source.levels[2 * k - 1], source.levels[2 * k])) << k;
  }
  EXPECT_EQ(t[276], 200);
  for (int n = 376; n <= 500; ++n) ASSERT_EQ(t[n], 0) << n;  // above it
}

TEST(TraceRemapTest, EmptyFirstBinGivesZeroAndLevelsOutsideTheTraceRangeAreDropped) {
  TraceSource source = StoredSource();
  // Only levels below -99 in the first bin: it counts as empty.
  source.levels[0] = -150;
  source.levels[1] = -150;
  source.levels[3] = 300;
  Trace t;
  t.fill(77);
  RemapTrace(t, source, LinearGrid(100200000.0, 200000.0));  // one stored step later
  EXPECT_EQ(t[0], 0);
  EXPECT_EQ(t[1], source.levels[2]);
  EXPECT_EQ(t[2], 0);  // 300 is no level
  EXPECT_EQ(t[499], source.levels[500]);
  EXPECT_EQ(t[500], 0);  // beyond the stored span
}

using TraceRemapAllTest = TraceSetTest;

TEST_F(TraceRemapAllTest, RederivesTheShownTracesAndResetsTheProcessing) {
  const TraceSource source = StoredSource();
  edit([&](TraceData& d) {
    d.storeSource = source;
    d.archiveSource = source;
    d.currentSource = source;
    d.currentSource.levels.fill(60);
  });
  SetGrid(100000000.0, 200000.0);  // the captured grid again
  edit([&](TraceData& d) { d.stepStatus.fill(1); });
  state_.processingMode = 4;
  state_.scansDone = 6;

  traces_.RemapTraces();
  EXPECT_EQ(traces_.data().storeTrace, source.levels);
  EXPECT_EQ(traces_.data().archiveTrace, source.levels);
  EXPECT_EQ(traces_.data().currentTrace[10], 60);
  EXPECT_EQ(traces_.data().differenceTrace[10], EmissionsDifference(60, source.levels[10]));
  EXPECT_EQ(traces_.data().stepStatus[10], 0);
  EXPECT_EQ(state_.processingMode, 0);
  EXPECT_EQ(state_.scansDone, 1);

  // A peak-hold sequence and shown single-frequency data keep theirs.
  edit([&](TraceData& d) {
    d.peakHoldCarry = true;
    d.singleFrequencyShown = true;
    d.stepStatus.fill(1);
  });
  state_.processingMode = 4;
  state_.scansDone = 6;
  traces_.RemapTraces();
  EXPECT_EQ(traces_.data().stepStatus[10], 1);
  EXPECT_EQ(state_.processingMode, 4);
  EXPECT_EQ(state_.scansDone, 6);
}

}  // namespace
}  // namespace tq::test
