// The program's core against the simulated analyser on virtual time: start-up, sweeps,
// stops, point-by-point shots, exactly as a user drives them through the main window.
#include <gtest/gtest.h>

#include <filesystem>

#include "SimulatedLink.h"
#include "doubles/FixedClock.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "measure/Program.h"
#include "platform/HostFiles.h"

namespace tq {
namespace {

namespace fs = std::filesystem;

class ProgramScenario : public ::testing::Test {
 protected:
  explicit ProgramScenario(sim::AnalyserOptions options = {}) {
    root = fs::temp_directory_path() /
           (std::string("tq_scenario_") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    files = std::make_unique<HostFiles>(root);
    files->installShippedData(TQ_SOURCE_DATA_DIR);
    files->writeAll("C:\\tq4800\\TQ4800.INI",
                    "16776960\r\n12632256\r\n16711680\r\n0\r\n255\r\n16711935\r\n65280\r\n"
                    "65535\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nFALSE\r\nFALSE\r\nFALSE\r\n2\r\n;\r\n"
                    "30\r\n0\r\nTRUE\r\n500\r\n\r\nc:\\tq4800\\\r\nFALSE\r\n0\r\n0\r\n0\r\n");
    link = std::make_unique<sim::SimulatedLink>(ticks, options, sim::PortOptions{false});
    program = std::make_unique<Program>(Ports{link->port, ticks, prompts, *files, clock, view});
    ticks.advance(1000);
    ticks.advance(500);
  }
  ~ProgramScenario() override {
    program.reset();
    link.reset();
    fs::remove_all(root);
  }

  // Lets virtual time run until the condition holds; false after maxMs.
  bool runUntil(const std::function<bool()>& done, double maxMs) {
    for (double t = 0; t < maxMs; t += 10) {
      if (done()) return true;
      ticks.advance(10);
    }
    return done();
  }

  MeasurementState& state() { return program->state(); }

  fs::path root;
  std::unique_ptr<HostFiles> files;
  test::VirtualTicks ticks;
  test::ScriptedPrompts prompts;
  test::FixedClock clock;
  test::RecordingView view;
  std::unique_ptr<sim::SimulatedLink> link;
  std::unique_ptr<Program> program;
};

TEST_F(ProgramScenario, StartUpReachesReadyWithTheSimulatorsVersion) {
  EXPECT_EQ(program->model().statusText, "Ready");
  EXPECT_EQ(program->model().detailsVersionText, "Hardware Version : 2.10");
  EXPECT_TRUE(state().portConnected);
  EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(ProgramScenario, ARunSweepsUntilStopped) {
  state().startFrequencyHz = 100000000;
  state().finishFrequencyHz = 200000000;
  state().stepsPerScan = 100;
  program->scan().Button2Click();
  EXPECT_TRUE(state().runInProgress);
  ASSERT_TRUE(runUntil([&] { return state().scansDone >= 3; }, 20000))
      << "scans " << state().scansDone << " step " << state().stepIndex << " status "
      << program->model().statusText;
  program->scan().Button1Click();
  ASSERT_TRUE(runUntil([&] { return !state().runInProgress; }, 10000))
      << "step " << state().stepIndex;
  EXPECT_EQ(program->model().button2Caption, "RUN");
  EXPECT_TRUE(prompts.messages().empty());
}

}  // namespace
}  // namespace tq
