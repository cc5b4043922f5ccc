#pragma once

#include <string>

#include "platform/Canvas.h"

namespace tq {

// A document of one or more pages, drawn on whatever canvas the printer gives: a printer's
// page, a PDF page or the recording canvas of a test. Sizes are in the device's pixels.
class PageSource {
 public:
  virtual ~PageSource() = default;
  virtual int PageCount() const = 0;
  virtual void DrawPage(Canvas& canvas, int page, int widthPx, int heightPx) const = 0;
};

// The printer: the print dialog, the printer set-up dialog, and a PDF written without a
// dialog (unattended runs). The printer keeps its set-up between documents.
class Printer {
 public:
  virtual ~Printer() = default;
  // Shows the print dialog; on OK prints the document (to the printer or, when the user
  // chose so, to a file). False when the dialog was dismissed or printing failed.
  virtual bool PrintWithDialog(const PageSource& document) = 0;
  // Writes the document as a PDF to a host path, on the printer's page size. False on a
  // write failure.
  virtual bool PrintToPdf(const PageSource& document, const std::string& hostPath) = 0;
  // The printer set-up dialog.
  virtual void Setup() = 0;
};

}  // namespace tq
