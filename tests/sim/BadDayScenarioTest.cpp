// Files on a bad day: every file the program writes, saved while the disk is full (the
// process's file size limit, so that the host's write really fails part way) and while the
// data folder is read-only. The user sees the platform's reason, the old file is whole, no
// temporary is left, and the program carries on: the next save and the next sweep work.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <system_error>

#include "SimulatedLink.h"
#include "corrections/ErsData.h"
#include "doubles/FixedClock.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "measure/Program.h"
#include "platform/HostFiles.h"
#include "platform/NoUsbI2cIo.h"

namespace tq {
namespace {

namespace fs = std::filesystem;

enum class Day { Good, DiskFull, ReadOnly };

#ifdef _WIN32
constexpr std::errc kFull = std::errc::no_space_on_device;
#else
constexpr std::errc kFull = std::errc::file_too_large;  // the file size limit's error
#endif

// The host's files, on a day that may be bad. The read-only folder is injected: the tests
// may run as root, whom no permission stops.
class BadDayFiles : public HostFiles {
 public:
  using HostFiles::HostFiles;
  Day day = Day::Good;
  bool writeAll(std::string_view path, std::string_view contents) override {
    if (day == Day::ReadOnly) {
      injectedError_ = std::make_error_code(std::errc::read_only_file_system).message();
      return false;
    }
    injectedError_.clear();
    if (day == Day::Good) return HostFiles::writeAll(path, contents);
#ifdef _WIN32
    // No file size limit to lower here: the disk is full before the first byte.
    injectedError_ = std::make_error_code(kFull).message();
    return false;
#else
    // Not a byte more fits: the write fails with the file half made.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit full = saved;
    full.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &full);
    const bool written = HostFiles::writeAll(path, contents);
    setrlimit(RLIMIT_FSIZE, &saved);
    return written;
#endif
  }
  std::string writeError() const override {
    return injectedError_.empty() ? HostFiles::writeError() : injectedError_;
  }

 private:
  std::string injectedError_;
};

class BadDayScenario : public ::testing::Test {
 protected:
  BadDayScenario() : root(fs::temp_directory_path() / "tq_bad_day"), files(root) {
    fs::remove_all(root);
    files.installShippedData(TQ_SOURCE_DATA_DIR);
    files.installSimulatedDisk(TQ_SOURCE_DATA_DIR);
  }
  ~BadDayScenario() override {
    program.reset();
    fs::remove_all(root);
  }
  void start() {
    program.reset();
    link = std::make_unique<sim::SimulatedLink>(ticks, sim::AnalyserOptions{},
                                                sim::PortOptions{false});
    program = std::make_unique<Program>(Ports{link->port, ticks, prompts, files, clock, view, usb});
    ticks.advance(1500);
  }
  // The user was told of the write's failure, with its reason.
  void expectToldWhy(const std::string& file, Day day) {
    const std::string why =
        std::make_error_code(day == Day::DiskFull ? kFull : std::errc::read_only_file_system)
            .message();
    const auto& asked = prompts.asked();
    EXPECT_TRUE(std::any_of(asked.begin(), asked.end(), [&](const auto& a) {
      return a.kind == MessageKind::Error && a.text == "Unable to write " + file + "\n" + why;
    }));
  }

