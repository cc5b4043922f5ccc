#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "doubles/FakeFeatures.h"
#include "doubles/RecordingCanvas.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "model/MeasurementState.h"
#include "model/Span.h"
#include "model/WindowModel.h"
#include "platform/HostFiles.h"
#include "traces/TraceSet.h"
#include "view/GraphPainter.h"
#include "view/GraphPointer.h"

namespace tq::test {

// The graph over a fresh state: HIGH range 30 to 1100 MHz, linear axis, size 0, default
// screen colours, Current shown, and a recording canvas.
class GraphTest : public ::testing::Test {
 protected:
  using Kind = RecordingCanvas::Kind;

  GraphTest()
      : root_(std::filesystem::temp_directory_path() /
              ("tq_view_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()))),
        files_(root_),
        traces_(state_, model_, view_, files_, prompts_, features_.all()),
        painter_(state_, model_, traces_.data(), SourcesOf(features_.all())),
        pointer_(painter_, state_, model_, traces_, view_, prompts_, ticks_, client_) {
    std::filesystem::create_directories(root_ / "drive_c" / "tq4800");
    state_.startFrequencyHz = 30000000;
    state_.finishFrequencyHz = 1100000000;
    state_.highRange = true;
    state_.stepsPerScan = 500;
    state_.detector = 1;
    state_.scansDone = 1;
    state_.screenColours = kDefaultScreenColours;
    FillDisplayGrid(state_);
  }
  ~GraphTest() override { std::filesystem::remove_all(root_); }

  // What the pointer asks of the measurement above it.
  struct Client : PointerClient {
    int spanDisplays = 0;
    std::int32_t picked = 0;
    void UpdateSpanDisplay() override { ++spanDisplays; }
    void SingleFrequencyPicked(std::int32_t hz) override { picked = hz; }
  };

  template <typename F>
  void edit(F&& change) {
    TraceData d = traces_.data();
    change(d);
    traces_.Load(d);
  }

  Colour colour(int index) const { return state_.screenColours[static_cast<std::size_t>(index)]; }

  std::filesystem::path root_;
  MeasurementState state_;
  WindowModel model_;
  RecordingView view_;
  ScriptedPrompts prompts_;
  VirtualTicks ticks_;
  HostFiles files_;
  FakeFeatures features_;
  Client client_;
  TraceSet traces_;
  GraphPainter painter_;
  GraphPointer pointer_;
  RecordingCanvas canvas_;
};

}  // namespace tq::test
