// The Inputs menu through the program: what each entry does, which entries the range
// offers, the dialogs' results and the measuring distance.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "doubles/FakeSerialPort.h"
#include "doubles/FixedClock.h"
#include "doubles/MemoryFiles.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "measure/Program.h"
#include "platform/NoUsbI2cIo.h"

namespace tq {
namespace {

using Labels = std::array<std::string, 3>;

class InputMenuTest : public ::testing::Test {
 protected:
  InputMenuTest() {
    program = std::make_unique<Program>(Ports{port, ticks, prompts, files, clock, view, usb});
    ticks.advance(1000);
    prompts.clear();
  }

  std::vector<std::string> inputCaptions() const {
    std::vector<std::string> captions;
    for (const auto& a : prompts.asked())
      if (a.what == "input") captions.push_back(a.caption);
    return captions;
  }
  CommandState stateOf(Command id) const {
    std::vector<CommandState> states(CommandTable().size());
    ComputeCommandStates(program->commandContext(), states);
    const auto& t = CommandTable();
    for (std::size_t i = 0; i < t.size(); ++i)
      if (t[i].id == id) return states[i];
    return {};
  }

  test::FakeSerialPort port;
  test::VirtualTicks ticks;
  test::ScriptedPrompts prompts;
  test::MemoryFiles files;
  test::FixedClock clock;
  NoUsbI2cIo usb;
  test::RecordingView view;
  std::unique_ptr<Program> program;
};

TEST_F(InputMenuTest, EachEntryOfTheTableSetsItsInputAndItsEffects) {
  struct Case {
    Command entry;
    bool high;
    const char* warning;   // "" none
    const char* distance;  // caption of the distance prompt, "" none
    int code;
    const char* unit;  // with the dBm display chosen before
    Labels labels;
    bool limit, dbmButton, dbmAfter;
    int preamp;  // starts at 10
    bool preampSelector;
  };
  const Case cases[] = {
      {Command::Direct1, true, "", "", 8, "dBm", {"DIRECT", "", ""}, false, true, true, 10, true},
      {Command::NX101,
       true,
       "",
       "",
       1,
       "dBm",
       {"NX10", "NEAR FIELD", "PROBE"},
       false,
       true,
       true,
       10,
       true},
      {Command::NX201,
       true,
       "",
       "NX20 Ant. Distance (STD)",
       2,
       "dBuV/m",
       {"NX20", "BROAD BAND", ""},
       true,
       false,
       false,
       20,
       false},
      {Command::NX201,
       false,
       "",
       "NX20 Ant. Distance (STD)",
       2,
       "dBuV/m",
       {"NX20", "BROAD BAND", ""},
       false,
       false,
       false,
       20,
       false},
      {Command::NX241,
       true,
       "",
       "NX24 Ant. Distance (STD)",
       11,
       "dBuV/m",
       {"4GHz BROAD BAND", "", ""},
       true,
       false,
       false,
       20,
       false},
      {Command::NX301,
       false,
       "",
       "",
       3,
       "dBuA",
       {"NX30   2M", "LARGE LOOP", ""},
       true,
       true,
       true,
       10,
       true},
      {Command::NX301,
       true,
       "",
       "",
       3,
       "dBuA",
       {"NX30   2M", "LARGE LOOP", ""},
       false,
       true,
       true,
       10,
       true},
      {Command::NX401,
       true,
       "",
       "",
       4,
       "dBpW",
       {"NX40", "ABSORBING", "CLAMP"},
       true,
       false,
       false,
       10,
       true},
      {Command::NX501,
       true,
       "",
       "NX50 Ant. Distance (STD)",
       5,
       "dBm",
       {"NX50", "DIPOLE", ""},
       true,
       true,
       true,
       10,
       true},
      {Command::KVP1,
       false,
       "KVP : Do NOT Use this Item if PA76 Pre-Amp is Used.",
       "",
       6,
       "dBm",
       {"KVP", "NO PA76", "PRE AMP"},
       true,
       true,
       true,
       10,
       true},
      {Command::kvp2,
       false,
       "KVP + PA76 : Ensure Pre-amp is Set to ZERO Unless Using TQ4820 as Well.",
       "",
       7,
       "dBm",
       {"KVP", "+PA76", ""},
       true,
       true,
       true,
       10,
       true},
      {Command::LISN1,
       false,
       "",
       "",
       9,
       "dBm",
       {"LISN", "Source : YELL", "Atten : -20dB"},
       true,
       true,
       true,
       10,
       true},
      {Command::Ostrocell1,
       true,
       "",
       "",
       12,
       "dBuV/m",
       {"Ostrocell", "OC300", ""},
       true,
       true,
       true,
       10,
       true},
  };
  for (const Case& c : cases) {
    MeasurementState& s = program->state();
    s.highRange = c.high;
    s.dbmUnits = true;
    s.preampGainDb = 10;
    s.processingMode = 1;
    program->Execute(Command::Direct1);  // from a known window state
    prompts.clear();
    const float distanceBefore = program->transducer().MeasuringDistanceM();
    if (*c.distance) prompts.input("4.5");
    program->Execute(c.entry);
    program->PreparePaint();
    const WindowModel& m = program->model();
    const char* what = c.labels[0].c_str();
    EXPECT_EQ(program->transducer().InputCode(), c.code) << what;
    EXPECT_EQ(m.unitLabel, c.unit) << what;
    EXPECT_EQ(m.inputLabels, c.labels) << what;
    EXPECT_EQ(m.limitEnabled, c.limit) << what;
    EXPECT_EQ(m.showLimit, c.limit) << what;
    EXPECT_EQ(stateOf(Command::Button14).enabled, c.limit) << what;
    EXPECT_EQ(stateOf(Command::Button5).enabled, c.dbmButton) << what;
    EXPECT_EQ(s.dbmUnits, c.dbmAfter) << what;
    EXPECT_EQ(s.preampGainDb, c.preamp) << what;
    EXPECT_EQ(stateOf(Command::ComboBox3).enabled, c.preampSelector) << what;
    EXPECT_EQ(s.processingMode, 0) << what;
    EXPECT_EQ(s.lisnInsertionLossDb, c.code == 9 ? 20 : 0) << what;
    EXPECT_EQ(program->transducer().TransducerLevelOffsetDb(), c.code == 6 ? 30 : 0) << what;
    EXPECT_EQ(prompts.messages(),
              *c.warning ? std::vector<std::string>{c.warning} : std::vector<std::string>{})
        << what;
    EXPECT_EQ(inputCaptions(),
              *c.distance ? std::vector<std::string>{c.distance} : std::vector<std::string>{})
        << what;
    EXPECT_FLOAT_EQ(program->transducer().MeasuringDistanceM(), *c.distance ? 4.5f : distanceBefore)
        << what;
    EXPECT_TRUE(stateOf(c.entry).checked) << what;
    EXPECT_FALSE(stateOf(c.entry == Command::Direct1 ? Command::NX101 : Command::Direct1).checked)
        << what;
  }
}

TEST_F(InputMenuTest, TheRangeOffersTheEntriesThatSuitIt) {
  struct Case {
    Command entry;
    bool high, low;
  };
  const Case cases[] = {
      {Command::Direct1, true, true},
      {Command::NX101, true, true},
      {Command::NX201, true, false},
      {Command::NX241, true, false},
      {Command::NX301, false, true},
      {Command::NX401, true, false},
      {Command::NX501, true, false},
      {Command::KVP1, false, true},
      {Command::kvp2, false, true},
      {Command::Ostrocell1, true, true},
      {Command::LISN1, false, true},
      {Command::Userselect1, true, true},
      {Command::NX90PreSelector1, true, true},
  };
  program->state().tq4804Variant = true;
  for (const Case& c : cases) {
    program->state().highRange = true;
    EXPECT_EQ(stateOf(c.entry).enabled, c.high) << static_cast<int>(c.entry);
    program->state().highRange = false;
    EXPECT_EQ(stateOf(c.entry).enabled, c.low) << static_cast<int>(c.entry);
  }
  // The NX24 antenna belongs to the TQ4804.
  program->state().highRange = true;
  program->state().tq4804Variant = false;
  EXPECT_FALSE(stateOf(Command::NX241).enabled);
}

TEST_F(InputMenuTest, TheDistancePromptTakesADecimalNumberAndTheGuideSkipsIt) {
  program->state().highRange = true;
  program->state().antennaDistanceAlt = true;
  prompts.input("10");
  program->Execute(Command::NX501);
  ASSERT_EQ(prompts.asked().size(), 1u);
  EXPECT_EQ(prompts.asked()[0].caption, "NX50 Ant. Distance (ALT)");
  EXPECT_EQ(prompts.asked()[0].text, "Enter Antenna Distance in Metres");
  EXPECT_EQ(prompts.asked()[0].defaultText, "  3.0");
  EXPECT_FLOAT_EQ(program->transducer().MeasuringDistanceM(), 10.0f);
  for (const char* bad : {"ten", "", "10 m"}) {
    prompts.input(bad);
    program->Execute(Command::NX501);
    EXPECT_FLOAT_EQ(program->transducer().MeasuringDistanceM(), 10.0f) << bad;
  }
  EXPECT_EQ(prompts.asked().back().defaultText, " 10.0");
  prompts.input(std::nullopt);
  program->Execute(Command::NX501);
  EXPECT_FLOAT_EQ(program->transducer().MeasuringDistanceM(), 10.0f);

  // A radiated test of the guide sets the distance itself; its other tests do not.
  prompts.clear();
  program->SelectInputForGuide(Command::NX201, 5);
  EXPECT_TRUE(prompts.asked().empty());
  EXPECT_EQ(program->transducer().InputCode(), 2);
  program->SelectInputForGuide(Command::NX201, 26);
  EXPECT_EQ(prompts.asked().size(), 1u);
}

TEST_F(InputMenuTest, TheDialogsResultsSetTheLisnTheCellAndTheDistanceMethod) {
  program->state().highRange = false;
  program->Execute(Command::LISN1);
  EXPECT_TRUE(program->LisnIsInput());
  EXPECT_EQ(program->Lisn(), (LisnValues{3, 2}));
  program->ApplyLisn({1, 0});
  EXPECT_EQ(program->state().lisnInsertionLossDb, 0);
  EXPECT_EQ(program->model().inputLabels, (Labels{"LISN", "Source : NEUT", "Atten : 0dB"}));
  EXPECT_EQ(program->Lisn(), (LisnValues{1, 0}));

  files.put("c:\\tq4800\\cell007.ant",
            "OC 300/2\r\n7\r\n150\r\n\r\n\r\n30000000\r\n2\r\n200000000\r\n4\r\n");
  program->Execute(Command::Ostrocell1);
  EXPECT_FALSE(program->LisnIsInput());
  EXPECT_EQ(program->Cell().usbText, "");
  program->AcceptCell(1, "7");
  EXPECT_EQ(program->transducer().InputCode(), 12);
  EXPECT_EQ(program->transducer().Description(), "Using Ostrocell");
  EXPECT_EQ(program->transducer().cellFileName(), "cell007.ant");
  EXPECT_EQ(program->transducer().ChangeoverFrequencyHz(), 150000000);
  EXPECT_FLOAT_EQ(program->transducer().FactorDb(115e6), 3.0f);
  EXPECT_EQ(program->model().cellRowsText, "2");
  EXPECT_EQ(program->model().inputLabels, (Labels{"Ostrocell", "OC300/2", ""}));
  EXPECT_TRUE(program->model().showLimit);
  EXPECT_EQ(program->state().ostrocellSelection, 1);
  EXPECT_EQ(program->Cell(), (CellValues{1, 7, "USB Connection Not Made"}));
  program->state().usbLinkOk = true;
  EXPECT_EQ(program->Cell().usbText, "USB Connection Made");

  // The information window's antenna distance click.
  EXPECT_TRUE(program->AntennaDistanceClick());
  program->SetAntennaDistanceAlt(true);
  prompts.answer(Answer::No);
  EXPECT_FALSE(program->AntennaDistanceClick());
  EXPECT_TRUE(program->state().antennaDistanceAlt);
  prompts.answer(Answer::Yes);
  EXPECT_FALSE(program->AntennaDistanceClick());
  EXPECT_FALSE(program->state().antennaDistanceAlt);
  EXPECT_TRUE(prompts.wasShown("Antenna Distance. Do you wish to revert to standard operation ?"));
}

TEST_F(InputMenuTest, TheUserAntennaEntriesSelectAFileOrOpenTheEditor) {
  program->Execute(Command::CreateAntennafile1);
  EXPECT_EQ(program->model().inputLabels, (Labels{"USER", "", ""}));
  EXPECT_TRUE(stateOf(Command::Userselect1).checked);
  EXPECT_FALSE(stateOf(Command::Direct1).checked);

  program->Execute(Command::Direct1);
  // A cancelled choice keeps the input but switches the low-level correction on.
  prompts.fileName(std::nullopt);
  program->Execute(Command::Selectuserantenna1);
  EXPECT_EQ(program->transducer().InputCode(), 8);
  EXPECT_TRUE(program->transducer().lowLevelCorrection());

  files.put(
      "c:\\tq4800\\bicon.ant",
      "Biconical 30-300 MHz\r\nTRUE\r\n200.0\r\n\r\n\r\n30000000\r\n10\r\n300000000\r\n20\r\n");
  prompts.fileName("c:\\tq4800\\bicon.ant");
  prompts.input("10");
  program->Execute(Command::Selectuserantenna1);
  EXPECT_EQ(program->transducer().InputCode(), 10);
  EXPECT_EQ(program->transducer().Description(), "Biconical 30-300 MHz");
  EXPECT_EQ(program->model().inputLabels, (Labels{"USER", "ANTENNA", "Biconical 30-30"}));
  EXPECT_EQ(prompts.asked().back().caption, "Biconical 30-300 MHz Ant. Distance (STD)");
  EXPECT_FLOAT_EQ(program->transducer().MeasuringDistanceM(), 10.0f);
  EXPECT_TRUE(program->transducer().lowLevelCorrection());
  EXPECT_FLOAT_EQ(program->transducer().FactorDb(165e6), 15.0f);
  EXPECT_TRUE(program->model().showLimit);
  EXPECT_TRUE(stateOf(Command::Userselect1).checked);

  // "true" is not "TRUE"; an unreadable file is reported and leaves an empty table.
  files.put("c:\\tq4800\\probe.ant", "Probe\r\ntrue\r\n\r\n\r\n\r\n1e6\r\n5\r\n");
  prompts.clear();
  prompts.fileName("c:\\tq4800\\probe.ant");
  program->Execute(Command::Selectuserantenna1);
  EXPECT_TRUE(inputCaptions().empty());
  EXPECT_EQ(program->transducer().Description(), "Probe");
  prompts.fileName("c:\\tq4800\\gone.ant");
  program->Execute(Command::Selectuserantenna1);
  EXPECT_TRUE(prompts.wasShown("Unable to read c:\\tq4800\\gone.ant"));
  EXPECT_EQ(program->transducer().table(), FactorTable{});
  EXPECT_EQ(program->transducer().InputCode(), 10);
}

}  // namespace
}  // namespace tq
