// Faults on the link and on the USB adapter, through the main window against the simulated
// analyser on virtual time. Each fault strikes while something runs; afterwards the window
// answers, its run controls, the run state, the queue and the status panel agree, nothing
// stale goes out once the link is back, and the files saved before are untouched.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <filesystem>
#include <functional>
#include <set>
#include <string_view>

#include "SimulatedLink.h"
#include "SimulatedUsbAdapter.h"
#include "app/TEMC1.h"
#include "doubles/FixedClock.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "measure/Program.h"
#include "measure/Settings.h"
#include "platform/HostFiles.h"
#include "qt_test_app.h"

namespace tq {
namespace {

namespace fs = std::filesystem;

enum class Activity { Sweep, PointShot, SingleFrequency, ErsCalibration, CellSweep };

// What a fault may touch: the line, the analyser, the USB adapter and the clock.
struct Outside {
  sim::SimulatedSerialPort& port;
  sim::SimulatedUsbAdapter& usb;
  test::VirtualTicks& ticks;
  // fn, then `everyMs` of time, `times` times.
  void repeat(int times, double everyMs, const std::function<void()>& fn) {
    for (int i = 0; i < times; ++i) {
      fn();
      ticks.advance(everyMs);
    }
  }
};

// How the program comes out of a fault.
enum class Outcome {
  Continues,  // the run goes on by itself
  Cancelled,  // the run is abandoned with a message
  LinkLost,   // the lost-link question (answered No), then the status panel's click
};

struct Fault {
  const char* name;
  Activity during;
  std::function<void(Outside&)> strike;
  Outcome outcome = Outcome::Continues;
  const char* told = nullptr;  // the first message the user sees, if any
};

void PrintTo(const Fault& fault, std::ostream* out) {
  *out << fault.name;
}

// The user: a lost link is not the end of the program, and the ERS unit goes where it is
// told.
class User : public test::ScriptedPrompts {
 public:
  sim::SimulatedAnalyser* analyser = nullptr;
  Answer message(MessageKind kind, std::string_view text, Buttons buttons) override {
    const Answer scripted = ScriptedPrompts::message(kind, text, buttons);
    if (text.starts_with("Place ERS unit")) analyser->setErsSource(true);
    return text == "TQ4800 Not Responding. End Program ?" ? Answer::No : scripted;
  }
};

class FaultScenario : public ::testing::TestWithParam<Fault> {
 protected:
  FaultScenario() : root(fs::temp_directory_path() / ("tq_fault_" + std::string(GetParam().name))) {
    fs::remove_all(root);
    files = std::make_unique<HostFiles>(root);
    files->installShippedData(TQ_SOURCE_DATA_DIR);
    // USB search on with the first Ostrocell: the adapter is found at start-up.
    MeasurementState ini;
    ApplySettingsDefaults(ini);
    ini.usbSearch = 1;
    ini.ostrocellSelection = 1;
    files->writeAll(kIni, SaveSettings(ini));
    files->writeAll(kErsDataFile, std::string(kErsPoints, '\n'));
    // The cell of the Ostrocell sweeps: a flat factor either side of its 200 MHz changeover.
    files->writeAll("C:\\tq4800\\cell042.ant",
                    "OC 42\r\nFALSE\r\n200\r\n\r\n\r\n10000\r\n-10\r\n1100000000\r\n-10\r\n");
    link =
        std::make_unique<sim::SimulatedLink>(ticks, sim::AnalyserOptions{}, sim::PortOptions{true});
    window = std::make_unique<TEMC1>();
    program =
        std::make_unique<Program>(Ports{link->port, ticks, prompts, *files, clock, *window, usb});
    window->attach(*program);
    window->show();
    prompts.analyser = &link->analyser;
    ticks.advance(1500);
    EXPECT_TRUE(runUntil([&] { return program->model().statusText == "Ready"; }, 5000));
    // A result saved before anything goes wrong.
    prompts.fileName("C:\\tq4800\\before.emc");
    program->Execute(Command::SaveAs1);
    settingsBefore = files->readAll(kIni).value_or("");
    resultBefore = files->readAll("C:\\tq4800\\before.emc").value_or("");
    EXPECT_FALSE(resultBefore.empty());
    prompts.clear();
  }
  ~FaultScenario() override {
    program.reset();
    window.reset();
    fs::remove_all(root);
  }

  bool runUntil(const std::function<bool()>& done, double maxMs) {
    for (double t = 0; t < maxMs && !done(); t += 10) ticks.advance(10);
    return done();
  }
  MeasurementState& state() { return program->state(); }
  QPushButton* button(const char* name) { return window->findChild<QPushButton*>(name); }

