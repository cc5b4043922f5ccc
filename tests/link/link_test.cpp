#include "link/Link.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "doubles/FakeSerialPort.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"

namespace tq {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes FrameBytes(std::uint8_t code, std::int32_t value, std::uint8_t min) {
  Frame f = BuildFrame(code, value, min);
  return Bytes(f.bytes.begin(), f.bytes.begin() + static_cast<long>(f.size));
}

TEST(Frame, BuildsBigEndianValuesPaddedToTheMinimum) {
  struct Case {
    std::uint8_t code;
    std::int32_t value;
    std::uint8_t min;
    Bytes expected;
  };
  const std::vector<Case> cases = {
      {0x10, 30, 1, {0x01, 0x03, 0x10, 0x1E, 0x04}},
      {0x30, 30000000, 4, {0x01, 0x06, 0x30, 0x01, 0xC9, 0xC3, 0x80, 0x04}},
      {0x20, 0, 0, {0x01, 0x02, 0x20, 0x04}},
      {0x83, 1, 1, {0x01, 0x03, 0x83, 0x01, 0x04}},
      {0x33, 500, 3, {0x01, 0x05, 0x33, 0x00, 0x01, 0xF4, 0x04}},
      {0x33, 65536 + 387, 3, {0x01, 0x05, 0x33, 0x01, 0x01, 0x83, 0x04}},
      {0x40, 0, 4, {0x01, 0x06, 0x40, 0x00, 0x00, 0x00, 0x00, 0x04}},
      {0x10, -5, 0, {0x01, 0x02, 0x10, 0x04}},
      {0x31, 1100000000, 2, {0x01, 0x06, 0x31, 0x41, 0x90, 0xAB, 0x00, 0x04}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FrameBytes(c.code, c.value, c.min), c.expected) << "code " << int(c.code);
}

// The measurement above the link: it keeps the data frames and acknowledges them.
struct Client : LinkClient {
  Link* link = nullptr;
  std::vector<DataFrame> frames;
  std::vector<std::pair<int, bool>> reports;
  int preselector = 0;
  int segmentSteps = 0;
  int rangeMismatches = 0;
  void DataFrameReceived(const DataFrame& d) override {
    frames.push_back(d);
    link->SendAck();
  }
  void PreselectorReport(int position, bool automatic) override {
    reports.emplace_back(position, automatic);
  }
  void SegmentStep() override { ++segmentSteps; }
  int PreselectorState() const override { return preselector; }
  void ResetPreselector() override { preselector = 0; }
  void RangeMismatch() override { ++rangeMismatches; }
  bool ErsPeakSearch() const override { return false; }
  void StatusPolled() override {}
};

class LinkTest : public ::testing::Test {
 protected:
  LinkTest() {
    port.open(2);
    state.linkEnabled = true;
    state.highRange = true;
    state.instrumentHighRange = true;
    client.link = &link;
  }

  MeasurementState state;
  WindowModel model;
  test::RecordingView view;
  test::FakeSerialPort port;
  test::VirtualTicks ticks;
  test::ScriptedPrompts prompts;
  Client client;
  Link link{state, model, view, port, ticks, prompts, client};
  std::vector<DataFrame>& frames = client.frames;
};

TEST_F(LinkTest, SendCommandObeysTheLinkFlags) {
  link.SendCommand(0x20, 0, 0);
  EXPECT_EQ(port.takeWritten(), (Bytes{1, 2, 0x20, 4}));
  state.sendingBlocked = true;
  link.SendCommand(0x20, 0, 0);
  state.sendingBlocked = false;
  state.linkEnabled = false;
  link.SendCommand(0x20, 0, 0);
  EXPECT_TRUE(port.written.empty());
  EXPECT_TRUE(prompts.asked().empty());
}

TEST_F(LinkTest, DataFramesAreFramedWhateverTheReadsLookLike) {
  const Bytes frame{0x01, 0x09, 0xD0, 0x00, 0x01, 0xC9, 0xC3, 0x80, 0x03, 0xE8, 0x04};
  // Split over two reads, with ENQ in front.
  port.deliver({0x05, 0x05, 0x01, 0x09, 0xD0, 0x00});
  EXPECT_TRUE(frames.empty());
  port.deliver(Bytes(frame.begin() + 4, frame.end()));
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].frequencyHz, 30000000);
  EXPECT_FLOAT_EQ(frames[0].levelDbuv, 88.493f);
  EXPECT_EQ(port.takeWritten(), Bytes{kAck});

