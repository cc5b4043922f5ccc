// ERS through the main window: the calibration dialogs, a full-range calibration driven from
// the Processing menu against the simulated analyser, the applied correction's label and
// validity bar; each dialog and the window grabbed to $TQ_SCREENSHOT_DIR for a look by eye.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "SimulatedLink.h"
#include "SimulatedUsbAdapter.h"
#include "app/TEMC1.h"
#include "corrections/ErsData.h"
#include "dialogs/TERS.h"
#include "dialogs/TERSOK.h"
#include "doubles/FixedClock.h"
#include "doubles/RecordingHelp.h"
#include "doubles/ScriptedPrompts.h"
#include "measure/Program.h"
#include "platform/HostFiles.h"
#include "platform/qt/QtTicks.h"
#include "qt_test_app.h"

namespace tq {
namespace {

namespace fs = std::filesystem;

void Grab(QWidget& w, const char* name) {
  w.show();
  QApplication::processEvents();
  const QByteArray dir = qgetenv("TQ_SCREENSHOT_DIR");
  const QString path =
      (dir.isEmpty() ? QDir::tempPath() : QString(dir)) + "/" + QString(name) + ".png";
  QDir().mkpath(QFileInfo(path).absolutePath());
  EXPECT_TRUE(w.grab().save(path)) << path.toStdString();
}

// Once the modal dialog `dialog` is up, grabs it and clicks its buttons in order.
void PressWhenShown(QString dialog, std::vector<QString> buttons) {
  QTimer::singleShot(20, [dialog, buttons] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal->objectName() != dialog) {
      PressWhenShown(dialog, buttons);
      return;
    }
    Grab(*modal, ("ers_" + dialog).toUtf8().constData());
    for (const QString& name : buttons)
      if (auto* b = modal->findChild<QPushButton*>(name)) b->click();
  });
}

struct FakeAttenuator : ErsAttenuator {
  std::vector<int> steps;
  void StepAttenuator(int direction) override { steps.push_back(direction); }
};

class ErsWindowTest : public ::testing::Test {
 protected:
  test::QtTestApp app;
};

TEST_F(ErsWindowTest, DialogsShowTheirValuesAndGiveBackTheChoices) {
  test::RecordingHelp help;
  TERS ters(nullptr, help);
  ters.FormActivate({"ERS Data not Present or is Corrupt. Please Reload", false, 1, 0, ""});
  EXPECT_FALSE(ters.okButton()->isEnabled());
  EXPECT_EQ(ters.polarisation(), 1);
  ters.FormActivate({"ERS Serial Number : E42", true, 0, 0, ""});
  EXPECT_TRUE(ters.okButton()->isEnabled());
  EXPECT_EQ(ters.serialLabel()->text().toStdString(), "ERS Serial Number : E42");
  EXPECT_EQ(ters.windowTitle().toStdString(), "ERS Calibration (Full Range)");
  Grab(ters, "ers_TERS");

  TERSzoomform zoom(nullptr, help);
  EXPECT_EQ(zoom.startEdit()->text().toStdString(), "30.0");
  zoom.FormActivate({"ERS Serial Number : E42", true, 1, 1, "800.00"});
  ErsChoice c = zoom.choice();
  EXPECT_EQ(c.polarisation, 1);
  EXPECT_EQ(c.zoomSpan, 1);
  EXPECT_EQ(c.startText, "800.00");
  EXPECT_EQ(zoom.windowTitle().toStdString(), "ERS Calibration (Zoom Mode)");
  Grab(zoom, "ers_TERSzoomform");

  TERSOK ok(nullptr);
  FakeAttenuator attenuator;
  ok.FormActivate("Peak 1 GHz frequency found at 1000012000 Hz.", attenuator);
  ok.increaseButton()->click();
  ok.decreaseButton()->click();
  EXPECT_EQ(attenuator.steps, (std::vector<int>{+1, -1}));
  EXPECT_EQ(ok.windowTitle().toStdString(), "ERS Calibration");
  Grab(ok, "ers_TERSOK");
}

TEST_F(ErsWindowTest, FullRangeCalibrationFromTheProcessingMenuDrawsTheValidityBar) {
  const fs::path root = fs::temp_directory_path() / "tq_ers_window";
  fs::remove_all(root);
  HostFiles files(root);
  files.installShippedData(TQ_SOURCE_DATA_DIR);
  std::string dat;
  for (std::size_t j = 0; j < kErsPoints; ++j) {
    char line[32];
    std::snprintf(line, sizeof line, "%8.1f  %8.1f\r\n", 80.0, 80.0);
    dat += line;
  }
  files.writeAll(kErsDataFile, dat);
  QtTicks ticks;
  test::ScriptedPrompts prompts;
  test::FixedClock clock;
  sim::SimulatedUsbAdapter usb;
  sim::AnalyserOptions options;
  options.sweepStepMs = 3.0;
  options.ersSourceOn = true;
  sim::SimulatedLink link(ticks, options, sim::PortOptions{false});
  {
    TEMC1 window;
    Program program(Ports{link.port, ticks, prompts, files, clock, window, usb});
    window.attach(program);
    window.show();
    ASSERT_TRUE(test::WaitFor([&] { return program.model().statusText == "Ready"; }, 20000));
    ASSERT_EQ(window.findChild<QMenu*>("ERS1"), nullptr);
    auto* processing = window.findChild<QMenu*>("Processing1");
    ASSERT_NE(processing, nullptr);
    for (const char* item : {"FullRange1", "Zoomed1", "UERSH1", "UERSV1", "InstallERSdata1",
                             "ClearERSData1", "SaveERSCorrectionData1", "ReLoadERSCorrectionData1"})
      EXPECT_NE(processing->findChild<QAction*>(item), nullptr) << item;
    auto* full = window.findChild<QAction*>("FullRange1");
    auto* horizontal = window.findChild<QAction*>("UERSH1");
    EXPECT_TRUE(full->isEnabled());
    EXPECT_FALSE(horizontal->isEnabled());

    PressWhenShown("ERS", {"OKBtn"});
    PressWhenShown("ERSOK", {"DecreaseBtn", "IncreaseBtn", "OKBtn"});
    full->trigger();
    EXPECT_EQ(program.state().attenuationDb, 30);
    ASSERT_TRUE(test::WaitFor([&] { return program.ers().CalibrationMode() == 2; }, 20000));
    link.analyser.setErsSource(false);
    window.findChild<QPushButton*>("Button1")->click();
    ASSERT_TRUE(test::WaitFor([&] { return program.ers().CalibrationMode() == 0; }, 20000));
    EXPECT_TRUE(prompts.wasShown("Switch OFF ERS unit"));
    EXPECT_TRUE(horizontal->isEnabled());

    horizontal->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(horizontal->isChecked());
    EXPECT_EQ(program.ers().Label(), " ERS HOR");
    window.repaint();
    QApplication::processEvents();
    Grab(window, "ers_window_applied");
    // The unit stood well clear of the background everywhere: the bar is black throughout.
    const GraphGeometry& g = GeometryFor(0);
    const QImage image = window.centralWidget()->grab().toImage();
    int black = 0;
    for (int x = g.plotLeft + 1; x < g.plotRight; ++x)
      black += image.pixel(x, g.plotBottom + 3) == qRgb(0, 0, 0);
    EXPECT_EQ(black, g.plotRight - g.plotLeft - 1);
  }
  fs::remove_all(root);
}

}  // namespace
}  // namespace tq
