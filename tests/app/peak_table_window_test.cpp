// The peak table window through the main window, offscreen, against the simulated enclosed
// product on virtual time: a sweep under EN55022 class B, the table, Measure Peaks, a row
// picked; the window and the graph grabbed at each display size.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <filesystem>

#include "SimulatedLink.h"
#include "app/TEMC1.h"
#include "dialogs/TPeakTable.h"
#include "doubles/FixedClock.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "measure/Program.h"
#include "platform/HostFiles.h"
#include "platform/NoUsbI2cIo.h"
#include "qt_test_app.h"

namespace tq {
namespace {

namespace fs = std::filesystem;

class PeakTableWindowTest : public ::testing::Test {
 protected:
  PeakTableWindowTest() : root(fs::temp_directory_path() / "tq_peak_table_window"), files(root) {
    fs::remove_all(root);
    files.installShippedData(TQ_SOURCE_DATA_DIR);
    sim::AnalyserOptions options;
    options.product = sim::Product::Enclosed;
    options.seed = 5;
    link = std::make_unique<sim::SimulatedLink>(ticks, options, sim::PortOptions{false});
    window = std::make_unique<TEMC1>();
    program =
        std::make_unique<Program>(Ports{link->port, ticks, prompts, files, clock, *window, usb});
    window->attach(*program);
    window->show();
    ticks.advance(1500);  // start-up
  }
  ~PeakTableWindowTest() override {
    program.reset();
    window.reset();
    link.reset();
    fs::remove_all(root);
  }

  QAction* action(const char* name) { return window->findChild<QAction*>(name); }
  TPeakTable* peakTable() { return window->findChild<TPeakTable*>("PeakTable"); }
  QString cell(int row, int column) { return peakTable()->grid()->item(row, column)->text(); }
  void screenshot(QWidget& w, const std::string& name) {
    const QByteArray dir = qgetenv("TQ_SCREENSHOT_DIR");
    const QString path = (dir.isEmpty() ? QDir::tempPath() : QString(dir)) + "/" +
                         QString::fromStdString(name) + ".png";
    QDir().mkpath(QFileInfo(path).absolutePath());
    EXPECT_TRUE(w.grab().save(path)) << path.toStdString();
  }

  test::QtTestApp app;
  fs::path root;
  HostFiles files;
  test::VirtualTicks ticks;
  test::ScriptedPrompts prompts;
  test::FixedClock clock;
  NoUsbI2cIo usb;
  std::unique_ptr<sim::SimulatedLink> link;
  std::unique_ptr<TEMC1> window;
  std::unique_ptr<Program> program;
};

TEST_F(PeakTableWindowTest, AnEngineerFindsWhatFailsOnQuasiPeak) {
  // The new items follow the text's own, and the window stays shut until asked for.
  const auto display = window->menuBar()->findChild<QMenu*>("Display1")->actions();
  EXPECT_EQ(display.back()->objectName().toStdString(), "PeakTable1");
  EXPECT_FALSE(peakTable()->isVisible());

  prompts.input("3");
  action("NX201")->trigger();
  program->SelectAttenuation(0);
  action("ClassBRadiated1")->trigger();
  window->findChild<QPushButton*>("Button1")->click();
  for (int i = 0; i < 6000 && program->state().runInProgress; ++i) ticks.advance(10);
  ASSERT_FALSE(program->state().runInProgress);

  action("PeakTable1")->trigger();
  ASSERT_TRUE(peakTable()->isVisible());
  QTableWidget* grid = peakTable()->grid();
  ASSERT_EQ(grid->rowCount(), 5);
  auto* measure = peakTable()->findChild<QPushButton*>("MeasureBtn");
  EXPECT_TRUE(measure->isEnabled());
  EXPECT_EQ(peakTable()->findChild<QLabel*>("Overall")->text().toStdString(), "Overall : FAIL");
  for (int size : {0, 1, 2}) {
    program->state().displaySize = static_cast<std::uint8_t>(size);
    window->repaint();
    action("PeakTable1")->trigger();
    EXPECT_LE(peakTable()->width(), window->width()) << size;
    screenshot(*peakTable(), "peak_table_sweep_" + std::to_string(size));
  }

  measure->click();  // returns when every row is read
  EXPECT_FALSE(program->state().runInProgress);
  EXPECT_EQ(peakTable()->findChild<QProgressBar*>("ProgressBar")->value(), 5);
  int passedOnQuasiPeak = 0;
  for (int r = 0; r < grid->rowCount(); ++r) {
    const bool pass = cell(r, 12) == "PASS" && cell(r, 6) == "Q";
    passedOnQuasiPeak += pass && cell(r, 3).toDouble() > cell(r, 7).toDouble();
  }
  EXPECT_EQ(passedOnQuasiPeak, 3);  // over the line on the sweep, under it on quasi-peak
  screenshot(*peakTable(), "peak_table_measured");

  // A row picked: the marker on the graph and the values window at its frequency.
  program->state().displaySize = 0;
  window->repaint();
  grid->selectRow(1);
  EXPECT_TRUE(program->finalMeasurement().marker().shown);
  EXPECT_NEAR(program->finalMeasurement().marker().frequencyHz,
              program->peakTable().Table().rows[1].quasiPeak.frequencyHz, 1.0);
  EXPECT_TRUE(program->pointer().valuesShown());
  screenshot(*window, "peak_table_marker");
  peakTable()->close();
  EXPECT_FALSE(program->finalMeasurement().marker().shown);
}

}  // namespace
}  // namespace tq
