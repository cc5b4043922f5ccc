// The program's core against the simulated analyser on virtual time: start-up, sweeps,
// stops, point-by-point shots, exactly as a user drives them through the main window.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "SimulatedLink.h"
#include "SimulatedUsbAdapter.h"
#include "doubles/FixedClock.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "measure/Program.h"
#include "platform/HostFiles.h"

namespace tq {
namespace {

namespace fs = std::filesystem;

class ProgramScenario : public ::testing::Test {
 protected:
  explicit ProgramScenario(sim::AnalyserOptions options = {}) {
    root = fs::temp_directory_path() /
           (std::string("tq_scenario_") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    files = std::make_unique<HostFiles>(root);
    files->installShippedData(TQ_SOURCE_DATA_DIR);
    files->writeAll("C:\\tq4800\\TQ4800.INI",
                    "16776960\r\n12632256\r\n16711680\r\n0\r\n255\r\n16711935\r\n65280\r\n"
                    "65535\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nFALSE\r\nFALSE\r\nFALSE\r\n2\r\n;\r\n"
                    "30\r\n0\r\nTRUE\r\n500\r\n\r\nc:\\tq4800\\\r\nFALSE\r\n0\r\n0\r\n0\r\n");
    // Paced at the line rate, which costs nothing on virtual time.
    link = std::make_unique<sim::SimulatedLink>(ticks, options, sim::PortOptions{true});
    program =
        std::make_unique<Program>(Ports{link->port, ticks, prompts, *files, clock, view, usb});
    ticks.advance(1000);
    ticks.advance(500);
  }
  ~ProgramScenario() override {
    program.reset();
    link.reset();
    fs::remove_all(root);
  }

  // Lets virtual time run until the condition holds; false after maxMs.
  bool runUntil(const std::function<bool()>& done, double maxMs) {
    for (double t = 0; t < maxMs; t += 10) {
      if (done()) return true;
      ticks.advance(10);
    }
    return done();
  }

  MeasurementState& state() { return program->state(); }

  // After a run has ended, however it ended, the window shows the idle state once the next
  // status poll is answered.
  void expectIdle() {
    ticks.advance(3100);
    EXPECT_EQ(program->model().statusText, "Ready");
    EXPECT_EQ(program->model().lampColour, kClGreen);
    EXPECT_EQ(program->model().button2Caption, "RUN");
    EXPECT_EQ(program->model().button1Caption, "S/SHOT");
    EXPECT_TRUE(program->model().runControlsEnabled);
    EXPECT_FALSE(program->model().busyCursor);
  }

  fs::path root;
  std::unique_ptr<HostFiles> files;
  test::VirtualTicks ticks;
  test::ScriptedPrompts prompts;
  test::FixedClock clock;
  sim::SimulatedUsbAdapter usb;
  test::RecordingView view;
  std::unique_ptr<sim::SimulatedLink> link;
  std::unique_ptr<Program> program;
};

TEST_F(ProgramScenario, StartUpReachesReadyWithTheSimulatorsVersion) {
  EXPECT_EQ(program->model().statusText, "Ready");
  EXPECT_EQ(program->model().detailsVersionText, "Hardware Version : 2.10");
  EXPECT_TRUE(state().portConnected);
  EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(ProgramScenario, ClicksDuringStartUpWaitUntilTheAnalyserIsReady) {
  // S/SHOT pressed while the start-up talks to the analyser used to start a sweep whose
  // frames the start-up then threw away, leaving the window at "PLEASE WAIT" for good.
  std::vector<CommandState> during;
  ticks.post(60, [&] {
    during.resize(CommandTable().size());
    ComputeCommandStates(program->commandContext(), during);
    program->Execute(Command::Button1);
  });
  program->StartUp();
  ASSERT_FALSE(during.empty());
  EXPECT_TRUE(std::none_of(during.begin(), during.end(), [](auto& c) { return c.enabled; }));
  EXPECT_FALSE(state().runInProgress);
  EXPECT_FALSE(program->model().busyCursor);
  program->Execute(Command::Button1);
  EXPECT_TRUE(runUntil([&] { return !state().runInProgress; }, 20000));
  EXPECT_EQ(state().stepIndex, 501);
  expectIdle();
}

TEST_F(ProgramScenario, ARunSweepsUntilStopped) {
  state().startFrequencyHz = 100000000;
  state().finishFrequencyHz = 200000000;
  state().stepsPerScan = 100;
  program->Execute(Command::Button2);
  EXPECT_TRUE(state().runInProgress);
  ASSERT_TRUE(runUntil([&] { return state().scansDone >= 3; }, 20000))
      << "scans " << state().scansDone << " step " << state().stepIndex << " status "
      << program->model().statusText;
  program->Execute(Command::Button1);
  ASSERT_TRUE(runUntil([&] { return !state().runInProgress; }, 10000))
      << "step " << state().stepIndex;
  EXPECT_EQ(program->model().button2Caption, "RUN");
  EXPECT_TRUE(prompts.messages().empty());
  expectIdle();
}

TEST_F(ProgramScenario, SpanEntriesFollowTheRangeRules) {
  struct Case {
    bool high;
    std::int32_t start, finish;
    const char* startText;
    const char* finishText;  // nullptr: finish box cancelled
    std::int32_t wantStart, wantFinish;
  };
  const Case cases[] = {
      {false, 10000, 25000000, "20", nullptr, 20000000, 25000000},
      {false, 10000, 25000000, "24.8", nullptr, 24799999, 25299999},  // single precision
      {false, 10000, 25000000, "24.8", "31", 24799999, 30000000},
      {true, 30000000, 1100000000, "1090", nullptr, 1080000000, 1100000000},
      {true, 30000000, 1100000000, "5", nullptr, 30000000, 1100000000},
      {true, 100000000, 200000000, "150 MHz", "152", 150000000, 160000000},
      {true, 100000000, 200000000, "150", "1100", 150000000, 1100000000},
  };
  for (const Case& c : cases) {
    state().highRange = c.high;
    state().startFrequencyHz = c.start;
    state().finishFrequencyHz = c.finish;
    prompts.input(c.startText);
    prompts.input(c.finishText ? std::optional<std::string>(c.finishText) : std::nullopt);
    program->Execute(Command::Button6);
    EXPECT_EQ(state().startFrequencyHz, c.wantStart) << c.startText;
    EXPECT_EQ(state().finishFrequencyHz, c.wantFinish) << c.startText;
  }
  const auto& asked = prompts.asked();
  EXPECT_EQ(asked[0].caption, "Start Frequency");
  EXPECT_EQ(asked[0].text, "Enter start frequency (MHz)");
  EXPECT_EQ(asked[0].defaultText, "0.01");
  EXPECT_EQ(asked[1].caption, "Finish Frequency");
  EXPECT_EQ(asked[1].text, "Enter Finish Frequency (MHz)");
  EXPECT_EQ(asked[1].defaultText, "25.00");

  // Outside 10 kHz .. 1100 MHz, or no number at all, the old value stays.
  for (const char* bad : {"abc", "1100.5", "0.005", ""}) {
    prompts.clear();
    state().startFrequencyHz = 100000000;
    prompts.input(bad);
    prompts.input(std::nullopt);
    program->Execute(Command::Button6);
    EXPECT_TRUE(prompts.wasShown("Invalid Frequency Value")) << bad;
    EXPECT_EQ(state().startFrequencyHz, 100000000) << bad;
  }

  state().startFrequencyHz = 50000000;
  program->Execute(Command::Button10);
  EXPECT_EQ(state().finishFrequencyHz, 60000000);
  state().startFrequencyHz = 1000000;
  program->Execute(Command::Button10);
  EXPECT_EQ(state().finishFrequencyHz, 1500000);
}

TEST_F(ProgramScenario, NarrowSpansAndTheLogAxisReduceTheSteps) {
  struct Case {
    std::int32_t start, finish;
    int steps;
    bool log;
    int logSpan;
    int wantSteps;
    std::int32_t wantValue;
  };
  const Case cases[] = {
      {30000000, 30400000, 500, false, 2, 100, 100},
      {30000000, 30800000, 500, false, 2, 250, 250},
      {30000000, 31000000, 500, false, 2, 500, 500},
      {10000, 30000000, 500, true, 4, 387, 65536 + 387},
      {10000, 30000000, 250, true, 4, 193, 65536 + 193},
      {10000, 30000000, 100, true, 4, 77, 65536 + 77},
      {30000000, 1000000000, 77, true, 2, 100, 65536 + 100},
  };
  for (const Case& c : cases) {
    state().startFrequencyHz = c.start;
    state().finishFrequencyHz = c.finish;
    state().stepsPerScan = c.steps;
    state().logFrequencyAxis = c.log;
    state().logSpanIndex = c.logSpan;
    EXPECT_EQ(SweepSteps(state()), c.wantSteps);
    // A shot sends the reduced steps; cancelled at once.
    link->analyser.clearLog();
    program->Execute(Command::Button1);
    program->Execute(Command::Button2);
    EXPECT_EQ(state().stepsPerScan, c.wantSteps);
    ASSERT_EQ(link->analyser.commands(0x33).size(), 1u);
    EXPECT_EQ(link->analyser.commands(0x33)[0].value, c.wantValue);
  }
}

TEST_F(ProgramScenario, TheDetectorMenuAnnouncesHowLongASlowScanTakes) {
  prompts.answer(Answer::Ok);
  program->Execute(Command::Average1);
  EXPECT_EQ(prompts.messages().back(),
            "Using AVERAGE Detector will Take About 50 Minutes to Complete");
  EXPECT_EQ(state().detector, 2);
  state().stepsPerScan = 100;
  prompts.answer(Answer::Cancel);
  program->Execute(Command::QP1);
  EXPECT_EQ(prompts.messages().back(),
            "Using QUASI PEAK Detector will Take About 10 Minutes to Complete");
  EXPECT_EQ(state().detector, 1);
}

TEST_F(ProgramScenario, AnAverageDetectorShotMeasuresStepByStep) {
  state().startFrequencyHz = 50000000;
  state().finishFrequencyHz = 60000000;
  state().stepsPerScan = 100;
  prompts.answer(Answer::Ok);
  program->Execute(Command::Average1);
  link->analyser.clearLog();
  program->Execute(Command::Button1);  // the loop runs inside: it returns at the end of the shot
  EXPECT_FALSE(state().runInProgress);
  const auto tunes = link->analyser.commands(0x40);
  ASSERT_EQ(tunes.size(), 100u);
  EXPECT_EQ(tunes[0].value, 50000000);
  EXPECT_EQ(tunes[1].value, 50100000);
  EXPECT_EQ(tunes[99].value, 59900000);
  EXPECT_EQ(link->analyser.commands(0x46).size(), 100u);
  EXPECT_EQ(link->analyser.commands(0x4A).size(), 100u);
  EXPECT_EQ(link->analyser.commands(0x45)[0].value, 100);
  EXPECT_EQ(link->analyser.commands(0x4D)[0].value, 0);
  // Spread over the display: every point carries a level.
  int measured = 0;
  for (int n = 0; n <= 495; ++n) measured += program->traces().currentTrace[n] > 0;
  EXPECT_EQ(measured, 496);
  EXPECT_EQ(program->model().stepPanelText, "Result 99");
  EXPECT_EQ(program->model().button1Caption, "S/SHOT");
}

// STOP during a point-by-point shot stops the reading (0x4A), asks for the status and ends
// the shot: the loop sends no second 0x4A and leaves the step count at the steps per scan.
// The frequency box shows each step in MHz with 4 decimals, 5 in the LOW range.
TEST_F(ProgramScenario, StopEndsAPointByPointShotAfterTheCurrentStep) {
  for (bool high : {true, false}) {
    if (!high) {
      prompts.answer(Answer::Yes);
      program->Execute(Command::Button8);  // to LOW
      ticks.advance(31000);
    }
    state().startFrequencyHz = high ? 50000000 : 1000000;
    state().finishFrequencyHz = high ? 60000000 : 2000000;
    state().stepsPerScan = 100;
    prompts.answer(Answer::Ok);
    program->Execute(Command::QP1);
    double stoppedAt = 0;
    ticks.post(20000, [&] {
      stoppedAt = ticks.nowMs();
      program->Execute(Command::Button1);  // STOP from inside the loop
    });
    link->analyser.clearLog();
    program->Execute(Command::Button1);
    EXPECT_FALSE(state().runInProgress);
    EXPECT_LT(link->analyser.commands(0x48).size(), 10u);
    EXPECT_GE(link->analyser.commands(0x48).size(), 2u);
    std::vector<int> after;
    for (const auto& c : link->analyser.log())
      if (!c.singleByte && !c.accessory && c.atMs >= stoppedAt) after.push_back(c.code);
    ASSERT_GE(after.size(), 2u);
    EXPECT_EQ(after[0], 0x4A);
    EXPECT_EQ(after[1], 0x20);
    EXPECT_EQ(std::count(after.begin(), after.end(), 0x4A), 1);
    EXPECT_EQ(state().stepIndex, 100);
    const std::string box = program->model().frequencyBoxText;
    EXPECT_EQ(box.size(), 11u) << box;  // "5x.xxxx MHz", "1.xxxxx MHz"
    EXPECT_EQ(box.substr(box.find('.') + 1).size(), high ? 8u : 9u) << box;
    expectIdle();
  }
}

// With the quasi-peak detector RUN measures point by point, sweep after sweep; STOP lets
// the sweep under way finish and ends the run.
TEST_F(ProgramScenario, AQuasiPeakRunSweepsPointByPointUntilStopped) {
  state().startFrequencyHz = 50000000;
  state().finishFrequencyHz = 60000000;
  state().stepsPerScan = 100;
  prompts.answer(Answer::Ok);
  program->Execute(Command::QP1);
  link->analyser.clearLog();
  // STOP once the second sweep is under way.
  std::function<void()> watch = [&] {
    if (state().scansDone >= 2 && state().stepIndex > 10) {
      program->Execute(Command::Button1);
      return;
    }
    ticks.post(500, watch);
  };
  ticks.post(500, watch);
  program->Execute(Command::Button2);  // the loop runs inside until the run ends
  EXPECT_FALSE(state().runInProgress);
  EXPECT_EQ(link->analyser.commands(0x40).size(), 200u);  // two whole sweeps
  EXPECT_EQ(link->analyser.commands(0x48).size(), 200u);
  EXPECT_TRUE(link->analyser.commands(0x34).empty());  // never a peak sweep
  EXPECT_TRUE(prompts.messages().size() == 1);         // the detector's warning only
  expectIdle();
}

// CANCEL ends a point-by-point step within half a second, with the busy cursor until the
// loop has unwound.
TEST_F(ProgramScenario, CancelEndsAPointByPointStepAtOnce) {
  for (Command start : {Command::Button1, Command::Button2}) {
    state().stepsPerScan = 100;
    prompts.answer(Answer::Ok);
    program->Execute(Command::Average1);
    double cancelledAt = 0;
    bool busyWhileUnwinding = false;
    ticks.post(5000, [&] {
      cancelledAt = ticks.nowMs();
      program->Execute(Command::Button2);  // CANCEL
      busyWhileUnwinding = program->model().busyCursor;
    });
    link->analyser.clearLog();
    program->Execute(start);
    const auto stops = link->analyser.commands(0x4A);
    ASSERT_FALSE(stops.empty());
    double firstStop = 0;
    for (const auto& c : link->analyser.log())
      if (c.code == 0x4A && !c.singleByte && c.atMs >= cancelledAt) {
        firstStop = c.atMs;
        break;
      }
    EXPECT_GT(firstStop, 0);
    EXPECT_LT(firstStop - cancelledAt, 500) << static_cast<int>(start);
    EXPECT_TRUE(busyWhileUnwinding);
    EXPECT_FALSE(state().runInProgress);
    expectIdle();
  }
}

// The pre-selectors belong to the LOW range: a HIGH sweep with the NX90 selected is not
// split and asks nothing.
TEST_F(ProgramScenario, TheNx90LeavesAHighSweepAlone) {
  program->Execute(Command::NX90PreSelector1);
  state().startFrequencyHz = 100000000;
  state().finishFrequencyHz = 200000000;
  state().stepsPerScan = 100;
  link->analyser.clearLog();
  program->Execute(Command::Button1);
  ASSERT_TRUE(runUntil([&] { return !state().runInProgress; }, 20000));
  EXPECT_TRUE(link->analyser.commands(0x38).empty());
  EXPECT_EQ(link->analyser.commands(0x34).size(), 1u);
  EXPECT_TRUE(prompts.messages().empty());
  expectIdle();
}

TEST_F(ProgramScenario, ClosingDuringAPointByPointShotEndsItQuietly) {
  state().stepsPerScan = 100;
  prompts.answer(Answer::Ok);
  program->Execute(Command::Average1);
  prompts.clear();
  bool closed = false;
  ticks.post(20000, [&] {
    prompts.answer(Answer::Yes);
    closed = program->CloseQuery();
  });
  program->Execute(Command::Button1);  // returns once the shot has ended
  EXPECT_TRUE(closed);
  EXPECT_FALSE(state().runInProgress);
  EXPECT_EQ(prompts.messages(), std::vector<std::string>{"Close TQ4800 ?"});
  EXPECT_FALSE(link->port.isOpen());
}

TEST_F(ProgramScenario, ChangingRangeWaitsForTheAnalyser) {
  prompts.answer(Answer::Yes);
  program->Execute(Command::Button8);  // Low
  EXPECT_TRUE(prompts.wasShown("Changing Range will cause a Slight Delay."));
  EXPECT_FALSE(state().highRange);
  EXPECT_EQ(state().startFrequencyHz, 10000);
  EXPECT_EQ(state().finishFrequencyHz, 30000000);
  EXPECT_EQ(program->model().rangeLabelText, "LOW RANGE");
  EXPECT_TRUE(program->model().rangeDelayVisible);
  EXPECT_FALSE(program->model().runEnabled);
  EXPECT_FALSE(link->analyser.highRange());
  ticks.advance(15000);
  EXPECT_EQ(program->model().statusText, " WAITING");
  // The window counts from before the range command went out.
  EXPECT_EQ(program->model().rangeDelaySeconds, 16);
  ticks.advance(14000);
  EXPECT_FALSE(program->model().rangeDelayVisible);
  EXPECT_TRUE(program->model().runEnabled);

  // Already LOW: Low sets the whole LOW span without asking.
  prompts.clear();
  state().startFrequencyHz = 1000000;
  program->Execute(Command::Button8);
  EXPECT_EQ(state().startFrequencyHz, 10000);
  EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(ProgramScenario, UnpluggingTheAnalyserAsksWhetherToEnd) {
  link->port.setDsr(false);
  prompts.answer(Answer::No);
  ticks.advance(3100);  // the status timer's next poll finds DSR low
  EXPECT_TRUE(prompts.wasShown("TQ4800 Not Responding. End Program ?"));
  EXPECT_EQ(program->model().statusText, "Click to enable");
  EXPECT_FALSE(state().linkEnabled);

  link->port.setDsr(true);
  program->Panel5Click();
  ticks.advance(2000);
  EXPECT_TRUE(state().portConnected);
  EXPECT_EQ(program->model().statusText, "Ready");
}

TEST_F(ProgramScenario, CancellingARunWhoseAnalyserWentAwayOffersToEnd) {
  state().stepsPerScan = 500;
  program->Execute(Command::Button2);
  ticks.advance(300);
  link->port.setDsr(false);
  ticks.advance(2000);
  EXPECT_TRUE(state().runInProgress);  // the sweep just stalls
  prompts.answer(Answer::Yes);
  program->Execute(Command::Button2);  // CANCEL
  EXPECT_TRUE(prompts.wasShown("TQ4800 Not Responding. End Program ?"));
  EXPECT_EQ(view.closeRequests, 1);
  EXPECT_FALSE(state().runInProgress);
}

class Nx91Scenario : public ProgramScenario {
 protected:
  static sim::AnalyserOptions Options() {
    sim::AnalyserOptions o;
    o.startHighRange = false;
    o.nx91Attached = true;
    o.nx91Automatic = true;
    return o;
  }
  Nx91Scenario() : ProgramScenario(Options()) {}
};

TEST_F(Nx91Scenario, TheNx91SplitsALowRangeSweepAtItsBandEdges) {
  // The analyser came up LOW: the program changes it to HIGH at start-up.
  ticks.advance(31000);
  ASSERT_TRUE(link->analyser.highRange());
  EXPECT_TRUE(prompts.wasShown("Ensure RF Feed is NOT Through NX91 when in High Range."));
  EXPECT_EQ(program->scan().preselectorState(), 5);

  prompts.answer(Answer::Yes);
  program->Execute(Command::Button8);
  ticks.advance(31000);
  EXPECT_EQ(program->scan().preselectorState(), 3);  // automatic band selection
  state().startFrequencyHz = 150000;
  state().finishFrequencyHz = 3000000;
  state().stepsPerScan = 100;
  link->analyser.clearLog();
  program->Execute(Command::Button1);
  ASSERT_TRUE(runUntil([&] { return !state().runInProgress; }, 60000));
  // Bands end at 0.4, 1 and 2 MHz inside this span: three holds, each continued.
  const auto ends = link->analyser.commands(0x38);
  ASSERT_EQ(ends.size(), 4u);
  EXPECT_EQ(ends[0].value, 400000);
  EXPECT_EQ(ends[1].value, 1000000);
  EXPECT_EQ(ends[2].value, 2000000);
  EXPECT_EQ(ends[3].value, 2999999);
  EXPECT_EQ(link->analyser.commands(0x3A).size(), 3u);
  EXPECT_FLOAT_EQ(state().stepFrequencyHz[500], 3000000.0f);
}

}  // namespace
}  // namespace tq
