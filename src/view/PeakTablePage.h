#pragma once

#include <vector>

#include "model/PeakTable.h"
#include "platform/Canvas.h"
#include "platform/Printer.h"

namespace tq {

// An earlier run's margins beside the table's, row by row: what an unattended run compared
// with its baseline.
struct PeakBaseline {
  std::vector<MarginTrend> trends;  // one per row of the table
  double regressDb = 3;             // a margin shrinking by more is flagged
};

// The report's page of the peak table: its limit, a row per peak with the sweep's and the
// final readings, limits, margins and verdicts (and each margin's change since the baseline,
// when there is one), and the overall verdict. Laid out on a page 800 units wide, scaled to
// the page's pixels.
void DrawPeakTablePage(Canvas& canvas, const PeakTable& table, int widthPx, int heightPx,
                       const PeakBaseline* baseline = nullptr);

// The page as a document of its own (the report adds it after its first page).
class PeakTablePage : public PageSource {
 public:
  explicit PeakTablePage(const PeakTable& table, const PeakBaseline* baseline = nullptr)
      : table_(table), baseline_(baseline) {}
  int PageCount() const override { return 1; }
  void DrawPage(Canvas& canvas, int, int widthPx, int heightPx) const override {
    DrawPeakTablePage(canvas, table_, widthPx, heightPx, baseline_);
  }

 private:
  const PeakTable& table_;
  const PeakBaseline* baseline_;
};

}  // namespace tq
