#include "view/PrintReport.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "view/GraphTexts.h"
#include "view/LimitLines.h"
#include "view/PaperScale.h"

namespace tq {

namespace {

constexpr const char* kFont = "Times New Roman";
constexpr double kFontUnits = 15;  // text height, units down
constexpr Colour kTextColour = kClBlack;

struct UnitLabel {
  const char* text;
  int across;  // left end, units across the page
};

// The frequency labels of the logarithmic spans, placed under the grid lines they name.
std::span<const UnitLabel> LogLabels(int logSpanIndex) {
  static constexpr std::array<UnitLabel, 4> k1{
      {{"0.1", 82}, {"1.0", 282}, {"10", 482}, {"    30", 552}}};
  static constexpr std::array<UnitLabel, 3> k2{{{"30", 82}, {"100", 252}, {"    1000", 542}}};
  static constexpr std::array<UnitLabel, 3> k3{{{"30", 82}, {"100", 342}, {"    300", 547}}};
  static constexpr std::array<UnitLabel, 5> k4{
      {{"0.01", 72}, {"0.1", 212}, {"1.0", 357}, {"10", 507}, {"    30", 562}}};
  switch (logSpanIndex) {
    case 1:
      return k1;
    case 2:
      return k2;
    case 3:
      return k3;
    case 4:
      return k4;
    default:
      return {};
  }
}

class ReportPainter {
 public:
  ReportPainter(Canvas& canvas, const ReportView& view, int widthPx, int heightPx)
      : c_(canvas),
        v_(view),
        s_(view.state),
        page_(MakePaperLayout(widthPx, heightPx)),
        screen_(MakeScale(view.state, view.sources.inputs)),
        paper_(MakePaperScale(page_, screen_)) {}

  void Draw() {
    c_.setPenMode(PenMode::Copy);
    c_.setBrushColour(kWhite);
    frames();
    c_.setFontHeight(kFont, page_.Down(kFontUnits), kTextColour);
    c_.textOut(page_.printColumn1, page_.printTop - page_.Down(30),
               "VELTRANE INSTRUMENTS LTD FIELDMARK TQ4800");
    grid();
    frequencyLabels();
    levelLabels();
    unitLabel();
    limitLines();
    if (s_.measurementMode == 2)
      singleFrequency();
    else
      sweepTraces();
    settingsBlock();
  }

 private:
  Colour printerColour(int index) const {
    return s_.printerColours[static_cast<std::size_t>(index)];
  }
  int plotTop() const { return paper_.g.plotTop; }
  int bottom() const { return page_.printGraphBottom; }
  int left() const { return page_.printGraphLeft; }
  int right() const { return paper_.g.plotRight; }

  void text(int x, int y, const std::string& s, Colour colour = kTextColour) {
    c_.setFontHeight(kFont, page_.Down(kFontUnits), colour);
    c_.textOut(x, y, s);
  }

  void frames() {
    c_.setPenStyle(PenStyle::Solid);
    c_.setPenWidth(1);
    c_.setPenColour(printerColour(kPrintGridColour));
    c_.rectangle(page_.printLeft, page_.printTop, page_.printLeft + page_.Across(600),
                 bottom() + page_.Down(80));
    c_.rectangle(left(), bottom(), left() + page_.Across(500), bottom() - page_.Down(300));
  }

  // y of horizontal grid line k, lowered in dBm mode onto whole tens of dBm.
  int gridLineY(int k) const { return bottom() - page_.Down(40 * k - (s_.dbmUnits ? 12 : 0)); }

