#pragma once

#include "model/PeakTable.h"
#include "platform/Canvas.h"
#include "platform/Printer.h"

namespace tq {

// The report's page of the peak table: its limit, a row per peak with the sweep's and the
// final readings, limits, margins and verdicts, and the overall verdict. Laid out on a page
// 800 units wide, scaled to the page's pixels.
void DrawPeakTablePage(Canvas& canvas, const PeakTable& table, int widthPx, int heightPx);

// The page as a document of its own (the report adds it after its first page).
class PeakTablePage : public PageSource {
 public:
  explicit PeakTablePage(const PeakTable& table) : table_(table) {}
  int PageCount() const override { return 1; }
  void DrawPage(Canvas& canvas, int, int widthPx, int heightPx) const override {
    DrawPeakTablePage(canvas, table_, widthPx, heightPx);
  }

 private:
  const PeakTable& table_;
};

}  // namespace tq
