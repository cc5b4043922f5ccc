#include <gtest/gtest.h>

#include <memory>

#include "SimHarness.h"

namespace tq::sim::test {
namespace {

TEST(SimulatedPort, OpensAnyComPortAndStartsWithDsrAndCtsHigh) {
  tq::test::VirtualTicks ticks;
  SimulatedLink link(ticks);
  EXPECT_FALSE(link.port.open(0));
  EXPECT_FALSE(link.port.open(5));
  for (int n = 1; n <= 4; ++n) {
    EXPECT_TRUE(link.port.open(n));
    EXPECT_EQ(link.port.portNumber(), n);
  }
  EXPECT_TRUE(link.port.dsr());
  EXPECT_TRUE(link.port.cts());
}

TEST(SimulatedPort, NeverDeliversFromInsideWrite) {
  Harness h;
  h.send(0x20);
  h.ticks.runPending();  // the command reaches the analyser on the next turn...
  EXPECT_TRUE(h.chunks.empty());
  h.run(20);  // ...and the answer after its reply time
  EXPECT_EQ(h.chunks.size(), 1u);
}

TEST(SimulatedPort, PacedFrameTakesElevenBitTimesPerByteEachWay) {
  Harness h({}, {true});
  h.send(0x20);  // 4 bytes out, 5 bytes back
  h.run(100);
  ASSERT_EQ(h.chunkTimes.size(), 1u);
  const double expected = 9 * kByteMs + h.analyser().options().replyDelayMs;
  EXPECT_NEAR(h.chunkTimes[0], expected, 0.01);
  EXPECT_NEAR(kByteMs, 1.1458, 0.0001);

  // Back-to-back frames queue behind each other on the wire.
  const double t0 = h.ticks.nowMs();
  h.send(0x21);
  h.send(0x21);
  h.run(100);
  ASSERT_EQ(h.chunkTimes.size(), 3u);
  EXPECT_NEAR(h.chunkTimes[2] - h.chunkTimes[1], 6 * kByteMs, 0.5);
  EXPECT_GT(h.chunkTimes[1] - t0, 10 * kByteMs);
}

TEST(SimulatedPort, UnpacedDeliversAtOnce) {
  Harness h;
  h.send(0x20);
  h.run(100);
  ASSERT_EQ(h.chunkTimes.size(), 1u);
  EXPECT_NEAR(h.chunkTimes[0], h.analyser().options().replyDelayMs, 0.01);
}

TEST(SimulatedPort, NakReplacesTheNextFrameWhichANakFromTheProgramRecovers) {
  Harness h;
  h.port().replaceNextFrameWithNak();
  h.send(0x21);
  h.run(20);
  EXPECT_EQ(h.take(), (std::vector<Bytes>{{0x15}}));
  h.send(Bytes{0x15});
  h.run(20);
  EXPECT_EQ(h.take(), (std::vector<Bytes>{{0x01, 0x04, 0xC1, 0x02, 0x0A, 0x04}}));
}

TEST(SimulatedPort, NakFaultSkipsAckBytes) {
  Harness h;
  h.port().replaceNextFrameWithNak();
  h.send(0x10, 10, 1);  // answered by a single ACK: not a frame
  h.send(0x20);
  h.run(20);
  EXPECT_EQ(h.take(), (std::vector<Bytes>{{0x06}, {0x15}}));
}

TEST(SimulatedPort, OverlongFrameIsSentInsteadAndTheRealOneComesOnNak) {
  Harness h;
  h.port().replaceNextFrameWithOverlong();
  h.send(0x20);
  h.run(20);
  ASSERT_EQ(h.chunks.size(), 1u);
  ASSERT_EQ(h.chunks[0].size(), 12u);
  EXPECT_EQ(h.chunks[0][1], 10);  // N = 10: more than the program accepts
  h.take();
  h.send(Bytes{0x15});
  h.run(20);
  EXPECT_EQ(h.take(), (std::vector<Bytes>{{0x01, 0x03, 0xC0, 0x00, 0x04}}));
}

TEST(SimulatedPort, SplitFrameArrivesInTwoDeliveries) {
  for (const bool paced : {false, true}) {
    Harness h({}, {paced});
    h.port().splitNextFrame(3);
    h.send(0x21);
    h.run(100);
    ASSERT_EQ(h.chunks.size(), 2u) << paced;
    EXPECT_EQ(h.chunks[0], (Bytes{0x01, 0x04, 0xC1}));
    EXPECT_EQ(h.chunks[1], (Bytes{0x02, 0x0A, 0x04}));
    h.send(0x21);  // only the next one
    h.run(100);
    EXPECT_EQ(h.chunks.size(), 3u);
  }
}

TEST(SimulatedPort, GarbageArrivesOnItsOwnAndLineErrorsReachTheProgram) {
  Harness h;
  int lineErrors = 0;
  h.port().setLineErrorHandler([&] { ++lineErrors; });
  h.port().injectGarbage({0xFF, 0x7E, 0x00});
  h.send(0x20);
  h.run(20);
  ASSERT_EQ(h.chunks.size(), 2u);
  EXPECT_EQ(h.chunks[0], (Bytes{0xFF, 0x7E, 0x00}));
  EXPECT_EQ(h.chunks[1][2], 0xC0);
  h.port().injectLineError();
  EXPECT_EQ(lineErrors, 0);  // from the loop, not from inside the call
  h.run(1);
  EXPECT_EQ(lineErrors, 1);
}

TEST(SimulatedPort, DroppedDsrLosesTheAnalyserBothWays) {
  Harness h;
  h.port().setDsr(false);
  EXPECT_FALSE(h.port().dsr());
  h.send(0x20);
  h.run(50);
  EXPECT_TRUE(h.chunks.empty());
  EXPECT_TRUE(h.analyser().log().empty());

  // An answer already on its way when the line drops is lost as well.
  h.port().setDsr(true);
  h.send(0x21);
  h.ticks.runPending();
  h.port().setDsr(false);
  h.run(50);
  EXPECT_TRUE(h.chunks.empty());

  h.port().setDsr(true);
  h.send(0x20);
  h.run(50);
  EXPECT_EQ(h.chunks.size(), 1u);
}

TEST(SimulatedPort, ClosedPortReceivesNothing) {
  Harness h;
  h.send(0x20);
  h.ticks.runPending();
  h.port().close();
  h.run(50);
  EXPECT_TRUE(h.chunks.empty());
  EXPECT_EQ(h.port().bytesAvailable(), 0u);
}

TEST(SimulatedPort, DestroyedPortIgnoresDeliveriesStillPosted) {
  tq::test::VirtualTicks ticks;
  SimulatedAnalyser analyser(ticks);
  {
    SimulatedSerialPort port(ticks, analyser, {true});
    port.open(1);
    port.setBytesAvailableHandler([](std::size_t) { FAIL() << "delivered after destruction"; });
    port.write(command(0x20));
    ticks.advance(8);  // the answer has left the analyser and is still on the wire
  }
  ticks.advance(100);
  EXPECT_EQ(analyser.log().size(), 1u);

  // And an analyser destroyed with work pending leaves nothing behind.
  {
    auto owned = std::make_unique<SimulatedAnalyser>(ticks);
    SimulatedSerialPort port(ticks, *owned, {false});
    port.open(1);
    port.write(command(0x34));
    ticks.advance(3);
  }
  ticks.advance(1000);
}

TEST(SimulatedPort, ReadTakesPartOfTheBuffer) {
  Harness h;
  h.port().setBytesAvailableHandler(nullptr);
  h.send(0x21);
  h.run(20);
  ASSERT_EQ(h.port().bytesAvailable(), 6u);
  std::uint8_t two[2];
  EXPECT_EQ(h.port().read(two), 2u);
  EXPECT_EQ(two[1], 0x04);
  EXPECT_EQ(h.port().bytesAvailable(), 4u);
}

}  // namespace
}  // namespace tq::sim::test
