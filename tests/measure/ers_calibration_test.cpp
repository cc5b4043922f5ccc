// What the scan engine does for an ERS calibration, and the 1 GHz peak check's rule. The
// calibration's flows run against the simulated analyser (sim/ErsScenarioTest.cpp).
#include <gtest/gtest.h>

#include "measure/EngineFixture.h"
#include "measure/ErsCalibration.h"
#include "model/Numbers.h"

namespace tq::test {
namespace {

TEST(ErsPeakCheck, ThreeReadingsAtOrAboveTheThresholdFindThePeak) {
  const struct {
    std::array<std::int32_t, 3> readings;
    bool found;
    std::int32_t errorHz;
    const char* shown;
  } cases[] = {
      {{1000010000, 999990000, 1000000000}, true, 0, "1000000000"},
      {{999685000, 999685000, 999685000}, true, -315000, "999685000"},
      {{999684999, 1000000000, 1000000000}, false, -105000, "999895000"},
      {{1000000000, 1000000000, 0}, false, -333333333, "666666667"},  // no reading
      {{1000000100, 1000000100, 1000000101}, true, 100, "1000000100"},
  };
  for (const auto& c : cases) {
    const PeakCheck check = EvaluatePeakReadings(c.readings);
    EXPECT_EQ(check.found, c.found) << c.readings[0];
    EXPECT_EQ(check.errorHz, c.errorHz) << c.readings[0];
    EXPECT_EQ(FormatFixed(check.meanHz, 0, 0), c.shown) << c.readings[0];
  }
}

// A single shot in each calibration mode: modes 1 and 2 start an ERS sweep, and the end of
// the run hands over to the calibration; outside a calibration neither happens.
TEST_F(EngineTest, CalibrationShotsStartErsSweepsAndEndInTheCalibration) {
  const struct {
    int mode;
    int start;
    int runsEnded;
  } cases[] = {{0, 0x34, 0}, {1, 0x37, 1}, {2, 0x37, 1}};
  for (const auto& c : cases) {
    features_.ers.mode = c.mode;
    features_.ers.runsEnded = 0;
    state_.stepsPerScan = 100;
    sentFrames();
    engine_.Button1Click();
    const auto sent = sentFrames();
    EXPECT_EQ(valuesOf(sent, c.start).size(), 1u) << c.mode;
    EXPECT_EQ(valuesOf(sent, c.start == 0x34 ? 0x37 : 0x34).size(), 0u) << c.mode;
    for (int i = 0; i <= 100; ++i) dataFrame(0, 30000000 + i * 10000000, 500);
    EXPECT_FALSE(state_.runInProgress) << c.mode;
    EXPECT_EQ(features_.ers.runsEnded, c.runsEnded) << c.mode;
  }
}

// The peak readings come as data frames under detector 0: the engine keeps their frequency.
TEST_F(EngineTest, DetectorZeroKeepsTheReportedFrequency) {
  state_.detector = 0;
  dataFrame(0, 1000012345, 500);
  EXPECT_EQ(engine_.tunedFrequencyHz(), 1000012345);
  engine_.ClearTunedFrequency();
  EXPECT_EQ(engine_.tunedFrequencyHz(), 0);
}

}  // namespace
}  // namespace tq::test
