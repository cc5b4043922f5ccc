// Unattended runs of test plans against the simulated enclosed product on virtual time: the
// same program as the window's, driven by the runner, with its files read back as a CI server
// would read them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "SimulatedLink.h"
#include "doubles/FixedClock.h"
#include "doubles/RecordingPrinter.h"
#include "doubles/VirtualTicks.h"
#include "platform/HostFiles.h"
#include "platform/NoUsbI2cIo.h"
#include "runner/PlanRunner.h"

namespace tq {
namespace {

class QuietProgress : public RunProgress {
 public:
  void Phase(const std::string& line) override { phases.push_back(line); }
  void Update(const std::string&) override {}
  void Verdict(const std::string& line) override { verdict = line; }
  std::vector<std::string> phases;
  std::string verdict;
};

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class PlanRunScenario : public ::testing::Test {
 public:
  PlanRunScenario()
      : root(std::filesystem::temp_directory_path() /
             ("tq_plan_" +
              std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()))),
        files((std::filesystem::remove_all(root), root)),
        link(ticks, {.seed = 5, .product = sim::Product::Enclosed}, sim::PortOptions{false}) {
    files.ensureHostIni();
    files.installShippedData(TQ_SOURCE_DATA_DIR);
    out = root / "out";
    std::filesystem::create_directories(out);
    program = std::make_unique<Program>(Ports{link.port, ticks, prompts, files, clock, view, usb});
  }
  ~PlanRunScenario() override {
    program.reset();
    std::filesystem::remove_all(root);
  }

  int run(const std::string& planText, const std::function<void(PlanRunner&)>& during = {},
          std::optional<Json> baseline = {}) {
    auto read = ReadTestPlan(planText, "plan.ini");
    EXPECT_TRUE(std::holds_alternative<TestPlan>(read));
    RunOptions options;
    options.planPath = "plan.ini";
    options.outDir = Utf8Path(out);
    options.baseline = std::move(baseline);
    PlanRunner runner({*program, prompts, view, ticks, files, printer, clock, progress},
                      std::get<TestPlan>(std::move(read)), options);
    std::unique_ptr<Timer> hook;
    if (during) {
      hook = ticks.createTimer(20, [&] { during(runner); });
      hook->setEnabled(true);
    }
    return runner.Run();
  }
  Json summary() const { return ParseJson(ReadText(out / "summary.json")).value_or(Json()); }
  static const Json& test(const Json& s, std::size_t k) { return (*s.find("tests")->asArray())[k]; }
  static std::string text(const Json& j, const char* key) {
    const Json* v = j.find(key);
    return v && v->asString() ? *v->asString() : std::string("<missing>");
  }

  std::filesystem::path root, out;
  HostFiles files;
  test::VirtualTicks ticks;
  sim::SimulatedLink link;
  PlanPrompts prompts;
  HeadlessView view;
  test::FixedClock clock;
  NoUsbI2cIo usb;
  test::RecordingPrinter printer;
  QuietProgress progress;
  std::unique_ptr<Program> program;
};

// The shipped radiated example fails on one emission after the final quasi-peak reading;
// every file of the test says so alike, and the report has its peak table page.
TEST_F(PlanRunScenario, TheRadiatedExampleFailsAndItsFilesAgree) {
  const std::string plan =
      ReadText(std::filesystem::path(TQ_SOURCE_DIR) / "docs/examples" / "en55022-radiated.ini");
  EXPECT_EQ(run(plan), kExitFail);

  const Json s = summary();
  EXPECT_EQ(text(s, "verdict"), "FAIL");
  const Json& radiated = test(s, 0);
  EXPECT_EQ(text(radiated, "verdict"), "FAIL");
  EXPECT_EQ(text(*radiated.find("settings"), "input"), program->transducer().Description());
  const Json::Array& peaks = *radiated.find("peak_table")->find("peaks")->asArray();
  ASSERT_FALSE(peaks.empty());
  int failing = 0;
  for (const Json& p : peaks) failing += text(p, "verdict") == "FAIL";
  EXPECT_GE(failing, 1);

  const std::string csv = ReadText(out / "radiated-peaks.csv");
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), static_cast<long>(peaks.size()) + 3)
      << csv;  // heading, units, overall
  const std::string junit = ReadText(out / "junit.xml");
  EXPECT_NE(junit.find("tests=\"" + std::to_string(peaks.size()) + "\""), std::string::npos);
  EXPECT_NE(junit.find("failures=\"" + std::to_string(failing) + "\""), std::string::npos);
  ASSERT_EQ(printer.pdfPaths.size(), 1u);
  EXPECT_EQ(printer.pages.size(), 2u);
  EXPECT_TRUE(std::filesystem::exists(out / "radiated.emc"));
  EXPECT_NE(progress.verdict.find("verdict: FAIL (exit 1)"), std::string::npos);

  // The same board again, against the first run: each peak is matched with its margin then,
  // and the report's peak page gives the change.
  std::filesystem::rename(out, root / "first");
  std::filesystem::create_directories(out);
  EXPECT_EQ(run(plan, {}, s), kExitFail);
  const Json again = summary();
  for (const Json& p : *test(again, 0).find("peak_table")->find("peaks")->asArray()) {
    const Json* then = p.find("baseline");
    ASSERT_TRUE(then && then->find("margin_db")) << again.Write();
  }
  ASSERT_EQ(printer.pages.size(), 2u);
  EXPECT_TRUE(printer.pages[1].hasText("Change"));
}

