#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "doubles/FakeSerialPort.h"
#include "doubles/FixedClock.h"
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

// A program on virtual time with a data root of its own.
class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest() {
    root = fs::temp_directory_path() /
           ("tq_startup_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    fs::create_directories(root / "drive_c" / "tq4800");
    files = std::make_unique<HostFiles>(root);
    clock.time = {2026, 12, 8, 9, 5, 0};
  }
  ~ProgramTest() override { fs::remove_all(root); }

  void writeIni(const std::string& text, const std::string& name = "TQ4800.INI") {
    std::ofstream(root / "drive_c" / "tq4800" / name, std::ios::binary) << text;
  }
  std::string readIni(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  Program& start() {
    program = std::make_unique<Program>(Ports{port, ticks, prompts, *files, clock, view, usb});
    ticks.advance(1000);  // MainTimer's first tick runs the start-up
    return *program;
  }

  fs::path root;
  std::unique_ptr<HostFiles> files;
  test::FakeSerialPort port;
  test::VirtualTicks ticks;
  test::ScriptedPrompts prompts;
  test::FixedClock clock;
  NoUsbI2cIo usb;
  test::RecordingView view;
  std::unique_ptr<Program> program;
};

std::string IniWith(std::initializer_list<std::pair<int, std::string>> changes) {
  MeasurementState s;
  ApplySettingsDefaults(s);
  s.portNumber = 1;
  std::string text = SaveSettings(s);
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) lines.push_back(l.substr(0, l.size() - 1));
  for (auto& [line, value] : changes) lines[static_cast<std::size_t>(line - 1)] = value;
  std::string out;
  for (auto& l : lines) out += l + "\r\n";
  return out;
}

TEST_F(ProgramTest, WithoutASettingsFileStartUpWarnsAndAsksForThePort) {
  prompts.input("3");
  Program& p = start();
  ASSERT_GE(prompts.asked().size(), 2u);
  EXPECT_EQ(prompts.asked()[0].text, "INI File error ! Defaults Loaded. Re-Install any ERS Data");
  EXPECT_EQ(prompts.asked()[0].kind, MessageKind::Warning);
  EXPECT_EQ(prompts.asked()[1].caption, "Communication Port Required");
  EXPECT_EQ(prompts.asked()[1].text, "Enter Com Port Number 1..4: ");
  EXPECT_EQ(prompts.asked()[1].defaultText, "2");
  EXPECT_EQ(p.state().portNumber, 3);
  EXPECT_EQ(p.model().checkedPort, 3);
  EXPECT_EQ(port.portNumber(), 3);
  EXPECT_EQ(p.state().defaultPath, "c:\\tq4800\\");
  EXPECT_EQ(p.state().screenColours, kDefaultScreenColours);
  EXPECT_TRUE(p.started());
}

TEST_F(ProgramTest, APortAnswerOutside1To4LeavesThePortAlone) {
  for (const char* answer : {"5", "x", "0"}) {
    prompts.input(answer);
    ProgramTest::start();
    EXPECT_EQ(program->state().portNumber, 2) << answer;
  }
}

TEST_F(ProgramTest, StartUpOverridesWhatTheFileSaysOfTheFrontEnd) {
  writeIni(IniWith({{20, "0"}, {21, "20"}, {22, "FALSE"}, {23, "100"}, {27, "2"}}));
  Program& p = start();
  EXPECT_EQ(p.state().stepsPerScan, 500);
  EXPECT_EQ(p.state().attenuationDb, 30);
  EXPECT_EQ(p.state().preampGainDb, 0);
  EXPECT_TRUE(p.state().highRange);
  EXPECT_EQ(p.state().detector, 1);
  // Set to 20 first, then cleared by the selection of the Direct input that follows.
  EXPECT_EQ(p.state().lisnInsertionLossDb, 0);
  EXPECT_EQ(p.state().title, "Title");
  EXPECT_EQ(p.state().displaySize, 2);
  EXPECT_EQ(p.state().startFrequencyHz, 30000000);
  EXPECT_EQ(p.state().finishFrequencyHz, 1100000000);
  EXPECT_EQ(p.state().portNumber, 1);
  EXPECT_TRUE(p.model().showCurrent);
  EXPECT_FALSE(p.model().showStore);
  // The file was found whatever the case of its name.
  EXPECT_FALSE(prompts.wasShown("INI File error ! Defaults Loaded. Re-Install any ERS Data"));
}

TEST_F(ProgramTest, LogAxisInTheFileSelectsTheHighSpanIndex) {
  writeIni(IniWith({{15, "TRUE"}}));
  Program& p = start();
  EXPECT_TRUE(p.state().logFrequencyAxis);
  EXPECT_EQ(p.state().logSpanIndex, 2);
}

