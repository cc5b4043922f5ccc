#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "doubles/FakeFeatures.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"
#include "model/MeasurementState.h"
#include "model/WindowModel.h"
#include "platform/HostFiles.h"
#include "traces/TraceSet.h"

namespace tq::test {

// A trace set over a fresh state, a recording view, scripted prompts and host files in a
// temporary data root whose working folder exists.
class TraceSetTest : public ::testing::Test {
 protected:
  TraceSetTest()
      : root_(std::filesystem::temp_directory_path() /
              ("tq_traces_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()))),
        files_(root_),
        traces_(state_, model_, view_, files_, prompts_, features_.all()) {
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(work());
    state_.scansDone = 1;
  }
  ~TraceSetTest() override { std::filesystem::remove_all(root_); }

  // Changes the traces in place, as a result file or an earlier sweep would have left them.
  template <typename F>
  void edit(F&& change) {
    TraceData d = traces_.data();
    change(d);
    traces_.Load(d);
  }

  std::filesystem::path work() const { return root_ / "drive_c" / "tq4800"; }

  // stepFrequencyHz[n] = startHz + n * stepHz.
  void SetGrid(double startHz, double stepHz) {
    for (std::size_t n = 0; n < state_.stepFrequencyHz.size(); ++n) {
      state_.stepFrequencyHz[n] = static_cast<float>(startHz + stepHz * static_cast<double>(n));
    }
  }

  std::filesystem::path root_;
  MeasurementState state_;
  WindowModel model_;
  RecordingView view_;
  ScriptedPrompts prompts_;
  HostFiles files_;
  FakeFeatures features_;
  TraceSet traces_;
};

}  // namespace tq::test
