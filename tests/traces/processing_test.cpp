#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "traces/TraceFixture.h"

namespace tq::test {
namespace {

TEST(RoundHalfEvenTest, NearestWithHalvesToEvenAndNoUndefinedConversions) {
  const struct {
    double value;
    std::int32_t expected;
  } cases[] = {
      {0.5, 0},
      {1.5, 2},
      {2.5, 2},
      {40.5, 40},
      {41.5, 42},
      {-0.5, 0},
      {-1.5, -2},
      {-2.5, -2},
      {2.4999, 2},
      {2.5001, 3},
      {-2.5001, -3},
      {254.6, 255},
      {1e12, std::numeric_limits<std::int32_t>::max()},
      {-1e12, std::numeric_limits<std::int32_t>::min()},
      {std::nan(""), 0},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.value), c.expected) << c.value;
}

TEST(EmissionsDifferenceTest, RemainingSignalInVoltageTerms) {
  const struct {
    std::int32_t current, stored, expected;
  } cases[] = {
      {50, 40, 47}, {40, 50, -47}, {60, 0, 60},  {0, 60, -60},  {40, 40, 0}, {0, 0, 0},
      {41, 40, 22}, {40, 41, -22}, {60, 50, 57}, {100, 99, 81}, {3, 2, -16}, {255, 0, 255},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EmissionsDifference(c.current, c.stored), c.expected)
        << c.current << " against " << c.stored;
  }
}

using TraceProcessingTest = TraceSetTest;

TEST_F(TraceProcessingTest, AverageEightIsCumulativeAndEndsAfterTheEighthSweep) {
  state_.processingMode = 1;
  state_.runActive = true;
  traces_.ResetCalculation();
  const float levels[] = {40, 41, 42, 43, 40, 40, 40, 40};
  const std::int32_t expected[] = {40, 40, 41, 42, 41, 41, 41, 41};  // 40.5 rounds to 40
  for (int sweep = 0; sweep < 8; ++sweep) {
    traces_.ProcessPoint(12, levels[sweep]);
    EXPECT_EQ(traces_.data().currentTrace[12], expected[sweep]) << "sweep " << sweep + 1;
    if (sweep == 4) {
      EXPECT_EQ(traces_.StepPanelText(12), " 12    5/8");
    }
    if (sweep == 7) {
      EXPECT_EQ(traces_.StepPanelText(12), " 12  8/8");
    }
    EXPECT_EQ(traces_.EndOfSweep(), sweep == 7) << "sweep " << sweep + 1;
    EXPECT_EQ(state_.runActive, sweep < 7);
  }
  EXPECT_EQ(state_.scansDone, 9);
}

TEST_F(TraceProcessingTest, EachModeEndsTheRunAfterItsOwnNumberOfSweeps) {
  const struct {
    std::int32_t mode;
    int sweepsUntilEnd;  // 0: never within 40 sweeps
  } cases[] = {{0, 0}, {1, 8}, {2, 16}, {3, 32}, {4, 0}};
  for (const auto& c : cases) {
    state_.processingMode = c.mode;
    state_.scansDone = 1;
    state_.runActive = true;
    int ended = 0;
    for (int sweep = 1; sweep <= 40 && ended == 0; ++sweep) {
      if (traces_.EndOfSweep()) ended = sweep;
    }
    EXPECT_EQ(ended, c.sweepsUntilEnd) << "mode " << c.mode;
    EXPECT_EQ(state_.runActive, c.sweepsUntilEnd == 0) << "mode " << c.mode;
  }
}

TEST_F(TraceProcessingTest, OutOfRangeAveragesAndPeaksBecomeZero) {
  state_.processingMode = 2;
  traces_.ProcessPoint(0, 300.0f);  // mean 300
  traces_.ProcessPoint(1, -3.0f);   // mean -3
  traces_.ProcessPoint(2, 255.0f);  // the top of the range is still valid
  EXPECT_EQ(traces_.data().currentTrace[0], 0);
  EXPECT_EQ(traces_.data().currentTrace[1], 0);
  EXPECT_EQ(traces_.data().currentTrace[2], 255);

  // Processing off takes the level as it is.
  state_.processingMode = 0;
  traces_.ProcessPoint(3, 300.0f);
  traces_.ProcessPoint(4, 40.5f);
  EXPECT_EQ(traces_.data().currentTrace[3], 300);
  EXPECT_EQ(traces_.data().currentTrace[4], 40);
}

TEST_F(TraceProcessingTest, PeakHoldKeepsPeaksAndRestartsAfterAnOutOfRangeLevel) {
  state_.processingMode = 4;
  const struct {
    float level;
    std::int32_t expected;
  } steps[] = {{30, 30}, {50, 50}, {40, 50}, {300, 0}, {20, 20}, {-5, 20}};
  for (const auto& s : steps) {
    traces_.ProcessPoint(7, s.level);
    EXPECT_EQ(traces_.data().currentTrace[7], s.expected) << s.level;
    EXPECT_EQ(traces_.data().accumulator[7], static_cast<float>(s.expected));
  }
}

