#include <gtest/gtest.h>

#include "SimHarness.h"

namespace tq::sim::test {
namespace {

// The point-by-point order: tracking off, sampling 100, frequency, detector.
void startPointByPoint(Harness& h, std::int32_t hz, std::uint8_t detectorCode) {
  h.send(0x4D, 0, 1);
  h.send(0x45, 100, 2);
  h.send(0x40, hz, 4);
  h.send(detectorCode);
}

TEST(AnalyserReadings, OneReadingPerAckAtTheDetectorsPaceUntilStopped) {
  Harness h;
  startPointByPoint(h, 5000000, 0x46);
  h.run(1000);
  auto frames = h.takeFrames();
  ASSERT_EQ(frames.size(), 1u);  // no ACK yet: one reading only
  EXPECT_EQ(decodeData(frames[0]).hz, 5000000);
  EXPECT_EQ(h.status() >> 4, 6);  // S/F Average

  const double before = h.ticks.nowMs();
  h.ack();
  h.run(200);
  EXPECT_TRUE(h.takeFrames().empty());  // an average reading takes 250 ms at sampling 100
  h.run(100);
  frames = h.takeFrames();
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_GE(h.chunkTimes.back() - before, 250.0);

  h.send(0x4A);
  h.run(50);
  h.ack();
  h.run(2000);
  EXPECT_TRUE(h.takeFrames().empty());
  EXPECT_FALSE(h.analyser().readingsRunning());
  EXPECT_EQ(h.status() >> 4, 0);
}

TEST(AnalyserReadings, SlowDetectorsSettleWithinTwentyThreeReadings) {
  for (const std::uint8_t code : {std::uint8_t{0x46}, std::uint8_t{0x48}}) {
    Harness h({.seed = 3});
    // A clock harmonic: a steady line, so the settled readings agree closely.
    startPointByPoint(h, 48000000, code);
    h.send(0x83, 1, 1);
    const auto readings = h.ackAll(400, 23);
    ASSERT_EQ(readings.size(), 23u);
    EXPECT_LT(readings[0].dbuv(), readings[22].dbuv() - 10.0) << int(code);
    EXPECT_NEAR(readings[21].dbuv(), readings[22].dbuv(), 2.0) << int(code);
    EXPECT_GT(readings[22].dbuv(), 55.0) << int(code);

    // Retuning starts the detector charging again.
    h.send(0x4A);
    h.send(0x40, 64000000, 4);
    h.send(code);
    const auto again = h.ackAll(400, 2);
    ASSERT_FALSE(again.empty());
    EXPECT_LT(again[0].dbuv(), readings[22].dbuv() - 10.0);
    EXPECT_EQ(again[0].hz, 64000000);
  }
}

TEST(AnalyserReadings, DetectorCommandsSetTheStateCodes) {
  Harness h;
  h.send(0x40, 2000000, 4);
  h.send(0x41, 500, 2);
  h.send(0x42);
  h.run(50);
  EXPECT_EQ(h.status() >> 4, 5);
  EXPECT_EQ(h.analyser().samplingValue(), 500);
  h.send(0x48);
  h.run(50);
  EXPECT_EQ(h.status() >> 4, 7);
}

TEST(AnalyserReadings, TuningMovesByStepsAndReportsTheRangeEdge) {
  Harness h;
  h.send(0x40, 10000, 4);
  h.send(0x4B);
  h.send(0x4B);
  h.run(20);
  EXPECT_EQ(h.analyser().tunedHz(), 12000);
  h.send(0x4C);
  h.send(0x4C);
  h.send(0x4C);
  h.send(0x42);
  const auto readings = h.ackAll(200, 1);
  ASSERT_EQ(readings.size(), 1u);
  EXPECT_EQ(readings[0].hz, 10000);
  EXPECT_EQ(readings[0].stepStatus, 1);  // could not go below the bottom of the range
}

TEST(AnalyserReadings, OutOfRangeFrequencyIsInvalid) {
  Harness h;  // LOW range
  h.send(0x40, 100000000, 4);
  h.send(0x42);
  const auto readings = h.ackAll(200, 1);
  ASSERT_EQ(readings.size(), 1u);
  EXPECT_EQ(readings[0].stepStatus, 4);
}

TEST(AnalyserReadings, StatusesAskedForComeWithTheNextReadingsOnly) {
  Harness h;
  h.send(0x40, 5000000, 4);
  h.send(0x42);
  h.analyser().injectReadingStatus(0x44, 2);
  const auto readings = h.ackAll(200, 3);
  ASSERT_EQ(readings.size(), 3u);
  EXPECT_EQ(readings[0].stepStatus, 0x44);
  EXPECT_EQ(readings[1].stepStatus, 0x44);
  EXPECT_EQ(readings[2].stepStatus, 0);
}

TEST(AnalyserReadings, PeakTrackingFollowsALineOrReportsItLost) {
  Harness h;
  h.send(0x83, 1, 1);
  h.send(0x4D, 1, 1);
  h.send(0x40, 160050000, 4);  // 50 kHz off the tenth clock harmonic
  h.send(0x42);
  auto readings = h.ackAll(200, 2);
  ASSERT_EQ(readings.size(), 2u);
  EXPECT_EQ(readings[0].hz, 160000000);
  EXPECT_EQ(readings[0].stepStatus, 0);

  h.send(0x40, 168000000, 4);  // nothing within reach
  readings = h.ackAll(200, 2);
  ASSERT_FALSE(readings.empty());
  EXPECT_EQ(readings.back().stepStatus & 0x40, 0x40);
}

}  // namespace
}  // namespace tq::sim::test
