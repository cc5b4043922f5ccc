// The USB adapter against the simulated NX200: the start-up search through the program, and
// Ostrocell sweeps in which the scan engine drives the simulated relay while the simulated
// analyser sweeps.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "SimulatedLink.h"
#include "SimulatedUsbAdapter.h"
#include "doubles/FakeFeatures.h"
#include "doubles/FixedClock.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "link/UsbAdapter.h"
#include "measure/Program.h"
#include "measure/Settings.h"
#include "platform/HostFiles.h"

namespace tq {
namespace {

namespace fs = std::filesystem;

fs::path FreshRoot(const std::string& tag) {
  const fs::path root =
      fs::temp_directory_path() /
      ("tq_usb_" + tag + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
  fs::remove_all(root);
  return root;
}

TEST(UsbStartUp, TheSearchRunsWhenAllowedAndNeededAndFillsTheDetails) {
  struct Case {
    const char* name;
    std::uint16_t usbSearch;
    std::uint8_t ostrocell;
    bool list;
    bool plugged;
    bool searched;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"allowed and needed", 1, 1, true, true, true, {}},
      {"not allowed", 0, 1, true, true, false, {}},
      {"no Ostrocell", 1, 0, true, true, false, {}},
      {"no device list", 1, 2, false, true, false, {}},
      {"adapter unplugged", 1, 1, true, false, true, {"Zedivev Fault : Configuration Error #0"}},
  };
  for (const Case& c : cases) {
    const fs::path root = FreshRoot(std::to_string(&c - cases));
    HostFiles files(root);
    files.installShippedData(TQ_SOURCE_DATA_DIR);
    if (!c.list) fs::remove(files.resolve("C:\\tq4800\\VeltraneUSB.TXT"));
    MeasurementState ini;
    ApplySettingsDefaults(ini);
    ini.usbSearch = c.usbSearch;
    ini.ostrocellSelection = c.ostrocell;
    files.writeAll("C:\\tq4800\\TQ4800.INI", SaveSettings(ini));

    test::VirtualTicks ticks;
    test::ScriptedPrompts prompts;
    test::FixedClock clock;
    test::RecordingView view;
    sim::SimulatedLink link(ticks, {}, sim::PortOptions{false});
    sim::SimulatedUsbAdapter adapter;
    adapter.unplug(!c.plugged);
    Program program(Ports{link.port, ticks, prompts, files, clock, view, adapter});
    ticks.advance(1500);

    const MeasurementState& s = program.state();
    const DetailsValues details = program.Details();
    EXPECT_EQ(prompts.messages(), c.messages) << c.name;
    EXPECT_EQ(program.model().statusText, "Ready") << c.name;
    const bool found = c.searched && c.plugged;
    EXPECT_EQ(s.usbHardware, found) << c.name;
    EXPECT_EQ(s.usbLinkOk, found) << c.name;
    EXPECT_EQ(adapter.configured(), found) << c.name;
    EXPECT_EQ(adapter.frames().size(), found ? 3u : 0u) << c.name;
    // What the Details window shows of it is checked through the window.
    EXPECT_EQ(details.usb.devices.size(), found ? 1u : 0u) << c.name;
    EXPECT_EQ(details.usb.hardwareText, found ? "USB Hardware Version 1.4" : "") << c.name;
    fs::remove_all(root);
  }
}

// The relay as the scan engine sees it, passed on to the adapter; it notes how many tuning
// commands the analyser had when each relay command was asked for.
class NotingRelay : public OstrocellRelay {
 public:
  NotingRelay(OstrocellRelay& relay, sim::SimulatedAnalyser& analyser)
      : relay_(relay), analyser_(analyser) {}
  bool InUse() const override { return relay_.InUse(); }
  void SetForFrequency(std::int32_t hz) override {
    asked.emplace_back(hz, analyser_.commands(0x40).size());
    relay_.SetForFrequency(hz);
  }
  void PresetForRun(std::int32_t hz) override { relay_.PresetForRun(hz); }
  std::int32_t SwitchFrequencyHz() const override { return relay_.SwitchFrequencyHz(); }

  std::vector<std::pair<std::int32_t, std::size_t>> asked;

 private:
  OstrocellRelay& relay_;
  sim::SimulatedAnalyser& analyser_;
};

// The scan engine with the Ostrocell input, the simulated analyser on its serial link and the
// simulated NX200 on the USB adapter, on virtual time.
class OstrocellSweep : public ::testing::Test, public LinkClient, public AdapterClient {
 protected:
  OstrocellSweep() : root_(FreshRoot("sweep")), files_(root_) {
    files_.installShippedData(TQ_SOURCE_DATA_DIR);
    features_.inputs.code = 12;
    simLink_.port.open(2);
    state_.linkEnabled = true;
    state_.highRange = state_.instrumentHighRange = true;
    state_.defaultPath = "c:\\tq4800\\";
    state_.ostrocellSelection = 1;  // OC 300/2
    state_.startFrequencyHz = kHighStartHz;
    state_.finishFrequencyHz = kHighFinishHz;
    state_.stepsPerScan = 100;
    state_.detector = 1;
    state_.scansDone = 1;
    FillDisplayGrid(state_);
    usb_.DetectUsbAdapter();
  }
  ~OstrocellSweep() override { fs::remove_all(root_); }

