// The ERS tables and files: the grid and its interpolation, installation, ERS.DAT,
// erscorr.dat, and the two corrections a calibration computes, on synthetic traces.
#include <gtest/gtest.h>

#include <string>

#include "corrections/ErsData.h"
#include "doubles/MemoryFiles.h"
#include "doubles/ScriptedPrompts.h"
#include "model/Numbers.h"

namespace tq {
namespace {

// A table whose plane 1 correction at grid point j is j, plane 2's is -j.
ErsTables Ramp() {
  ErsTables t;
  for (std::size_t j = 0; j < kErsPoints; ++j) {
    t.correction[0][j] = static_cast<std::int32_t>(j);
    t.correction[1][j] = -static_cast<std::int32_t>(j);
  }
  return t;
}

TEST(ErsGrid, CorrectionAtAFrequencyFollowsTheGrid) {
  EXPECT_EQ(ErsGridFrequencyHz(0, 0), 30000000);
  EXPECT_EQ(ErsGridFrequencyHz(485, 0), 1000000000);
  ErsTables t = Ramp();
  const struct {
    double hz;
    int plane;
    std::int32_t offset;
    float want;
  } cases[] = {
      {29999999.0, 1, 0, 0.0f},  // below the grid: nothing
      {30000000.0, 1, 0, 0.0f},  // grid point 0 itself
      {31000000.0, 1, 0, 0.5f},  // halfway to point 1
      {999000000.0, 1, 0, 484.5f},   {1000000000.0, 1, 0, 485.0f},
      {1001000000.0, 1, 0, 485.0f},                              // above the grid: point 485
      {999000000.0, 2, 0, -484.5f},  {999000000.0, 0, 0, 0.0f},  // no plane
      {30100000.0, 1, 220000, 0.0f},  // below the first point of a shifted grid
      {32220000.0, 1, 220000, 1.0f},  // on its point 1
  };
  for (const auto& c : cases) {
    t.gridOffsetHz = c.offset;
    EXPECT_FLOAT_EQ(ErsCorrectionAt(t, c.plane, c.hz), c.want) << c.hz << " plane " << c.plane;
  }
}

TEST(ErsGrid, ApplyingAPlaneTwiceRemovesIt) {
  test::MemoryFiles files;
  test::ScriptedPrompts prompts;
  MeasurementState state;
  ErsData data(state, files, prompts);
  data.tables() = Ramp();
  data.ToggleApplied(1);
  EXPECT_EQ(data.Label(), " ERS HOR");
  EXPECT_FLOAT_EQ(data.CorrectionDb(100000000.0), 35.0f);
  data.ToggleApplied(2);
  EXPECT_EQ(data.Label(), " ERS VER");
  data.ToggleApplied(2);
  EXPECT_EQ(data.Label(), " ERS OFF");
  EXPECT_FLOAT_EQ(data.CorrectionDb(100000000.0), 0.0f);
}

class ErsFilesTest : public ::testing::Test {
 protected:
  // An installation file of 486 lines, line j holding `level(j)`.
  template <typename F>
  static std::string Installation(F level) {
    std::string text;
    for (std::size_t j = 0; j < kErsPoints; ++j) text += level(j) + "\r\n";
    return text;
  }
  void install(const std::string& serial) {
    prompts.input(serial);
    data.InstallERSdata1Click();
  }

