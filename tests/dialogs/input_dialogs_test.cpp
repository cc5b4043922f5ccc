// The input dialogs and the input panel, offscreen: what each shows, what it gives back, and
// a grab of each to $TQ_SCREENSHOT_DIR for a look by eye.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <filesystem>

#include "../app/qt_test_app.h"
#include "app/TEMC1.h"
#include "dialogs/TCellform.h"
#include "dialogs/TLisndlg.h"
#include "dialogs/TSpanish.h"
#include "dialogs/TUserantbox.h"
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

// The next modal box that opens: its text, then the button with `caption` pressed.
class ModalAnswer {
 public:
  explicit ModalAnswer(QString caption) : caption_(std::move(caption)) {
    QTimer::singleShot(0, [this] { press(); });
  }
  QString text;

 private:
  void press() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
      QTimer::singleShot(10, [this] { press(); });
      return;
    }
    if (auto* box = qobject_cast<QMessageBox*>(modal)) text = box->text();
    for (auto* b : modal->findChildren<QAbstractButton*>())
      if (b->text().remove('&') == caption_) {
        b->click();
        return;
      }
  }
  QString caption_;
};

class InputDialogsTest : public ::testing::Test {
 protected:
  test::QtTestApp app;
};

TEST_F(InputDialogsTest, LisnDialogShowsAndGivesBackTheSettingsAndWarnsOfZeroLoss) {
  test::RecordingHelp help;
  TLisndlg dialog(nullptr, help);
  dialog.FormActivate({3, 2});
  EXPECT_EQ(dialog.sourceGroup()->checkedId(), 3);
  EXPECT_EQ(dialog.lossGroup()->checkedId(), 2);
  EXPECT_EQ(dialog.sourceGroup()->button(3)->text(), "Yellow");
  EXPECT_EQ(dialog.lossGroup()->button(3)->text(), "30 dB (KM902 - Marlowe)");
  Grab(dialog, "dialog_lisn");
  dialog.sourceGroup()->button(0)->click();
  ModalAnswer ok("OK");
  dialog.lossGroup()->button(0)->click();
  EXPECT_EQ(ok.text, "Zero LISN attenuation can damage analyser");
  EXPECT_EQ(dialog.values(), (LisnValues{0, 0}));
  // Setting the groups from the program does not warn.
  dialog.FormActivate({1, 0});
  EXPECT_EQ(dialog.values(), (LisnValues{1, 0}));
}

TEST_F(InputDialogsTest, CellDialogShowsTheTypeSerialAndUsbState) {
  TCellform dialog(nullptr);
  EXPECT_EQ(dialog.windowTitle(), "TQ4800 - Ostrocell Characteristics");
  dialog.FormActivate({1, 7, "USB Connection Not Made"});
  EXPECT_EQ(dialog.cellType(), 1);
  EXPECT_EQ(dialog.serialText(), "7");
  EXPECT_EQ(dialog.usbLabel()->text(), "USB Connection Not Made");
  Grab(dialog, "dialog_cell");
  EXPECT_TRUE(dialog.usbLabel()->isVisible());
  dialog.FormActivate({0, 0, ""});
  EXPECT_FALSE(dialog.usbLabel()->isVisible());
  dialog.typeGroup()->button(2)->click();
  dialog.serialEdit()->setText("1234");
  EXPECT_EQ(dialog.cellType(), 2);
  EXPECT_EQ(dialog.serialText(), "1234");
}

TEST_F(InputDialogsTest, AntennaDistanceDialogChoosesTheMethod) {
  TSpanish dialog(nullptr);
  EXPECT_EQ(dialog.windowTitle(), "Antenna Distance");
  Grab(dialog, "dialog_antenna_distance");
  dialog.hide();
  {
    ModalAnswer alt("ALT");
    EXPECT_EQ(dialog.chooseAlternative(), true);
  }
  {
    ModalAnswer std("STD");
    EXPECT_EQ(dialog.chooseAlternative(), false);
  }
}

TEST_F(InputDialogsTest, UserAntennaEditorShowsTheEditorAndHandsBackEveryEdit) {
  MeasurementState state;
  test::MemoryFiles files;
  struct : CorrectionContext {
    bool PreselectorInCircuit() const override { return false; }
    float RadiatedLimitDistanceM() const override { return 0; }
  } context;
  Transducer transducer(state, files, context);
  test::ScriptedPrompts prompts;
  UserAntennaEditor editor(transducer, prompts, files);
  TUserantbox dialog(nullptr);
  EXPECT_EQ(dialog.windowTitle(), "Enter User Antenna Factor");
  dialog.begin(editor);
  QTableWidget* grid = dialog.grid();
  EXPECT_EQ(grid->rowCount(), 100);
  EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "Frequency Hz");
  EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), "Value (dBuV)");
  EXPECT_EQ(grid->item(99, 1)->text(), "0.0");
  EXPECT_EQ(dialog.changeoverEdit()->text(), "200.0");

  dialog.titleEdit()->setText("Loop 9 kHz");
  grid->item(0, 0)->setText("150000");
  grid->item(0, 1)->setText("-12.5");
  dialog.radiatedBox()->setChecked(true);
  EXPECT_EQ(transducer.Description(), "Loop 9 kHz");
  EXPECT_EQ(editor.grid[0], (AntennaGridRow{"150000", "-12.5"}));
  EXPECT_TRUE(editor.radiated);
  Grab(dialog, "dialog_user_antenna");

  prompts.answer(Answer::No);
  dialog.OKBtnClick();
  EXPECT_EQ(transducer.table()[1], (FactorRow{150000, -12.5f, 0}));
  EXPECT_TRUE(prompts.wasShown("Save these antenna parameters "));
}

// The input panel holds every input's labels without cutting any.
TEST_F(InputDialogsTest, InputPanelShowsEachInputsLabelsInFull) {
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
  const Command entries[] = {Command::NX101, Command::NX201,      Command::NX241,  Command::NX301,
                             Command::NX401, Command::NX501,      Command::KVP1,   Command::kvp2,
                             Command::LISN1, Command::Ostrocell1, Command::Direct1};
  for (Command c : entries) {
    prompts.input("3");
    program.Execute(c);
    window.modelChanged();
    QApplication::processEvents();
    for (const char* name : {"Label12", "Label13", "Label15", "Label2", "Label10"}) {
      auto* label = window.findChild<QFrame*>("Panel8")->findChild<QLabel*>(name);
      ASSERT_TRUE(label) << name;
      const QString text = label->text();
      // A word wider than the label would be cut even where the label wraps.
      for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
        EXPECT_LE(label->fontMetrics().horizontalAdvance(word), label->contentsRect().width())
            << text.toStdString();
      }
      if (!label->wordWrap()) {
        EXPECT_LE(label->fontMetrics().horizontalAdvance(text), label->contentsRect().width())
            << text.toStdString();
      }
      EXPECT_GE(label->height(), label->wordWrap() ? label->heightForWidth(label->width())
                                                   : label->fontMetrics().height())
          << text.toStdString();
    }
    if (c == Command::LISN1) Grab(window, "input_panel_lisn");
    if (c == Command::NX241) Grab(window, "input_panel_nx24");
  }
  EXPECT_EQ(window.findChild<QFrame*>("Panel8")->findChild<QLabel*>("Label12")->text(), "DIRECT");
}

}  // namespace
}  // namespace tq
