#include "platform/qt/QtPrinter.h"

#include <QImage>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QSaveFile>

#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtText.h"

namespace tq {

namespace {

// Every page of the document on the device, each sized to the device's printable area.
bool DrawDocument(QPagedPaintDevice& device, const PageSource& document, int resolution) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const QRect area = device.pageLayout().paintRectPixels(resolution);
  for (int page = 0; page < document.PageCount(); ++page) {
    if (page > 0 && !device.newPage()) {
      painter.end();
      return false;
    }
    QtCanvas canvas(&painter);
    document.DrawPage(canvas, page, area.width(), area.height());
  }
  return painter.end();
}

}  // namespace

QtPrinter::QtPrinter(QWidget* dialogParent)
    : parent_(dialogParent), printer_(QPrinter::HighResolution) {}

QtPrinter::~QtPrinter() = default;

bool QtPrinter::execPrintDialog(QPrinter& printer) {
  QPrintDialog dialog(&printer, parent_);
  return dialog.exec() == QDialog::Accepted;
}

bool QtPrinter::execSetupDialog(QPrinter& printer) {
  QPageSetupDialog dialog(&printer, parent_);
  return dialog.exec() == QDialog::Accepted;
}

bool QtPrinter::ShowPrintDialog() {
  return execPrintDialog(printer_);
}

bool QtPrinter::PrintWithDialog(const PageSource& document) {
  return ShowPrintDialog() && Print(document);
}

bool QtPrinter::Print(const PageSource& document) {
  return told(DrawDocument(printer_, document, printer_.resolution()));
}

bool QtPrinter::PrintImage(const QImage& image) {
  QPainter painter;
  if (!painter.begin(&printer_)) return told(false);
  const QRect area = printer_.pageLayout().paintRectPixels(printer_.resolution());
  const QSize size = image.size().scaled(area.size(), Qt::KeepAspectRatio);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRect(QPoint(0, 0), size), image);
  return told(painter.end());
}

bool QtPrinter::PrintToPdf(const PageSource& document, const std::string& hostPath) {
  QSaveFile file(ToQString(hostPath));
  if (!file.open(QIODevice::WriteOnly)) return false;
  bool drawn = false;
  {
    QPdfWriter writer(&file);
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(printer_.pageLayout());
    writer.setCreator(QStringLiteral("TQ4800"));
    drawn = DrawDocument(writer, document, kPdfResolution);
  }
  if (!drawn) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

void QtPrinter::Setup() {
  execSetupDialog(printer_);
}

void QtPrinter::SetPageSize(const QPageSize& size) {
  printer_.setPageSize(size);
}

bool QtPrinter::told(bool ok) const {
  if (!ok) {
    const QString where =
        printer_.outputFileName().isEmpty() ? printer_.printerName() : printer_.outputFileName();
    QMessageBox::warning(parent_, QStringLiteral("Printer"),
                         QStringLiteral("The document could not be printed on %1.").arg(where));
  }
  return ok;
}

}  // namespace tq