  void grid() {
    c_.setPenColour(printerColour(kPrintGridColour));
    c_.setPenStyle(PenStyle::Dot);
    for (int k = 1; k <= 7; ++k) {
      c_.moveTo(left(), gridLineY(k));
      c_.lineTo(left() + page_.Across(500), gridLineY(k));
    }
    // The vertical lines stand at the frequencies the window's grid marks, placed by the
    // mapping the traces are drawn with, so that a trace crosses a line at its frequency.
    std::vector<int> xs;
    if (s_.measurementMode == 2) {
      for (int i = 1; i <= 4; ++i) xs.push_back(left() + page_.Across(100 * i));
    } else if (s_.logFrequencyAxis) {
      for (double mhz : LogGridMhz(s_.logSpanIndex)) xs.push_back(paper_.FreqToX(mhz * 1e6));
    } else {
      const double span = static_cast<double>(s_.finishFrequencyHz) - s_.startFrequencyHz;
      for (int i = 1; i <= 9; ++i)
        xs.push_back(paper_.FreqToX(s_.startFrequencyHz + i * span / 10));
    }
    for (int x : xs) {
      c_.moveTo(x, bottom() - page_.Down(300));
      c_.lineTo(x, bottom());
    }
    c_.setPenStyle(PenStyle::Solid);
  }

  void frequencyLabels() {
    const int top = bottom() + page_.Down(15);
    if (s_.measurementMode == 2) {
      for (int k = 0; k <= 4; ++k)
        text(left() + page_.Across(100 * k), top, v_.sources.single.SampleTimeText(k + 1));
      return;
    }
    if (s_.logFrequencyAxis) {
      for (const UnitLabel& l : LogLabels(s_.logSpanIndex))
        text(page_.Across(l.across), top, l.text);
      return;
    }
    const double start = s_.startFrequencyHz;
    const double span = static_cast<double>(s_.finishFrequencyHz) - start;
    const int decimals = span <= 10e6 ? 2 : span <= 100e6 ? 1 : 0;
    for (int i = 0; i <= 10; ++i)
      text(left() + page_.Across(50 * i - 10), top,
           FormatFixed((start + i * span / 10) / 1e6, 5, decimals));
  }

  // A level label left of the plot, moved left where a long one would reach the plot.
  void levelLabel(int across, int y, const std::string& s) {
    const int room = left() - page_.Across(3);
    const int x = std::min(left() - page_.Across(across), room - c_.textExtent(s).width);
    text(x, y, s);
  }

  void levelLabels() {
    c_.setFontHeight(kFont, page_.Down(kFontUnits), kTextColour);
    const int ref = paper_.refLevel;
    if (s_.dbmUnits) {
      for (int k = 1; k <= 7; ++k) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%3d", ref + 10 * k - 110);
        levelLabel(30, bottom() - page_.Down(40 * k), buffer);
      }
    } else {
      for (int k = 0; k <= 7; ++k)
        levelLabel(20, bottom() - page_.Down(40 * k + 10), std::to_string(ref + 10 * k));
    }
  }

  void unitLabel() {
    text(left() - page_.Across(40), plotTop() - page_.Down(22),
         v_.sources.inputs.UnitLabel(s_.dbmUnits));
    const bool lossScale =
        s_.differenceInsertionLoss && (v_.model.showDifference || v_.traces.archiveInsertionLoss);
    if (!lossScale) return;
    for (int k = 1; k <= 7; ++k) {
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, "%3d", (k - 4) * 10);
      text(right() + page_.Across(3), gridLineY(k) - page_.Down(8), buffer,
           printerColour(kPrintDifferenceColour));
    }
  }

  void limitLines() {
    if (!v_.model.showLimit) return;
    c_.setPenStyle(PenStyle::Solid);
    c_.setPenColour(printerColour(kPrintLimitColour));
    c_.setPenWidth(2);
    const LimitLineContext context = LimitContextOf(s_, v_.sources.inputs, v_.sources.single);
    DrawLimitLine(c_, paper_, v_.sources.limit.BaseLine(), context);
    DrawLimitLine(c_, paper_, v_.sources.limit.CompanionLine(), context);
    c_.setPenWidth(1);
  }

  void singleFrequency();
  void sweepTraces();
  void settingsBlock();

  Canvas& c_;
  const ReportView& v_;
  const MeasurementState& s_;
  PaperLayout page_;
  GraphScale screen_;
  PaperScale paper_;
};

