// The Details window and the About box through the main window's menu, with the program
// against the simulated analyser and the simulated USB adapter.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "SimulatedLink.h"
#include "SimulatedUsbAdapter.h"
#include "app/TEMC1.h"
#include "dialogs/TAboutBox.h"
#include "dialogs/THkeeping.h"
#include "doubles/FixedClock.h"
#include "doubles/ScriptedPrompts.h"
#include "measure/Program.h"
#include "measure/Settings.h"
#include "platform/HostFiles.h"
#include "platform/qt/QtTicks.h"
#include "qt_test_app.h"

namespace tq {
namespace {

namespace fs = std::filesystem;

class DialogsTest : public ::testing::Test {
 protected:
  DialogsTest() {
    root = fs::temp_directory_path() /
           (std::string("tq_dialogs_") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    files = std::make_unique<HostFiles>(root);
    files->installShippedData(TQ_SOURCE_DATA_DIR);
    MeasurementState ini;
    ApplySettingsDefaults(ini);
    ini.usbSearch = 1;
    ini.ostrocellSelection = 1;
    files->writeAll("C:\\tq4800\\TQ4800.INI", SaveSettings(ini));
    link = std::make_unique<sim::SimulatedLink>(ticks, sim::AnalyserOptions{},
                                                sim::PortOptions{false});
    window = std::make_unique<TEMC1>();
    program = std::make_unique<Program>(
        Ports{link->port, ticks, prompts, *files, clock, *window, adapter});
    window->attach(*program);
    window->show();
    started = test::WaitFor([&] { return program->model().statusText == "Ready"; }, 20000);
  }
  ~DialogsTest() override {
    program.reset();
    window.reset();
    fs::remove_all(root);
  }

  // Triggers a menu item whose modal dialog `act` then handles once it is showing.
  template <typename Dialog>
  void withDialog(const char* item, const char* dialogName, std::function<void(Dialog&)> act) {
    bool handled = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* d = window->findChild<Dialog*>(dialogName);
      if (handled || !d || !d->isVisible()) return;
      handled = true;
      act(*d);
    });
    poll.start(20);
    window->findChild<QAction*>(item)->trigger();  // returns when the dialog has closed
    EXPECT_TRUE(handled) << item;
  }

  void save(QWidget& w, const char* name) {
    const QByteArray dir = qgetenv("TQ_SCREENSHOT_DIR");
    const QString path = (dir.isEmpty() ? QDir::tempPath() : QString(dir)) + "/" + name + ".png";
    QDir().mkpath(QFileInfo(path).absolutePath());
    EXPECT_TRUE(w.grab().save(path)) << path.toStdString();
  }

  static std::string Text(QWidget& d, const char* name) {
    if (auto* l = d.findChild<QLabel*>(name)) return l->text().toStdString();
    if (auto* e = d.findChild<QLineEdit*>(name)) return e->text().toStdString();
    return "(no " + std::string(name) + ")";
  }

  test::QtTestApp app;
  fs::path root;
  std::unique_ptr<HostFiles> files;
  QtTicks ticks;
  test::ScriptedPrompts prompts;
  test::FixedClock clock;
  sim::SimulatedUsbAdapter adapter;
  std::unique_ptr<sim::SimulatedLink> link;
  std::unique_ptr<TEMC1> window;
  std::unique_ptr<Program> program;
  bool started = false;
};

TEST_F(DialogsTest,
       DetailsListTheAdapterTakeTheDelimiterEitherWayThePathOnOkAndAboutShowsTheVersion) {
  ASSERT_TRUE(started);
  ASSERT_TRUE(program->state().usbLinkOk);
  withDialog<THkeeping>("Setup1", "Hkeeping", [&](THkeeping& d) {
    EXPECT_EQ(d.windowTitle().toStdString(), "Details");
    auto* grid = d.findChild<QTableWidget*>("StringGrid1");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->columnCount(), 3);
    EXPECT_EQ(grid->rowCount(), 10);
    EXPECT_EQ(grid->item(0, 0)->text().toStdString(), "0");
    EXPECT_EQ(grid->item(0, 1)->text().toStdString(), "4711");
    EXPECT_EQ(grid->item(0, 2)->text().toStdString(), "NX200");
    EXPECT_EQ(grid->item(1, 0), nullptr);
    EXPECT_EQ(Text(d, "Label11"), "USB Devices Detected");
    EXPECT_EQ(Text(d, "Label9"), "Description");
    EXPECT_EQ(Text(d, "Label10"), "Handle");
    EXPECT_EQ(Text(d, "Label4"), "Hardware ID : VX2-004417");
    EXPECT_EQ(Text(d, "Label5"), "USB Hardware Version 1.4");
    EXPECT_EQ(Text(d, "Label2"), "Hardware Version : 2.10");
    EXPECT_EQ(Text(d, "Edit2"), "c:\\tq4800\\");
    save(d, "details_dialog");
    d.findChild<QLineEdit*>("Edit1")->setText(",");
    d.findChild<QLineEdit*>("Edit2")->setText("d:\\results");
    d.findChild<QPushButton*>("CancelBtn")->click();
  });
  EXPECT_EQ(program->state().delimiter, ",");
  EXPECT_EQ(program->state().defaultPath, "c:\\tq4800\\");

  withDialog<THkeeping>("Setup1", "Hkeeping", [&](THkeeping& d) {
    EXPECT_EQ(Text(d, "Edit2"), "c:\\tq4800\\");  // Cancel left the path alone
    d.findChild<QLineEdit*>("Edit1")->setText(" ");
    d.findChild<QLineEdit*>("Edit2")->setText("d:\\results");
    d.findChild<QPushButton*>("OKBtn")->click();
  });
  EXPECT_EQ(program->state().delimiter, ";");
  EXPECT_EQ(program->state().defaultPath, "d:\\results\\");

  withDialog<TAboutBox>("About1", "AboutBox", [&](TAboutBox& d) {
    EXPECT_EQ(d.windowTitle().toStdString(), "About TQ4800");
    EXPECT_EQ(Text(d, "Version"), "Software Version 3.71 8th January 2005 ");
    save(d, "about_box");
    d.findChild<QPushButton*>("OKButton")->click();
  });
}

}  // namespace
}  // namespace tq
