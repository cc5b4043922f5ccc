#include <gtest/gtest.h>

#include "traces/TraceFixture.h"

namespace tq::test {
namespace {

// A measured sweep of N steps: frequencies startHz + k * stepHz, levels alternating 41 / 50
// (so that negative level steps show the truncation towards zero), status 1 except step 3
// (compressed) and a stale tail beyond the sweep.
class TraceSpreadingTest : public TraceSetTest {
 protected:
  void Measure(int steps, double stepHz) {
    state_.stepsPerScan = steps;
    for (int k = 0; k <= 500; ++k) {
      state_.stepFrequencyHz[k] = k <= steps ? static_cast<float>(1000000.0 + k * stepHz) : 0.0f;
      edit([&](TraceData& d) {
        d.currentTrace[k] = k <= steps ? (k % 2 ? 50 : 41) : 7;
        d.stepStatus[k] = k == 3 ? 2 : 1;
      });
    }
    edit([&](TraceData& d) { d.stepStatus[0] = 0; });
  }
  float F(int n) const { return state_.stepFrequencyHz[n]; }
  std::int32_t L(int n) const { return traces_.data().currentTrace[n]; }
  std::int32_t S(int n) const { return traces_.data().stepStatus[n]; }
  void ExpectKeptAsSource() {
    for (int n = 0; n <= 500; ++n) {
      ASSERT_EQ(traces_.data().currentSource.frequenciesHz[n], F(n)) << n;
    }
  }
};

TEST_F(TraceSpreadingTest, FullSweepIsKeptAsMeasured) {
  Measure(500, 1000.0);
  traces_.KeepCurrentSource();
  EXPECT_EQ(F(500), 1500000.0f);
  EXPECT_EQ(L(499), 50);
  EXPECT_EQ(traces_.data().currentSource.levels, traces_.data().currentTrace);
  ExpectKeptAsSource();
}

TEST_F(TraceSpreadingTest, TwoHundredAndFiftyStepsInterpolateEveryOtherPoint) {
  Measure(250, 1000.0);
  traces_.KeepCurrentSource();
  // Frequencies: half steps in between, the measured ones on the even points.
  for (int n = 0; n <= 500; ++n) ASSERT_EQ(F(n), 1000000.0f + 500.0f * n) << n;
  // Levels: 41 -> 50 steps by 9 / 2 = 4; 50 -> 41 by -9 / 2 = -4 (not -5).
  EXPECT_EQ(L(0), 41);
  EXPECT_EQ(L(1), 45);
  EXPECT_EQ(L(2), 50);
  EXPECT_EQ(L(3), 46);
  EXPECT_EQ(L(4), 41);
  EXPECT_EQ(L(499), 46);
  EXPECT_EQ(L(500), 41);
  // Each step's status covers both points of its interval.
  EXPECT_EQ(S(0), 0);
  EXPECT_EQ(S(4), 1);
  EXPECT_EQ(S(5), 2);
  EXPECT_EQ(S(6), 2);
  EXPECT_EQ(S(7), 1);
  EXPECT_EQ(traces_.data().currentSource.levels, traces_.data().currentTrace);
  ExpectKeptAsSource();
}

TEST_F(TraceSpreadingTest, InterpolatedFrequencyStepIsRoundedHalfToEven) {
  // Steps of 1 Hz give half steps of 0.5 -> 0; steps of 3 Hz give 1.5 -> 2.
  for (double step : {1.0, 3.0}) {
    Measure(250, step);
    traces_.KeepCurrentSource();
    const float expected = step == 1.0 ? 0.0f : 2.0f;
    EXPECT_EQ(F(1) - F(0), expected) << step;
    EXPECT_EQ(F(2), static_cast<float>(1000000.0 + step)) << step;
  }
}

TEST_F(TraceSpreadingTest, OneHundredStepsFillFivePointsPerInterval) {
  Measure(100, 5000.0);
  traces_.KeepCurrentSource();
  for (int n = 0; n <= 500; ++n) ASSERT_EQ(F(n), 1000000.0f + 1000.0f * n) << n;
  // 41 -> 50: 9 / 5 = 1 per point; 50 -> 41: -1 per point.
  const std::int32_t first[] = {41, 42, 43, 44, 45, 50, 49, 48, 47, 46, 41};
  for (int n = 0; n <= 10; ++n) EXPECT_EQ(L(n), first[n]) << n;
  EXPECT_EQ(L(495), 50);  // step 99
  EXPECT_EQ(L(496), 49);
  EXPECT_EQ(L(500), 41);  // step 100
  EXPECT_EQ(S(10), 1);
  for (int n = 11; n <= 15; ++n) EXPECT_EQ(S(n), 2) << n;  // step 3
  EXPECT_EQ(S(16), 1);
  ExpectKeptAsSource();
}

TEST_F(TraceSpreadingTest, ThreeHundredAndEightySevenStepsPadOnlyTheKeptCopy) {
  Measure(387, 1000.0);
  traces_.KeepCurrentSource();
  EXPECT_EQ(F(387), 1387000.0f);
  EXPECT_EQ(F(388), 1387000.0f + 388.0f);  // the display index, in Hz
  EXPECT_EQ(F(500), 1387000.0f + 500.0f);
  // The Current trace and the statuses keep their values beyond the sweep.
  EXPECT_EQ(L(387), 50);
  EXPECT_EQ(L(388), 7);
  EXPECT_EQ(L(500), 7);
  EXPECT_EQ(S(500), 1);
  EXPECT_EQ(traces_.data().currentSource.levels[387], 50);
  EXPECT_EQ(traces_.data().currentSource.levels[388], 50);
  EXPECT_EQ(traces_.data().currentSource.levels[500], 50);
  EXPECT_EQ(traces_.data().currentSource.levels[386], 41);
  ExpectKeptAsSource();
}

TEST_F(TraceSpreadingTest, OneHundredAndNinetyThreeStepsRepeatTheLastPoint) {
  Measure(193, 2000.0);
  edit([&](TraceData& d) {
    d.stepStatus[200] = 2;
  });  // beyond the sweep: the repeat still reaches it
  traces_.KeepCurrentSource();
  for (int n = 0; n <= 386; ++n) ASSERT_EQ(F(n), 1000000.0f + 1000.0f * n) << n;
  EXPECT_EQ(L(385), 45);  // between steps 192 (41) and 193 (50): 41 + 4
  EXPECT_EQ(L(386), 50);
  EXPECT_EQ(F(387), 1386000.0f + 387.0f);
  EXPECT_EQ(F(500), 1386000.0f + 500.0f);
  EXPECT_EQ(L(387), 50);
  EXPECT_EQ(L(500), 50);
  // Status entries 1 to 250 each cover two points.
  EXPECT_EQ(S(5), 2);
  EXPECT_EQ(S(6), 2);
  EXPECT_EQ(S(399), 2);
  EXPECT_EQ(S(400), 2);
  EXPECT_EQ(S(401), 1);
  EXPECT_EQ(traces_.data().currentSource.levels, traces_.data().currentTrace);
  ExpectKeptAsSource();
}

TEST_F(TraceSpreadingTest, SeventySevenStepsSpreadSeventyIntervalsAndCopyTheRest) {
  Measure(77, 7000.0);
  edit([&](TraceData& d) { d.stepStatus[80] = 2; });
  traces_.KeepCurrentSource();
  for (int n = 0; n <= 490; ++n) ASSERT_EQ(F(n), 1000000.0f + 1000.0f * n) << n;
  // 41 -> 50 over 7 points: 9 / 7 = 1 per point.
  const std::int32_t first[] = {41, 42, 43, 44, 45, 46, 47, 50};
  for (int n = 0; n <= 7; ++n) EXPECT_EQ(L(n), first[n]) << n;
  EXPECT_EQ(L(490), 41);  // step 70
  // Steps 71 to 77 as measured.
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(F(491 + i), static_cast<float>(1000000.0 + (71 + i) * 7000.0)) << i;
    EXPECT_EQ(L(491 + i), (71 + i) % 2 ? 50 : 41) << i;
  }
  // Then step 77 + 1, 2, 3 Hz with the levels points 78 to 80 were just given:
  // step 11 (50) towards step 12 (41) by -1 a point.
  EXPECT_EQ(F(498), 1539001.0f);
  EXPECT_EQ(F(500), 1539003.0f);
  EXPECT_EQ(L(498), 49);
  EXPECT_EQ(L(499), 48);
  EXPECT_EQ(L(500), 47);
  // Statuses: seven points per interval, then entries 71 to 80 one to one.
  for (int n = 15; n <= 21; ++n) EXPECT_EQ(S(n), 2) << n;  // step 3
  EXPECT_EQ(S(22), 1);
  EXPECT_EQ(S(499), 1);
  EXPECT_EQ(S(500), 2);  // entry 80
  EXPECT_EQ(traces_.data().currentSource.levels, traces_.data().currentTrace);
  ExpectKeptAsSource();
}

TEST_F(TraceSpreadingTest, OtherStepCountsChangeAndKeepNothing) {
  Measure(485, 1000.0);
  edit([&](TraceData& d) { d.currentSource.levels.fill(9); });
  const Trace before = traces_.data().currentTrace;
  traces_.KeepCurrentSource();
  EXPECT_EQ(traces_.data().currentTrace, before);
  EXPECT_EQ(traces_.data().currentSource.levels[0], 9);
  EXPECT_EQ(traces_.data().currentSource.frequenciesHz[1], 0.0f);
}

}  // namespace
}  // namespace tq::test