TEST_F(ProgramTest, ABadSettingsLineIsReportedAndStartUpGoesOn) {
  writeIni(IniWith({{3, "red"}}));
  prompts.input("4");
  Program& p = start();
  EXPECT_TRUE(prompts.wasShown(
      "Invalid numeric format in line 3 of TQ4800.INI. Defaults Loaded for the rest of the file."));
  EXPECT_EQ(p.state().portNumber, 4);  // the port line was never reached: asked for
  EXPECT_EQ(p.state().defaultPath, "c:\\tq4800\\");
  EXPECT_TRUE(p.started());
}

TEST_F(ProgramTest, AShortDefaultPathIsReported) {
  writeIni(IniWith({{25, "c"}}));
  start();
  EXPECT_TRUE(prompts.wasShown("Check for Correct Valid Default Path under File|Setup"));
}

TEST_F(ProgramTest, AnAbsentAnalyserIsReportedAndNothingIsSentOnClose) {
  writeIni(IniWith({}));
  port.dsrHigh = false;
  Program& p = start();
  EXPECT_TRUE(prompts.wasShown("TQ4800 Not Responding"));
  EXPECT_EQ(p.model().statusText, "Click to Enable");
  EXPECT_EQ(p.model().lampColour, kClRed);
  EXPECT_FALSE(p.state().portConnected);

  port.takeWritten();
  prompts.answer(Answer::Yes);
  EXPECT_TRUE(p.CloseQuery());
  EXPECT_TRUE(port.written.empty());
  EXPECT_FALSE(port.isOpen());
  EXPECT_TRUE(fs::exists(root / "drive_c" / "tq4800" / "TQ4800.INI"));
}

// A fresh installation ships its settings file: the first start asks nothing, and the
// file holds the program's own defaults with port 2.
TEST_F(ProgramTest, AFreshInstallStartsWithoutAQuestion) {
  fs::remove_all(root);
  files->installShippedData(TQ_SOURCE_DATA_DIR);
  Program& p = start();
  EXPECT_TRUE(prompts.asked().empty()) << prompts.asked().front().text;
  EXPECT_EQ(p.state().portNumber, 2);
  MeasurementState defaults;
  ApplySettingsDefaults(defaults);
  defaults.portNumber = 2;
  EXPECT_EQ(readIni(fs::path(TQ_SOURCE_DATA_DIR) / "TQ4800.INI"), SaveSettings(defaults));
}

// Each question of the start, the link and the end has its box kind and buttons.
TEST_F(ProgramTest, EveryQuestionHasItsKindAndButtons) {
  writeIni(IniWith({}));
  port.dsrHigh = false;
  // An analyser with old firmware answers the version request.
  port.onWrite = [this](std::span<const std::uint8_t> bytes) {
    if (bytes.size() == 4 && bytes[2] == 0x21) port.deliver({0x01, 0x04, 0xC1, 0x01, 50, 0x04});
  };
  start().Panel5Click();  // still absent
  program.reset();
  port.dsrHigh = true;
  Program& p = start();
  port.deliver({0x15});  // a NAK once the accessory lines are set up
  prompts.answer(Answer::Cancel);
  p.Execute(Command::Reset1);
  port.dsrHigh = false;
  prompts.answer(Answer::No);
  ticks.advance(3100);  // the status poll finds the analyser gone
  prompts.answer(Answer::No);
  EXPECT_FALSE(p.CloseQuery());

  struct Expected {
    const char* text;
    MessageKind kind;
    Buttons buttons;
  };
  const Expected expected[] = {
      {"TQ4800 Not Responding", MessageKind::Information, Buttons::Ok},
      {"TQ4800 Still not Responding", MessageKind::Error, Buttons::Ok},
      {"Contact Veltrane Instruments Ltd for Upgraded Firmware to Improve Performance",
       MessageKind::Warning, Buttons::Ok},
      {"Invalid Comms Signal", MessageKind::Warning, Buttons::Ok},
      {"Resetting Hardware will Clear all Information not Already Saved", MessageKind::Warning,
       Buttons::OkCancel},
      {"TQ4800 Not Responding. End Program ?", MessageKind::Error, Buttons::YesNo},
      {"Close TQ4800 ?", MessageKind::Confirmation, Buttons::YesNo},
  };
  for (const Expected& e : expected) {
    const auto& asked = prompts.asked();
    const auto it =
        std::find_if(asked.begin(), asked.end(), [&](const auto& a) { return a.text == e.text; });
    ASSERT_NE(it, asked.end()) << e.text;
    EXPECT_EQ(it->kind, e.kind) << e.text;
    EXPECT_EQ(it->buttons, e.buttons) << e.text;
  }
}

