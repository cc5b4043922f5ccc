#include "view/PeakTablePage.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "model/LimitTable.h"
#include "model/Numbers.h"

namespace tq {

namespace {

constexpr const char* kFont = "Arial";
constexpr double kPageUnits = 800.0;
constexpr double kLeft = 45.0, kTop = 60.0, kRowPitch = 18.0;
constexpr int kBodyPoints = 9, kTitlePoints = 14;

struct Column {
  std::string heading;
  double width;  // page units; the text ends at the column's right
  bool shown;
  double right = 0;  // set once the shown columns are placed
};

class Page {
 public:
  Page(Canvas& canvas, int widthPx) : c_(canvas), scale_(widthPx / kPageUnits) {}

  int px(double units) const { return RoundHalfEven(units * scale_); }
  void font(int points, Colour colour) {
    c_.setFont(kFont, std::max(1, RoundHalfEven(points * scale_)), colour);
  }
  void text(double x, double y, const std::string& s) { c_.textOut(px(x), px(y), s); }
  void textRight(double right, double y, const std::string& s) {
    c_.textOut(px(right) - c_.textExtent(s).width, px(y), s);
  }
  void rule(double y, double right) {
    c_.setPenColour(kClBlack);
    c_.setPenWidth(std::max(1, px(1)));
    c_.moveTo(px(kLeft), px(y));
    c_.lineTo(px(right), px(y));
  }
  // A verdict on a patch of its colour, readable on it.
  void verdict(double right, double y, Verdict v, const std::string& s) {
    const TextSize size = c_.textExtent(s);
    const int pad = std::max(1, px(3));
    c_.setPenColour(VerdictColour(v));
    c_.setBrushColour(v == Verdict::None ? 0xFFFFFF : VerdictColour(v));
    c_.rectangle(px(right) - size.width - 2 * pad, px(y), px(right), px(y) + size.height);
    font(kBodyPoints, v == Verdict::Marginal || v == Verdict::None ? kClBlack : 0xFFFFFF);
    c_.textOut(px(right) - size.width - pad, px(y), s);
    c_.setBrushColour(0xFFFFFF);
  }