  // Starts the activity and lets it get under way; a point-by-point shot runs inside its
  // click, so its fault is struck from the event loop.
  void begin(Activity activity, const std::function<void()>& strike) {
    state().startFrequencyHz = 100000000;
    state().finishFrequencyHz = 300000000;
    state().stepsPerScan = 100;
    switch (activity) {
      case Activity::Sweep:
        button("Button2")->click();
        ASSERT_TRUE(runUntil([&] { return state().stepIndex > 30; }, 5000));
        return strike();
      case Activity::PointShot:
        program->Execute(Command::Average1);
        ticks.post(2000, [this, strike] { strikeAtStepEnd(state().stepIndex, strike); });
        button("Button1")->click();
        return;
      case Activity::SingleFrequency:
        button("Button17")->click();
        program->single().FrequencyPicked(150000000);
        program->TsfsettingsFormActivate();
        program->TsfsettingsOKBtnClick({});
        ASSERT_TRUE(runUntil([&] { return state().stepIndex > 20; }, 10000));
        return strike();
      case Activity::ErsCalibration:
        ASSERT_TRUE(program->ers().OpenCalibration(false));
        ASSERT_TRUE(program->ers().FullRangeOk(1));
        program->ers().PeakAccepted();
        ASSERT_TRUE(runUntil([&] { return state().stepIndex > 100; }, 20000));
        return strike();
      case Activity::CellSweep:
        program->AcceptCell(1, "42");
        button("Button2")->click();
        ASSERT_TRUE(runUntil([&] { return state().stepIndex > 5; }, 5000));
        return strike();
    }
  }

  // As the shot moves on to the next step, which it then tunes on a lost link.
  void strikeAtStepEnd(int step, const std::function<void()>& strike) {
    if (state().stepIndex != step) return strike();
    ticks.post(1, [this, step, strike] { strikeAtStepEnd(step, strike); });
  }

  // The user ends whatever still runs: CANCEL, or Stop of a single frequency.
  void endRun() {
    if (!state().runInProgress) return;
    if (state().measurementMode == 2)
      button("Button1")->click();
    else
      button("Button2")->click();
  }

  // What the window shows agrees with the run state, and a menu command works.
  void expectConsistent(const char* when) {
    SCOPED_TRACE(when);
    const bool running = state().runInProgress;
    EXPECT_EQ(button("Button2")->text().toStdString(), running ? "CANCEL" : "RUN");
    EXPECT_EQ(button("Button1")->text().toStdString() == "S/SHOT", !running);
    EXPECT_EQ(
        window->findChild<QWidget*>("Panel5")->findChild<QLabel*>("Label5")->text().toStdString(),
        program->model().statusText);
    QAction* store = window->findChild<QAction*>("Store1");
    const bool shown = store->isChecked();
    store->trigger();
    EXPECT_NE(store->isChecked(), shown);
    store->trigger();
  }

  static constexpr const char* kIni = "C:\\tq4800\\TQ4800.INI";
  test::QtTestApp app;
  fs::path root;
  std::unique_ptr<HostFiles> files;
  test::VirtualTicks ticks;
  User prompts;
  test::FixedClock clock;
  sim::SimulatedUsbAdapter usb;
  std::unique_ptr<sim::SimulatedLink> link;
  std::unique_ptr<TEMC1> window;
  std::unique_ptr<Program> program;
  std::string settingsBefore, resultBefore;
};

TEST_P(FaultScenario, TheProgramComesBackConsistent) {
  const Fault& fault = GetParam();
  Outside outside{link->port, usb, ticks};
  begin(fault.during, [&] { fault.strike(outside); });
  ticks.advance(6000);
  expectConsistent("after the fault");
  const auto told = prompts.messages();
  if (fault.told) {
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told.front(), fault.told);
  } else {
    EXPECT_TRUE(told.empty()) << told.front();
  }