  test::MemoryFiles files;
  test::ScriptedPrompts prompts;
  MeasurementState state;
  ErsData data{state, files, prompts};
};

TEST_F(ErsFilesTest, InstallationReadsBothPlanesAndWritesErsDatByColumns) {
  files.put("a:E42.HOR", Installation([](std::size_t j) {
              if (j == 7) return std::string("abc");
              if (j == 8) return std::string("1e39");     // found by ers_fuzz
              if (j == 9) return std::string("1234567");  // wider than ERS.DAT's column
              return std::to_string(60 + j % 10) + ".25";
            }));
  files.put("a:E42.VER", Installation([](std::size_t j) { return "-" + std::to_string(j); }));
  install("E42");

  EXPECT_EQ(state.ersSerialNumber, "E42");
  EXPECT_EQ(prompts.messages(), (std::vector<std::string>{"Place Disk with New ERS Data in Drive A",
                                                          "ERS Data Successfully Installed"}));
  EXPECT_FLOAT_EQ(data.tables().reference[0][3], 63.25f);
  EXPECT_FLOAT_EQ(data.tables().reference[0][7], 0.0f);  // "abc" installs 0 dB
  // So does a level ERS.DAT could not hold in its eight columns.
  EXPECT_FLOAT_EQ(data.tables().reference[0][8], 0.0f);
  EXPECT_FLOAT_EQ(data.tables().reference[0][9], 0.0f);
  EXPECT_FLOAT_EQ(data.tables().reference[1][485], -485.0f);

  const std::string dat = *files.readAll(kErsDataFile);
  EXPECT_EQ(dat.substr(0, 20), "    60.2      -0.0\r\n");  // 60.25 to one decimal, 8 wide
  ErsTables back;
  EXPECT_TRUE(ReadErsDat(dat, back));
  EXPECT_FLOAT_EQ(back.reference[0][3], 63.2f);
  EXPECT_FLOAT_EQ(back.reference[1][100], -100.0f);
  EXPECT_FALSE(ReadErsDat(dat.substr(0, 20 * 100), back));  // 100 lines are not enough
}

TEST_F(ErsFilesTest, AMissingPlaneFailsTheInstallationAndLeavesTheDataInstalledBefore) {
  state.ersSerialNumber = "OLD";
  files.put(kErsDataFile, "previous");
  files.put("a:E42.HOR", Installation([](std::size_t) { return std::string("70"); }));
  prompts.fileName(std::nullopt);  // no other folder either
  install("E42");
  EXPECT_EQ(prompts.messages(), (std::vector<std::string>{"Place Disk with New ERS Data in Drive A",
                                                          "Error Reading ERS Vertical Data File",
                                                          "No ERS Data has been Installed"}));
  EXPECT_FLOAT_EQ(data.tables().reference[0][0], 0.0f);
  EXPECT_EQ(files.readAll(kErsDataFile), "previous");
  EXPECT_EQ(state.ersSerialNumber, "OLD");
}

TEST_F(ErsFilesTest, WithoutTheFilesInDriveAAFolderIsOffered) {
  files.put("/media/usb/E42.HOR", Installation([](std::size_t) { return std::string("71"); }));
  files.put("/media/usb/E42.VER", Installation([](std::size_t) { return std::string("72"); }));
  prompts.fileName("/media/usb/E42.HOR");
  install("E42");
  EXPECT_TRUE(prompts.wasShown("ERS Data Successfully Installed"));
  EXPECT_FLOAT_EQ(data.tables().reference[1][200], 72.0f);
}

TEST_F(ErsFilesTest, CancellingTheSerialNumberInstallsNothing) {
  state.ersSerialNumber = "OLD";
  prompts.input(std::nullopt);
  data.InstallERSdata1Click();
  EXPECT_EQ(state.ersSerialNumber, "OLD");
  EXPECT_TRUE(prompts.messages().empty());
  EXPECT_EQ(files.writes, 0);
}

TEST_F(ErsFilesTest, SavedCorrectionsReloadWithTheirFlagsAndMarkBothPlanes) {
  state.ersSerialNumber = "E42";
  data.tables() = Ramp();
  data.tables().valid[0][5] = 1;
  data.tables().valid[1][6] = 1;
  data.SaveERSCorrectionData1Click();  // the script answers Yes
  const std::string text = *files.readAll(kErsCorrectionFile);
  EXPECT_EQ(text.substr(0, text.find('\n', text.find('\n') + 1) + 1),
            "ERS Correction Data For E42\r\n         Frequ      HORIZ  VERT\r\n");
  EXPECT_NE(text.find("\r\n  5  5  -5  TRUE   FALSE\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n  6  6  -6  FALSE TRUE \r\n"), std::string::npos);

  data.tables() = ErsTables{};
  data.tables().appliedPlane = 1;
  data.tables().archived = true;
  EXPECT_TRUE(data.ReLoadERSCorrectionData1Click());
  const ErsTables& t = data.tables();
  EXPECT_EQ(t.correction, Ramp().correction);
  EXPECT_EQ(t.valid[0][5], 1);
  EXPECT_EQ(t.valid[1][5], 0);
  EXPECT_EQ(t.valid[1][6], 1);
  EXPECT_EQ(t.holdsData, (std::array<bool, 2>{true, true}));
  EXPECT_EQ(t.appliedPlane, 0);
  EXPECT_FALSE(t.archived);
  EXPECT_EQ(data.correctionTitle(), "ERS Correction Data For E42");

  files.contents.clear();
  EXPECT_FALSE(data.ReLoadERSCorrectionData1Click());
  EXPECT_TRUE(prompts.wasShown("ERS Correction Data Not Found"));
}

TEST_F(ErsFilesTest, ClearKeepsTheReferenceAndNeedsOk) {
  data.tables() = Ramp();
  data.tables().reference[0][1] = 50.0f;
  data.tables().holdsData = {true, true};
  prompts.answer(Answer::Cancel);
  EXPECT_FALSE(data.ClearERSData1Click());
  EXPECT_EQ(data.tables().correction[0][9], 9);
  EXPECT_TRUE(data.ClearERSData1Click());
  EXPECT_EQ(data.tables().correction, ErsTables{}.correction);
  EXPECT_EQ(data.tables().holdsData, (std::array<bool, 2>{false, false}));
  EXPECT_FLOAT_EQ(data.tables().reference[0][1], 50.0f);
}

// Calibration arithmetic on synthetic sweeps: A with the unit on, B the background.
TEST(ErsCorrections, FullRangePairsEachGridPointsLevels) {
  ErsTables t;
  t.reference[0].fill(80.0f);
  Trace current{}, store{};
  current.fill(60);
  store.fill(40);
  current[10] = 45;  // within 8 dB of the background
  current[11] = 40;  // not above it: the level measured before stands in
  current[485] = 70;
  FullRangeCorrection(t, 1, current, store);
  const std::int32_t m = EmissionsDifference(60, 40);
  EXPECT_EQ(t.correction[0][0], 80 - m);
  EXPECT_EQ(t.valid[0][0], 0);
  EXPECT_EQ(t.correction[0][10], 80 - EmissionsDifference(45, 40));
  EXPECT_EQ(t.valid[0][10], 1);
  EXPECT_EQ(t.correction[0][11], t.correction[0][10]);
  EXPECT_EQ(t.correction[0][485], 80 - EmissionsDifference(70, 40));  // 1 GHz is measured too
  EXPECT_EQ(t.correction[1], ErsTables{}.correction[1]);  // the other plane is untouched
}

TEST(ErsCorrections, ZoomedRecomputesOnlyTheGridPointsOfItsSpan) {
  ErsTables t;
  t.reference[1].fill(90.0f);
  t.correction[1].fill(7);
  // A 100 MHz span from 101 MHz in 500 steps; the unit's lines sit on the 2 MHz grid.
  const std::int32_t start = 101000000;
  FrequencyGrid hz{};
  Trace current{}, store{};
  for (std::size_t n = 0; n < kTracePoints; ++n) {
    hz[n] = static_cast<float>(start + 200000.0 * static_cast<double>(n));
    current[n] = 30;
    store[n] = 30;
    if ((start + 200000 * static_cast<std::int64_t>(n)) % 2000000 == 0) current[n] = 70;
  }
  store[5] = 69;  // at 102 MHz (grid point 36) the background hides the unit
  ZoomedCorrection(t, 2, start, 100000000, hz, current, store);
  // g0 = round(71 / 2) = 36 (102 MHz): points 36 to 85 are recomputed.
  EXPECT_EQ(t.correction[1][35], 7);
  EXPECT_EQ(t.correction[1][36], 0);
  EXPECT_EQ(t.valid[1][36], 1);
  EXPECT_EQ(t.correction[1][37], 90 - EmissionsDifference(70, 30));
  EXPECT_EQ(t.valid[1][37], 0);
  EXPECT_EQ(t.correction[1][85], 90 - EmissionsDifference(70, 30));
  EXPECT_EQ(t.correction[1][86], 7);
}

}  // namespace
}  // namespace tq
