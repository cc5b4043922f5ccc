#pragma once

#include <QPrinter>
#include <QString>

#include "platform/Printer.h"

class QImage;
class QPageSize;
class QWidget;

namespace tq {

// The printer on Qt: one QPrinter that keeps what the print and page set-up dialogs chose
// for every document after it (the print dialog's print-to-file writes a PDF), and PDFs
// written without a dialog on the printer's page layout. Pages are drawn through QtCanvas.
class QtPrinter : public Printer {
 public:
  explicit QtPrinter(QWidget* dialogParent = nullptr);
  ~QtPrinter() override;

  bool PrintWithDialog(const PageSource& document) override;
  // Written whole to a temporary file beside the target and renamed over it: a failed
  // write leaves no half PDF and keeps an earlier one.
  bool PrintToPdf(const PageSource& document, const std::string& hostPath) override;
  void Setup() override;

  // The print dialog alone: true on OK, the printer then set as the user chose.
  bool ShowPrintDialog();
  // Prints on the printer (or into its file) as the dialogs left it; a failure is told.
  bool Print(const PageSource& document);
  // An image scaled to the page with its proportions kept, from the page's top left corner
  // (the screendump); a failure is told.
  bool PrintImage(const QImage& image);
  void SetPageSize(const QPageSize& size);
  const QPrinter& printer() const { return printer_; }

  static constexpr int kPdfResolution = 600;

 protected:
  // The dialogs, true on OK. A test stands in for the user here, as the dialog would set the
  // printer.
  virtual bool execPrintDialog(QPrinter& printer);
  virtual bool execSetupDialog(QPrinter& printer);

 private:
  bool told(bool ok) const;

  QWidget* parent_;
  QPrinter printer_;
};

}  // namespace tq