TEST_F(TraceProcessingTest, SingleFrequencySamplesOnlyFillTheirOwnTrace) {
  state_.measurementMode = 2;
  state_.processingMode = 4;
  traces_.ProcessPoint(3, 61.5f);
  EXPECT_EQ(traces_.data().singleFrequencyTrace[3], 62);
  EXPECT_EQ(traces_.data().currentTrace[3], 0);
  EXPECT_EQ(traces_.data().accumulator[3], 0.0f);
}

TEST_F(TraceProcessingTest, PointsOffTheTraceAreIgnored) {
  for (int point : {-1, 501, 100000}) traces_.ProcessPoint(point, 40.0f);
  state_.measurementMode = 2;
  for (int point : {-1, 501}) traces_.ProcessPoint(point, 40.0f);
  for (std::size_t n = 0; n < kTracePoints; ++n) {
    ASSERT_EQ(traces_.data().currentTrace[n], 0);
    ASSERT_EQ(traces_.data().singleFrequencyTrace[n], 0);
  }
}

TEST_F(TraceProcessingTest, LevelsAreCorrectedAtTheirOwnFrequency) {
  std::vector<float> asked;
  features_.inputs.correct = [&](float level, float frequencyHz) {
    asked.push_back(frequencyHz);
    return level + 10.0f;
  };
  state_.stepFrequencyHz[5] = 45000000.0f;
  traces_.ProcessPoint(5, 30.0f);
  EXPECT_EQ(traces_.data().currentTrace[5], 40);

  // A single-frequency sample is corrected at the single frequency, not at a step's.
  features_.single.hz = 123000000;
  state_.measurementMode = 2;
  traces_.ProcessPoint(5, 30.0f);
  EXPECT_EQ(traces_.data().singleFrequencyTrace[5], 40);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0], 45000000.0f);
  EXPECT_EQ(asked[1], 123000000.0f);
}

TEST_F(TraceProcessingTest, ChangingTheModeKeepsTheAccumulatorAndTheCount) {
  state_.processingMode = 1;
  traces_.ProcessPoint(0, 40.0f);
  traces_.EndOfSweep();
  traces_.ProcessPoint(0, 42.0f);
  traces_.EndOfSweep();
  edit([&](TraceData& d) { d.peakHoldCarry = true; });
  model_.stepPanelText = "  0    3/8";

  traces_.SetProcessingMode(2);
  EXPECT_EQ(state_.processingMode, 2);
  EXPECT_EQ(state_.scansDone, 3);
  EXPECT_EQ(traces_.data().accumulator[0], 82.0f);
  EXPECT_FALSE(traces_.data().peakHoldCarry);
  EXPECT_EQ(model_.stepPanelText, "");
  EXPECT_GE(view_.repaints, 1);
  traces_.ProcessPoint(0, 45.0f);  // (40 + 42 + 45) / 3
  EXPECT_EQ(traces_.data().currentTrace[0], 42);

  // Only a reset empties it.
  traces_.ResetCalculation();
  EXPECT_EQ(traces_.data().accumulator[0], 0.0f);
  EXPECT_EQ(traces_.data().currentTrace[0], 0);
  EXPECT_EQ(state_.scansDone, 1);
}

TEST_F(TraceProcessingTest, AveragingBeforeAnyResetDoesNotDivideByZero) {
  state_.scansDone = 0;
  state_.processingMode = 1;
  traces_.ProcessPoint(0, 50.0f);
  EXPECT_EQ(traces_.data().currentTrace[0], 50);
}

TEST_F(TraceProcessingTest, StepPanelShowsThePointAndTheProgressOfTheMode) {
  const struct {
    std::int32_t mode, scansDone;
    int point;
    const char* expected;
  } cases[] = {
      {0, 3, 12, " 12"},          {0, 1, 500, "500"},       {1, 5, 12, " 12    5/8"},
      {1, 7, 0, "  0    7/8"},    {1, 8, 12, " 12  8/8"},   {1, 9, 12, " 12  8/8"},
      {2, 15, 3, "  3   15/16"},  {2, 16, 3, "  3  16/16"}, {3, 31, 499, "499   31/32"},
      {3, 33, 499, "499  32/32"}, {4, 3, 7, "  7 Pk  3"},   {4, 120, 7, "  7 Pk120"},
  };
  for (const auto& c : cases) {
    state_.processingMode = c.mode;
    state_.scansDone = c.scansDone;
    EXPECT_EQ(traces_.StepPanelText(c.point), c.expected)
        << "mode " << c.mode << " scans " << c.scansDone;
  }
}

}  // namespace
}  // namespace tq::test
