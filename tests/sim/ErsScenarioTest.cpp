// ERS calibration against the simulated analyser and its ERS unit on virtual time: the user
// places the unit, switches it on and off when told, and the corrections that come out make
// the unit's calibrated levels reappear in the Difference trace.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "SimulatedLink.h"
#include "corrections/ErsData.h"
#include "doubles/FixedClock.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "measure/ErsCalibration.h"
#include "measure/Program.h"
#include "platform/HostFiles.h"
#include "platform/NoUsbI2cIo.h"
#include "results/ResultFile.h"

namespace tq {
namespace {

namespace fs = std::filesystem;

// The user at the test site: answers from the script and handles the ERS unit as the
// messages say.
class SiteUser : public test::ScriptedPrompts {
 public:
  std::function<void(std::string_view)> onMessage;
  Answer message(MessageKind kind, std::string_view text, Buttons buttons) override {
    if (onMessage) onMessage(text);
    return ScriptedPrompts::message(kind, text, buttons);
  }
};

// What the program shows of the unit's line at hz: the analyser reports it behind the
// attenuator and the program adds the attenuation back.
double SeenDbuv(double hz) {
  return sim::SpectrumModel::ersLineDbuv(hz);
}

// The unit's calibrated levels, as ERS.DAT holds them.
float ReferenceDb(int plane, std::size_t j) {
  return plane == 1 ? 60.0f + 0.01f * static_cast<float>(j) : 55.0f;
}

class ErsScenario : public ::testing::Test {
 protected:
  ErsScenario() {
    root =
        fs::temp_directory_path() /
        (std::string("tq_ers_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    files = std::make_unique<HostFiles>(root);
    files->installShippedData(TQ_SOURCE_DATA_DIR);
    files->writeAll("C:\\tq4800\\TQ4800.INI",
                    "16776960\r\n12632256\r\n16711680\r\n0\r\n255\r\n16711935\r\n65280\r\n"
                    "65535\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nFALSE\r\nFALSE\r\nFALSE\r\n2\r\n;\r\n"
                    "30\r\n0\r\nTRUE\r\n500\r\nE42\r\nc:\\tq4800\\\r\nFALSE\r\n0\r\n0\r\n0\r\n");
    std::string dat;
    for (std::size_t j = 0; j < kErsPoints; ++j) {
      char line[32];
      std::snprintf(line, sizeof line, "%8.1f  %8.1f\r\n", ReferenceDb(1, j), ReferenceDb(2, j));
      dat += line;
    }
    files->writeAll(kErsDataFile, dat);
    link =
        std::make_unique<sim::SimulatedLink>(ticks, sim::AnalyserOptions{}, sim::PortOptions{true});
    program = std::make_unique<Program>(Ports{link->port, ticks, user, *files, clock, view, usb});
    ticks.advance(1500);
    user.onMessage = [this](std::string_view text) {
      if (text.starts_with("Place ERS unit") || text.starts_with("Switch ON ERS"))
        link->analyser.setErsSource(true);
      if (text.starts_with("Switch OFF ERS")) link->analyser.setErsSource(false);
    };
  }
  ~ErsScenario() override {
    program.reset();
    link.reset();
    fs::remove_all(root);
  }

  bool runUntil(const std::function<bool()>& done, double maxMs) {
    for (double t = 0; t < maxMs; t += 10) {
      if (done()) return true;
      ticks.advance(10);
    }
    return done();
  }
  MeasurementState& state() { return program->state(); }
  ErsCalibration& ers() { return program->ers(); }
  const ErsTables& tables() { return program->ers().Tables(); }
  CommandState commandState(Command id, const WindowModel* model = nullptr) {
    std::vector<CommandState> states(CommandTable().size());
    ComputeCommandStates(model ? CommandContext{state(), *model} : program->commandContext(),
                         states);
    for (std::size_t i = 0; i < states.size(); ++i)
      if (CommandTable()[i].id == id) return states[i];
    return {};
  }

  // Full range up to the sweep with the unit on; the attenuator stepped as the peak dialog's
  // buttons would.
  void startFullRange(int polarisation, int attenuatorSteps = 0) {
    ASSERT_TRUE(ers().OpenCalibration(false));
    const auto peak = ers().FullRangeOk(polarisation);
    ASSERT_TRUE(peak);
    for (int i = 0; i < std::abs(attenuatorSteps); ++i)
      ers().StepAttenuator(attenuatorSteps > 0 ? +1 : -1);
    ers().PeakAccepted();
  }
  void runFullRange(int polarisation) {
    startFullRange(polarisation);
    ASSERT_TRUE(runUntil([&] { return ers().CalibrationMode() == 2; }, 60000));
    program->Execute(Command::Button1);  // the user's shot of the background
    ASSERT_TRUE(runUntil([&] { return ers().CalibrationMode() == 0; }, 60000));
  }

  fs::path root;
  std::unique_ptr<HostFiles> files;
  test::VirtualTicks ticks;
  SiteUser user;
  test::FixedClock clock;
  NoUsbI2cIo usb;
  test::RecordingView view;
  std::unique_ptr<sim::SimulatedLink> link;
  std::unique_ptr<Program> program;
};

TEST_F(ErsScenario, FullRangeCorrectionBringsTheCalibratedLevelsBackInTheDifference) {
  EXPECT_FALSE(commandState(Command::UERSH1).enabled);
  user.answer(Answer::Yes);  // pre-scanned
  // OK to the placing, the switching off and S/SHOT, then the set-up text; no saving.
  for (int i = 0; i < 4; ++i) user.answer(Answer::Ok);
  user.answer(Answer::No);
  runFullRange(0);

  const auto messages = user.messages();
  EXPECT_NE(std::find(messages.begin(), messages.end(), "Switch OFF ERS unit"), messages.end());
  EXPECT_NE(std::find(messages.begin(), messages.end(), "Now press \"S/SHOT\""), messages.end());
  EXPECT_TRUE(user.wasShown("Do you Want to Save HORIZONTAL Calibration Data ?"));
  EXPECT_EQ(messages[messages.size() - 2].rfind("ERS is now set up in HORIZONTAL plane. It will "
                                                "affect DIFFERENCE traces of future tests.",
                                                0),
            0u);
  EXPECT_EQ(state().stepsPerScan, 500);
  EXPECT_TRUE(tables().holdsData[0]);
  EXPECT_FALSE(tables().holdsData[1]);
  EXPECT_EQ(tables().appliedPlane, 0);
  // Each correction is the reference less what the site shows of the unit.
  for (std::size_t j = 0; j < kErsPoints; ++j) {
    const double seen = SeenDbuv(ErsGridFrequencyHz(int(j), 0));
    EXPECT_NEAR(tables().correction[0][j], ReferenceDb(1, j) - seen, 4.0) << j;
    EXPECT_EQ(tables().valid[0][j], 0) << j;
  }

  program->Execute(Command::UERSH1);
  EXPECT_EQ(ers().Label(), " ERS HOR");
  EXPECT_TRUE(commandState(Command::UERSH1).checked);
  const TraceData& t = program->traces();
  for (std::size_t n = 0; n < kErsPoints; ++n)
    EXPECT_NEAR(t.differenceTrace[n], ReferenceDb(1, n), 1.0) << n;

  program->Execute(Command::UERSH1);
  EXPECT_EQ(ers().Label(), " ERS OFF");
  EXPECT_NEAR(t.differenceTrace[100], SeenDbuv(230e6), 2.0);
}

// The simulated unit's disk holds what the unit radiates: installed from A: and calibrated
// from the LOW range (changed first, or nothing when declined), the corrected Difference
// gives the disk's levels back.
TEST_F(ErsScenario, TheSimulatedUnitsDiskInstallsAndCalibratesFromTheLowRange) {
  files->installSimulatedDisk(TQ_SOURCE_DATA_DIR);
  user.input("SIM4800");
  program->Execute(Command::InstallERSdata1);
  EXPECT_EQ(state().ersSerialNumber, "SIM4800");
  program->Execute(Command::Button8);
  ASSERT_TRUE(runUntil([&] { return !program->scan().rangeChanging(); }, 40000));
  user.answer(Answer::No);
  EXPECT_FALSE(ers().OpenCalibration(false));
  EXPECT_FALSE(state().highRange);
  user.answer(Answer::Yes);  // the range change, whose delay passes before the dialog
  user.answer(Answer::Yes);  // pre-scanned
  for (int i = 0; i < 4; ++i) user.answer(Answer::Ok);
  user.answer(Answer::No);
  runFullRange(1);
  program->Execute(Command::UERSV1);
  for (std::size_t n = 0; n < kErsPoints; ++n) {
    const double radiated = SeenDbuv(ErsGridFrequencyHz(int(n), 0));
    EXPECT_NEAR(tables().reference[1][n], radiated, 0.05) << n;
    EXPECT_NEAR(program->traces().differenceTrace[n], radiated, 1.0) << n;
  }
}

TEST_F(ErsScenario, ZoomedCalibrationRecomputesItsSpanFromTwoAveragedRuns) {
  ErsTables before = tables();
  before.correction[1].fill(3);
  ers().RestoreTables(before);
  user.fileName("C:\\tq4800\\vertical.emc");  // saved when asked
  ASSERT_TRUE(ers().OpenCalibration(true));
  ers().ZoomedOk({1, 0, "100"});
  EXPECT_EQ(ers().CalibrationMode(), 3);
  EXPECT_EQ(state().processingMode, 1);
  EXPECT_EQ(tables().gridOffsetHz, 220000);
  ASSERT_TRUE(runUntil([&] { return ers().CalibrationMode() == 4; }, 200000));
  EXPECT_TRUE(program->model().showStore);
  ASSERT_TRUE(runUntil([&] { return ers().CalibrationMode() == 0; }, 200000));

  EXPECT_EQ(link->analyser.commands(0x34).size(), 16u);  // 8 sweeps off, 8 on
  EXPECT_TRUE(user.wasShown("Switch OFF ERS Unit while TQ4800 Detects Background"));
  EXPECT_TRUE(user.wasShown("Do you Want to Save VERTICAL Calibration Data ?"));
  EXPECT_EQ(state().processingMode, 0);
  EXPECT_TRUE(tables().holdsData[1]);
  // 100 MHz is grid point 35; the span's 50 points are recomputed, the rest kept.
  EXPECT_EQ(tables().correction[1][34], 3);
  EXPECT_EQ(tables().correction[1][85], 3);
  for (std::size_t g = 35; g < 85; ++g) {
    const double seen = SeenDbuv(ErsGridFrequencyHz(int(g), 0));
    EXPECT_NEAR(tables().correction[1][g], ReferenceDb(2, g) - seen, 4.0) << g;
    EXPECT_EQ(tables().valid[1][g], 0) << g;
  }
  // The saved result names the vertical plane, carries its table and no limit.
  const auto text = files->readAll("C:\\tq4800\\vertical.emc");
  ASSERT_TRUE(text);
  const ResultLines lines(*text, kResultFileLines);
  const HeaderRead header = ReadResultHeader(lines);
  EXPECT_EQ(header.header.ersPlane, 2);
  ResultColumns columns;
  columns.limit.fill(1);
  ReadResultData(lines, kResultHeaderLines, header.header.delimiter[0], columns);
  EXPECT_TRUE(
      std::all_of(columns.limit.begin(), columns.limit.end(), [](auto v) { return v == 0; }));
  ErsTables saved;
  ASSERT_TRUE(ReadErsBlock(lines, kResultHeaderLines + kResultDataLines, header.header.delimiter[0],
                           2, saved));
  EXPECT_EQ(saved.correction[1], tables().correction[1]);
  EXPECT_EQ(tables().appliedPlane, 0);
  // The unit's lines, past the span's first grid point, come back at their levels.
  program->Execute(Command::UERSV1);
  const TraceData& t = program->traces();
  for (std::size_t n = 10; n < 500; n += 10)
    EXPECT_NEAR(t.differenceTrace[n], ReferenceDb(2, 0), 1.0) << state().stepFrequencyHz[n];
}

TEST_F(ErsScenario, ExcessiveCompressionAbandonsOrGoesOnAsTheUserSays) {
  for (const Answer answer : {Answer::Yes, Answer::No}) {
    SCOPED_TRACE(answer == Answer::Yes ? "abandon" : "go on");
    user.clear();
    link->analyser.clearLog();
    user.answer(Answer::Yes);  // pre-scanned
    user.answer(Answer::Ok);   // placed
    startFullRange(0, -3);     // no attenuation: the unit overdrives the input
    EXPECT_EQ(link->analyser.attenuationDb(), 0);
    EXPECT_EQ(state().attenuationDb, 0);
    user.answer(answer);
    ASSERT_TRUE(runUntil(
        [&] { return user.wasShown("Excessive Compression. Abandon ERS Calibration Mode ?"); },
        30000));
    EXPECT_GT(ers().compressionCount(), 200);
    if (answer == Answer::Yes) {
      EXPECT_EQ(ers().CalibrationMode(), 0);
      EXPECT_FALSE(state().runInProgress);
      EXPECT_EQ(state().stepsPerScan, 500);
      EXPECT_EQ(link->analyser.commands(0x36).size(), 1u);
      ticks.advance(1000);
      EXPECT_FALSE(link->analyser.sweeping());
    } else {
      ASSERT_TRUE(runUntil([&] { return ers().CalibrationMode() == 2; }, 30000));
      EXPECT_TRUE(user.wasShown("Switch OFF ERS unit"));
      EXPECT_TRUE(link->analyser.commands(0x36).empty());
      program->Execute(Command::Button2);  // RUN starts nothing here; CANCEL gives up
      program->Execute(Command::Button2);
      EXPECT_EQ(ers().CalibrationMode(), 0);
    }
  }
}

TEST_F(ErsScenario, WithoutThePeakOrTheAnalyserNothingIsCalibrated) {
  user.onMessage = nullptr;  // the unit stays off
  ASSERT_TRUE(ers().OpenCalibration(false));
  EXPECT_FALSE(ers().FullRangeOk(1));
  EXPECT_TRUE(user.wasShown(
      "Peak NOT Found. ERS Setting Abandoned. Try Again with Reduced Attenuator Setting."));
  EXPECT_EQ(program->model().statusText, "Ready");
  EXPECT_EQ(state().stepsPerScan, 500);
  EXPECT_EQ(state().detector, 1);
  EXPECT_EQ(link->analyser.commands(0x87).size(), 3u);
  EXPECT_FALSE(tables().holdsData[1]);

  state().portConnected = false;
  user.clear();
  EXPECT_FALSE(ers().OpenCalibration(true));
  EXPECT_EQ(user.messages(), std::vector<std::string>{"TQ4800 Not Connected !"});
  // Only the ERS data entries wait for a firmware above 1.22.
  WindowModel oldFirmware = program->model();
  oldFirmware.ersMenuEnabled = false;
  EXPECT_TRUE(commandState(Command::FullRange1, &oldFirmware).enabled);
  EXPECT_FALSE(commandState(Command::InstallERSdata1, &oldFirmware).enabled);
}

}  // namespace
}  // namespace tq
