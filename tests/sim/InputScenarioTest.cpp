// Inputs against the simulated analyser: the same spectrum measured through the Direct input
// and through a transducer differs exactly by the transducer's correction.
#include <gtest/gtest.h>

#include <algorithm>

#include "SimulatedProgram.h"
#include "corrections/FactorTable.h"
#include "model/Numbers.h"

namespace tq {
namespace {

// Two programs on analysers of the same seed: their first shots see the same readings, one
// through the Direct input, the other through the input under test.
class InputScenario : public ::testing::Test {
 protected:
  InputScenario()
      : under(std::string(::testing::UnitTest::GetInstance()->current_test_info()->name())),
        twin(std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
             "_twin") {}

  Program& program() { return *under.program; }

  // One S/SHOT over the whole high range, to its end.
  static void shot(test::SimulatedProgram& p) {
    p.program->Execute(Command::Button1);
    ASSERT_TRUE(p.runUntil([&] { return !p.program->state().runInProgress; }, 60000));
    const Trace& t = p.program->traces().currentTrace;
    ASSERT_TRUE(std::all_of(t.begin(), t.begin() + 500, [](std::int32_t v) { return v > 0; }));
  }
  void shotBoth() {
    shot(under);
    shot(twin);
  }

  // Each level through the transducer against the Direct level of the same reading: the
  // Direct level is L + r + 30 (attenuator) rounded, the transducer's L + a - c(L) + r + 30
  // rounded, where c is the low-level correction of L; so the difference is a - c within a
  // rounding either side.
  void expectCorrectedByFactors(const FactorTable& factors, bool lowLevel) {
    const Trace& direct = twin.program->traces().currentTrace;
    const Trace& corrected = program().traces().currentTrace;
    for (std::size_t n = 0; n < 500; ++n) {
      const double hz = program().state().stepFrequencyHz[n];
      const double mhz = hz / 1e6;
      const double r = mhz >= 30 ? (mhz - 30) * 6 / 1070 - 3 : 0;
      const double level = direct[n] - r - 30;
      auto c = [&](double l) {
        if (!lowLevel) return 0;
        return l < 22 ? 4 : l < 25 ? 3 : l < 31 ? 2 : l <= 35 ? 1 : 0;
      };
      const double a = FactorAt(factors, hz);
      EXPECT_GE(corrected[n], direct[n] + a - c(level - 0.5) - 1) << n << " at " << hz;
      EXPECT_LE(corrected[n], direct[n] + a - c(level + 0.5) + 1) << n << " at " << hz;
    }
    EXPECT_NE(direct, corrected);
  }

  test::SimulatedProgram under;
  test::SimulatedProgram twin;
};

TEST_F(InputScenario, TheNx20AntennaCorrectsEveryPointAndShowsFieldStrength) {
  under.prompts.input("3");
  program().Execute(Command::NX201);
  EXPECT_EQ(program().state().preampGainDb, 20);
  program().PreparePaint();
  EXPECT_EQ(program().model().unitLabel, "dBuV/m");
  EXPECT_EQ(program().model().inputLabels[0], "NX20");
  shotBoth();
  FactorTable nx20{};
  FillBuiltInFactors(nx20, 2);
  // The pre-amplifier the NX20 forces is part of its factors: nothing is subtracted.
  expectCorrectedByFactors(nx20, true);
}

TEST_F(InputScenario, AUserAntennaMadeInTheEditorIsSavedSelectedAndUsedInASweep) {
  program().Execute(Command::CreateAntennafile1);
  UserAntennaEditor& editor = program().antennaEditor();
  editor.FormActivate();
  editor.title = "Flat plus ten";
  editor.Edit1Change();
  editor.grid[0] = {"30000000", "10"};
  editor.grid[1] = {"500000000", "14.5"};
  editor.grid[2] = {"1099999999", "4"};
  editor.grid[3] = {"1100000000", "99"};  // beyond the range: neither saved nor applied
  under.prompts.answer(Answer::Yes);
  under.prompts.fileName("C:\\tq4800\\flat.ant");
  editor.OKBtnClick();
  ASSERT_TRUE(under.files->exists("C:\\tq4800\\flat.ant"));
  const FactorTable made = program().transducer().table();

  program().Execute(Command::Direct1);
  under.prompts.fileName("C:\\tq4800\\flat.ant");
  program().Execute(Command::Selectuserantenna1);
  EXPECT_EQ(program().transducer().InputCode(), 10);
  EXPECT_EQ(program().transducer().table(), made);
  EXPECT_EQ(program().model().inputLabels[2], "Flat plus ten");
  program().PreparePaint();
  EXPECT_EQ(program().model().unitLabel, "dBuV");
  shotBoth();
  expectCorrectedByFactors(made, true);
}

// A cell file is an antenna file: the editor writes one and the Ostrocell reads it back, its
// factors rounded to whole dB.
TEST_F(InputScenario, ACellFileWrittenByTheEditorCorrectsTheOstrocell) {
  UserAntennaEditor& editor = program().antennaEditor();
  editor.FormActivate();
  editor.grid[0] = {"30000000", "-20"};
  editor.grid[1] = {"600000000", "-13.6"};
  editor.grid[2] = {"1099000000", "-8"};
  under.prompts.fileName("C:\\tq4800\\cell042.ant");
  ASSERT_TRUE(editor.Save1Click());
  program().AcceptCell(0, "42");
  FactorTable cell{};
  cell[1] = {30000000, -20, 0};
  cell[2] = {600000000, -14, 0};
  cell[3] = {1099000000, -8, 0};
  shotBoth();
  expectCorrectedByFactors(cell, false);
}

}  // namespace
}  // namespace tq
