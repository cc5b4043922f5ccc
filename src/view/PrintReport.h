#pragma once

#include <string>
#include <vector>

#include "model/MeasurementState.h"
#include "model/WindowModel.h"
#include "platform/Canvas.h"
#include "platform/Printer.h"
#include "traces/TraceSet.h"
#include "view/GraphPainter.h"

namespace tq {

// Printer colours, as the settings file keeps them.
enum PrinterColourIndex : int {
  kPrintGridColour = 0,
  kPrintCurrentColour,
  kPrintStoreColour,
  kPrintDifferenceColour,
  kPrintArchiveColour,
  kPrintLimitColour,
};

// Everything the printed report shows, read-only.
struct ReportView {
  const MeasurementState& state;
  // The traces shown, the limit shown, the model/file panel and the port ticked.
  const WindowModel& model;
  // The traces and the notes.
  const TraceData& traces;
  GraphSources sources;
  // As the clock panel shows it: the loaded result's date, else the date and time now.
  std::string dateText;
  // The LISN's line (0 live .. 4 blue) and attenuator (0, 10, 20 or 30 dB).
  int lisnSource = 0;
  int lisnAttenuatorDb = 0;
};

// The one-page report on a page of widthPx by heightPx device pixels: header, framed graph
// with the shown traces and limit lines in the printer colours, and the settings block.
void PrintReport(Canvas& canvas, const ReportView& view, int widthPx, int heightPx);

// The settings block below the graph, row by row: the left and the right column's text.
struct ReportRow {
  std::string left;
  std::string right;
  bool operator==(const ReportRow&) const = default;
};
std::vector<ReportRow> ReportSettingsRows(const ReportView& view);

// The report as a document: its own page, then whatever pages were appended to it (they
// must outlive the document).
class ReportDocument : public PageSource {
 public:
  explicit ReportDocument(ReportView view) : view_(std::move(view)) {}
  void Append(const PageSource& pages) { following_.push_back(&pages); }

  int PageCount() const override;
  void DrawPage(Canvas& canvas, int page, int widthPx, int heightPx) const override;

 private:
  ReportView view_;
  std::vector<const PageSource*> following_;
};

}  // namespace tq
