// The printed report through the Qt printer, offscreen: PDFs of a measured sweep and of an
// empty graph on A4 and Letter (checked with poppler's pdfinfo where it is installed, and
// turned into PNG beside the screenshots for a look by eye), the print dialog's output to a
// file, and the information and printer colours windows.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPageSize>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <filesystem>

#include "../sim/SimulatedProgram.h"
#include "app/TEMC1.h"
#include "dialogs/TBtnBottomDlg2.h"
#include "dialogs/TInfo.h"
#include "dialogs/TSpanish.h"
#include "platform/qt/QtPrinter.h"
#include "qt_test_app.h"

namespace tq {
namespace {

namespace fs = std::filesystem;

QString ScreenshotDir() {
  const QByteArray dir = qgetenv("TQ_SCREENSHOT_DIR");
  const QString path = dir.isEmpty() ? QDir::tempPath() : QString(dir);
  QDir().mkpath(path);
  return path;
}

// What pdfinfo says of a file, or nothing when poppler is not installed.
QString PdfInfo(const fs::path& pdf) {
  if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) return {};
  QProcess p;
  p.start("pdfinfo", {QString::fromStdString(pdf.string())});
  p.waitForFinished(20000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The first page at 60 dots per inch, for a look by eye.
void ToPng(const fs::path& pdf, const QString& name) {
  if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) return;
  QProcess::execute("pdftoppm",
                    {"-png", "-r", "60", "-singlefile", QString::fromStdString(pdf.string()),
                     ScreenshotDir() + "/" + name});
}

void Grab(QWidget& w, const char* name) {
  w.show();
  QApplication::processEvents();
  EXPECT_TRUE(w.grab().save(ScreenshotDir() + "/" + name + ".png")) << name;
}

// Presses the button with `caption` in the next modal window that opens.
void PressInNextModal(const QString& caption) {
  QTimer::singleShot(10, [caption] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return PressInNextModal(caption);
    for (auto* b : modal->findChildren<QAbstractButton*>())
      if (b->text().remove('&') == caption) return b->click();
  });
}

// In the next print dialog, chooses "Print to File (PDF)" with the file and presses Print;
// `found` tells whether the dialog had what a user would use.
void PrintToFileInNextDialog(const QString& file, bool& found) {
  QTimer::singleShot(10, [file, &found] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return PrintToFileInNextDialog(file, found);
    auto* printers = modal->findChild<QComboBox*>("printers");
    auto* name = modal->findChild<QLineEdit*>("filename");
    const int pdf = printers ? printers->findText("Print to File (PDF)") : -1;
    found = pdf >= 0 && name;
    if (found) {
      printers->setCurrentIndex(pdf);
      name->setText(file);
    }
    for (auto* b : modal->findChildren<QPushButton*>())
      if (b->text().remove('&') == (found ? "Print" : "Cancel")) return b->click();
  });
}

// The print dialog as a user who chooses to print to a file (or cancels) leaves it.
struct PrintToFile : QtPrinter {
  QString file;
  int dialogs = 0;
  bool execPrintDialog(QPrinter& printer) override {
    ++dialogs;
    if (file.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    return true;
  }
};

class PrintingTest : public ::testing::Test {
 protected:
  // Prints the program's report as a PDF on a page size; checks it is one page of that size.
  void expectOnePagePdf(test::SimulatedProgram& p, QPageSize::PageSizeId size, const char* name) {
    QtPrinter printer;
    printer.SetPageSize(QPageSize(size));
    const fs::path pdf = (ScreenshotDir() + "/" + name + ".pdf").toStdString();
    ASSERT_TRUE(printer.PrintToPdf(p.program->Report(), pdf.string()));
    ASSERT_TRUE(fs::exists(pdf));
    const QString info = PdfInfo(pdf);
    if (!info.isEmpty()) {
      EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
      EXPECT_TRUE(info.contains(size == QPageSize::A4 ? "(A4)" : "(letter)")) << info.toStdString();
    }
    ToPng(pdf, name);
  }

