#include <gtest/gtest.h>

#include "SimHarness.h"

namespace tq::sim::test {
namespace {

TEST(AnalyserProtocol, AnswersStatusAndVersionFrames) {
  Harness h;
  h.send(0x20);
  h.run(20);
  EXPECT_EQ(h.take(), (std::vector<Bytes>{{0x01, 0x03, 0xC0, 0x00, 0x04}}));  // Ready, LOW, 0 dB

  h.send(0x21);
  h.run(20);
  EXPECT_EQ(h.take(), (std::vector<Bytes>{{0x01, 0x04, 0xC1, 0x02, 0x0A, 0x04}}));  // 2.10

  Harness old({.versionMajor = 1, .versionMinor = 22});
  old.send(0x21);
  old.run(20);
  EXPECT_EQ(old.take(), (std::vector<Bytes>{{0x01, 0x04, 0xC1, 0x01, 0x16, 0x04}}));
}

TEST(AnalyserProtocol, StatusByteCarriesAttenuationRangeAndState) {
  Harness h;
  h.send(0x10, 30, 1);
  h.send(0x83, 1, 1);
  h.run(20);
  EXPECT_EQ(h.take(), (std::vector<Bytes>{{0x06}, {0x06}}));  // each command acknowledged
  EXPECT_EQ(h.status(), 0x07);
  EXPECT_EQ(h.analyser().attenuationDb(), 30);
  EXPECT_TRUE(h.analyser().highRange());

  h.send(0x10, 10, 1);
  h.send(0x83, 0, 1);
  h.run(20);
  EXPECT_EQ(h.status(), 0x01);

  // Attenuation the hardware cannot set is held to its 10 dB steps.
  h.send(0x10, 45, 1);
  h.run(20);
  EXPECT_EQ(h.analyser().attenuationDb(), 30);
}

TEST(AnalyserProtocol, LogsEveryCommandWithItsBigEndianValue) {
  Harness h;
  h.send(0x30, 30000000, 4);
  h.send(0x33, 65536 + 387, 3);
  h.send(Bytes{0x06});
  h.run(20);
  const auto& log = h.analyser().log();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].code, 0x30);
  EXPECT_EQ(log[0].value, 30000000);
  EXPECT_EQ(log[0].dataBytes, 4);
  EXPECT_EQ(log[1].value, 65923);
  EXPECT_TRUE(h.analyser().logAxis());
  EXPECT_EQ(h.analyser().steps(), 387);
  EXPECT_TRUE(log[2].singleByte);
  EXPECT_EQ(log[2].code, 0x06);
  EXPECT_EQ(h.analyser().commands(0x30).size(), 1u);
}

TEST(AnalyserProtocol, AssemblesCommandsSplitAcrossWritesAndSkipsNoise) {
  Harness h;
  const Bytes frame = command(0x10, 20, 1);
  h.send(Bytes{0x7E, 0x00});
  h.send(Bytes(frame.begin(), frame.begin() + 2));
  h.run(5);
  h.send(Bytes(frame.begin() + 2, frame.end()));
  h.run(20);
  EXPECT_EQ(h.analyser().attenuationDb(), 20);
  EXPECT_EQ(h.take(), (std::vector<Bytes>{{0x06}}));
}

TEST(AnalyserProtocol, RejectsMalformedFramesWithNak) {
  Harness h;
  h.send(Bytes{0x01, 0x03, 0x10, 0x1E, 0x00});  // no EOT where N says
  h.run(20);
  EXPECT_EQ(h.take(), (std::vector<Bytes>{{0x15}}));
  EXPECT_EQ(h.analyser().attenuationDb(), 0);

  h.send(Bytes{0x01, 0x0E, 0x20});  // N beyond a 15-byte frame: dropped at once
  h.run(20);
  EXPECT_EQ(h.take(), (std::vector<Bytes>{{0x15}}));
  h.send(0x20);  // and the receiver is clean again
  h.run(20);
  EXPECT_EQ(h.take().size(), 1u);

  h.send(0x77);  // not a command of the table
  h.run(20);
  EXPECT_EQ(h.take(), (std::vector<Bytes>{{0x15}}));

  h.send(Bytes{0x01, 0x07, 0x30, 1, 2, 3, 4, 5, 0x04});  // five data bytes do not fit a value
  h.run(20);
  EXPECT_EQ(h.take(), (std::vector<Bytes>{{0x15}}));
  EXPECT_EQ(h.analyser().startHz(), 10000);
}