  fs::path root;
  BadDayFiles files;
  test::VirtualTicks ticks;
  test::ScriptedPrompts prompts;
  test::FixedClock clock;
  test::RecordingView view;
  NoUsbI2cIo usb;
  std::unique_ptr<sim::SimulatedLink> link;
  std::unique_ptr<Program> program;
};

TEST_F(BadDayScenario, EverySaveKeepsTheOldFileAndTellsWhy) {
  auto limitForm = [] {
    UserLimitForm form;
    form.title = "Bench";
    form.rows[0] = {"150000", "60", "TRUE"};
    form.rows[1] = {"30000000", "50", "FALSE"};
    return form;
  };
  const struct {
    const char* file;
    std::function<void()> save;
  } saves[] = {
      {"C:\\tq4800\\day.emc",
       [&] {
         prompts.fileName("C:\\tq4800\\day.emc");
         program->Execute(Command::SaveAs1);
       }},
      {"C:\\tq4800\\day.csv",
       [&] {
         prompts.fileName("C:\\tq4800\\day.csv");
         program->finalMeasurement().ExportCsv();
       }},
      {kErsDataFile,
       [&] {
         prompts.input("SIM4800");
         program->ers().data().InstallERSdata1Click();
       }},
      {kErsCorrectionFile,
       [&] {
         prompts.answer(Answer::Yes);
         program->ers().data().SaveERSCorrectionData1Click();
       }},
      {"C:\\tq4800\\day.ant",
       [&] {
         program->antennaEditor().FormActivate();
         program->antennaEditor().grid[0] = {"30000000", "12.5"};
         prompts.fileName("C:\\tq4800\\day.ant");
         program->antennaEditor().Save1Click();
       }},
      {"c:\\tq4800\\usrlmt.def",  // a limit added
       [&] {
         program->userLimitEditor().Activate("3.0");
         prompts.answer(Answer::Yes);
         program->userLimitEditor().Save(limitForm());
       }},
      {"c:\\tq4800\\usrlmt.def",  // the limit the file holds, changed
       [&] {
         UserLimitEditor& editor = program->userLimitEditor();
         editor.Activate("3.0");
         ASSERT_TRUE(editor.BeginSelect());
         ASSERT_FALSE(editor.UserLimitNames().empty());
         auto form = editor.Select(0);
         ASSERT_TRUE(form);
         form->rows[2] = {"100000000", "40", "FALSE"};
         editor.Save(*form);
       }},
  };
  const std::string kept =
      ";\r\nLIMIT \"Kept\"\r\nDESCRIPTION \"old\"\r\nSTANDARD Not Used\r\n"
      "IDENTIFICATION Not Used\r\nDISTANCE 3\r\nMAINS\r\n150000,66,LOG\r\n"
      "END\r\n;\r\n";
  for (const Day day : {Day::DiskFull, Day::ReadOnly}) {
    start();
    for (const auto& s : saves) {
      SCOPED_TRACE(std::string(s.file) + (day == Day::DiskFull ? ", disk full" : ", read-only"));
      files.day = Day::Good;
      ASSERT_TRUE(files.writeAll(s.file, kept));
      prompts.clear();
      files.day = day;
      s.save();
      files.day = Day::Good;
      EXPECT_EQ(files.readAll(s.file), kept);
      expectToldWhy(s.file, day);
      for (const auto& entry : fs::directory_iterator(files.resolve(s.file).parent_path()))
        EXPECT_NE(entry.path().extension(), ".tmp~") << entry.path();

      // The same save on a good day goes through.
      prompts.clear();
      s.save();
      EXPECT_NE(files.readAll(s.file), kept);
      for (const auto& asked : prompts.asked()) EXPECT_NE(asked.kind, MessageKind::Error);
    }
    // The program measures on.
    program->Execute(Command::Button1);
    for (int t = 0; t < 60000 && program->state().runInProgress; t += 10) ticks.advance(10);
    EXPECT_EQ(program->state().stepIndex, program->state().stepsPerScan + 1);

    // The settings are written on closing: the close goes on, the old settings stay.
    const std::string ini = "c:\\tq4800\\TQ4800.INI";
    const auto before = files.readAll(ini);
    prompts.clear();
    prompts.answer(Answer::Yes);
    files.day = day;
    EXPECT_TRUE(program->CloseQuery());
    files.day = Day::Good;
    EXPECT_EQ(files.readAll(ini), before);
    expectToldWhy(ini, day);
    EXPECT_EQ(link->analyser.commands(0x80).size(), 1u);
  }
}

}  // namespace
}  // namespace tq