  // Two frames and a status frame in one read: none is lost.
  Bytes three = frame;
  three.insert(three.end(), frame.begin(), frame.end());
  three.insert(three.end(), {0x01, 0x03, 0xC0, 0x47, 0x04});
  port.deliver(three);
  EXPECT_EQ(frames.size(), 3u);
  EXPECT_EQ(model.statusText, "Scanning");
  EXPECT_EQ(model.lampColour, kClBlue);
  EXPECT_EQ(state.instrumentAttenuationDb, 30);
  EXPECT_TRUE(state.instrumentHighRange);
  EXPECT_EQ(link.receiveBufferSize(), 0u);
}

TEST_F(LinkTest, StatusFramesShowTheStateAndSetTheQueueMode) {
  port.deliver({0x01, 0x03, 0xC0, 0x00, 0x04});
  EXPECT_EQ(model.statusText, "Ready");
  EXPECT_EQ(model.lampColour, kClGreen);
  EXPECT_TRUE(state.instrumentReady);
  EXPECT_FALSE(state.queueMode);
  EXPECT_FALSE(state.instrumentHighRange);
  port.deliver({0x01, 0x03, 0xC0, 0x10, 0x04});
  EXPECT_EQ(model.statusText, "Resetting");
  EXPECT_TRUE(state.queueMode);
  port.deliver({0x01, 0x03, 0xC0, 0x80, 0x04});  // code 8 leaves the panel as it was
  EXPECT_EQ(model.statusText, "Resetting");
  port.deliver({0x01, 0x03, 0xC0, 0x4A, 0x04});  // compression wins over the state code
  EXPECT_EQ(model.statusText, "COMPRESSION");
  EXPECT_EQ(model.lampColour, kClRed);
  EXPECT_EQ(state.instrumentAttenuationDb, 20);
  EXPECT_EQ(link.lastStatusText(), "COMPRESSION");
}

TEST_F(LinkTest, EveryStateCodeShowsItsTextAndColour) {
  struct Case {
    int code;
    const char* text;
    Colour lamp;
  };
  const Case cases[] = {{3, "Setting ERS", kClFuchsia},  {4, "Scanning", kClBlue},
                        {5, "S/F Instant", kClBlue},     {6, "S/F Average", kClBlue},
                        {7, "S/F Quasi Peak", kClBlue},  {9, "Finding Peak", kClFuchsia},
                        {11, "Setting ERS", kClFuchsia}, {12, "Scanning", kClBlue},
                        {13, "Scanning", kClBlue},       {14, "Scanning", kClBlue},
                        {15, "Scanning", kClBlue}};
  for (const Case& c : cases) {
    model.statusText.clear();
    port.deliver({0x01, 0x03, 0xC0, static_cast<std::uint8_t>(c.code << 4), 0x04});
    EXPECT_EQ(model.statusText, c.text) << c.code;
    EXPECT_EQ(model.lampColour, c.lamp) << c.code;
    EXPECT_TRUE(state.queueMode) << c.code;
  }
  // The NX91's accessory frame reaches the pre-selector handling; other devices do not.
  port.deliver({0x01, 0x06, 0xC2, 0x33, 0x05, 0x00, 0x01, 0x04});
  port.deliver({0x01, 0x06, 0xC2, 0x33, 0x02, 0x00, 0x00, 0x04});
  port.deliver({0x01, 0x06, 0xC2, 0x34, 0x02, 0x00, 0x00, 0x04});
  port.deliver({0x01, 0x06, 0xC2, 0x33, 0x09, 0x00, 0x00, 0x04});
  EXPECT_EQ(client.reports, (std::vector<std::pair<int, bool>>{{5, true}, {2, false}}));
  EXPECT_EQ(link.receiveBufferSize(), 0u);
}

TEST_F(LinkTest, VersionAbove122EnablesTheErsItems) {
  port.deliver({0x01, 0x04, 0xC1, 0x01, 22, 0x04});
  EXPECT_FLOAT_EQ(state.hardwareVersion, 1.22f);
  EXPECT_FALSE(model.ersMenuEnabled);
  EXPECT_EQ(model.detailsVersionText, "Hardware Version : 1.22");
  port.deliver({0x01, 0x04, 0xC1, 0x01, 23, 0x04});
  EXPECT_TRUE(model.ersMenuEnabled);
  EXPECT_EQ(model.detailsVersionText, "Hardware Version : 1.23");
}

TEST_F(LinkTest, BadLengthsAreAnsweredWithNakAndDropped) {
  port.deliver({0x01, 0x0A, 0xD0, 0, 0, 0, 0, 0, 0, 0, 0, 0});  // N = 10
  EXPECT_EQ(port.takeWritten(), Bytes{kNak});
  EXPECT_EQ(link.receiveBufferSize(), 0u);
  port.deliver({0x01, 0x00, 0x01, 0x03, 0xC0, 0x00, 0x04});  // N = 0 cannot hold a code
  EXPECT_EQ(port.takeWritten(), Bytes{kNak});
  EXPECT_TRUE(frames.empty());
  port.deliver({0x01, 0x03, 0xC0, 0x00, 0x04});  // the link goes on
  EXPECT_EQ(model.statusText, "Ready");
}

