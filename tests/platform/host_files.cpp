#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/HostFiles.h"

namespace tq {
namespace {

namespace fs = std::filesystem;

class HostFilesTest : public ::testing::Test {
 protected:
  HostFilesTest()
      : root_(fs::temp_directory_path() /
              ("tq_host_files_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()))),
        files_(root_) {
    fs::remove_all(root_);
    fs::create_directories(work());
  }
  ~HostFilesTest() override { fs::remove_all(root_); }

  fs::path work() const { return root_ / "drive_c" / "tq4800"; }
  static void Put(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
  }
  static std::string Get(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  int EntriesIn(const fs::path& dir) const {
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++n;
    return n;
  }

  fs::path root_;
  HostFiles files_;
};

TEST_F(HostFilesTest, DrivesSeparatorsAndBareNamesMapIntoTheDataRoot) {
  EXPECT_EQ(files_.resolve("C:\\tq4800\\EN55025.DEF"), work() / "EN55025.DEF");
  EXPECT_EQ(files_.resolve("c:/tq4800/EN55025.DEF"), work() / "EN55025.DEF");
  EXPECT_EQ(files_.resolve("c:\\tq4800/sub\\x.ant"), work() / "sub" / "x.ant");
  EXPECT_EQ(files_.resolve("a:\\result.emc"), root_ / "drive_a" / "result.emc");
  EXPECT_EQ(files_.resolve("A:result.emc"), root_ / "drive_a" / "result.emc");
  // Bare names land in the working folder, root-relative ones on the working drive.
  EXPECT_EQ(files_.resolve("tim1.csv"), work() / "tim1.csv");
  EXPECT_EQ(files_.resolve("\\limits\\usr.def"), root_ / "drive_c" / "limits" / "usr.def");
  // A host path is the user's own choice (a file dialog's answer) and passes through.
  EXPECT_EQ(files_.resolve(Utf8Path(root_ / "r.emc")), root_ / "r.emc");
  if (kThisHost == HostSystem::Posix) {
    EXPECT_EQ(files_.resolve("/tmp/elsewhere/r.emc"), fs::path("/tmp/elsewhere/r.emc"));
  }
  // A relative root is taken from the starting folder, which the program then leaves.
  EXPECT_EQ(HostFiles("rel").resolve("a:x"), fs::current_path() / "rel" / "drive_a" / "x");
}

// Both systems' mappings, checked on either: below a data root, and Windows's real drives.
TEST_F(HostFilesTest, EachSystemMapsTheProgramsPathsItsOwnWay) {
  const HostFiles posix(root_, HostSystem::Posix), windows(root_, HostSystem::Windows);
  const HostFiles real({}, HostSystem::Windows);
  const std::string u = "J\xc3\xbcrgen";
  const std::array<std::array<std::string, 3>, 7> cases{
      {{"C:\\tq4800\\TQ4800.INI", "drive_c/tq4800/TQ4800.INI", "C:\\tq4800\\TQ4800.INI"},
       {"c:/tq4800/sub\\x.ant", "drive_c/tq4800/sub/x.ant", "C:\\tq4800\\sub\\x.ant"},
       {"A:result.emc", "drive_a/result.emc", "A:\\result.emc"},
       {"tim1.csv", "drive_c/tq4800/tim1.csv", "C:\\tq4800\\tim1.csv"},
       {"\\limits\\usr.def", "drive_c/limits/usr.def", "C:\\limits\\usr.def"},
       {"C:\\tq4800\\..\\..\\.\\x.emc", "drive_c/x.emc", "C:\\x.emc"},
       {"c:/" + u + "/r.emc", "drive_c/" + u + "/r.emc", "C:\\" + u + "\\r.emc"}}};
  for (const auto& [program, inRoot, onWindows] : cases) {
    EXPECT_EQ(posix.resolve(program), root_ / HostPath(inRoot)) << program;
    EXPECT_EQ(windows.resolve(program), root_ / HostPath(inRoot)) << program;
    EXPECT_EQ(Utf8Path(real.resolve(program)), onWindows) << program;
  }
  // Other drives, UNC paths and host.ini are the real ones on Windows.
  EXPECT_EQ(Utf8Path(windows.resolve("d:/r.emc")), "D:\\r.emc");
  EXPECT_EQ(Utf8Path(real.resolve("\\\\server\\share\\r.emc")), "\\\\server\\share\\r.emc");
  EXPECT_EQ(Utf8Path(real.hostIniPath()), "C:\\tq4800\\host.ini");
}

TEST_F(HostFilesTest, NamesMatchExistingFilesWhateverTheirCase) {
  Put(work() / "TQ4800.INI", "old\r\n");
  if (kThisHost == HostSystem::Posix) {  // Windows itself finds a name whatever its case
    EXPECT_EQ(files_.resolve("C:\\TQ4800\\tq4800.ini"), work() / "TQ4800.INI");
  }
  EXPECT_TRUE(files_.exists("c:\\tq4800\\tq4800.ini"));
  EXPECT_EQ(files_.readAll("C:\\tq4800\\Tq4800.Ini"), "old\r\n");

  // Writing under another case replaces the one file instead of adding a second.
  ASSERT_TRUE(files_.writeAll("C:\\tq4800\\tq4800.ini", "new\r\n"));
  EXPECT_EQ(Get(work() / "TQ4800.INI"), "new\r\n");
  EXPECT_EQ(EntriesIn(work()), 1);

  // A name that does not exist yet keeps the case it was given.
  EXPECT_EQ(files_.resolve("C:\\tq4800\\New.emc"), work() / "New.emc");
  EXPECT_FALSE(files_.exists("C:\\tq4800\\New.emc"));
  EXPECT_EQ(files_.readAll("C:\\tq4800\\New.emc"), std::nullopt);
}

TEST_F(HostFilesTest, WritesReplaceTheWholeFileAndLeaveNoTemporary) {
  Put(work() / "tim1.csv", std::string(1000, 'x'));
  ASSERT_TRUE(files_.writeAll("tim1.csv", "short"));
  EXPECT_EQ(Get(work() / "tim1.csv"), "short");
  EXPECT_EQ(EntriesIn(work()), 1);

  ASSERT_TRUE(files_.writeAll("empty.txt", ""));
  EXPECT_TRUE(files_.exists("empty.txt"));
  EXPECT_EQ(files_.readAll("empty.txt"), "");
}

TEST_F(HostFilesTest, FailedWritesReportFalseAndKeepTheOldFile) {
  // No such folder.
  EXPECT_FALSE(files_.writeAll("C:\\nowhere\\x.emc", "data"));
  EXPECT_FALSE(fs::exists(root_ / "drive_c" / "nowhere"));

  // The target is a folder: nothing may be left behind.
  fs::create_directories(work() / "busy.emc");
  EXPECT_FALSE(files_.writeAll("busy.emc", "data"));
  EXPECT_TRUE(fs::is_directory(work() / "busy.emc"));
  EXPECT_EQ(EntriesIn(work()), 1);

  // The temporary cannot be made: the old file stays whole.
  Put(work() / "keep.emc", "precious");
  fs::create_directories(work() / "keep.emc.tmp~" / "blocker");
  EXPECT_FALSE(files_.writeAll("keep.emc", "replacement"));
  EXPECT_EQ(Get(work() / "keep.emc"), "precious");
}

TEST_F(HostFilesTest, FirstStartCopiesShippedFilesButNeverOverAUsersFile) {
  const fs::path shipped = root_ / "shipped";
  Put(shipped / "limit.def", "shipped limits");
  Put(shipped / "EN55025.DEF", "shipped vehicle");
  Put(shipped / "help" / "26.html", "topic");
  Put(shipped / "drive_a" / "SIM4800.HOR", "disk");
  Put(work() / "LIMIT.DEF", "user's limits");

  EXPECT_EQ(files_.installShippedData(shipped), 2);
  EXPECT_EQ(Get(work() / "LIMIT.DEF"), "user's limits");
  EXPECT_FALSE(fs::exists(work() / "limit.def") && fs::exists(work() / "LIMIT.DEF") &&
               !fs::equivalent(work() / "limit.def", work() / "LIMIT.DEF"));
  EXPECT_EQ(files_.readAll("EN55025.DEF"), "shipped vehicle");
  EXPECT_EQ(files_.readAll("C:\\tq4800\\HELP\\26.HTML"), "topic");
  EXPECT_TRUE(fs::is_directory(root_ / "drive_a"));
  // The simulated unit's disk goes to A:, and only when asked (simulate mode), once.
  EXPECT_FALSE(files_.exists("C:\\tq4800\\drive_a\\SIM4800.HOR") || files_.exists("a:SIM4800.HOR"));
  EXPECT_EQ(files_.installSimulatedDisk(shipped), 1);
  EXPECT_EQ(files_.readAll("a:sim4800.hor"), "disk");
  EXPECT_EQ(files_.installSimulatedDisk(shipped), 0);

  // A second start copies nothing and changes nothing.
  ASSERT_TRUE(files_.writeAll("EN55025.DEF", "edited"));
  EXPECT_EQ(files_.installShippedData(shipped), 0);
  EXPECT_EQ(files_.readAll("EN55025.DEF"), "edited");
}

TEST_F(HostFilesTest, DefaultHostIniIsWrittenOnceAndLeavesEveryPortAtItsDefault) {
  files_.ensureHostIni();
  const std::string text = Get(root_ / "host.ini");
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.find("\r\n"), std::string::npos);

  Put(root_ / "host.ini", "COM2=/dev/ttyUSB0\n");
  files_.ensureHostIni();
  EXPECT_EQ(Get(root_ / "host.ini"), "COM2=/dev/ttyUSB0\n");
}

}  // namespace
}  // namespace tq
