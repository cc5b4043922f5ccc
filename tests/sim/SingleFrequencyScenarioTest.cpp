// Single frequency against the simulated analyser: a peak of the sweep picked on the graph,
// watched with each detector, and back to sweeps.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "SimulatedProgram.h"
#include "doubles/RecordingCanvas.h"
#include "view/Geometry.h"

namespace tq {
namespace {

using C = Command;

class SingleFrequencyScenario : public ::testing::Test {
 protected:
  SingleFrequencyScenario() : p(::testing::UnitTest::GetInstance()->current_test_info()->name()) {}

  Program& program() { return *p.program; }
  MeasurementState& state() { return program().state(); }

  void shot() {
    program().Execute(C::Button1);
    ASSERT_TRUE(p.runUntil([&] { return !state().runInProgress; }, 60000));
  }
  // Single, a click at hz on the graph and OK.
  void measure(double hz, SingleFrequencySettings settings) {
    program().Execute(C::Button17);
    const GraphGeometry& g = GeometryFor(0);
    const double span = state().finishFrequencyHz - state().startFrequencyHz;
    program().FormMouseUp(
        canvas, g.plotLeft + RoundHalfEven((hz - state().startFrequencyHz) * g.plotWidth / span),
        200);
    ASSERT_EQ(p.view.settingsDialogs, ++dialogs);
    program().TsfsettingsFormActivate();
    program().TsfsettingsOKBtnClick(settings);
  }
  void samples(int n) {
    ASSERT_TRUE(p.runUntil([&] { return state().stepIndex >= n; }, 60000)) << state().stepIndex;
  }
  // The mean level of samples [from, to).
  double mean(int from, int to) {
    const Trace& t = program().traces().singleFrequencyTrace;
    return std::accumulate(t.begin() + from, t.begin() + to, 0.0) / (to - from);
  }
  void stopAndScan() {
    program().Execute(C::Button1);
    EXPECT_FALSE(state().runInProgress);
    EXPECT_FALSE(p.link->analyser.readingsRunning());
    program().Execute(C::Button17);
    EXPECT_EQ(state().measurementMode, 0);
  }

  test::SimulatedProgram p;
  test::RecordingCanvas canvas;
  int dialogs = 0;
};

TEST_F(SingleFrequencyScenario, APeakOfTheSweepWatchedWithEachDetectorAndBackToSweeps) {
  shot();
  // The strongest point of the sweep between 600 and 700 MHz is the pulsed emission.
  const auto& grid = state().stepFrequencyHz;
  const Trace& sweep = program().traces().currentTrace;
  int peak = 0;
  for (int n = 0; n <= 500; ++n)
    if (grid[n] >= 600e6 && grid[n] <= 700e6 && (peak == 0 || sweep[n] > sweep[peak])) peak = n;
  const double lineHz = p.link->analyser.spectrum().pulsedLine().hz;
  ASSERT_NEAR(grid[peak], lineHz, 1.1e6);

  // Tracking takes each detector onto the line; the slow ones settle, then weight the
  // pulses below their peak.
  std::array<double, 3> level{};
  for (int detector = 0; detector < 3; ++detector) {
    measure(grid[peak], {true, detector, 2, false});
    samples(40);
    EXPECT_EQ(program().single().FrequencyHz(), RoundHalfEven(lineHz)) << detector;
    EXPECT_EQ(program().model().statusText, "Ready") << detector;  // no fault told
    level[detector] = mean(25, 40);
    stopAndScan();
  }
  // The quasi-peak weights the pulses 8 dB down; the average sinks into the floor that the
  // 30 dB attenuator leaves.
  EXPECT_NEAR(level[0] - level[2], 8.0, 2.5);
  EXPECT_LT(level[1], level[2] - 3.0);

  // Sweeps again, as before.
  EXPECT_EQ(state().detector, 1);
  shot();
  EXPECT_EQ(state().stepIndex, 501);
}

}  // namespace
}  // namespace tq