  std::size_t sentBefore = link->analyser.log().size();
  switch (fault.outcome) {
    case Outcome::Continues: {
      ASSERT_TRUE(state().runInProgress);
      const int step = state().stepIndex, sweeps = state().scansDone;
      ticks.advance(2000);
      EXPECT_TRUE(state().stepIndex != step || state().scansDone != sweeps);
      break;
    }
    case Outcome::Cancelled:
      EXPECT_FALSE(state().runInProgress);
      break;
    case Outcome::LinkLost:
      endRun();  // the stop finds the link gone, if nothing before it did
      EXPECT_TRUE(prompts.wasShown("TQ4800 Not Responding. End Program ?"));
      EXPECT_FALSE(state().runInProgress);
      EXPECT_EQ(program->model().statusText, "Click to enable");
      EXPECT_EQ(program->model().lampColour, kClRed);
      expectConsistent("with the link lost");
      link->port.setDsr(true);
      sentBefore = link->analyser.log().size();
      QMouseEvent click(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(window->findChild<QWidget*>("Panel5"), &click);
      break;
  }
  endRun();
  ticks.advance(6500);  // two status polls
  EXPECT_FALSE(state().runInProgress);
  EXPECT_EQ(program->model().statusText, "Ready");
  EXPECT_EQ(program->model().lampColour, kClGreen);
  EXPECT_EQ(program->link().queueCount(), 0);
  EXPECT_FALSE(state().queueMode);
  expectConsistent("once idle");

  // Once the link is back: the stop of the run it was lost in, the connection and the polls;
  // nothing left over from before.
  if (fault.outcome == Outcome::LinkLost) {
    const std::set<std::uint8_t> fresh{0x05, 0x06, 0x15, 0x10, 0x13, 0x14, 0x20, 0x22, 0x36, 0x4A};
    const auto& log = link->analyser.log();
    for (std::size_t i = sentBefore; i < log.size(); ++i)
      EXPECT_TRUE(fresh.count(log[i].code)) << "0x" << std::hex << int{log[i].code};
  }

  // Once the relay is mended the next run works, and the files saved before are as they
  // were.
  usb.jamRelay(false);
  button("Button1")->click();
  EXPECT_TRUE(runUntil([&] { return !state().runInProgress; }, 60000));
  EXPECT_GE(state().stepIndex, state().stepsPerScan);
  EXPECT_EQ(files->readAll(kIni), settingsBefore);
  EXPECT_EQ(files->readAll("C:\\tq4800\\before.emc"), resultBefore);
}

const Fault kFaults[] = {
    {"NakStorm", Activity::Sweep, [](Outside& o) { o.port.nakFramesFor(3000); }, Outcome::Continues,
     "Invalid Comms Signal"},
    {"GarbageBursts", Activity::Sweep,
     [](Outside& o) {
       o.repeat(20, 150, [&] { o.port.injectGarbage({0xFF, 0x42, 0x00, 0x99}); });
     }},
    {"FramesSplitAtEveryByte", Activity::Sweep,
     [](Outside& o) {
       o.port.splitFramesIntoBytes(true);
       o.ticks.advance(3000);
       o.port.splitFramesIntoBytes(false);
     }},
    {"OverlongFrames", Activity::Sweep,
     [](Outside& o) { o.repeat(10, 300, [&] { o.port.replaceNextFrameWithOverlong(); }); }},
    {"EnqStorm", Activity::Sweep,
     [](Outside& o) {
       o.repeat(30, 100, [&] { o.port.injectGarbage(std::vector<std::uint8_t>(20, 0x05)); });
     }},
    {"SilentFiveSeconds", Activity::Sweep, [](Outside& o) { o.port.silenceFor(5000); }},
    {"DsrDropMidSweep", Activity::Sweep, [](Outside& o) { o.port.setDsr(false); },
     Outcome::LinkLost},
    {"DsrDropMidPointShot", Activity::PointShot, [](Outside& o) { o.port.setDsr(false); },
     Outcome::LinkLost, "Using AVERAGE Detector will Take About 10 Minutes to Complete"},
    {"DsrDropMidSingleFrequency", Activity::SingleFrequency,
     [](Outside& o) { o.port.setDsr(false); }, Outcome::LinkLost},
    {"DsrDropMidErsCalibration", Activity::ErsCalibration, [](Outside& o) { o.port.setDsr(false); },
     Outcome::LinkLost,
     "Have you Pre-Scanned at varying attenuator settings with ERS ON to check for compression."},
    {"RelayFault", Activity::CellSweep, [](Outside& o) { o.usb.jamRelay(true); },
     Outcome::Cancelled, "Range Relay Error! Run Cancelled."},
    {"UsbUnplugged", Activity::CellSweep, [](Outside& o) { o.usb.unplug(true); },
     Outcome::Continues, "Zedivev Fault : I2C Write Error #0"},
};

INSTANTIATE_TEST_SUITE_P(Faults, FaultScenario, ::testing::ValuesIn(kFaults),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tq