 private:
  Canvas& c_;
  double scale_;
};

std::string Fixed(double v, int decimals) {
  return FormatFixed(v, 0, decimals);
}

std::string Level(const PeakReading& r) {
  return r.taken() ? Fixed(r.level, 1) : "";
}

// The shown columns side by side from the left margin.
std::vector<Column> ColumnsFor(const PeakTable& t, bool baseline) {
  auto any = [&t](auto test) { return std::any_of(t.rows.begin(), t.rows.end(), test); };
  const bool limit = !t.limitName.empty();
  const bool companion = any([](const PeakRow& r) { return r.companion.present; });
  const bool lisn = any([](const PeakRow& r) { return !r.lisnLine.empty(); });
  std::vector<Column> columns{{"No.", 25, true},
                              {"MHz", 65, true},
                              {"Read", 45, true},
                              {"Corr.", 45, true},
                              {"Sweep", 50, true},
                              {"QP", 50, true},
                              {"AV", 50, companion},
                              {"Det.", 35, true},
                              {"Limit", 50, limit},
                              {"Margin", 50, limit},
                              {"QP Limit", 55, companion},
                              {"QP Margin", 60, companion},
                              {"LISN", 45, lisn},
                              {"Change", 50, baseline},
                              {"Verdict", baseline ? 75.0 : 80.0, true}};
  double x = kLeft;
  for (Column& c : columns)
    if (c.shown) c.right = x += c.width;
  return columns;
}

// The margin's change since the baseline run; "new" for an emission it did not have.
std::string ChangeOf(const MarginTrend* t) {
  if (!t) return "";
  if (!t->matched) return "new";
  // Rounded first, so that a change of nothing shows as 0.0 rather than -0.0.
  const double change = std::round(t->changeDb * 10) / 10 + 0.0;
  return (change > 0 ? "+" : "") + Fixed(change, 1) + (t->regressed ? " !" : "");
}

std::vector<std::string> CellsOf(int number, const PeakRow& r, const MarginTrend* trend) {
  const PeakReading& d = ReadingOf(r, r.detector);
  auto limit = [](const LineCheck& l) { return l.present ? Fixed(l.limit, 1) : ""; };
  auto margin = [](const LineCheck& l) { return l.present ? Fixed(l.margin, 1) : ""; };
  return {std::to_string(number),
          Fixed(d.frequencyHz / 1e6, 3),
          Fixed(d.readDbuv, 1),
          Fixed(d.correctionDb, 1),
          Level(r.peak),
          Level(r.finalPeak.taken() ? r.finalPeak : r.quasiPeak),
          Level(r.average),
          r.detector ? std::string(1, r.detector) : "",
          limit(r.base),
          margin(r.base),
          limit(r.companion),
          margin(r.companion),
          r.lisnLine,
          ChangeOf(trend),
          std::string(VerdictText(r.verdict)) + (r.finalVerdict ? "" : "*")};
}

}  // namespace

void DrawPeakTablePage(Canvas& canvas, const PeakTable& t, int widthPx, int heightPx,
                       const PeakBaseline* baseline) {
  Page page(canvas, widthPx);
  canvas.setPenMode(PenMode::Copy);
  canvas.setPenStyle(PenStyle::Solid);
  canvas.setBrushColour(0xFFFFFF);
  double y = kTop;
  page.font(kTitlePoints, kClBlack);
  page.text(kLeft, y, "Peak Table");
  y += 30;
  page.font(kBodyPoints, kClBlack);
  page.text(kLeft, y,
            t.limitName.empty() ? "No limit shown: the highest peaks of the sweep."
                                : "Limit : " + t.limitName + "     Marginal within " +
                                      Fixed(t.thresholdDb, 0) + " dB of a line");
  y += kRowPitch;
  page.text(kLeft, y, "Levels and limits in " + t.unit + ", read levels in dBuV, margins in dB.");
  y += 1.5 * kRowPitch;

  const std::vector<Column> columns = ColumnsFor(t, baseline != nullptr);
  for (const Column& c : columns)
    if (c.shown) page.textRight(c.right, y, c.heading);
  y += kRowPitch;
  page.rule(y, columns.back().right);
  y += 0.5 * kRowPitch;
  // The rows that fit above the overall verdict and the note.
  const double bottom = heightPx / (widthPx / kPageUnits) - 3 * kRowPitch;
  int number = 0;
  for (const PeakRow& r : t.rows) {
    if (y + kRowPitch > bottom - (baseline ? 5 : 3) * kRowPitch) break;
    const auto k = static_cast<std::size_t>(number);
    const MarginTrend* trend =
        baseline && k < baseline->trends.size() ? &baseline->trends[k] : nullptr;
    const std::vector<std::string> cells = CellsOf(++number, r, trend);
    page.font(kBodyPoints, kClBlack);
    for (std::size_t i = 0; i + 1 < columns.size(); ++i)
      if (columns[i].shown) page.textRight(columns[i].right, y, cells[i]);
    page.verdict(columns.back().right, y, r.verdict, cells.back());
    y += kRowPitch;
  }
  page.rule(y, columns.back().right);
  y += kRowPitch;
  page.font(kBodyPoints, kClBlack);
  page.text(kLeft, y, "Overall verdict :");
  page.verdict(kLeft + 170, y, t.overall, std::string(VerdictText(t.overall)));
  y += 1.5 * kRowPitch;
  page.font(kBodyPoints, kClBlack);
  if (std::any_of(t.rows.begin(), t.rows.end(), [](const PeakRow& r) { return !r.finalVerdict; })) {
    page.text(kLeft, y, "* The verdict rests on the sweep alone: no final reading was taken.");
    y += kRowPitch;
  }
  if (baseline) {
    page.text(kLeft, y,
              "Change : how the margin changed since the baseline run, negative where the "
              "emission came");
    page.text(kLeft, y + kRowPitch,
              "closer to the line; ! where it came closer by more than " +
                  Fixed(baseline->regressDb, 1) + " dB.");
  }
}

}  // namespace tq
