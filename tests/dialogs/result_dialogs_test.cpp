// The import options and notes windows, and the File menu's title panel, offscreen: what
// each shows and gives back, and a grab of each to $TQ_SCREENSHOT_DIR for a look by eye.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTimer>

#include "../app/qt_test_app.h"
#include "app/TEMC1.h"
#include "dialogs/TImport.h"
#include "dialogs/TNotebook.h"
#include "doubles/FakeSerialPort.h"
#include "doubles/FixedClock.h"
#include "doubles/MemoryFiles.h"
#include "doubles/RecordingHelp.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "measure/Program.h"
#include "platform/NoUsbI2cIo.h"

namespace tq {
namespace {

void Grab(QWidget& w, const char* name) {
  w.show();
  QApplication::processEvents();
  const QByteArray dir = qgetenv("TQ_SCREENSHOT_DIR");
  const QString path =
      (dir.isEmpty() ? QDir::tempPath() : QString(dir)) + "/" + QString(name) + ".png";
  QDir().mkpath(QFileInfo(path).absolutePath());
  EXPECT_TRUE(w.grab().save(path)) << path.toStdString();
}

// Presses OK on the next message box and keeps its text.
struct NextBox {
  QString text;
  NextBox() {
    QTimer::singleShot(0, [this] { press(); });
  }
  void press() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
      QTimer::singleShot(10, [this] { press(); });
      return;
    }
    text = box->text();
    box->accept();
  }
};

class ResultDialogsTest : public ::testing::Test {
 protected:
  test::QtTestApp app;
};

TEST_F(ResultDialogsTest, ImportOptionsFollowTheCoresRules) {
  test::RecordingHelp help;
  TImport dialog(nullptr, help);
  // The file name as it is; one too long for its line loses its start, never its end.
  auto* label = dialog.findChild<QLabel*>("Label1");
  dialog.FormActivate(std::string(300, 'x') + "/RUN1.EMC", true);
  EXPECT_TRUE(label->text().startsWith(QString::fromUtf8("File Selected : \u2026x")));
  EXPECT_TRUE(label->text().endsWith("x/RUN1.EMC"));
  const std::string name = "/home/user/.tq4800/drive_c/tq4800/RUN1.EMC";
  dialog.FormActivate(name, true);
  EXPECT_EQ(label->text().toStdString(), "File Selected : " + name);
  EXPECT_EQ(dialog.options(), ImportOptions{});
  Grab(dialog, "dialog_import_options");

  {
    NextBox box;
    dialog.storeGroup()->button(static_cast<int>(ImportAs::Current))->click();
    EXPECT_EQ(box.text, "Invalid selection !");
  }
  EXPECT_EQ(dialog.storeGroup()->checkedId(), static_cast<int>(ImportAs::DoNotImport));
  EXPECT_EQ(dialog.options().storeAs, ImportAs::DoNotImport);

  auto* ers = dialog.findChild<QCheckBox*>("importERS");
  {
    NextBox box;
    ers->click();
    EXPECT_EQ(box.text, "Importing ERS Correction Data will Overwrite ALL ERS Data !");
  }
  EXPECT_TRUE(dialog.options().importErs);
  dialog.findChild<QCheckBox*>("Alldata")->click();
  EXPECT_FALSE(ers->isEnabled());
  EXPECT_FALSE(ers->isChecked());

  // The next opening keeps the choices, but not the ERS import.
  dialog.findChild<QCheckBox*>("Alldata")->click();
  ers->setChecked(true);
  dialog.FormActivate("b.emc", false);
  EXPECT_FALSE(ers->isChecked());
  EXPECT_EQ(dialog.options().storeAs, ImportAs::DoNotImport);
}

TEST_F(ResultDialogsTest, NotesHoldAtMost540Characters) {
  TNotebook dialog(nullptr);
  dialog.FormActivate(">\n\n\n\n\n\n\n\n\n\n\n.end");
  Grab(dialog, "dialog_notes");
  dialog.memo()->moveCursor(QTextCursor::End);
  dialog.memo()->insertPlainText(QString(600, 'x'));
  EXPECT_EQ(dialog.memo()->toPlainText().size(), 540);
  EXPECT_EQ(dialog.text().substr(0, 2), ">\n");
}

TEST_F(ResultDialogsTest, TheTitlePanelAsksForTheTitleAndTheFileMenuIsBuilt) {
  test::FakeSerialPort port;
  test::VirtualTicks ticks;
  test::ScriptedPrompts prompts;
  test::MemoryFiles files;
  test::FixedClock clock;
  NoUsbI2cIo usb;
  TEMC1 window;
  Program program(Ports{port, ticks, prompts, files, clock, window, usb});
  window.attach(program);
  window.show();
  // The File menu's own items (a dialog has a "Save1" of its own).
  auto item = [&window](const char* name) {
    for (QAction* a : window.menuBar()->findChild<QMenu*>("File1")->actions())
      if (a->objectName() == name) return a;
    ADD_FAILURE() << name;
    return window.menuBar()->findChild<QMenu*>("File1")->menuAction();
  };
  for (const char* name : {"Open1", "SaveAs1", "Title1", "Notes1"})
    EXPECT_TRUE(item(name)->isEnabled()) << name;
  EXPECT_FALSE(item("Save1")->isEnabled());
  EXPECT_TRUE(item("Print1")->isEnabled());

  prompts.input("Conducted, mains");
  auto* panel6 = window.findChild<QFrame*>("Panel6");
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), panel6->mapToGlobal(QPointF(5, 5)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(panel6, &press);
  EXPECT_EQ(panel6->findChild<QLabel*>()->text(), "Conducted, mains");

  prompts.fileName("C:\\tq4800\\A.EMC");
  item("SaveAs1")->trigger();
  EXPECT_TRUE(item("Save1")->isEnabled());
  EXPECT_NE(files.readAll("C:\\tq4800\\A.EMC")->find("Conducted, mains\r\n"), std::string::npos);
}

}  // namespace
}  // namespace tq
