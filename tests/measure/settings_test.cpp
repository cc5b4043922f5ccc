#include "measure/Settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tq {
namespace {

std::vector<std::string> SampleLines() {
  return {"16776960",  "12632256", "16711680", "0",  "255", "16711935", "65280", "65535",
          "1",         "2",        "3",        "4",  "5",   "6",        "TRUE",  "FALSE",
          "FALSE",     "3",        ",",        "20", "10",  "FALSE",    "250",   "ERS-0042",
          "d:\\emc\\", "TRUE",     "2",        "1",  "4",   "Spare",    "Spare", "Spare"};
}

std::string Join(const std::vector<std::string>& lines, const char* eol = "\r\n") {
  std::string text;
  for (const auto& l : lines) text += l + eol;
  return text;
}

TEST(Settings, SaveWritesTheThirtyTwoLinesAndLoadReadsThemBack) {
  MeasurementState s;
  ApplySettingsDefaults(s);
  const std::string text = Join(SampleLines());
  const SettingsReadResult r = LoadSettings(text, s);
  EXPECT_EQ(r.badLine, 0);
  EXPECT_TRUE(r.portRead);
  EXPECT_FALSE(r.defaultPathInvalid);
  EXPECT_EQ(s.printerColours[5], 6u);
  EXPECT_TRUE(s.logFrequencyAxis);
  EXPECT_EQ(s.portNumber, 3);
  EXPECT_EQ(s.delimiter, ",");
  EXPECT_EQ(s.attenuationDb, 20);
  EXPECT_EQ(s.preampGainDb, 10);
  EXPECT_TRUE(s.highRange);  // the stored range is never used
  EXPECT_EQ(s.stepsPerScan, 250);
  EXPECT_EQ(s.ersSerialNumber, "ERS-0042");
  EXPECT_EQ(s.defaultPath, "d:\\emc\\");
  EXPECT_TRUE(s.antennaDistanceAlt);
  EXPECT_EQ(s.displaySize, 2);
  EXPECT_EQ(s.usbSearch, 1);
  EXPECT_EQ(s.ostrocellSelection, 4);

  // Written back, the file is the same but for line 22, which always records the range.
  std::vector<std::string> expected = SampleLines();
  expected[21] = "TRUE";
  EXPECT_EQ(SaveSettings(s), Join(expected));
}

TEST(Settings, DefaultsAreThoseOfAFreshInstallation) {
  MeasurementState s;
  ApplySettingsDefaults(s);
  std::string text = SaveSettings(s);
  EXPECT_TRUE(
      text.starts_with("16776960\r\n12632256\r\n16711680\r\n0\r\n255\r\n16711935\r\n65280\r\n"));
  EXPECT_EQ(s.defaultPath, "c:\\tq4800\\");
  EXPECT_EQ(s.delimiter, ";");
  EXPECT_EQ(s.attenuationDb, 30);
  EXPECT_EQ(s.stepsPerScan, 500);
}

TEST(Settings, OddLinesAreReadAsTheFileTableSays) {
  struct Case {
    int line;
    std::string text;
    std::function<bool(const MeasurementState&)> holds;
  };
  const std::vector<Case> cases = {
      {15, "true", [](auto& s) { return !s.logFrequencyAxis; }},  // only "TRUE" is true
      {15, "TRUE ", [](auto& s) { return !s.logFrequencyAxis; }},
      {18, "5", [](auto& s) { return s.portNumber == 7; }},  // unchanged
      {18, "x", [](auto& s) { return s.portNumber == 7; }},
      {18, "1", [](auto& s) { return s.portNumber == 1; }},
      {19, "0123456789abcdefgh", [](auto& s) { return s.delimiter == "0123456789abcde"; }},
      {25, std::string(70, 'p'), [](auto& s) { return s.defaultPath == std::string(64, 'p'); }},
      {27, "7", [](auto& s) { return s.displaySize == 0; }},    // no geometry for size 7
      {27, "258", [](auto& s) { return s.displaySize == 2; }},  // low 8 bits
      {27, "1", [](auto& s) { return s.displaySize == 1; }},
      {28, "abc", [](auto& s) { return s.usbSearch == 0; }},
      {28, "12", [](auto& s) { return s.usbSearch == 12; }},
      {29, "7", [](auto& s) { return s.ostrocellSelection == 0; }},
      {29, "-1", [](auto& s) { return s.ostrocellSelection == 0; }},
      {29, "5", [](auto& s) { return s.ostrocellSelection == 5; }},
      {24, std::string(200, 'e'), [](auto& s) { return s.ersSerialNumber.size() == 128; }},
  };
  for (const Case& c : cases) {
    auto lines = SampleLines();
    lines[static_cast<std::size_t>(c.line - 1)] = c.text;
    MeasurementState s;
    s.portNumber = 7;
    LoadSettings(Join(lines), s);
    EXPECT_TRUE(c.holds(s)) << "line " << c.line << " = \"" << c.text << "\"";
  }
}

TEST(Settings, AFileThatEndsEarlyGivesZerosEmptyTextAndFalse) {
  auto lines = SampleLines();
  lines.resize(10);
  MeasurementState s;
  ApplySettingsDefaults(s);
  const SettingsReadResult r = LoadSettings(Join(lines, "\n"), s);  // LF line ends too
  EXPECT_EQ(r.badLine, 0);
  EXPECT_EQ(s.printerColours[1], 2u);
  EXPECT_EQ(s.printerColours[2], 0u);
  EXPECT_EQ(s.attenuationDb, 0);
  EXPECT_EQ(s.delimiter, "");
  EXPECT_FALSE(s.logFrequencyAxis);
  EXPECT_FALSE(r.portRead);
  EXPECT_TRUE(r.defaultPathInvalid);

  MeasurementState empty;
  EXPECT_TRUE(LoadSettings("", empty).defaultPathInvalid);
}

TEST(Settings, TextWhereANumberBelongsKeepsWhatWasReadAndDefaultsTheRest) {
  auto lines = SampleLines();
  lines[4] = "blue";
  lines[19] = "12x";
  MeasurementState s;
  const SettingsReadResult r = LoadSettings(Join(lines), s);
  EXPECT_EQ(r.badLine, 5);
  EXPECT_EQ(s.screenColours[3], 0u);    // line 4, read
  EXPECT_EQ(s.screenColours[4], 255u);  // line 5, default
  EXPECT_EQ(s.screenColours[7], 65535u);
  EXPECT_FALSE(s.logFrequencyAxis);
  EXPECT_EQ(s.defaultPath, "c:\\tq4800\\");
  EXPECT_FALSE(r.portRead);

  lines = SampleLines();
  lines[22] = "";  // a blank line holds no number either
  MeasurementState t;
  EXPECT_EQ(LoadSettings(Join(lines), t).badLine, 23);
  EXPECT_EQ(t.ersSerialNumber, "");
  EXPECT_EQ(t.stepsPerScan, 500);
  EXPECT_EQ(t.portNumber, 3);  // read before the bad line

  lines = SampleLines();
  lines[0] = "99999999999";  // out of range is no number
  MeasurementState u;
  EXPECT_EQ(LoadSettings(Join(lines), u).badLine, 1);
}

}  // namespace
}  // namespace tq