  bool runUntil(const std::function<bool()>& done, double maxMs) {
    for (double t = 0; t < maxMs && !done(); t += 10) ticks_.advance(10);
    return done();
  }

  // LinkClient
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
  // AdapterClient
  void StopRun() override {
    if (state_.runInProgress) engine_.Stop();
  }

  fs::path root_;
  HostFiles files_;
  test::VirtualTicks ticks_;
  test::ScriptedPrompts prompts_;
  test::RecordingView view_;
  MeasurementState state_;
  WindowModel model_;
  test::FakeFeatures features_;
  sim::SimulatedLink simLink_{ticks_, {}, sim::PortOptions{true}};
  sim::SimulatedUsbAdapter adapter_;
  sim::SimulatedAnalyser& analyser_ = simLink_.analyser;
  UsbAdapter usb_{state_, adapter_, ticks_, prompts_, files_, features_.inputs, *this};
  NotingRelay relay_{usb_, simLink_.analyser};
  Features features() {
    return {features_.inputs, features_.limit, features_.ers, features_.single, relay_};
  }
  Link link_{state_, model_, view_, simLink_.port, ticks_, prompts_, *this};
  TraceSet traces_{state_, model_, view_, files_, prompts_, features()};
  ScanEngine engine_{state_, model_, view_, link_, traces_, ticks_, prompts_, features()};
};

TEST_F(OstrocellSweep, ASweepAcrossTheChangeoverSwitchesTheRelayOnceThere) {
  ASSERT_TRUE(state_.usbHardware);
  const int resetSwitches = adapter_.relaySwitches();
  engine_.Button1Click();
  ASSERT_TRUE(runUntil([&] { return !state_.runInProgress; }, 60000)) << state_.stepIndex;

  // Low from the start, high from the changeover on: one switch inside the sweep.
  EXPECT_EQ(adapter_.relaySwitches() - resetSwitches, 2);
  EXPECT_FALSE(adapter_.relayLow());
  EXPECT_EQ(adapter_.framesWith(0x40), 2);
  EXPECT_EQ(adapter_.framesWith(0x22), 2);
  const auto ends = analyser_.commands(0x38);
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_EQ(ends[0].value, 200000000);
  EXPECT_EQ(analyser_.commands(0x3B).size(), 1u);
  ASSERT_EQ(relay_.asked.size(), 2u);
  EXPECT_EQ(relay_.asked[1].first, 201000000);
  EXPECT_EQ(state_.stepIndex, 101);  // every step came in
  EXPECT_TRUE(prompts_.messages().empty());

  // The next sweep starts low again.
  engine_.Button1Click();
  ASSERT_TRUE(runUntil([&] { return !state_.runInProgress; }, 60000));
  EXPECT_EQ(adapter_.relaySwitches() - resetSwitches, 4);
  EXPECT_TRUE(prompts_.messages().empty());
}

TEST_F(OstrocellSweep, ARelayThatDoesNotFollowCancelsTheRun) {
  struct Case {
    const char* name;
    int jamAtStep;  // 0: jammed before the run
  };
  for (const Case c :
       {Case{"jammed high from the start", 0}, Case{"stuck low at the changeover", 5}}) {
    prompts_.clear();
    analyser_.clearLog();
    adapter_.jamRelay(c.jamAtStep == 0);
    engine_.Button2Click();
    if (c.jamAtStep > 0) {
      ASSERT_TRUE(runUntil([&] { return state_.stepIndex >= c.jamAtStep; }, 20000)) << c.name;
      adapter_.jamRelay(true);
    }
    ASSERT_TRUE(runUntil([&] { return !state_.runInProgress; }, 30000)) << c.name;
    EXPECT_EQ(prompts_.messages(), std::vector<std::string>{"Range Relay Error! Run Cancelled."})
        << c.name;
    EXPECT_EQ(analyser_.commands(0x36).size(), 1u) << c.name;  // abandoned, not finished
    EXPECT_FALSE(state_.runActive) << c.name;
    EXPECT_FALSE(usb_.relayFaultPending()) << c.name;
    adapter_.jamRelay(false);
    ticks_.advance(3000);
  }
}

TEST_F(OstrocellSweep, EachPointByPointStepHasTheRelayOnItsSideBeforeItIsMeasured) {
  state_.startFrequencyHz = 190000000;
  state_.finishFrequencyHz = 210000000;
  state_.detector = 2;
  engine_.Button1Click();  // the point-by-point loop returns at the end of the shot
  EXPECT_FALSE(state_.runInProgress);
  const auto tunes = analyser_.commands(0x40);
  ASSERT_EQ(tunes.size(), 100u);
  EXPECT_EQ(tunes[50].value, 200000000);
  // Step 51 (200.2 MHz) is the first above the changeover: the relay went high before the
  // analyser was tuned to it.
  EXPECT_EQ(adapter_.framesWith(0x40), 2);
  EXPECT_FALSE(adapter_.relayLow());
  const auto high = std::find_if(relay_.asked.begin(), relay_.asked.end(),
                                 [](const auto& a) { return a.first > 200000000; });
  ASSERT_NE(high, relay_.asked.end());
  EXPECT_EQ(high->first, tunes[51].value);
  EXPECT_EQ(high->second, 51u);
  EXPECT_TRUE(prompts_.messages().empty());
}

}  // namespace
}  // namespace tq
