// The peak table's marker on the graph, the values window that follows it, and the report's
// page of the table, on the recording canvas.
#include <algorithm>

#include "GraphFixture.h"
#include "view/PeakTablePage.h"

namespace tq::test {
namespace {

class PeakMarkerTest : public GraphTest {};

TEST_F(PeakMarkerTest, ATriangleInTheLimitColourJustAboveTheTraceAtTheFrequency) {
  edit([](TraceData& d) {
    d.currentTrace.fill(30);
    d.currentTrace[250] = 60;
  });
  const double hz = state_.stepFrequencyHz[250];
  PeakMarker marker;
  painter_.FollowMarker(marker);
  painter_.DrawGraph(canvas_);
  EXPECT_TRUE(canvas_.linesIn(colour(kLimitColour)).empty());  // not shown: not drawn

  marker = {true, hz};
  canvas_.clear();
  painter_.DrawGraph(canvas_);
  const auto lines = canvas_.linesIn(colour(kLimitColour));
  ASSERT_EQ(lines.size(), 7u);
  const GraphScale s = painter_.scale();
  const int x = s.FreqToX(hz), traceY = s.LevelToY(60);
  for (const auto& l : lines) {
    EXPECT_EQ(l.x0 + l.x1 - 1, 2 * x);  // centred on the frequency
    EXPECT_LT(l.y0, traceY);            // above the trace
  }
  // Pointing down: its tip, one pixel wide, nearest the trace.
  const auto tip = *std::max_element(lines.begin(), lines.end(),
                                     [](const auto& a, const auto& b) { return a.y0 < b.y0; });
  EXPECT_EQ(tip.x1 - tip.x0, 1);
  EXPECT_EQ(tip.y0, traceY - 3);

  // The values window goes to the same frequency.
  pointer_.ShowValuesAt(hz);
  EXPECT_EQ(view_.valuesWindowShows, 1);
  EXPECT_EQ(view_.values.current, "60");
  EXPECT_EQ(pointer_.valueCursorX(), x);
}

PeakTable Table(bool companion) {
  PeakRow r{.peak = {'P', 180000, 40.0, 20.0, 60.0},
            .base = {true, 'A', 54.0, 6.0, 'P', Verdict::Fail},
            .lisnLine = companion ? "Live" : "",
            .verdict = Verdict::Fail,
            .detector = 'P'};
  if (companion) r.companion = {true, 'Q', 64.0, -4.0, 'P', Verdict::Marginal};
  return {{r}, Verdict::Fail, "dBuV", "EN55022 Class B Mains"};
}

TEST(PeakTablePage, RowsLinesVerdictsAndTheOverallVerdictScaledToThePage) {
  RecordingCanvas page;
  const PeakTable mains = Table(true);
  PeakTablePage(mains).DrawPage(page, 0, 800, 1131);
  for (const char* text :
       {"Peak Table", "Limit : EN55022 Class B Mains     Marginal within 6 dB of a line",
        "QP Limit", "QP Margin", "LISN", "Live", "0.180", "54.0", "-4.0", "FAIL*",
        "Overall verdict :"})
    EXPECT_TRUE(page.hasText(text)) << text;
  // The verdicts on patches of the lamp's red.
  const auto patches = page.rectangles();
  const auto red = std::count_if(patches.begin(), patches.end(),
                                 [](const auto& r) { return r.brushColour == kClRed; });
  EXPECT_EQ(red, 2);

  // Without a companion or a LISN their columns go; a printer page scales the layout.
  RecordingCanvas printed;
  DrawPeakTablePage(printed, Table(false), 4958, 7017);
  EXPECT_FALSE(printed.hasText("QP Limit"));
  EXPECT_FALSE(printed.hasText("LISN"));
  const auto* title = printed.findText("Peak Table");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->x0, RoundHalfEven(45 * 4958 / 800.0));
  EXPECT_EQ(title->fontSize, RoundHalfEven(14 * 4958 / 800.0));
}

}  // namespace
}  // namespace tq::test