TEST_F(ProgramTest, StartUpTalksToTheAnalyserInOrder) {
  writeIni(IniWith({{18, "2"}}));
  Program& p = start();
  EXPECT_TRUE(p.state().portConnected);
  EXPECT_TRUE(p.state().linkEnabled);
  EXPECT_TRUE(p.link().commsWarningArmed());
  EXPECT_EQ(port.portNumber(), 2);
  const Bytes expected{1, 2, 0x20, 4,      // status request
                       1, 3, 0x10, 30, 4,  // attenuation
                       1, 2, 0x21, 4,      // version request
                       1, 6, 0x22, 0,  0, 0, 0,    4, 1, 6, 0x14, 0x33,
                       0, 0, 0,    4,  1, 6, 0x13, 0, 0, 0, 0,    4};
  EXPECT_EQ(port.takeWritten(), expected);
  EXPECT_EQ(port.lineChanges, (std::vector<std::string>{"RTS1", "DTR0", "DTR1", "RTS0", "RTS1"}));
  EXPECT_FALSE(view.messageVisible);
  EXPECT_EQ(view.messageTexts.front(), "Welcome to the TQ4800   Please Wait");
}

TEST_F(ProgramTest, CloseWritesTheSettingsThatTheNextStartReads) {
  writeIni(IniWith({{18, "2"}}));
  Program& p = start();
  p.state().dbmUnits = true;
  p.state().delimiter = ",";
  p.state().defaultPath = "c:\\results\\";
  fs::create_directories(root / "drive_c" / "Results");
  port.takeWritten();
  prompts.answer(Answer::No);
  EXPECT_FALSE(p.CloseQuery());
  EXPECT_TRUE(port.written.empty());
  prompts.answer(Answer::Yes);
  EXPECT_TRUE(p.CloseQuery());
  EXPECT_EQ(port.takeWritten(), (Bytes{1, 2, 0x80, 4}));

  // The settings went to the new default path; start-up still reads C:\tq4800\.
  const std::string saved = readIni(root / "drive_c" / "Results" / "TQ4800.INI");
  EXPECT_NE(saved.find("\r\nTRUE\r\nFALSE\r\n2\r\n,\r\n30\r\n"), std::string::npos);
  writeIni(saved);
  program.reset();
  Program& again = start();
  EXPECT_TRUE(again.state().dbmUnits);
  EXPECT_EQ(again.state().delimiter, ",");
  EXPECT_EQ(again.state().defaultPath, "c:\\results\\");
}

TEST_F(ProgramTest, HardwareResetRestoresTheStartValues) {
  writeIni(IniWith({}));
  Program& p = start();
  MeasurementState& s = p.state();
  s.dbmUnits = true;
  s.logFrequencyAxis = true;
  s.startFrequencyHz = 10000;
  s.attenuationDb = 0;
  s.preampGainDb = 20;
  s.title = "EUT";
  s.highRange = false;
  s.measurementMode = 2;
  s.processingMode = 3;
  port.takeWritten();
  prompts.answer(Answer::Cancel);
  p.Execute(Command::Reset1);
  EXPECT_TRUE(s.dbmUnits);
  EXPECT_TRUE(port.written.empty());

  prompts.answer(Answer::Ok);
  p.Execute(Command::Reset1);
  EXPECT_EQ(prompts.asked().back().text,
            "Resetting Hardware will Clear all Information not Already Saved");
  EXPECT_EQ(port.takeWritten(), (Bytes{1, 2, 0x80, 4}));
  EXPECT_FALSE(s.dbmUnits);
  EXPECT_FALSE(s.logFrequencyAxis);
  EXPECT_EQ(s.startFrequencyHz, 30000000);
  EXPECT_EQ(s.attenuationDb, 30);
  EXPECT_EQ(s.preampGainDb, 0);
  EXPECT_EQ(s.title, "Title");
  EXPECT_TRUE(s.highRange);
  EXPECT_EQ(s.measurementMode, 0);
  EXPECT_EQ(s.processingMode, 0);
  EXPECT_EQ(s.scansDone, 1);
}

TEST_F(ProgramTest, TheClockShowsDayMonthYearHoursMinutes) {
  writeIni(IniWith({}));
  Program& p = start();
  ticks.advance(1000);
  EXPECT_EQ(p.model().dateText, "8 Dec 2026 09:05");
  p.ShowLoadedResultDate("1 Jan 2005 10:00");
  ticks.advance(1000);
  EXPECT_EQ(p.model().dateText, "1 Jan 2005 10:00");
}

}  // namespace
}  // namespace tq