TEST(AnalyserProtocol, DropsAPartialFrameThatNeverCompletes) {
  Harness h;
  h.send(Bytes{0x01, 0x03, 0x10});
  h.run(1000);
  h.send(0x20);  // would be swallowed as the rest of the stale frame
  h.run(20);
  const auto frames = h.takeFrames();
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0][2], 0xC0);
}

TEST(AnalyserProtocol, NakRepeatsTheLastFrame) {
  Harness h;
  h.send(0x21);
  h.run(20);
  const auto first = h.takeFrames();
  ASSERT_EQ(first.size(), 1u);
  h.send(Bytes{0x15});
  h.run(20);
  EXPECT_EQ(h.takeFrames(), first);
  h.send(Bytes{0x05});  // ENQ: still there
  h.run(20);
  EXPECT_EQ(h.take(), (std::vector<Bytes>{{0x06}}));
}

TEST(AnalyserProtocol, ResetReportsResettingThenAnnouncesReady) {
  Harness h;
  h.send(0x10, 20, 1);
  h.send(0x80);
  h.run(50);
  EXPECT_EQ(h.status() >> 4, 1);
  h.run(2000);
  const auto frames = h.takeFrames();
  ASSERT_EQ(frames.size(), 1u);  // unsolicited, so commands the program queued get released
  EXPECT_EQ(frames[0], (Bytes{0x01, 0x03, 0xC0, 0x02, 0x04}));
}

Bytes rawAccessory(std::uint8_t code, std::uint8_t b1) {
  return {0x01, 0x06, code, b1, 0x00, 0x00, 0x00, 0x04};
}

void accessoryEnquiry(Harness& h) {
  h.port().setRts(false);
  h.send(rawAccessory(0x22, 0x00));
  h.run(100);
  h.send(rawAccessory(0x14, 0x33));
  h.run(100);
  h.send(rawAccessory(0x13, 0x00));
  h.run(100);
}

TEST(AnalyserProtocol, Nx91ReportsAfterTheEnquiryOnceRtsRises) {
  Harness h({.nx91Attached = true, .nx91Automatic = true, .nx91Position = 0});
  accessoryEnquiry(h);
  EXPECT_TRUE(h.take().empty());  // no ACKs on the accessory bus, no report while RTS is low
  h.port().setRts(true);
  h.run(20);
  EXPECT_EQ(h.take(), (std::vector<Bytes>{{0x01, 0x06, 0xC2, 0x33, 0x00, 0x00, 0x01, 0x04}}));
  EXPECT_TRUE(h.analyser().log().back().accessory);

  // Turning the switch to a manual band reports straight away.
  h.analyser().turnNx91Switch(3, false);
  h.run(20);
  EXPECT_EQ(h.take(), (std::vector<Bytes>{{0x01, 0x06, 0xC2, 0x33, 0x03, 0x00, 0x00, 0x04}}));

  // A lone 0x14 (switching it off) is no enquiry.
  h.port().setRts(false);
  h.send(rawAccessory(0x14, 0x33));
  h.run(50);
  h.port().setRts(true);
  h.run(50);
  EXPECT_TRUE(h.take().empty());
}

TEST(AnalyserProtocol, NoAccessoryAnswersWithoutAnNx91) {
  Harness h;
  accessoryEnquiry(h);
  h.port().setRts(true);
  h.run(50);
  EXPECT_TRUE(h.take().empty());
  // Over a pseudo-terminal RTS cannot be seen: the accessory codes are still not commands.
  h.send(rawAccessory(0x22, 0x00));
  h.run(50);
  EXPECT_TRUE(h.take().empty());
}

TEST(AnalyserProtocol, PeakSearchReportsTheErsLineNear1GHz) {
  Harness h({.ersSourceOn = true, .seed = 5});
  h.send(0x83, 1, 1);
  h.send(0x81);
  h.send(0x87);
  h.run(100);
  EXPECT_EQ(h.status() >> 4, 9);  // Finding Peak
  h.run(1000);
  const auto frames = h.takeFrames();
  ASSERT_EQ(frames.size(), 1u);
  ASSERT_TRUE(isData(frames[0]));
  const DataPoint peak = decodeData(frames[0]);
  EXPECT_EQ(peak.hz, static_cast<std::int32_t>(h.analyser().spectrum().ersPeakHz()));
  EXPECT_GE(peak.hz, 999685000);
  EXPECT_GT(peak.dbuv(), 45.0);
  h.ack();
  h.send(0x81);
  h.run(50);
  EXPECT_EQ(h.status() >> 4, 0);
}

}  // namespace
}  // namespace tq::sim::test
