// The scan engine's handling of each measured point, played byte by byte.
#include <functional>

#include "measure/Commands.h"
#include "measure/EngineFixture.h"
#include "model/Processing.h"

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

// While a run is in progress every control the run-button rule names is disabled and the
// run buttons read STOP and CANCEL; afterwards all come back.
TEST_F(EngineTest, TheRunButtonRuleCoversEveryControlItNames) {
  const Command named[] = {Command::Button10,  Command::ComboBox2, Command::ComboBox3,
                           Command::File1,     Command::Inputs1,   Command::Processing1,
                           Command::Detector1, Command::Port1,     Command::Button3,
                           Command::Button6,   Command::Button7,   Command::Button8,
                           Command::Button16,  Command::button18};
  const auto& table = CommandTable();
  std::vector<CommandState> states(table.size());
  auto stateOf = [&](Command c) {
    ComputeCommandStates({state_, model_, engine_.preselectorState()}, states);
    for (std::size_t i = 0; i < table.size(); ++i)
      if (table[i].id == c) return states[i];
    ADD_FAILURE() << "no row";
    return CommandState{};
  };
  for (bool running : {true, false}) {
    state_.runInProgress = running;
    engine_.RefreshRunButtons();
    for (Command c : named)
      EXPECT_EQ(stateOf(c).enabled, !running) << static_cast<int>(c) << " running " << running;
    EXPECT_EQ(stateOf(Command::Button1).caption, running ? "STOP" : "S/SHOT");
    EXPECT_EQ(stateOf(Command::Button2).caption, running ? "CANCEL" : "RUN");
    EXPECT_TRUE(stateOf(Command::Button2).enabled);
  }
  // In single-frequency mode RUN is disabled and Single reads Scan.
  state_.measurementMode = 2;
  engine_.RefreshRunButtons();
  EXPECT_FALSE(stateOf(Command::Button2).enabled);
  EXPECT_EQ(stateOf(Command::Button17).caption, "Scan");
}

// Every span change under peak hold empties it: the old span's peaks would be merged at the
// wrong points of the new one.
TEST_F(EngineTest, EverySpanChangeEmptiesPeakHold) {
  struct Case {
    const char* name;
    bool high;
    std::function<void()> change;
  };
  const Case cases[] = {
      {"Start", true,
       [&] {
         prompts_.input("100");
         prompts_.input("200");
         engine_.Button6Click();
       }},
      {"Finish", true,
       [&] {
         prompts_.input("500");
         engine_.Button7Click();
       }},
      {"Min", true, [&] { engine_.Button10Click(); }},
      {"Low", false, [&] { engine_.Button8Click(); }},
      {"High", true, [&] { engine_.Button16Click(); }},
      {"Span down", true, [&] { engine_.StepSpan(-1); }},
      {"Whole range", true, [&] { engine_.WholeRange(); }},
  };
  for (const Case& c : cases) {
    for (bool carry : {false, true}) {
      state_.highRange = c.high;
      state_.startFrequencyHz = c.high ? 100000000 : 1000000;
      state_.finishFrequencyHz = c.high ? 300000000 : 2000000;
      state_.processingMode = kPeakHold;
      state_.scansDone = 5;
      TraceData d = traces_.data();
      d.accumulator.fill(60.0f);
      traces_.Load(d);
      if (carry) traces_.CarryPeakHold();
      c.change();
      EXPECT_EQ(state_.processingMode, kProcessingOff) << c.name;
      EXPECT_EQ(state_.scansDone, 1) << c.name;
      EXPECT_EQ(traces_.data().accumulator[250], 0.0f) << c.name << " carry " << carry;
      EXPECT_FALSE(traces_.data().peakHoldCarry) << c.name;
    }
  }
}

// A point-by-point reading draws the Difference too, as a sweep point does, when it is
// shown and the sweep has 500 steps.
TEST_F(EngineTest, APointByPointReadingDrawsTheDifferenceWithFiveHundredSteps) {
  state_.detector = 3;
  state_.runInProgress = true;
  model_.showDifference = true;
  for (int r = 0; r < 22; ++r) dataFrame(0, 30000000, 500);
  EXPECT_TRUE(view_.plottedKinds.empty());  // only the 23rd reading counts
  dataFrame(0, 30000000, 500);
  EXPECT_EQ(view_.plottedKinds, (std::vector<int>{1, 3}));
}

// Only RUN drops an archived ERS correction; a single shot keeps it and asks nothing.
TEST_F(EngineTest, OnlyRunDropsTheArchivedErsCorrection) {
  features_.ers.archive = true;
  engine_.Button1Click();
  engine_.Button2Click();  // CANCEL
  EXPECT_FALSE(prompts_.wasShown("Archive ERS Correction Currently Loaded will be Ignored "));
  EXPECT_TRUE(features_.ers.archive);
  engine_.Button2Click();
  EXPECT_TRUE(prompts_.wasShown("Archive ERS Correction Currently Loaded will be Ignored "));
  EXPECT_FALSE(features_.ers.archive);
}

