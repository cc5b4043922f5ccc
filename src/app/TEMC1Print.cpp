// The main window's File menu printing and the information window.
#include "app/TEMC1.h"
#include "dialogs/DialogParts.h"
#include "dialogs/TBtnBottomDlg2.h"
#include "dialogs/TInfo.h"
#include "measure/Program.h"
#include "model/HelpTopics.h"
#include "platform/qt/QtPrinter.h"

namespace tq {

bool TEMC1::dispatchPrinting(Command command) {
  switch (command) {
    case Command::Print1:
      if (printer_) printer_->PrintWithDialog(program_->Report());
      return true;
    case Command::Screendump1:
      // The window as it is now, without the dialog or the message over it.
      if (printer_ && printer_->ShowPrintDialog()) {
        const QImage image = centralWidget()->grab().toImage();
        showMessageWindow("Now Printing Screendump ...");
        printer_->PrintImage(image);
        hideMessageWindow();
      }
      return true;
    case Command::PrinterSetup1:
      if (printer_) printer_->Setup();
      return true;
    case Command::PrinterColours1: {
      // Made on first use, after the window's controls: its "Default" button shares the
      // name Button6 with the window's Start button, which a search by name must find first.
      if (!btnBottomDlg2_) {
        btnBottomDlg2_ = new TBtnBottomDlg2(this);
        SetHelpTopic(btnBottomDlg2_, help::kPrinting);
      }
      std::array<Colour, 6> colours = program_->state().printerColours;
      if (PrinterColours1Click(*btnBottomDlg2_, colours)) program_->SetPrinterColours(colours);
      return true;
    }
    case Command::Information1:
    case Command::BitBtn6:
      info_->FormActivate(*program_);
      info_->exec();
      // The antenna distance method may have changed what the graph shows.
      repaint();
      return true;
    default:
      return false;
  }
}

}  // namespace tq
