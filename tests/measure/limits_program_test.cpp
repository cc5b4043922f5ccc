// The Limits menu through the program: the command table's block, its one handler, the
// limit trace, the line switch before a paint and the detector pairs.
#include <gtest/gtest.h>

#include <filesystem>

#include "corrections/LimitCatalogue.h"
#include "doubles/FakeSerialPort.h"
#include "doubles/FixedClock.h"
#include "doubles/RecordingCanvas.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "measure/Program.h"
#include "model/Span.h"
#include "platform/HostFiles.h"
#include "platform/NoUsbI2cIo.h"

namespace tq {
namespace {

namespace fs = std::filesystem;

class LimitsProgramTest : public ::testing::Test {
 protected:
  LimitsProgramTest()
      : root(fs::temp_directory_path() /
             ("tq_limits_program_" +
              std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()))),
        files(root) {
    fs::remove_all(root);
    files.installShippedData(TQ_SOURCE_DATA_DIR);
    program = std::make_unique<Program>(Ports{port, ticks, prompts, files, clock, view, usb});
    program->state().defaultPath = "c:\\tq4800\\";
  }
  ~LimitsProgramTest() override {
    program.reset();
    fs::remove_all(root);
  }

  Command command(std::string_view objectName) const {
    for (const CommandEntry& e : CommandTable())
      if (e.objectName == objectName) return e.id;
    ADD_FAILURE() << objectName;
    return Command::None;
  }
  CommandState stateOf(std::string_view objectName) const {
    return stateOf(objectName, program->model());
  }
  CommandState stateOf(std::string_view objectName, const WindowModel& model) const {
    const auto& table = CommandTable();
    std::vector<CommandState> states(table.size());
    ComputeCommandStates({program->state(), model}, states);
    for (std::size_t i = 0; i < table.size(); ++i)
      if (table[i].objectName == objectName) return states[i];
    return {};
  }

  fs::path root;
  HostFiles files;
  test::FakeSerialPort port;
  test::VirtualTicks ticks;
  test::ScriptedPrompts prompts;
  test::FixedClock clock;
  NoUsbI2cIo usb;
  test::RecordingView view;
  std::unique_ptr<Program> program;
};

TEST_F(LimitsProgramTest, TheCatalogueIsABlockOfTheCommandTable) {
  const auto catalogue = LimitCatalogue();
  std::size_t rows = 0;
  for (const CommandEntry& e : CommandTable()) {
    const LimitCatalogueEntry* entry = LimitCatalogueEntryOf(e.id);
    if (!entry) continue;
    ++rows;
    EXPECT_EQ(entry->objectName, e.objectName);
    EXPECT_EQ(e.kind, entry->action == LimitAction::Menu ? CommandKind::Menu : CommandKind::Item);
  }
  EXPECT_EQ(rows + 1, catalogue.size());  // its one separator carries no command
  EXPECT_EQ(command("Limits1"), LimitCatalogueCommand(0));
  EXPECT_TRUE(stateOf("Limits1").enabled);
  WindowModel running = program->model();
  running.runControlsEnabled = false;  // a run closes the menu
  EXPECT_FALSE(stateOf("Limits1", running).enabled);
}

TEST_F(LimitsProgramTest, ChoosingAnEntryLoadsItsRecordAndFillsTheLimitTrace) {
  MeasurementState& s = program->state();
  s.startFrequencyHz = 10000;
  s.finishFrequencyHz = 30000000;
  FillDisplayGrid(s);
  s.dbmUnits = true;
  const int repaints = view.repaints;
  program->Execute(command("ClassBMains1"));
  const LimitFiles& limit = program->limits();
  EXPECT_EQ(limit.Table().recordNumber, 26);
  EXPECT_EQ(limit.Name(), "EN55022 Class B Mains");
  EXPECT_FALSE(s.dbmUnits);
  EXPECT_GT(view.repaints, repaints);
  const Trace& trace = program->traces().limitTrace;
  EXPECT_EQ(trace[0], 200);  // 10 kHz: below the limit's first point
  for (std::size_t n = 1; n <= 500; ++n)
    EXPECT_EQ(trace[n], RoundHalfEven(limit.LimitAt(s.stepFrequencyHz[n]))) << n;
  EXPECT_EQ(trace[9], 46);  // 0.55 MHz: average 46 dBuV

  // A paint with the limit shown moves to the companion: EN55014 appliances, record 51.
  program->Execute(command("AppliancesMains1"));
  program->Execute(Command::limit1);
  program->PreparePaint();
  test::RecordingCanvas canvas;
  program->DrawGraph(canvas);
  EXPECT_EQ(limit.Table().recordNumber, 51);
  EXPECT_EQ(limit.BaseLine().recordNumber, 8);
  EXPECT_EQ(trace[9], RoundHalfEven(limit.LimitAt(s.stepFrequencyHz[9])));
  EXPECT_EQ(trace[9], 56);  // the quasi-peak line
  EXPECT_TRUE(prompts.messages().empty());
  // A limit is in dBuV: loading one offers the dBm button again, after the NX40 (dBpW).
  program->Execute(Command::NX401);
  EXPECT_FALSE(stateOf("Button5").enabled);
  program->Execute(command("ClassBMains1"));
  EXPECT_TRUE(stateOf("Button5").enabled);
}

// The alternative distance method corrects the levels for a radiated limit's distance only.
TEST_F(LimitsProgramTest, OnlyARadiatedLimitsDistanceCorrectsTheLevels) {
  files.writeAll("c:\\tq4800\\usrlmt.def",
                 "LIMIT \"Mains\"\r\nDESCRIPTION x\r\nSTANDARD x\r\nIDENTIFICATION x\r\n"
                 "DISTANCE 10\r\nMAINS\r\n150000,66,LOG\r\n30000000,60,LOG\r\nEND\r\n"
                 "LIMIT \"Field\"\r\nDESCRIPTION x\r\nSTANDARD x\r\nIDENTIFICATION x\r\n"
                 "DISTANCE 10\r\nRADIATED\r\n30000000,40,LOG\r\n230000000,40,LOG\r\nEND\r\n");
  program->state().antennaDistanceAlt = true;
  const float direct = program->transducer().CorrectLevel(50.0f, 10e6f);
  program->userLimitChoice().UserLimitChosen(0);
  EXPECT_FLOAT_EQ(program->transducer().CorrectLevel(50.0f, 10e6f), direct);
  program->userLimitChoice().UserLimitChosen(1);
  EXPECT_NEAR(program->transducer().CorrectLevel(50.0f, 10e6f), direct - 10.4576f, 0.001);
}

TEST_F(LimitsProgramTest, ADetectorChangeSwapsTheVehiclePair) {
  prompts.answer(Answer::Ok);
  program->Execute(Command::QP1);
  program->Execute(Command::NX401);
  program->Execute(command("Class11"));
  EXPECT_TRUE(stateOf("Button5").enabled);
  EXPECT_EQ(program->limits().Table().recordNumber, 108);
  EXPECT_TRUE(program->model().showLimit);
  EXPECT_TRUE(stateOf("Button14").enabled);
  program->Execute(Command::PFS1);
  EXPECT_EQ(program->limits().Table().recordNumber, 107);
  program->Execute(command("Class116"));  // its 2557 twin
  EXPECT_EQ(program->limits().Table().recordNumber, 107);
}

}  // namespace
}  // namespace tq