// Files the run could not write leave CI without its answer: the run says which, and fails.
TEST_F(PlanRunScenario, OutputsThatCannotBeWrittenFailTheRun) {
  std::filesystem::create_directories(out / "summary.json");
  EXPECT_EQ(run("[test quick]\nrange = high\nsteps = 100\nfinal = no\n"), kExitPlanError);
  EXPECT_NE(progress.verdict.find("not every file was written (exit 2); Unable to write"),
            std::string::npos)
      << progress.verdict;
}

// A run that cannot finish ends on its own with the code that says why, never hangs, marks
// the test under way and those after it incomplete, and keeps the files of what was measured:
// a stop (SIGINT, SIGTERM) during the second of three peak-hold sweeps, and then an analyser
// falling silent in the middle of a sweep.
TEST_F(PlanRunScenario, ARunThatCannotFinishEndsIncompleteWithWhatItMeasured) {
  const struct {
    const char* name;
    std::function<bool(PlanRunScenario&, PlanRunner&)> trigger;  // true once it acted
    int code;
    const char* error;
    bool measured;
  } cases[] = {
      {"stop request",
       [](PlanRunScenario& f, PlanRunner& runner) {
         if (f.program->finalMeasurement().SweepsCompleted() < 1) return false;
         runner.RequestStop();
         return true;
       },
       kExitInterrupted, "the run was stopped", true},
      {"silent analyser",
       [](PlanRunScenario& f, PlanRunner&) {
         if (f.program->state().stepIndex <= 20) return false;
         f.link.analyser.setTransmitter([](std::vector<std::uint8_t>) {});
         return true;
       },
       kExitLinkFault, "the link to the analyser was lost", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(out);
    std::filesystem::create_directories(out);
    bool acted = false;
    const int code =
        run("[run]\nport = COM2\n[test first]\nrange = high\nstart = 30\nstop = 230\n"
            "processing = peak hold\nsweeps = 3\n[test second]\nrange = high\nstart = 230\n"
            "stop = 1000\n",
            [&](PlanRunner& runner) { acted = acted || c.trigger(*this, runner); });
    ASSERT_TRUE(acted);
    EXPECT_EQ(code, c.code);
    const Json s = summary();
    EXPECT_EQ(text(s, "verdict"), "INCOMPLETE");
    for (std::size_t k = 0; k < 2; ++k) {
      EXPECT_EQ(text(test(s, k), "verdict"), "INCOMPLETE") << k;
      EXPECT_EQ(text(test(s, k), "error"), c.error) << k;
    }
    EXPECT_EQ(std::filesystem::exists(out / "first.emc"), c.measured);
    EXPECT_NE(ReadText(out / "junit.xml").find("<error"), std::string::npos);
  }
}

}  // namespace
}  // namespace tq
