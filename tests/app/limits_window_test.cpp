// The Limits menu and the user limit dialogs in the main window, offscreen.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/TEMC1.h"
#include "dialogs/Tlimitselect.h"
#include "dialogs/Tuserlimit.h"
#include "doubles/FakeSerialPort.h"
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

class LimitsWindowTest : public ::testing::Test {
 protected:
  LimitsWindowTest()
      : root(fs::temp_directory_path() /
             ("tq_limits_window_" +
              std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()))),
        files(root) {
    fs::remove_all(root);
    files.installShippedData(TQ_SOURCE_DATA_DIR);
    window = std::make_unique<TEMC1>();
    program = std::make_unique<Program>(Ports{port, ticks, prompts, files, clock, *window, usb});
    program->state().defaultPath = "c:\\tq4800\\";
    window->attach(*program);
    window->show();
  }
  ~LimitsWindowTest() override {
    program.reset();
    window.reset();
    fs::remove_all(root);
  }

  QAction* action(const char* name) { return window->findChild<QAction*>(name); }
  // Runs `inside` once the modal dialog `name` is up, then triggers `item`.
  template <typename Dialog>
  void withDialog(const char* name, const char* item, std::function<void(Dialog&)> inside) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
      auto* d = window->findChild<Dialog*>(name);
      ASSERT_NE(d, nullptr);
      ASSERT_TRUE(test::WaitFor([&] { return d->isVisible(); }, 2000));
      inside(*d);
      ran = true;
    });
    action(item)->trigger();
    EXPECT_TRUE(ran);
  }
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
  test::FakeSerialPort port;
  test::VirtualTicks ticks;
  test::ScriptedPrompts prompts;
  test::FixedClock clock;
  NoUsbI2cIo usb;
  std::unique_ptr<TEMC1> window;
  std::unique_ptr<Program> program;
};

TEST_F(LimitsWindowTest, TheLimitsMenuIsBuiltFromTheCatalogue) {
  auto* limits = window->menuBar()->findChild<QMenu*>("Limits1");
  ASSERT_NE(limits, nullptr);
  EXPECT_EQ(limits->title().toStdString(), "&Limits");
  auto* en55013 = window->findChild<QMenu*>("EN550131");
  ASSERT_NE(en55013, nullptr);
  EXPECT_EQ(en55013->parent(), window->findChild<QMenu*>("EuropeanLimits1"));
  QAction* classB = action("ClassBMains1");
  ASSERT_NE(classB, nullptr);
  EXPECT_EQ(classB->text().toStdString(), "Class B Mains");
  EXPECT_EQ(action("FCCPart15RadClassA1")->text().toStdString(),
            "\"FCC Part 15 Radiated Class 'A'\"");
  classB->trigger();
  EXPECT_EQ(program->limits().Table().recordNumber, 26);
  // A vehicle entry shows its line and enables the Limit button.
  action("Class13")->trigger();
  EXPECT_EQ(program->limits().Table().recordNumber, 122);
  EXPECT_TRUE(action("limit1")->isChecked());
  EXPECT_TRUE(window->findChild<QPushButton*>("Button14")->isEnabled());
  action("None1")->trigger();
  EXPECT_FALSE(action("limit1")->isChecked());
  EXPECT_FALSE(program->limits().Loaded());
}

TEST_F(LimitsWindowTest, UserLimitsAreAddedEditedAndLoadedThroughTheirDialogs) {
  withDialog<Tuserlimit>("userlimit", "AddUserLimit1", [&](Tuserlimit& d) {
    EXPECT_EQ(d.windowTitle().toStdString(), "Enter User Limit Lines");
    d.findChild<QLineEdit*>("Title")->setText("Bench supply");
    d.findChild<QLineEdit*>("descript")->setText("conducted, own");
    d.findChild<QCheckBox*>("radiated")->setChecked(false);
    EXPECT_FALSE(d.findChild<QLineEdit*>("Limitad")->isEnabled());
    auto* grid = d.findChild<QTableWidget*>("StringGrid");
    grid->item(0, 0)->setText("150000");
    grid->item(0, 1)->setText("70");
    grid->item(0, 2)->setText("TRUE");
    grid->item(1, 0)->setText("30000000");
    grid->item(1, 1)->setText("50");
    screenshot(d, "tuserlimit_add");
    d.findChild<QPushButton*>("BitBtn1")->click();
    d.findChild<QPushButton*>("OKBtn")->click();
  });
  EXPECT_TRUE(prompts.wasShown("New limit added."));

  withDialog<Tlimitselect>("limitselect", "LoadUserLimit1", [&](Tlimitselect& d) {
    EXPECT_EQ(d.windowTitle().toStdString(), "Select Limit");
    ASSERT_EQ(d.list()->count(), 1);
    EXPECT_EQ(d.list()->item(0)->text().toStdString(), "Bench supply");
    d.list()->setCurrentRow(0);
    screenshot(d, "tlimitselect");
    d.findChild<QPushButton*>("OKBtn")->click();
  });
  EXPECT_EQ(program->limits().Table().recordNumber, 201);
  EXPECT_EQ(program->limits().Name(), "Bench supply");
  EXPECT_TRUE(action("limit1")->isChecked());
  EXPECT_TRUE(action("limit1")->isEnabled());

  // Select and Edit opens the list inside the editor; the change goes back to the file.
  withDialog<Tuserlimit>("userlimit", "AddUserLimit1", [&](Tuserlimit& d) {
    QTimer::singleShot(0, [&] {
      auto* select = window->findChild<Tlimitselect*>("limitselect");
      ASSERT_TRUE(test::WaitFor([&] { return select->isVisible(); }, 2000));
      select->list()->setCurrentRow(0);
      select->accept();
    });
    d.findChild<QPushButton*>("BitBtn2")->click();
    EXPECT_EQ(d.findChild<QLineEdit*>("Title")->text().toStdString(), "Bench supply");
    auto* grid = d.findChild<QTableWidget*>("StringGrid");
    EXPECT_EQ(grid->item(0, 2)->text().toStdString(), "TRUE");
    grid->item(1, 1)->setText("48");
    screenshot(d, "tuserlimit_edit");
    d.findChild<QPushButton*>("BitBtn1")->click();  // "Limit Modified." closes it
    EXPECT_FALSE(d.isVisible());
  });
  EXPECT_TRUE(prompts.wasShown("Limit Modified."));
  program->userLimitChoice().UserLimitChosen(0);
  EXPECT_EQ(program->limits().Table().points[2].level, 48);
}

}  // namespace
}  // namespace tq