  test::QtTestApp app;
};

TEST_F(PrintingTest, AMeasuredSweepWithItsLimitPrintsOnOnePage) {
  test::SimulatedProgram p("print_sweep");
  Program& program = *p.program;
  p.prompts.input("3");
  program.Execute(Command::NX201);
  program.SelectAttenuation(0);
  program.SelectLimit(1, 24);
  if (!program.model().showLimit) program.Execute(Command::limit1);
  program.Execute(Command::Button1);
  ASSERT_TRUE(p.runUntil([&] { return !program.state().runInProgress; }, 60000));
  program.Execute(Command::button18);
  program.Execute(Command::Button1);
  ASSERT_TRUE(p.runUntil([&] { return !program.state().runInProgress; }, 60000));
  program.Execute(Command::Store1);
  program.results().SetNotesText(
      ">\nEUT: bench supply PSU-12, serial 0042\nOperator: J. Smith\n\n\n\n\n\n\n\n\n.end");
  program.state().title = "PSU-12 radiated";
  expectOnePagePdf(p, QPageSize::A4, "report_sweep_a4");
  program.state().printerColours = {0x808080, 0xC00000, 0x0000C0, 0xC000C0, 0x008000, 0x00A000};
  expectOnePagePdf(p, QPageSize::Letter, "report_sweep_letter");
}

TEST_F(PrintingTest, AnEmptyGraphPrintsFrameGridLabelsAndSettings) {
  test::SimulatedProgram p("print_empty");
  p.program->Execute(Command::current1);
  EXPECT_FALSE(p.program->model().showCurrent);
  expectOnePagePdf(p, QPageSize::A4, "report_empty_a4");
}

TEST_F(PrintingTest, FilePrintGoesThroughThePrintDialogWhosePrintToFileWritesAPdf) {
  test::SimulatedProgram p("print_menu");
  TEMC1 window;
  window.attach(*p.program);
  PrintToFile printer;
  window.setPrinter(printer);
  auto item = [&](const char* name) { return window.findChild<QAction*>(name); };
  for (const char* name :
       {"Print1", "Screendump1", "PrinterSetup1", "PrinterColours1", "Information1"})
    ASSERT_TRUE(item(name) && item(name)->isEnabled()) << name;

  item("Print1")->trigger();  // dialog dismissed: nothing printed
  EXPECT_EQ(printer.dialogs, 1);
  const fs::path pdf = p.root / "menu.pdf";
  printer.file = QString::fromStdString(pdf.string());
  item("Print1")->trigger();
  ASSERT_TRUE(fs::exists(pdf));
  if (const QString info = PdfInfo(pdf); !info.isEmpty())
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();

  // Qt's own print dialog, told to print to a file, writes the report there.
  QtPrinter real;
  const fs::path chosen = p.root / "chosen.pdf";
  bool found = false;
  PrintToFileInNextDialog(QString::fromStdString(chosen.string()), found);
  const bool printed = real.PrintWithDialog(p.program->Report());
  if (found) {
    EXPECT_TRUE(printed);
    EXPECT_TRUE(fs::exists(chosen));
  }

  // The screendump goes to the same printer: the window's image on one page.
  fs::remove(pdf);
  item("Screendump1")->trigger();
  EXPECT_EQ(printer.dialogs, 3);
  ASSERT_TRUE(fs::exists(pdf));
  ToPng(pdf, "screendump");

  // The information window opens from its button and closes with OK.
  PressInNextModal("OK");
  window.findChild<QPushButton*>("BitBtn6")->click();
  EXPECT_FALSE(window.findChild<QDialog*>("Info")->isVisible());
}

TEST_F(PrintingTest, InformationWindowShowsTheSetUpAndRevertsAltOnlyOnYes) {
  test::SimulatedProgram p("print_info");
  Program& program = *p.program;
  program.SetAntennaDistanceAlt(true);
  program.results().SetNotesText(">\nEUT: bench supply\n");
  TSpanish spanish(nullptr);
  TInfo info(nullptr, spanish);
  EXPECT_EQ(info.windowTitle(), "Veltrane Instruments Ltd Fieldmark TQ4800  Information");
  info.FormActivate(program);
  EXPECT_EQ(info.findChild<QLabel*>("Label24")->text(), "ALT");
  EXPECT_EQ(info.findChild<QLabel*>("Label13")->text(), "Using Direct Input");
  EXPECT_EQ(InfoSummaryLines(info.info())[2], "Port : COM2");
  Grab(info, "information_window");

  auto rightClick = [&] {
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(50, 50), QPointF(50, 50), Qt::RightButton,
                   Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(info.afbox(), &up);
  };
  p.prompts.answer(Answer::No);
  rightClick();
  EXPECT_TRUE(
      p.prompts.wasShown("Antenna Distance. Do you wish to revert to standard operation ?"));
  EXPECT_TRUE(program.state().antennaDistanceAlt);
  p.prompts.answer(Answer::Yes);
  rightClick();
  EXPECT_FALSE(program.state().antennaDistanceAlt);
  EXPECT_EQ(info.findChild<QLabel*>("Label24")->text(), "STD");
  PressInNextModal("ALT");  // STD: the distance dialog chooses
  rightClick();
  EXPECT_TRUE(program.state().antennaDistanceAlt);
}

TEST_F(PrintingTest, PrinterColoursDefaultAsksBeforeAllBlackAndOnlyOkKeeps) {
  struct Dialog : TBtnBottomDlg2 {
    using TBtnBottomDlg2::TBtnBottomDlg2;
    std::optional<Colour> chooseColour(Colour, const QString&) override { return 0x00FF00; }
  } dialog(nullptr);
  EXPECT_EQ(dialog.windowTitle(), "Printer Colours");
  const std::array<Colour, 6> mine{1, 2, 3, 4, 5, 6};
  dialog.FormActivate(mine);
  dialog.colourButton(5)->click();
  EXPECT_EQ(dialog.colours()[5], 0x00FF00u);
  Grab(dialog, "printer_colours");
  PressInNextModal("No");
  dialog.Button6Click();
  EXPECT_EQ(dialog.colours()[0], 1u);
  PressInNextModal("Yes");
  dialog.Button6Click();
  EXPECT_EQ(dialog.colours(), (std::array<Colour, 6>{}));

  std::array<Colour, 6> kept = mine;
  QTimer::singleShot(10, [&] { dialog.reject(); });
  EXPECT_FALSE(PrinterColours1Click(dialog, kept));
  EXPECT_EQ(kept, mine);
  QTimer::singleShot(10, [&] {
    dialog.colourButton(1)->click();
    dialog.accept();
  });
  EXPECT_TRUE(PrinterColours1Click(dialog, kept));
  EXPECT_EQ(kept, (std::array<Colour, 6>{1, 0x00FF00, 3, 4, 5, 6}));
}

}  // namespace
}  // namespace tq
