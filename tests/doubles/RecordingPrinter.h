#pragma once

#include <string>
#include <vector>

#include "doubles/RecordingCanvas.h"
#include "platform/Printer.h"

namespace tq::test {

// A printer whose pages are recording canvases. `answerOk` stands for the print dialog's
// answer; PDFs are recorded by path and drawn like printed pages.
class RecordingPrinter : public Printer {
 public:
  bool PrintWithDialog(const PageSource& document) override {
    ++dialogs;
    if (!answerOk) return false;
    draw(document);
    return true;
  }
  bool PrintToPdf(const PageSource& document, const std::string& hostPath) override {
    pdfPaths.push_back(hostPath);
    draw(document);
    return true;
  }
  void Setup() override { ++setups; }

  bool answerOk = true;
  int widthPx = 4958;  // A4 at 600 dpi
  int heightPx = 7017;
  int dialogs = 0;
  int setups = 0;
  std::vector<std::string> pdfPaths;
  std::vector<RecordingCanvas> pages;

 private:
  void draw(const PageSource& document) {
    pages.clear();
    for (int p = 0; p < document.PageCount(); ++p) {
      pages.emplace_back();
      document.DrawPage(pages.back(), p, widthPx, heightPx);
    }
  }
};

}  // namespace tq::test