TEST_F(LinkTest, QueuedCommandsWaitForAnAckOrAFrame) {
  state.queueMode = true;
  for (int i = 1; i <= 12; ++i) link.SendCommand(0x10, i, 1);
  EXPECT_TRUE(port.written.empty());
  EXPECT_EQ(link.queueCount(), 10);
  EXPECT_EQ(link.queuedFrame(9), BuildFrame(0x10, 12, 1));  // the tenth slot was overwritten
  EXPECT_EQ(link.queuedFrame(8), BuildFrame(0x10, 9, 1));
  port.deliver({kAck});
  EXPECT_EQ(port.takeWritten(), FrameBytes(0x10, 1, 1));
  EXPECT_EQ(link.queueCount(), 9);
  port.deliver({0x01, 0x03, 0xC0, 0x40, 0x04});  // a frame releases one too
  EXPECT_EQ(port.takeWritten(), FrameBytes(0x10, 2, 1));
  port.deliver({kAck, kAck});  // and two ACKs in one read release two
  EXPECT_EQ(link.queueCount(), 6);
}

TEST_F(LinkTest, NakFromTheAnalyserAdvancesTheStepAndWarnsOnceArmed) {
  port.deliver({kNak});
  EXPECT_EQ(state.stepIndex, 1);
  EXPECT_TRUE(prompts.asked().empty());
  link.InitPreselectorLines();
  EXPECT_TRUE(link.commsWarningArmed());
  port.deliver({kNak});
  EXPECT_EQ(state.stepIndex, 2);
  EXPECT_TRUE(prompts.wasShown("Invalid Comms Signal"));
  // A storm: NAKs that come while the box is open count but open no box of their own.
  prompts.clear();
  int storms = 1;
  prompts.whileShown = [&](std::string_view) {
    if (storms-- > 0) port.deliver({kNak, kNak});
  };
  port.deliver({kNak});
  EXPECT_EQ(prompts.messages().size(), 1u);
  EXPECT_EQ(state.stepIndex, 5);
}

TEST_F(LinkTest, WatchdogDropsAPartialFrameDuringARun) {
  state.runActive = true;
  port.deliver({0x01, 0x09, 0xD0, 0x00});
  EXPECT_TRUE(link.watchdogEnabled());
  ticks.advance(999);
  EXPECT_TRUE(port.written.empty());
  ticks.advance(2);
  EXPECT_EQ(port.takeWritten(), Bytes{kNak});
  EXPECT_EQ(link.receiveBufferSize(), 0u);
  EXPECT_FALSE(link.watchdogEnabled());
  link.OnTriggerLineError();
  EXPECT_TRUE(link.watchdogEnabled());
}

TEST_F(LinkTest, LostLinkAsksWhetherToEndAndReconnectsOnNo) {
  port.dsrHigh = false;
  prompts.answer(Answer::Yes);
  link.SendCommand(0x20, 0, 0);
  EXPECT_TRUE(prompts.wasShown("TQ4800 Not Responding. End Program ?"));
  EXPECT_EQ(prompts.asked().back().kind, MessageKind::Error);
  EXPECT_EQ(view.closeRequests, 1);
  EXPECT_FALSE(state.linkEnabled);
  EXPECT_FALSE(state.portConnected);

  // No, with the analyser still away: the lamp goes red and the link waits for a click.
  state.linkEnabled = true;
  prompts.answer(Answer::No);
  link.SendCommand(0x20, 0, 0);
  EXPECT_EQ(model.statusText, "Click to enable");
  EXPECT_EQ(model.lampColour, kClRed);
  EXPECT_EQ(view.closeRequests, 1);

  port.dsrHigh = true;
  link.Panel5Click();  // the status panel retries
  EXPECT_TRUE(state.portConnected);
  EXPECT_TRUE(state.linkEnabled);
}

// A frame that could not go out while the analyser was away never goes out in place of a
// later command.
TEST_F(LinkTest, AFrameTheLostLinkCouldNotSendIsDropped) {
  port.dsrHigh = false;
  prompts.answer(Answer::No);
  link.SendCommand(0x10, 30, 1);
  port.dsrHigh = true;
  state.linkEnabled = true;
  port.takeWritten();
  link.SendCommand(0x20, 0, 0);
  EXPECT_EQ(port.takeWritten(), (Bytes{1, 2, 0x20, 4}));
}

