// Single-frequency measurement in the program's core, the test playing the analyser byte by
// byte: the pick, the settings dialog's commands, each sample and the tune buttons.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "doubles/FakeSerialPort.h"
#include "doubles/FixedClock.h"
#include "doubles/RecordingCanvas.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "measure/Program.h"
#include "measure/Settings.h"
#include "platform/HostFiles.h"
#include "platform/NoUsbI2cIo.h"

namespace tq {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using C = Command;

class SingleFrequencyTest : public ::testing::Test {
 protected:
  SingleFrequencyTest() {
    root = fs::temp_directory_path() /
           (std::string("tq_single_") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    files = std::make_unique<HostFiles>(root);
    MeasurementState s;
    ApplySettingsDefaults(s);
    files->writeAll("C:\\tq4800\\TQ4800.INI", SaveSettings(s));
    clock.time = {2026, 3, 4, 9, 5, 7};
    program = std::make_unique<Program>(Ports{port, ticks, prompts, *files, clock, view, usb});
    ticks.advance(1100);
    ticks.advance(200);
    prompts.clear();
    // What the window showed when each ACK went out.
    port.onWrite = [this](std::span<const std::uint8_t> bytes) {
      if (bytes.size() == 1 && bytes[0] == 0x06) acks.push_back(view.modelChanges);
    };
    port.takeWritten();
  }
  ~SingleFrequencyTest() override {
    program.reset();
    fs::remove_all(root);
  }

  MeasurementState& state() { return program->state(); }
  SingleFrequencyMeasurement& single() { return program->single(); }
  // A click on the graph while picking.
  void pick(int x) { program->FormMouseUp(canvas, x, 200); }
  void dataFrame(std::uint8_t status, std::int32_t hz, std::uint16_t raw) {
    const auto u = static_cast<std::uint32_t>(hz);
    port.deliver({0x01, 0x09, 0xD0, status, static_cast<std::uint8_t>(u >> 24),
                  static_cast<std::uint8_t>(u >> 16), static_cast<std::uint8_t>(u >> 8),
                  static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(raw >> 8),
                  static_cast<std::uint8_t>(raw), 0x04});
  }
  // Single, a pick at hz (the span starts there) and OK with these settings.
  void startAt(std::int32_t hz, SingleFrequencySettings settings = {}) {
    state().startFrequencyHz = hz;
    state().finishFrequencyHz = hz + 500000;
    program->Execute(C::Button17);
    pick(kGeometry0.plotLeft);
    program->TsfsettingsFormActivate();
    program->TsfsettingsOKBtnClick(settings);
    port.takeWritten();
    acks.clear();
  }

  fs::path root;
  std::unique_ptr<HostFiles> files;
  test::FakeSerialPort port;
  test::VirtualTicks ticks;
  test::ScriptedPrompts prompts;
  test::FixedClock clock;
  NoUsbI2cIo usb;
  test::RecordingView view;
  test::RecordingCanvas canvas;
  std::unique_ptr<Program> program;
  std::vector<int> acks;
};

TEST_F(SingleFrequencyTest, APickIsHeldToItsRangeAndTheSettingsGoOutInOrder) {
  // Clicks beyond either end of the plot: at 1200 MHz, 20 MHz, 5 kHz and 31 MHz.
  struct Case {
    bool high;
    std::int32_t start, finish;
    int x;
    std::int32_t tuned;
  };
  for (const Case c :
       {Case{true, 30000000, 1030000000, 705, 1100000000},
        Case{true, 30000000, 1030000000, 115, 30000000}, Case{false, 10000, 510000, 115, 10000},
        Case{false, 10000000, 30000000, 645, 30000000}}) {
    state().highRange = c.high;
    state().startFrequencyHz = c.start;
    state().finishFrequencyHz = c.finish;
    program->Execute(C::Button17);
    EXPECT_EQ(state().measurementMode, 1);
    EXPECT_EQ(view.messageTexts.back(), "Select Single Frequency Using Cursor");
    EXPECT_EQ(view.pointerShape, PointerShape::Cross);
    const int dialogs = view.settingsDialogs;
    pick(c.x);
    EXPECT_EQ(view.settingsDialogs, dialogs + 1);
    EXPECT_EQ(state().measurementMode, 2);
    EXPECT_EQ(single().FrequencyHz(), c.tuned) << c.x;
    EXPECT_EQ(program->model().frequencyBoxText, FormatFixed(c.tuned / 1e6, 0, 4) + " MHz");
    // Cancel sends nothing and goes back to sweeps.
    port.takeWritten();
    program->TsfsettingsCancelBtnClick();
    EXPECT_TRUE(port.takeWritten().empty());
    EXPECT_EQ(state().measurementMode, 0);
    EXPECT_FALSE(state().runInProgress);
  }

  state().highRange = true;
  state().startFrequencyHz = 160000000;
  program->Execute(C::Button17);
  pick(kGeometry0.plotLeft);
  port.takeWritten();
  const SingleFrequencySettings shown = program->TsfsettingsFormActivate();
  EXPECT_EQ(shown.rate, 2);  // Fast until one is chosen
  program->TsfsettingsOKBtnClick({true, 1, 1, false});
  const Bytes expected{0x01, 0x06, 0x40, 0x09, 0x89, 0x68, 0x00, 0x04,               // 160 MHz
                       0x01, 0x03, 0x4D, 0x01, 0x04,                                 // tracking on
                       0x01, 0x04, 0x45, 0x01, 0xF4, 0x04,                           // Medium
                       0x01, 0x04, 0x41, 0x01, 0xF4, 0x04, 0x01, 0x02, 0x46, 0x04};  // average
  EXPECT_EQ(port.takeWritten(), expected);
  EXPECT_TRUE(state().runInProgress);
  EXPECT_EQ(program->model().button17Caption, "Scan");
  EXPECT_EQ(program->TsfsettingsFormActivate().rate, 1);

  // With the limit line shown, the settings warn that it may not hold.
  program->Execute(C::Button1);
  program->Execute(C::Button17);
  program->Execute(C::limit1);
  EXPECT_FALSE(prompts.wasShown("Limit Line may be Invalid if Frequency Changes"));
  startAt(160000000);
  EXPECT_TRUE(prompts.wasShown("Limit Line may be Invalid if Frequency Changes"));
}

TEST_F(SingleFrequencyTest, SamplesScrollAtFiveHundredAndTheAckGoesOutFirst) {
  startAt(160000000);
  auto sample = [&](int i) {
    clock.time.second = i % 60;
    dataFrame(0, 160000000, static_cast<std::uint16_t>(400 + 15 * (i % 7)));
  };
  const int repaints = view.repaints;
  for (int i = 0; i < 500; ++i) sample(i);
  EXPECT_EQ(state().stepIndex, 500);
  EXPECT_EQ(view.repaints, repaints);  // the time texts come with their samples
  const Trace before = program->traces().singleFrequencyTrace;
  EXPECT_EQ(single().SampleTimeText(1), "9:05:01");
  sample(500);
  // Sample 500 made room for 100 more, repainted: the next is number 401.
  EXPECT_EQ(state().stepIndex, 401);
  EXPECT_EQ(view.repaints, repaints + 1);
  const Trace& after = program->traces().singleFrequencyTrace;
  EXPECT_TRUE(std::equal(after.begin(), after.begin() + 400, before.begin() + 100));
  EXPECT_NE(after[1], after[2]);
  EXPECT_EQ(after[401], 0);
  // The labels of samples 100 .. 500 now stand at 1 .. 5.
  const std::vector<std::string> labels{"9:05:40", "9:05:20", "9:05:00", "9:05:40", "9:05:20"};
  for (int k = 1; k <= 5; ++k) EXPECT_EQ(single().SampleTimeText(k), labels[k - 1]) << k;
  dataFrame(0, 160000000, 420);
  EXPECT_EQ(program->model().stepPanelText, "401");
  EXPECT_EQ(program->model().frequencyBoxText, "160.0000 MHz");

  // Every ACK went out before the window was told anything of its sample.
  const int changes = view.modelChanges;
  acks.clear();
  dataFrame(0, 160000000, 420);
  ASSERT_EQ(acks.size(), 1u);
  EXPECT_EQ(acks[0], changes);
}

TEST_F(SingleFrequencyTest, HeldTuneButtonsSendBeforeTheAck) {
  state().highRange = false;
  startAt(5000000);
  program->BitBtn1MouseDown();
  dataFrame(0, 5001000, 400);
  program->BitBtn1MouseUp();
  program->BitBtn2MouseDown();
  dataFrame(0, 5000000, 400);
  program->BitBtn2MouseUp();
  dataFrame(0, 5000000, 400);
  const Bytes up{0x01, 0x02, 0x4B, 0x04}, down{0x01, 0x02, 0x4C, 0x04};
  Bytes expected = up;
  expected.push_back(0x06);
  expected.insert(expected.end(), down.begin(), down.end());
  expected.push_back(0x06);
  expected.push_back(0x06);
  EXPECT_EQ(port.takeWritten(), expected);
  EXPECT_EQ(program->model().frequencyBoxText, "5.00000 MHz");  // LOW: 5 decimals
  program->Execute(C::BitBtn1);
  EXPECT_EQ(port.takeWritten(), up);
}

TEST_F(SingleFrequencyTest, TheOstrocellRelayFollowsTheFrequencyAndTheTuneButtons) {
  state().ostrocellSelection = 1;
  program->Execute(C::Ostrocell1);
  auto told = [&](const std::string& text) {
    const auto m = prompts.messages();
    return std::count(m.begin(), m.end(), text);
  };
  const std::string low = "Ensure Ostrocell Range Switch is Set to LOW";
  startAt(150000000);
  EXPECT_EQ(told(low), 1);
  program->Execute(C::BitBtn1);  // the relay is already on the frequency's side
  EXPECT_EQ(told(low), 1);
  program->Execute(C::Button1);
  program->Execute(C::Button17);
  startAt(250000000);
  EXPECT_EQ(told("Ensure Ostrocell Range Switch is Set to High"), 1);
}

TEST_F(SingleFrequencyTest, StepStatusReportsLostPeakOncePerResetThenTheFrequencyFault) {
  startAt(160000000);
  dataFrame(0x44, 160000000, 400);
  EXPECT_EQ(view.messageTexts.size() >= 2, true);
  EXPECT_EQ(std::vector<std::string>(view.messageTexts.end() - 2, view.messageTexts.end()),
            (std::vector<std::string>{"Lost Peak", "Invalid Frequency (4)"}));
  EXPECT_EQ(program->model().statusText, "Invalid Frequency");
  EXPECT_EQ(program->model().lampColour, kClRed);
  EXPECT_TRUE(program->scan().invalidFrequency());
  view.messageTexts.clear();
  dataFrame(0x40, 160000000, 400);
  EXPECT_TRUE(view.messageTexts.empty());  // told once
  // A tuning fault is told on the sixth step in a row, then counted afresh: a warning box,
  // the red lamp and a beep.
  prompts.clear();
  for (int i = 0; i < 11; ++i) dataFrame(0x01, 160000000, 400);
  EXPECT_EQ(prompts.messages(), std::vector<std::string>{"Minimum Frequency not Reached (1)"});
  EXPECT_EQ(prompts.asked().back().kind, MessageKind::Warning);
  EXPECT_EQ(view.beeps, 3);
  dataFrame(0x01, 160000000, 400);
  EXPECT_EQ(prompts.messages().size(), 2u);
  EXPECT_EQ(program->model().statusText, "Frequency Error");
  EXPECT_EQ(program->model().lampColour, kClRed);

  // A new measurement may tell a lost peak again.
  program->Execute(C::Button1);  // STOP
  program->Execute(C::Button17);
  startAt(160000000);
  view.messageTexts.clear();
  dataFrame(0x40, 160000000, 400);
  EXPECT_EQ(view.messageTexts, std::vector<std::string>{"Lost Peak"});
  EXPECT_EQ(program->model().statusText, "LOST PEAK");
}

TEST_F(SingleFrequencyTest, StopCancelAndScanEndTheReadingsAndLeaveNoSweepBehind) {
  for (C end : {C::Button1, C::Button2, C::Button17}) {
    startAt(160000000);
    EXPECT_EQ(program->model().button1Caption, "STOP");
    program->Execute(end);
    const Bytes stop{0x01, 0x02, 0x4A, 0x04};
    EXPECT_EQ(port.takeWritten(), stop) << static_cast<int>(end);
    EXPECT_FALSE(state().runInProgress);
    if (end != C::Button17) {
      // A reading that crossed the stop is acknowledged and dropped.
      const int sample = state().stepIndex;
      dataFrame(0, 160000000, 400);
      EXPECT_EQ(state().stepIndex, sample);
      EXPECT_EQ(port.takeWritten(), Bytes{0x06});
      // Still showing the frequency: no sweep may start until Scan.
      EXPECT_EQ(program->model().button17Caption, "Scan");
      EXPECT_FALSE(program->model().runEnabled);
      program->Execute(C::Button17);
    }
    EXPECT_EQ(state().measurementMode, 0);
    EXPECT_EQ(state().detector, 1);
    EXPECT_TRUE(program->model().frequencyBoxText.empty());
    EXPECT_TRUE(program->model().runEnabled);
  }
}

TEST_F(SingleFrequencyTest, ArchiveIsOfferedOnceAResultHoldsIt) {
  SingleFrequencyRecord record{273861, 500, {"1:02:03", "1:03:03", "", "", "", ""}, true};
  single().Restore(record);
  EXPECT_EQ(single().Record(), record);
  prompts.answer(Answer::No);
  program->Execute(C::Button17);
  EXPECT_TRUE(prompts.wasShown("View ARCHIVE Single Frequency Data ?"));
  EXPECT_EQ(state().measurementMode, 1);
  EXPECT_FALSE(single().archiveAvailable());
  program->Execute(C::Button17);

  single().Restore(record);
  prompts.answer(Answer::Yes);
  port.takeWritten();
  program->Execute(C::Button17);
  EXPECT_EQ(state().measurementMode, 2);
  EXPECT_FALSE(state().runInProgress);
  EXPECT_TRUE(port.takeWritten().empty());
  EXPECT_EQ(program->model().frequencyBoxText, "0.2739 MHz");
  EXPECT_EQ(single().SampleTimeText(2), "1:03:03");
  // A new measurement starts without the archive's samples and their times.
  program->Execute(C::Button17);
  startAt(160000000);
  EXPECT_EQ(single().SampleTimeText(2), "");
  EXPECT_FALSE(single().archiveAvailable());
}

}  // namespace
}  // namespace tq
