#include <gtest/gtest.h>

#include "AnalyserFrames.h"
#include "Spectrum.h"

namespace tq::sim {
namespace {

constexpr FrontEnd kLow{false, 0};
constexpr FrontEnd kHigh{true, 0};

// Mean of many readings, to compare detectors and settings without the reading noise.
double mean(const SpectrumModel& s, double hz, Detector d, FrontEnd fe) {
  double sum = 0.0;
  for (std::uint64_t i = 0; i < 200; ++i) sum += s.level(hz, 0.0, d, fe, i);
  return sum / 200;
}

TEST(Spectrum, SameSeedSameSpectrumOtherSeedOther) {
  const SpectrumModel a(42);
  const SpectrumModel b(42);
  const SpectrumModel c(43);
  EXPECT_EQ(a.level(123.4e6, 1e5, Detector::Peak, kHigh, 7),
            b.level(123.4e6, 1e5, Detector::Peak, kHigh, 7));
  EXPECT_NE(a.carriers().front().hz, c.carriers().front().hz);
  // Readings differ from one to the next, as noise does.
  EXPECT_NE(a.level(123.4e6, 1e5, Detector::Peak, kHigh, 7),
            a.level(123.4e6, 1e5, Detector::Peak, kHigh, 8));
}

TEST(Spectrum, LevelsAreBehindTheAttenuatorOverAFloorThatFallsOnSlowDetectors) {
  const SpectrumModel s(1);
  const double quietHigh = 500.5e6;  // between clock harmonics
  const double at0 = mean(s, quietHigh, Detector::Peak, kHigh);
  // The floor is the detector's own; a line falls by the attenuation.
  EXPECT_NEAR(mean(s, quietHigh, Detector::Peak, {true, 20}), at0, 0.5);
  EXPECT_NEAR(mean(s, 48e6, Detector::Peak, kHigh) - mean(s, 48e6, Detector::Peak, {true, 10}),
              10.0, 1.0);
  EXPECT_LT(mean(s, quietHigh, Detector::Average, kHigh), at0 - 3.0);
  EXPECT_GT(at0, mean(s, 29.5e6, Detector::Peak, kLow));
}

TEST(Spectrum, ClockHarmonicsStandOutAndFallWithFrequency) {
  const SpectrumModel s(1);
  const double h3 = mean(s, 48e6, Detector::Peak, kHigh);
  const double h50 = mean(s, 800e6, Detector::Peak, kHigh);
  EXPECT_GT(h3, mean(s, 48.5e6, Detector::Peak, kHigh) + 20.0);
  EXPECT_GT(h3, h50 + 10.0);
  // A narrowband line reads the same on every detector.
  EXPECT_NEAR(mean(s, 48e6, Detector::Average, kHigh), h3, 1.0);
  // A wide sweep step still catches a line inside its bin.
  EXPECT_GT(s.level(48.7e6, 1e6, Detector::Peak, kHigh, 0), h3 - 1.0);
}

TEST(Spectrum, BroadbandNoiseAtLowFrequenciesReadsLowerOnQuasiPeakAndAverage) {
  const SpectrumModel s(1);
  const double hz = 200e3;
  const double peak = mean(s, hz, Detector::Peak, kLow);
  const double qp = mean(s, hz, Detector::QuasiPeak, kLow);
  const double avg = mean(s, hz, Detector::Average, kLow);
  EXPECT_GT(peak, 50.0);
  EXPECT_LT(qp, peak - 5.0);
  EXPECT_LT(avg, qp - 5.0);
  EXPECT_GT(peak, mean(s, 20.3e6, Detector::Peak, kLow) + 15.0);
}

// Single frequency: what tells the detectors apart on a peak of the HIGH sweep.
TEST(Spectrum, APulsedEmissionReadsLowerOnQuasiPeakAndLowerStillOnAverage) {
  for (std::uint64_t seed : {1u, 2u, 3u}) {
    const SpectrumModel s(seed);
    const SpectrumModel::Line& line = s.pulsedLine();
    const double peak = mean(s, line.hz, Detector::Peak, kHigh);
    EXPECT_NEAR(peak, line.dbuv, 1.5) << seed;
    EXPECT_NEAR(mean(s, line.hz, Detector::Instant, kHigh), peak, 0.5) << seed;
    EXPECT_NEAR(peak - mean(s, line.hz, Detector::QuasiPeak, kHigh), 8.0, 1.5) << seed;
    EXPECT_NEAR(peak - mean(s, line.hz, Detector::Average, kHigh), 20.0, 2.5) << seed;
    // A peak of the sweep, and the strongest line near it for peak tracking.
    EXPECT_GT(s.level(line.hz + 1e6, 1e6, Detector::Peak, kHigh, 0),
              mean(s, line.hz + 2.5e6, Detector::Peak, kHigh) + 20.0)
        << seed;
    EXPECT_EQ(s.strongestLine(line.hz - 200e3, line.hz + 200e3, kHigh), line.hz) << seed;
  }
}

TEST(Spectrum, CompressesOnlyWhenOverdrivenWithoutAttenuation) {
  for (std::uint64_t seed : {1u, 2u, 3u}) {
    const SpectrumModel s(seed);
    const double strong = s.carriers().front().hz;
    EXPECT_TRUE(s.compressed(strong, 0.0, kLow)) << seed;
    EXPECT_FALSE(s.compressed(strong, 0.0, {false, 10})) << seed;
    EXPECT_FALSE(s.compressed(strong + 2e6, 0.0, kLow)) << seed;
    EXPECT_FALSE(s.compressed(strong, 0.0, kHigh)) << seed;  // filtered off in HIGH
  }
}

TEST(Spectrum, ErsCombOnlyWhenTheUnitIsOn) {
  SpectrumModel s(9);
  EXPECT_FALSE(s.strongestLine(999e6, 1001e6, kHigh).has_value());
  s.setErsSource(true);
  const auto line = s.strongestLine(999e6, 1001e6, kHigh);
  ASSERT_TRUE(line.has_value());
  EXPECT_DOUBLE_EQ(*line, s.ersPeakHz());
  EXPECT_GT(mean(s, 500e6, Detector::Peak, kHigh), 45.0);
}

TEST(AnalyserFrames, LevelCountsFollowTheLinkFormula) {
  EXPECT_EQ(rawLevel(20.0), 0);
  EXPECT_EQ(rawLevel(88.493), 1000);
  EXPECT_EQ(rawLevel(-5.0), 0);
  EXPECT_EQ(rawLevel(1e6), 65535);
  EXPECT_EQ(dataFrame(0x20, 30000000, 0x03E8),
            (std::vector<std::uint8_t>{0x01, 0x09, 0xD0, 0x20, 0x01, 0xC9, 0xC3, 0x80, 0x03, 0xE8,
                                       0x04}));
}

}  // namespace
}  // namespace tq::sim
