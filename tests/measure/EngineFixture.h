#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "doubles/FakeFeatures.h"
#include "doubles/FakeSerialPort.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "link/Link.h"
#include "measure/ScanEngine.h"
#include "platform/HostFiles.h"
#include "traces/TraceSet.h"

namespace tq::test {

// The scan engine over a fake port, with the link between them and fake features: the
// test plays the analyser byte by byte.
class EngineTest : public ::testing::Test, public LinkClient {
 protected:
  EngineTest()
      : root_(std::filesystem::temp_directory_path() /
              ("tq_engine_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()))),
        files_(root_) {
    std::filesystem::create_directories(root_ / "drive_c" / "tq4800");
    port_.open(2);
    state_.linkEnabled = true;
    state_.highRange = state_.instrumentHighRange = true;
    state_.startFrequencyHz = kHighStartHz;
    state_.finishFrequencyHz = kHighFinishHz;
    state_.stepsPerScan = 500;
    state_.detector = 1;
    state_.scansDone = 1;
    FillDisplayGrid(state_);
  }
  ~EngineTest() override { std::filesystem::remove_all(root_); }

  // A data frame from the analyser.
  void dataFrame(std::uint8_t status, std::int32_t hz, std::uint16_t raw) {
    const auto u = static_cast<std::uint32_t>(hz);
    port_.deliver({0x01, 0x09, 0xD0, status, static_cast<std::uint8_t>(u >> 24),
                   static_cast<std::uint8_t>(u >> 16), static_cast<std::uint8_t>(u >> 8),
                   static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(raw >> 8),
                   static_cast<std::uint8_t>(raw), 0x04});
  }
  // The command frames written since the last call as (code, value), single bytes left out.
  std::vector<std::pair<int, std::int32_t>> sentFrames() {
    std::vector<std::pair<int, std::int32_t>> frames;
    const auto w = port_.takeWritten();
    for (std::size_t i = 0; i + 3 < w.size(); ++i) {
      if (w[i] != 0x01 || i + w[i + 1] + 1 >= w.size()) continue;
      const std::size_t end = i + w[i + 1] + 1;  // the EOT
      std::uint32_t value = 0;
      for (std::size_t b = i + 3; b < end; ++b) value = (value << 8) | w[b];
      frames.emplace_back(w[i + 2], static_cast<std::int32_t>(value));
      i = end;
    }
    return frames;
  }
  // The values of the frames of one code among those.
  static std::vector<std::int32_t> valuesOf(const std::vector<std::pair<int, std::int32_t>>& f,
                                            int code) {
    std::vector<std::int32_t> values;
    for (const auto& [c, v] : f)
      if (c == code) values.push_back(v);
    return values;
  }

  // LinkClient: what the program's core does with the link.
  void DataFrameReceived(const DataFrame& frame) override { engine_.DataFrameReceived(frame); }
  void PreselectorReport(int position, bool automatic) override {
    engine_.PreselectorReport(position, automatic);
  }
  void SegmentStep() override { engine_.SegmentStep(); }
  int PreselectorState() const override { return engine_.preselectorState(); }
  void ResetPreselector() override { engine_.ForgetPreselector(); }
  void RangeMismatch() override { engine_.SendRangeWithDelay(); }
  bool ErsPeakSearch() const override { return false; }
  void StatusPolled() override { engine_.RefreshRunButtons(); }

  std::filesystem::path root_;
  MeasurementState state_;
  WindowModel model_;
  RecordingView view_;
  FakeSerialPort port_;
  VirtualTicks ticks_;
  ScriptedPrompts prompts_;
  HostFiles files_;
  FakeFeatures features_;
  Link link_{state_, model_, view_, port_, ticks_, prompts_, *this};
  TraceSet traces_{state_, model_, view_, files_, prompts_, features_.all()};
  ScanEngine engine_{state_, model_, view_, link_, traces_, ticks_, prompts_, features_.all()};
};

}  // namespace tq::test
