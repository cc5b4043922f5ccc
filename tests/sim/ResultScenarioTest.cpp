// Results measured on the simulated analyser, saved and opened again with the import
// options: the traces land where the options say, on the grid they were measured on.
#include <gtest/gtest.h>

#include <algorithm>

#include "SimulatedProgram.h"

namespace tq {
namespace {

TEST(ResultScenario, ASweepSavedReopensIntoTheTracesEachOptionNames) {
  test::SimulatedProgram p("results");
  Program& program = *p.program;
  auto shot = [&] {
    program.Execute(Command::Button1);
    ASSERT_TRUE(p.runUntil([&] { return !program.state().runInProgress; }, 60000));
  };
  program.state().startFrequencyHz = 100000000;
  program.state().finishFrequencyHz = 300000000;
  program.state().stepsPerScan = 250;  // spread over the 501 points
  shot();
  program.Execute(Command::button18);  // > STORE
  program.state().attenuationDb = 10;  // a second, different sweep
  shot();
  const TraceData measured = program.traces();
  const FrequencyGrid grid = program.state().stepFrequencyHz;
  ASSERT_NE(measured.currentTrace, measured.storeTrace);
  ASSERT_GT(std::count_if(measured.currentTrace.begin(), measured.currentTrace.end(),
                          [](std::int32_t v) { return v > 0; }),
            400);

  const std::string name = (p.root / "sweep.emc").string();
  p.prompts.fileName(name);
  program.Execute(Command::SaveAs1);
  ASSERT_TRUE(p.files->exists(name));

  struct Case {
    ImportAs currentAs, storeAs;
    bool differenceAsArchive;
    const Trace *current, *store, *archive;  // nullptr: the difference
  };
  const Trace none{};
  const Case cases[] = {
      {ImportAs::Current, ImportAs::Store, false, &measured.currentTrace, &measured.storeTrace,
       &none},
      {ImportAs::Archive, ImportAs::Current, false, &measured.storeTrace, &none,
       &measured.currentTrace},
      {ImportAs::Store, ImportAs::DoNotImport, false, &none, &measured.currentTrace, &none},
      {ImportAs::Current, ImportAs::Store, true, &measured.currentTrace, &measured.storeTrace,
       nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.currentAs));
    program.Execute(Command::Clear1);
    p.prompts.fileName(name);
    ASSERT_TRUE(program.results().Open1Click());
    ImportOptions options;
    options.currentAs = c.currentAs;
    options.storeAs = c.storeAs;
    options.differenceAsArchive = c.differenceAsArchive;
    program.results().OpenResult(name, options);
    const TraceData& t = program.traces();
    EXPECT_EQ(program.state().stepFrequencyHz, grid);
    EXPECT_EQ(t.currentTrace, *c.current);
    EXPECT_EQ(t.storeTrace, *c.store);
    EXPECT_EQ(t.archiveTrace, c.archive ? *c.archive : t.differenceTrace);
    EXPECT_EQ(program.model().showArchive, t.archiveTrace != none);
  }
  EXPECT_EQ(program.state().attenuationDb, 10);
  EXPECT_TRUE(p.prompts.messages().empty()) << p.prompts.messages().front();
  // The next scan shows the live clock again.
  shot();
  EXPECT_TRUE(program.model().loadedResultDate.empty());
}

}  // namespace
}  // namespace tq