// Any whole number typed becomes the gain; leaving the box shows it in width 4.
TEST_F(EngineTest, ThePreampBoxTakesAnyWholeNumber) {
  const std::pair<const char*, std::int32_t> cases[] = {{"20", 20},
                                                        {" 5000 ", 5000},
                                                        {"-1500", -1500},
                                                        {"2147483647", 2147483647},
                                                        {"2147483648", 2147483647},
                                                        {"12dB", 2147483647},
                                                        {"", 2147483647}};
  for (const auto& [text, gain] : cases) {
    engine_.ComboBox3Change(text);
    EXPECT_EQ(state_.preampGainDb, gain) << text;
  }
  engine_.ComboBox3Change("-20");
  EXPECT_EQ(engine_.ComboBox3Exit(), " -20");
}

// The NX91 splits a LOW sweep at its band edges, the band of 10 to 15 MHz at 15 MHz; the
// NX90 pauses at each edge for its switch to be turned.
TEST_F(EngineTest, PreselectorSegmentsAndTheNx90Pause) {
  state_.highRange = false;
  state_.startFrequencyHz = 10500000;
  state_.finishFrequencyHz = 20000000;
  engine_.NX91PreSelector1Click();
  sentFrames();
  engine_.StartSweep();
  EXPECT_EQ(valuesOf(sentFrames(), 0x38), std::vector<std::int32_t>{15000000});

  engine_.NX91PreSelector1Click();  // off
  engine_.NX90PreSelector1Click();
  state_.startFrequencyHz = 100000;
  state_.finishFrequencyHz = 3000000;
  state_.runInProgress = true;
  sentFrames();
  engine_.StartSweep();
  auto frames = sentFrames();
  EXPECT_EQ(valuesOf(frames, 0x38), std::vector<std::int32_t>{300000});
  EXPECT_EQ(valuesOf(frames, 0x39).size(), 1u);
  dataFrame(0x20, 300000, 500);  // held at the segment end
  const auto& asked = prompts_.asked().back();
  EXPECT_EQ(asked.text, "Scan Paused. Change Switch on NX90 Unit");
  EXPECT_EQ(asked.kind, MessageKind::Information);
  EXPECT_EQ(asked.buttons, Buttons::Ok);
  frames = sentFrames();
  EXPECT_EQ(valuesOf(frames, 0x12), std::vector<std::int32_t>{1});  // position 2
  EXPECT_EQ(model_.modelPanelText, "0.3 - 0.6 MHz");
  EXPECT_EQ(valuesOf(frames, 0x38), std::vector<std::int32_t>{600000});
  EXPECT_EQ(valuesOf(frames, 0x3A).size(), 1u);
  EXPECT_EQ(model_.inputLabels[2], "Scanning");
}

// A range change to HIGH clears everything the old range measured.
TEST_F(EngineTest, ARangeChangeToHighStartsAfresh) {
  state_.highRange = false;
  state_.startFrequencyHz = 10000;
  state_.finishFrequencyHz = 30000000;
  state_.preampGainDb = 20;
  model_.showLimit = model_.limitEnabled = model_.showStore = model_.showDifference =
      model_.showArchive = true;
  TraceData d = traces_.data();
  d.storeTrace.fill(40);
  traces_.Load(d);
  features_.ers.archive = true;
  prompts_.answer(Answer::Yes);
  engine_.Button16Click();
  EXPECT_EQ(prompts_.asked().back().kind, MessageKind::Confirmation);
  EXPECT_EQ(prompts_.asked().back().buttons, Buttons::YesNo);
  EXPECT_EQ(state_.preampGainDb, 0);
  EXPECT_EQ(model_.inputLabels[0], "DIRECT");
  EXPECT_EQ(features_.inputs.directSelections, 1);
  EXPECT_EQ(features_.limit.noneSelections, 1);
  EXPECT_FALSE(model_.showLimit || model_.limitEnabled || model_.showStore ||
               model_.showDifference || model_.showArchive);
  EXPECT_EQ(traces_.data().storeTrace[100], 0);
  EXPECT_FALSE(features_.ers.archive);
  EXPECT_TRUE(state_.highRange);
  EXPECT_EQ(state_.startFrequencyHz, kHighStartHz);
  EXPECT_EQ(state_.finishFrequencyHz, kHighFinishHz);
  EXPECT_EQ(state_.logSpanIndex, 2);
  EXPECT_EQ(model_.rangeLabelText, "HIGH RANGE");
  EXPECT_EQ(valuesOf(sentFrames(), 0x83), std::vector<std::int32_t>{1});
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
    features_.relay.switchHz = c.changeoverHz;
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
    if (relay) {
      EXPECT_EQ(features_.relay.asked.back(), c.changeoverHz + 1000000);
    }
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
