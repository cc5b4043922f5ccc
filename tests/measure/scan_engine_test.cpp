// The scan engine's handling of each measured point, played byte by byte.
#include "measure/EngineFixture.h"

namespace tq::test {
namespace {

TEST_F(EngineTest, EachPointIsMarkedAndCompressionStandsInForTheRunStatus) {
  state_.runInProgress = state_.runActive = true;
  model_.statusText = "SCANNING";
  model_.lampColour = kClGreen;
  dataFrame(0, 30000000, 500);
  dataFrame(0, 32140000, 500);
  EXPECT_EQ(traces_.data().stepStatus[0], 0);  // the first point has no strip
  EXPECT_EQ(traces_.data().stepStatus[1], 1);
  EXPECT_EQ(view_.plottedPoints, 2);

  state_.instrumentCompression = true;
  const int changes = view_.modelChanges;
  dataFrame(0, 34280000, 500);
  EXPECT_EQ(model_.statusText, "COMPRESSION");
  EXPECT_EQ(model_.lampColour, kClRed);
  EXPECT_EQ(traces_.data().stepStatus[2], 2);
  EXPECT_EQ(features_.ers.compressedPoints, 1);
  dataFrame(0, 36420000, 500);
  EXPECT_EQ(features_.ers.compressedPoints, 2);
  EXPECT_GT(view_.modelChanges, changes);

  // The peak detector's run status comes back with the first clean point.
  state_.instrumentCompression = false;
  dataFrame(0, 38560000, 500);
  EXPECT_EQ(model_.statusText, "SCANNING");
  EXPECT_EQ(model_.lampColour, kClGreen);
  EXPECT_EQ(traces_.data().stepStatus[4], 1);
}

}  // namespace
}  // namespace tq::test

namespace tq::test {
namespace {

// The command frames written since the last call: code and big-endian value.
std::vector<std::pair<std::uint8_t, std::int64_t>> Frames(FakeSerialPort& port) {
  std::vector<std::pair<std::uint8_t, std::int64_t>> frames;
  const auto w = port.takeWritten();
  for (std::size_t i = 0; i + 2 < w.size(); ++i) {
    if (w[i] != 0x01) continue;
    const std::size_t n = w[i + 1];
    std::int64_t value = 0;
    for (std::size_t k = i + 3; k < i + n + 1 && k < w.size(); ++k) value = value * 256 + w[k];
    frames.emplace_back(w[i + 2], value);
    i += n + 1;
  }
  return frames;
}

bool Sent(const std::vector<std::pair<std::uint8_t, std::int64_t>>& frames, std::uint8_t code,
          std::int64_t value = -1) {
  for (const auto& [c, v] : frames)
    if (c == code && (value < 0 || v == value)) return true;
  return false;
}

TEST_F(EngineTest, TheOstrocellRelayIsPresetSetForTheStartAndAtTheSegmentEnd) {
  struct Case {
    bool inUse;
    std::uint8_t selection;
    std::int32_t changeoverHz;
    std::int32_t startHz;
    bool split;  // the sweep holds at the changeover
  };
  const Case cases[] = {
      {true, 1, 200000000, 30000000, true},
      {true, 2, 150000000, 30000000, true},
      {true, 1, 200000000, 300000000, false},
      {true, 0, 200000000, 30000000, false},  // a cell type without a relay
      {false, 1, 200000000, 30000000, false},
  };
  for (const Case& c : cases) {
    features_.relay.inUse = c.inUse;
    features_.relay.asked.clear();
    features_.relay.presets.clear();
    features_.relay.SetSwitchFrequency(c.changeoverHz);
    state_.ostrocellSelection = c.selection;
    state_.startFrequencyHz = c.startHz;
    state_.stepsPerScan = 100;
    port_.takeWritten();
    engine_.Button2Click();
    const bool relay = c.inUse && c.selection > 0;
    const auto frames = Frames(port_);
    EXPECT_EQ(features_.relay.presets,
              relay ? std::vector<std::int32_t>{c.startHz} : std::vector<std::int32_t>{});
    EXPECT_EQ(features_.relay.asked,
              relay ? std::vector<std::int32_t>{c.startHz} : std::vector<std::int32_t>{});
    EXPECT_EQ(Sent(frames, 0x38, c.changeoverHz), c.split) << c.changeoverHz;
    EXPECT_EQ(Sent(frames, 0x39), c.split);
    EXPECT_EQ(Sent(frames, 0x34), !c.split);

    // The analyser holds at the changeover: the relay goes high and the sweep continues.
    state_.stepIndex = 40;
    dataFrame(0x20, c.changeoverHz, 500);
    EXPECT_EQ(Sent(Frames(port_), 0x3B), relay);
    if (relay) EXPECT_EQ(features_.relay.asked.back(), c.changeoverHz + 1000000);
    engine_.Stop();
  }
}

TEST_F(EngineTest, StepsAreSentWith65536AddedOnALogAxis) {
  struct Case {
    bool log;
    int index;
    int steps;
    std::int64_t sent;
  };
  const Case cases[] = {
      {true, 1, 250, 65786}, {false, 1, 250, 250}, {true, 2, 100, 65636}, {false, 0, 500, 500}};
  for (const Case& c : cases) {
    state_.logFrequencyAxis = c.log;
    port_.takeWritten();
    engine_.ComboBox2Change(c.index);
    const auto frames = Frames(port_);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], std::make_pair(std::uint8_t{0x33}, c.sent));
    EXPECT_EQ(state_.stepsPerScan, c.steps);
  }
  // At least three data bytes: 250 goes out as 00 00 FA.
  engine_.ComboBox2Change(1);
  EXPECT_EQ(port_.takeWritten(),
            (std::vector<std::uint8_t>{0x01, 0x05, 0x33, 0x00, 0x00, 0xFA, 0x04}));
}

}  // namespace
}  // namespace tq::test