// A Com change to a port without an analyser leaves the link disabled: the status panel
// click connects again once the analyser is there.
TEST_F(LinkTest, TheStatusPanelReconnectsAfterAComChangeToASilentPort) {
  port.dsrHigh = false;
  prompts.answer(Answer::No);
  link.ComClick(3);
  EXPECT_FALSE(state.linkEnabled);
  port.dsrHigh = true;
  prompts.clear();
  link.Panel5Click();
  EXPECT_TRUE(state.linkEnabled);
  EXPECT_TRUE(state.portConnected);
  EXPECT_TRUE(prompts.asked().empty());
}

TEST_F(LinkTest, StatusPanelClickWithTheAnalyserStillAbsent) {
  port.dsrHigh = false;
  state.portConnected = false;
  link.Panel5Click();
  EXPECT_TRUE(prompts.wasShown("TQ4800 Still not Responding"));
  EXPECT_FALSE(state.linkEnabled);
}

TEST_F(LinkTest, ConnectPulsesDtrAndAsksForStatusAndAttenuation) {
  state.attenuationDb = 30;
  model.checkedPort = 3;
  link.ConnectLink();
  EXPECT_EQ(port.lineChanges, (std::vector<std::string>{"DTR0", "DTR1"}));
  EXPECT_EQ(port.baud, 9600);
  Bytes expected = FrameBytes(0x20, 0, 0);
  const Bytes att = FrameBytes(0x10, 30, 1);
  expected.insert(expected.end(), att.begin(), att.end());
  EXPECT_EQ(port.takeWritten(), expected);
  EXPECT_EQ(state.portNumber, 3);
  EXPECT_TRUE(state.portConnected);
  EXPECT_TRUE(link.StatusTimerEnabled());

  // The status timer polls every 3 s while no run is in progress.
  ticks.advance(3001);
  EXPECT_EQ(port.takeWritten(), FrameBytes(0x20, 0, 0));
  state.runInProgress = true;
  ticks.advance(3000);
  EXPECT_TRUE(port.written.empty());
}

TEST_F(LinkTest, ThePortMenuReopensOnTheChosenPortAndConnects) {
  model.checkedPort = 2;
  link.ComClick(4);
  EXPECT_EQ(port.portNumber(), 4);
  EXPECT_EQ(port.opens, 2);
  EXPECT_EQ(model.checkedPort, 4);
  EXPECT_EQ(state.portNumber, 4);
  EXPECT_EQ(model.lampColour, kClGreen);
  EXPECT_TRUE(state.portConnected);
  EXPECT_EQ(port.takeWritten(), (Bytes{1, 2, 0x20, 4, 1, 3, 0x10, 0, 4}));
  link.ComClick(5);  // no such port
  EXPECT_EQ(port.portNumber(), 4);
}

TEST_F(LinkTest, PreselectorLinesAreInitialisedWithRtsLow) {
  state.hardwareVersion = 1.50f;
  link.InitPreselectorLines();
  link.InitPreselectorLines();
  EXPECT_EQ(prompts.messages(),
            std::vector<std::string>{
                "Contact Veltrane Instruments Ltd for Upgraded Firmware to Improve Performance"});
  Bytes one{1, 6, 0x22, 0, 0, 0, 0, 4, 1, 6, 0x14, 0x33, 0, 0, 0, 4, 1, 6, 0x13, 0, 0, 0, 0, 4};
  Bytes twice = one;
  twice.insert(twice.end(), one.begin(), one.end());
  EXPECT_EQ(port.takeWritten(), twice);
  EXPECT_EQ(port.lineChanges, (std::vector<std::string>{"RTS0", "RTS1", "RTS0", "RTS1"}));
  EXPECT_TRUE(state.linkEnabled);
}

TEST_F(LinkTest, RandomBytesNeverBreakTheReceiver) {
  std::mt19937 rng(1234);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> small(0, 20);
  for (int round = 0; round < 2000; ++round) {
    Bytes chunk(static_cast<std::size_t>(small(rng)));
    for (auto& b : chunk) {
      // Favour the bytes the framer cares about.
      const int r = byte(rng);
      b = r < 40 ? std::uint8_t{1} : r < 60 ? std::uint8_t(r % 12) : static_cast<std::uint8_t>(r);
    }
    port.deliver(chunk);
    ASSERT_LE(link.receiveBufferSize(), 11u);
    ASSERT_GE(state.stepIndex, 0);
  }
  port.takeWritten();
  port.deliver({kEnq, 0x01, 0x03, 0xC0, 0x00, 0x04});
  port.deliver({0x01, 0x03, 0xC0, 0x00, 0x04});
  EXPECT_EQ(model.statusText, "Ready");
}

}  // namespace
}  // namespace tq
