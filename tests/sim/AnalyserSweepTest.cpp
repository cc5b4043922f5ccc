#include <gtest/gtest.h>

#include <cmath>

#include "SimHarness.h"

namespace tq::sim::test {
namespace {

void setUpSweep(Harness& h, std::int32_t start, std::int32_t finish, std::int32_t steps) {
  h.send(0x30, start, 4);
  h.send(0x31, finish, 4);
  h.send(0x33, steps, 3);
  h.run(50);
  h.take();
}

TEST(AnalyserSweep, AckedToTheEndGivesOneFramePerStepPlusOne) {
  Harness h;
  h.send(0x83, 1, 1);
  setUpSweep(h, 30000000, 130000000, 10);
  h.send(0x34);
  const auto points = h.ackAll();
  ASSERT_EQ(points.size(), 11u);
  for (int i = 0; i <= 10; ++i) {
    EXPECT_EQ(points[i].hz, 30000000 + i * 10000000) << i;
    EXPECT_EQ(points[i].stepStatus, 0) << i;
  }
  EXPECT_FALSE(h.analyser().sweeping());
  EXPECT_EQ(h.status() >> 4, 0);
}

TEST(AnalyserSweep, LogarithmicAxisSpacesStepsByRatio) {
  Harness h;
  h.send(0x83, 1, 1);
  setUpSweep(h, 30000000, 1000000000, 65536 + 4);
  h.send(0x34);
  const auto points = h.ackAll();
  ASSERT_EQ(points.size(), 5u);
  for (int i = 0; i <= 4; ++i) {
    const double expected = 30e6 * std::pow(1000.0 / 30.0, i / 4.0);
    EXPECT_NEAR(points[i].hz, expected, 1.0) << i;
  }
}

TEST(AnalyserSweep, SendsTheNextPointOnlyAfterTheAck) {
  Harness h;
  setUpSweep(h, 10000000, 11000000, 5);
  h.send(0x34);
  h.run(500);
  auto messages = h.take();
  ASSERT_EQ(messages.size(), 2u);  // the command's ACK and the first point, nothing more
  EXPECT_EQ(messages[0], Bytes{0x06});
  EXPECT_EQ(decodeData(messages[1]).hz, 10000000);

  // A NAK from the program brings the same point again, still waiting for its ACK.
  h.send(Bytes{0x15});
  h.run(500);
  messages = h.takeFrames();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(decodeData(messages[0]).hz, 10000000);
  EXPECT_EQ(h.status(), 0x40);  // Scanning, still waiting

  h.ack();
  h.run(100);
  messages = h.takeFrames();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(decodeData(messages[0]).hz, 10200000);
}

TEST(AnalyserSweep, StopEndsTheSweepAndANewStartBeginsAgain) {
  Harness h;
  setUpSweep(h, 1000000, 2000000, 5);
  h.send(0x34);
  h.ackAll(100, 3);
  h.send(0x36);
  h.run(50);
  h.ack();
  h.run(200);
  EXPECT_TRUE(h.takeFrames().empty());
  EXPECT_FALSE(h.analyser().sweeping());

  h.send(0x37);  // an ERS sweep runs the same steps
  h.run(50);
  EXPECT_EQ(h.status() >> 4, 3);
  EXPECT_EQ(h.ackAll().size(), 6u);
}

TEST(AnalyserSweep, SegmentedSweepHoldsAtEachSegmentEndUntilContinued) {
  Harness h;
  setUpSweep(h, 1000000, 11000000, 10);
  h.send(0x38, 4500000, 4);
  h.send(0x39);
  auto points = h.ackAll();
  ASSERT_EQ(points.size(), 5u);  // 1..5 MHz, the last one marking the segment end
  EXPECT_EQ(points[3].stepStatus, 0);
  EXPECT_EQ(points[4].hz, 5000000);
  EXPECT_EQ(points[4].stepStatus, 0x20);
  EXPECT_TRUE(h.analyser().holdingAtSegmentEnd());
  EXPECT_EQ(h.status() >> 4, 2);

  h.run(2000);  // holds however long the band change takes
  EXPECT_TRUE(h.takeFrames().empty());

  h.send(0x38, 8000000, 4);  // the next segment end, then continue
  h.send(0x3A);
  points = h.ackAll();
  ASSERT_EQ(points.size(), 3u);
  EXPECT_EQ(points[0].hz, 6000000);
  EXPECT_EQ(points[2].hz, 8000000);
  EXPECT_EQ(points[2].stepStatus, 0x20);

  h.send(0x3B);  // last segment: no more holds
  points = h.ackAll();
  ASSERT_EQ(points.size(), 3u);
  EXPECT_EQ(points[2].hz, 11000000);
  for (const DataPoint& p : points) EXPECT_EQ(p.stepStatus, 0);
  EXPECT_FALSE(h.analyser().sweeping());
}

TEST(AnalyserSweep, ContinueMayArriveBeforeTheAckOfTheMarkedStep) {
  Harness h;
  setUpSweep(h, 1000000, 3000000, 2);
  h.send(0x38, 1500000, 4);
  h.send(0x39);
  h.ackAll(100, 1);
  h.run(100);
  auto frames = h.takeFrames();
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(decodeData(frames[0]).stepStatus, 0x20);
  h.send(0x3B);  // the program continues first and acknowledges the point afterwards
  h.run(50);
  EXPECT_TRUE(h.takeFrames().empty());
  h.ack();
  EXPECT_EQ(h.ackAll().size(), 1u);
}

TEST(AnalyserSweep, NeverHoldsOnTheLastStep) {
  Harness h;
  setUpSweep(h, 1000000, 3000000, 2);
  h.send(0x38, 2999999, 4);
  h.send(0x39);
  const auto points = h.ackAll();
  ASSERT_EQ(points.size(), 3u);
  EXPECT_EQ(points[2].stepStatus, 0);
  EXPECT_FALSE(h.analyser().sweeping());
  EXPECT_EQ(h.status() >> 4, 0);
}

TEST(AnalyserSweep, ReportsCompressionWhileOnTheOverdrivingCarrier) {
  Harness h({.seed = 11});
  const auto strong = h.analyser().spectrum().carriers().front();
  const auto hz = static_cast<std::int32_t>(strong.hz);
  setUpSweep(h, hz, hz + 1000000, 100);
  h.send(0x34);
  h.run(100);
  EXPECT_EQ(h.status() & 0x08, 0x08);
  h.send(0x36);
  h.send(0x10, 20, 1);
  h.send(0x34);
  h.run(100);
  EXPECT_EQ(h.status() & 0x08, 0);
}

}  // namespace
}  // namespace tq::sim::test