void ReportPainter::singleFrequency() {
  const std::string header =
      "SINGLE FREQUENCY : " + FormatFixed(v_.sources.single.FrequencyHz() / 1e6, 0, 4) + " MHz";
  const int top = plotTop() - page_.Down(22);
  text(left() + page_.Across(40), top, header);
  const ErsCorrection& ers = v_.sources.ers;
  const bool ersUsed = v_.sources.single.UsesErs() && ers.Applied();
  const std::string ersText =
      ersUsed ? ers.Label().substr(ers.Label().find_last_of(' ') + 1) : "OFF";
  text(left() + page_.Across(300), top, "ERS " + ersText);
  text(left() + page_.Across(400), top,
       std::string("Comp.") + (s_.instrumentCompression ? " YES" : " NO"));
  c_.setPenColour(printerColour(kPrintCurrentColour));
  c_.setPenWidth(1);
  const auto& level = v_.traces.singleFrequencyTrace;
  for (int n = 0; n <= 400; ++n) {
    const int x = left() + page_.Across(n);
    const int y = paper_.LevelToY(level[static_cast<std::size_t>(n)]);
    if (n == 0)
      c_.moveTo(x, y);
    else
      c_.lineTo(x, y);
  }
}

void ReportPainter::sweepTraces() {
  struct Shown {
    bool shown;
    const Trace& trace;
    bool insertionLoss;
    int colour;
  };
  const TraceData& t = v_.traces;
  const WindowModel& m = v_.model;
  const Shown traces[] = {
      {m.showCurrent, t.currentTrace, false, kPrintCurrentColour},
      {m.showArchive, t.archiveTrace, t.archiveInsertionLoss, kPrintArchiveColour},
      {m.showDifference, t.differenceTrace, s_.differenceInsertionLoss, kPrintDifferenceColour},
      {m.showStore, t.storeTrace, false, kPrintStoreColour},
  };
  c_.setPenWidth(1);
  c_.setPenStyle(PenStyle::Solid);
  for (const Shown& shown : traces) {
    if (!shown.shown) continue;
    c_.setPenColour(printerColour(shown.colour));
    for (std::size_t n = 0; n < kTracePoints; ++n) {
      const int x = paper_.FreqToX(s_.stepFrequencyHz[n]);
      const int y = shown.insertionLoss ? paper_.InsertionLossToY(shown.trace[n])
                                        : paper_.LevelToY(shown.trace[n]);
      if (n == 0)
        c_.moveTo(x, y);
      else
        c_.lineTo(x, y);
    }
  }
}

// The text, cut with "..." where it would be wider than the room.
std::string Fitted(Canvas& canvas, std::string s, int room) {
  if (canvas.textExtent(s).width <= room) return s;
  while (!s.empty() && canvas.textExtent(s + "...").width > room) s.pop_back();
  return s + "...";
}

void ReportPainter::settingsBlock() {
  int y = page_.printTop + page_.Down(460);
  bool first = true;
  const int gap = page_.Across(5);
  const int pageRight = page_.printLeft + page_.Across(600);
  c_.setFontHeight(kFont, page_.Down(kFontUnits), kTextColour);
  for (const ReportRow& row : ReportSettingsRows(v_)) {
    // A long text stops short of the right column, or of the report's right edge.
    const int leftRoom =
        (row.right.empty() ? pageRight : page_.printColumn2 - gap) - page_.printColumn1;
    if (!row.left.empty()) text(page_.printColumn1, y, Fitted(c_, row.left, leftRoom));
    if (!row.right.empty())
      text(page_.printColumn2, y, Fitted(c_, row.right, pageRight - page_.printColumn2));
    y += page_.Down(first ? 30 : 20);
    first = false;
  }
}

}  // namespace

void PrintReport(Canvas& canvas, const ReportView& view, int widthPx, int heightPx) {
  ReportPainter(canvas, view, widthPx, heightPx).Draw();
}

int ReportDocument::PageCount() const {
  int pages = 1;
  for (const PageSource* p : following_) pages += p->PageCount();
  return pages;
}

void ReportDocument::DrawPage(Canvas& canvas, int page, int widthPx, int heightPx) const {
  if (page == 0) {
    PrintReport(canvas, view_, widthPx, heightPx);
    return;
  }
  int first = 1;
  for (const PageSource* p : following_) {
    if (page < first + p->PageCount()) {
      p->DrawPage(canvas, page - first, widthPx, heightPx);
      return;
    }
    first += p->PageCount();
  }
}

}  // namespace tq
