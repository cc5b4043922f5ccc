// Inputs against the simulated analyser: the same spectrum measured through the Direct input
// and through a transducer differs exactly by the transducer's correction.
#include <gtest/gtest.h>

#include <algorithm>

#include "ProgramScenario.h"
#include "corrections/FactorTable.h"
#include "model/Numbers.h"

namespace tq {
namespace {

// A second program on an analyser of the same seed: its first shot sees the same readings.
struct Twin : ProgramScenario {
  Twin() : ProgramScenario({}, "_twin") {}
  void TestBody() override {}
  using ProgramScenario::program;
  using ProgramScenario::prompts;
  using ProgramScenario::runUntil;
};

class InputScenario : public ProgramScenario {
 protected:
  // One S/SHOT over the whole high range, to its end.
  static void shot(Program& p,
                   const std::function<bool(const std::function<bool()>&, double)>& runUntil) {
    p.Execute(Command::Button1);
    ASSERT_TRUE(runUntil([&] { return !p.state().runInProgress; }, 60000));
    ASSERT_TRUE(std::all_of(p.traces().currentTrace.begin(), p.traces().currentTrace.begin() + 500,
                            [](std::int32_t v) { return v > 0; }));
  }
  void shotBoth() {
    shot(*program, [&](auto done, double ms) { return runUntil(done, ms); });
    shot(*twin.program, [&](auto done, double ms) { return twin.runUntil(done, ms); });
  }

  // Each level through the transducer against the Direct level of the same reading: the
  // Direct level is L + r + 30 (attenuator) rounded, the transducer's L + a - c(L) + r + 30
  // rounded, where c is the low-level correction of L; so the difference is a - c within a
  // rounding either side.
  void expectCorrectedByFactors(const FactorTable& factors, bool lowLevel, int preampDb) {
    const Trace& direct = twin.program->traces().currentTrace;
    const Trace& corrected = program->traces().currentTrace;
    int checked = 0;
    for (std::size_t n = 0; n < 500; ++n) {
      const double hz = state().stepFrequencyHz[n];
      const double mhz = hz / 1e6;
      const double r = mhz >= 30 ? (mhz - 30) * 6 / 1070 - 3 : 0;
      const double level = direct[n] - r - 30;
      auto c = [&](double l) {
        if (!lowLevel) return 0;
        return l < 22 ? 4 : l < 25 ? 3 : l < 31 ? 2 : l <= 35 ? 1 : 0;
      };
      const double a = FactorAt(factors, hz);
      const double low = direct[n] + a - c(level - 0.5) - preampDb - 1;
      const double high = direct[n] + a - c(level + 0.5) - preampDb + 1;
      EXPECT_GE(corrected[n], low) << n << " at " << hz;
      EXPECT_LE(corrected[n], high) << n << " at " << hz;
      ++checked;
    }
    EXPECT_EQ(checked, 500);
    EXPECT_NE(direct, corrected);
  }

  Twin twin;
};

TEST_F(InputScenario, TheNx20AntennaCorrectsEveryPointAndShowsFieldStrength) {
  prompts.input("3");
  program->Execute(Command::NX201);
  EXPECT_EQ(state().preampGainDb, 20);
  program->PreparePaint();
  EXPECT_EQ(program->model().unitLabel, "dBuV/m");
  EXPECT_EQ(program->model().inputLabels[0], "NX20");
  shotBoth();
  FactorTable nx20{};
  FillBuiltInFactors(nx20, 2);
  // The pre-amplifier the NX20 forces is part of its factors: nothing is subtracted.
  expectCorrectedByFactors(nx20, true, 0);
}

TEST_F(InputScenario, AUserAntennaMadeInTheEditorIsSavedSelectedAndUsedInASweep) {
  program->Execute(Command::CreateAntennafile1);
  UserAntennaEditor& editor = program->antennaEditor();
  editor.FormActivate();
  editor.title = "Flat plus ten";
  editor.Edit1Change();
  editor.grid[0] = {"30000000", "10"};
  editor.grid[1] = {"500000000", "14.5"};
  editor.grid[2] = {"1099999999", "4"};
  editor.grid[3] = {"1100000000", "99"};  // beyond the range: neither saved nor applied
  prompts.answer(Answer::Yes);
  prompts.fileName("C:\\tq4800\\flat.ant");
  editor.OKBtnClick();
  ASSERT_TRUE(files->exists("C:\\tq4800\\flat.ant"));
  const FactorTable made = program->transducer().table();

  program->Execute(Command::Direct1);
  prompts.fileName("C:\\tq4800\\flat.ant");
  program->Execute(Command::Selectuserantenna1);
  EXPECT_EQ(program->transducer().InputCode(), 10);
  EXPECT_EQ(program->transducer().table(), made);
  EXPECT_EQ(program->model().inputLabels[2], "Flat plus ten");
  program->PreparePaint();
  EXPECT_EQ(program->model().unitLabel, "dBuV");
  shotBoth();
  expectCorrectedByFactors(made, true, 0);
}

}  // namespace
}  // namespace tq
