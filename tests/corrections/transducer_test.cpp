// The input transducer: factor lookup, the per-point correction in its order, the labels
// and units by input, and the TEM cell file.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "corrections/TransducerFixture.h"

namespace tq {
namespace {

using test::TransducerFixture;

FactorTable TableOf(std::initializer_list<FactorRow> rows) {
  FactorTable t{};
  std::size_t i = 1;
  for (const FactorRow& r : rows) t[i++] = r;
  return t;
}

TEST(FactorLookup, InterpolatesTowardsTheFirstRowAboveAndIsZeroPastTheEnd) {
  FactorTable nx20{}, nx30{}, kvp{}, direct{};
  FillBuiltInFactors(nx20, 2);
  FillBuiltInFactors(nx30, 3);
  FillBuiltInFactors(kvp, 6);
  FillBuiltInFactors(direct, 8);
  FactorTable full{};
  for (std::size_t i = 1; i < kFactorRows; ++i) full[i] = {static_cast<std::int32_t>(i * 1000), 5};
  const FactorTable logRows = TableOf({{150000, 66, 1}, {500000, 56, 0}});
  const FactorTable gap = TableOf({{1000000, 4}, {2000000, 6}, {0, 0}, {5000000, 10}});
  struct Case {
    const char* what;
    const FactorTable& table;
    double hz;
    float want;
  };
  const FactorTable empty{};
  const Case cases[] = {
      {"NX20 between -2 at 50 MHz and -9 at 90 MHz", nx20, 70e6, -5.5f},
      {"NX20 on its first row", nx20, 30e6, 0.0f},
      {"NX20 below its first row, from 0 Hz 0 dB", nx20, 15e6, 0.0f},
      {"NX20 between 8 and 8", nx20, 1050e6, 8.0f},
      {"NX20 at its last row", nx20, 1100e6, 0.0f},
      {"NX20 above its last row", nx20, 1200e6, 0.0f},
      {"NX30 below 10 kHz", nx30, 5000, 0.5f},
      {"NX30 at 0 Hz", nx30, 0, 0.0f},
      {"KVP between 5 and 1", kvp, 20000, 3.0f},
      {"Direct", direct, 500e6, 0.0f},
      {"no rows", empty, 100e6, 0.0f},
      {"logarithmic row", logRows, 273861, 61.0f},
      {"a zero row ends the table", gap, 3e6, 0.0f},
      {"before the zero row", gap, 1.5e6, 5.0f},
      {"a full table has no end row", full, 1e9, 0.0f},
      {"inside a full table", full, 250500, 5.0f},
  };
  for (const Case& c : cases) EXPECT_NEAR(FactorAt(c.table, c.hz), c.want, 0.01) << c.what;
}

class CorrectLevelTest : public TransducerFixture {};

TEST_F(CorrectLevelTest, StepsApplyInTheirOrder) {
  struct Case {
    const char* what;
    std::function<void(CorrectLevelTest&)> setUp;
    float level;
    float hz;
    float want;
  };
  auto input = [](int code) { return [code](CorrectLevelTest& t) { t.select(code); }; };
  const Case cases[] = {
      // Low-level correction (NX10: no factors) at 10 MHz, where the response term is 0.
      {"30 dBuV lowered by 2", input(1), 30.0f, 10e6, 28.0f},
      {"35 dBuV lowered by 1", input(1), 35.0f, 10e6, 34.0f},
      {"35.1 dBuV untouched", input(1), 35.1f, 10e6, 35.1f},
      {"21.9 dBuV lowered by 4", input(1), 21.9f, 10e6, 17.9f},
      {"22 dBuV lowered by 3", input(1), 22.0f, 10e6, 19.0f},
      {"25 dBuV lowered by 2", input(1), 25.0f, 10e6, 23.0f},
      {"Direct corrects no low level", input(8), 20.0f, 10e6, 20.0f},
      // Frequency response of the high range.
      {"response at 565 MHz", input(8), 50.0f, 565e6, 50.0f},
      {"response at 1100 MHz", input(8), 50.0f, 1100e6, 53.0f},
      {"response at 30 MHz", input(8), 50.0f, 30e6, 47.0f},
      {"response below 30 MHz", input(8), 50.0f, 29.9e6, 50.0f},
      // Factor with the rest: NX20 at 70 MHz, response (40 * 6 / 1070 - 3).
      {"NX20 at 70 MHz", input(2), 50.0f, 70e6, 50.0f - 5.5f + 40.0f * 6 / 1070 - 3},
      // The pre-selector's 4 dB come after the low-level correction is chosen.
      {"pre-selector",
       [](CorrectLevelTest& t) {
         t.select(1);
         t.context.preselector = true;
       },
       33.0f, 10e6, 36.0f},
      // Pre-amplifier, attenuator, LISN loss, probe offset.
      {"NX24 subtracts the pre-amplifier",
       [](CorrectLevelTest& t) {
         t.select(11);
         t.state.preampGainDb = 20;
       },
       50.0f, 10e6, 30.0f},
      {"NX20 does not",
       [](CorrectLevelTest& t) {
         t.select(2);
         t.state.preampGainDb = 20;
       },
       50.0f, 30e6, 47.0f},
      {"attenuation",
       [](CorrectLevelTest& t) {
         t.select(8);
         t.state.attenuationDb = 30;
       },
       50.0f, 10e6, 80.0f},
      {"LISN insertion loss",
       [](CorrectLevelTest& t) {
         t.select(9);
         t.state.lisnInsertionLossDb = 20;
       },
       50.0f, 10e6, 70.0f},
      {"a LISN loss left over is not the Direct input's",
       [](CorrectLevelTest& t) {
         t.select(8);
         t.state.lisnInsertionLossDb = 20;
       },
       50.0f, 10e6, 50.0f},
      {"KVP probe offset, factor 1 at 1 MHz", input(6), 50.0f, 1e6, 81.0f},
      // Distance: only the alternative method corrects the levels, and only for a radiated
      // limit.
      {"alternative method, limit at 10 m, measured at 3 m",
       [](CorrectLevelTest& t) {
         t.select(8);
         t.state.antennaDistanceAlt = true;
         t.context.limitDistanceM = 10.0f;
       },
       50.0f, 10e6, 50.0f - 10.4576f},
      {"standard method",
       [](CorrectLevelTest& t) {
         t.select(8);
         t.context.limitDistanceM = 10.0f;
       },
       50.0f, 10e6, 50.0f},
      {"alternative method without a radiated limit",
       [](CorrectLevelTest& t) {
         t.select(8);
         t.state.antennaDistanceAlt = true;
       },
       50.0f, 10e6, 50.0f},
  };
  for (const Case& c : cases) {
    state = MeasurementState{};
    context = {};
    c.setUp(*this);
    EXPECT_NEAR(transducer.CorrectLevel(c.level, c.hz), c.want, 0.001) << c.what;
  }
}

TEST_F(TransducerFixture, EachInputHasItsLabelsUnitAndDescription) {
  struct Case {
    int code;
    std::array<std::string, 3> labels;
    const char* unit;  // with dBm display on
    const char* description;
  };
  const Case cases[] = {
      {1, {"NX10", "NEAR FIELD", "PROBE"}, "dBm", "Using Near Field Probe"},
      {2, {"NX20", "BROAD BAND", ""}, "dBuV/m", "Antenna : NX20 Broad Band"},
      {3, {"NX30   2M", "LARGE LOOP", ""}, "dBuA", "Antenna : NX30 Large Loop"},
      {4, {"NX40", "ABSORBING", "CLAMP"}, "dBpW", "Antenna : NX40 Absorbing Clamp"},
      {5, {"NX50", "DIPOLE", ""}, "dBm", "Antenna : NX50 Dipole"},
      {6, {"KVP", "NO PA76", "PRE AMP"}, "dBm", "Using KVP (No Pre Amp)"},
      {7, {"KVP", "+PA76", ""}, "dBm", "Using KVP + PA76"},
      {8, {"DIRECT", "", ""}, "dBm", "Using Direct Input"},
      {9, {"LISN", "Source : YELL", "Atten : -20dB"}, "dBm", "Using LISN"},
      {11, {"4GHz BROAD BAND", "", ""}, "dBuV/m", "Antenna : NX24 4GHz Broad Band"},
      {12, {"Ostrocell", "OC300/2", ""}, "dBuV/m", "Antenna : Ostrocell"},
  };
  for (const Case& c : cases) {
    select(c.code);
    state.lisnInsertionLossDb = 20;
    state.ostrocellSelection = 1;
    transducer.UseBuiltInDescription();
    EXPECT_EQ(transducer.InputLabels(), c.labels) << c.code;
    EXPECT_EQ(transducer.UnitLabel(true), c.unit) << c.code;
    EXPECT_EQ(transducer.Description(), c.description) << c.code;
  }
  select(8);
  EXPECT_EQ(transducer.UnitLabel(false), "dBuV");
  transducer.SetInputCode(10);
  transducer.SetDescription("Biconical 30-300 MHz calibrated");
  EXPECT_EQ(transducer.InputLabels(),
            (std::array<std::string, 3>{"USER", "ANTENNA", "Biconical 30-30"}));
  transducer.SetInputCode(9);
  transducer.SetLisnSource(2);
  state.lisnInsertionLossDb = 0;
  EXPECT_EQ(transducer.InputLabels()[1], "Source : RED ");
  EXPECT_EQ(transducer.InputLabels()[2], "Atten : 0dB");
}

TEST_F(TransducerFixture, LoadingFactorsSetsTheFlagsOfEachInput) {
  struct Case {
    int code;
    bool lowLevel;
    int probeOffset;
  };
  const Case cases[] = {{1, true, 0},  {2, true, 0},  {3, true, 0},   {4, true, 0},
                        {5, false, 0}, {6, true, 30}, {7, true, 0},   {8, false, 0},
                        {9, true, 0},  {10, true, 0}, {11, false, 0}, {12, false, 0}};
  for (const Case& c : cases) {
    select(c.code);
    EXPECT_EQ(transducer.lowLevelCorrection(), c.lowLevel) << c.code;
    EXPECT_EQ(transducer.TransducerLevelOffsetDb(), c.probeOffset) << c.code;
  }
  transducer.ResetTransducer();
  EXPECT_FALSE(transducer.lowLevelCorrection());
  EXPECT_EQ(transducer.TransducerLevelOffsetDb(), 0);
  EXPECT_EQ(transducer.table(), FactorTable{});
}

TEST_F(TransducerFixture, TheCellFileIsNamedBySerialAndReadWhatIsValid) {
  struct Name {
    const char* serial;
    bool taken;
    const char* file;
  };
  const Name names[] = {{"7", true, "cell007.ant"},     {"1234", true, "cell1234.ant"},
                        {" 42 ", true, "cell042.ant"},  {"abc", false, "cell042.ant"},
                        {"-1", false, "cell042.ant"},   {"70000", false, "cell042.ant"},
                        {"..\\7", false, "cell042.ant"}};
  for (const Name& n : names) {
    EXPECT_EQ(transducer.SetCellSerial(n.serial), n.taken) << n.serial;
    EXPECT_EQ(transducer.cellFileName(), n.file) << n.serial;
  }

  std::string many = "OC 300\r\nserial 7\r\n150\r\n\r\n\r\n";
  for (int i = 1; i <= 600; ++i) many += std::to_string(i * 1000000) + "\r\n-12.6\r\n";
  struct File {
    const char* what;
    std::string text;
    int rows;
    std::int32_t changeoverHz;
    FactorRow row1;
  };
  const File filesToRead[] = {
      {"a full file",
       "a\r\nb\r\n250.5\r\n\r\n\r\n30000000.4\r\n-12.5\r\n60000000\r\n3.5\r\n",
       2,
       250500000,
       {30000000, -12, 0}},
      {"a changeover that is not a number",
       "a\r\nb\r\nnone\r\n\r\n\r\n30e6\r\n1\r\n",
       1,
       200000000,
       {30000000, 1, 0}},
      {"a factor that is not a number",
       "a\r\nb\r\n0\r\n\r\n\r\n30000000\r\nx\r\n",
       1,
       200000000,
       {30000000, 0, 0}},
      {"a frequency without its factor",
       "a\r\nb\r\n\r\n\r\n\r\n30000000",
       1,
       200000000,
       {30000000, 0, 0}},
      {"only the head", "a\r\nb", 0, 200000000, {}},
      {"more rows than the table holds", many, 499, 150000000, {1000000, -13, 0}},
  };
  transducer.SetCellSerial("7");
  for (const File& f : filesToRead) {
    transducer.ResetTransducer();
    files.put("c:\\tq4800\\cell007.ant", f.text);
    EXPECT_EQ(transducer.ReadCellFile(), f.rows) << f.what;
    EXPECT_EQ(transducer.ChangeoverFrequencyHz(), f.changeoverHz) << f.what;
    EXPECT_EQ(transducer.table()[1], f.row1) << f.what;
    EXPECT_EQ(transducer.table()[0], FactorRow{}) << f.what;
  }
  // A missing file leaves the table empty without a word.
  files.contents.clear();
  select(12);
  EXPECT_EQ(transducer.table(), FactorTable{});
}

}  // namespace
}  // namespace tq
