#include <gtest/gtest.h>

#include <algorithm>

#include "GraphFixture.h"
#include "view/BoundsCanvas.h"
#include "view/TextFit.h"

namespace tq::test {
namespace {

using Call = RecordingCanvas::Call;

std::vector<Call> DottedHorizontal(const RecordingCanvas& c) {
  std::vector<Call> found;
  for (const Call& l : c.lines())
    if (l.penStyle == PenStyle::Dot && l.y0 == l.y1) found.push_back(l);
  return found;
}

std::vector<Call> DottedVertical(const RecordingCanvas& c) {
  std::vector<Call> found;
  for (const Call& l : c.lines())
    if (l.penStyle == PenStyle::Dot && l.x0 == l.x1) found.push_back(l);
  return found;
}

class GraphPainterTest : public GraphTest {};

TEST_F(GraphPainterTest, LevelGridAndLabelsInDbuvAndDbm) {
  painter_.DrawGraph(canvas_);
  auto grid = DottedHorizontal(canvas_);
  ASSERT_EQ(grid.size(), 7u);
  for (int i = 1; i <= 7; ++i) {
    EXPECT_EQ(grid[i - 1].y0, 350 - 40 * i);
    EXPECT_EQ(grid[i - 1].x0, 120);
    EXPECT_EQ(grid[i - 1].x1, 620);
  }
  for (int k = 0; k <= 7; ++k) {
    const Call* label = canvas_.findText(std::to_string(20 + 10 * k));
    ASSERT_NE(label, nullptr) << k;
    EXPECT_EQ(label->x0, 97);
    EXPECT_EQ(label->y1, 350 - 40 * k);  // bottom on the line
    EXPECT_EQ(label->fontColour, colour(kGridColour));
    EXPECT_EQ(label->brushColour, colour(kBorderColour));
  }
  EXPECT_EQ(canvas_.findText("dBuV")->y0, 35);

  canvas_.clear();
  state_.dbmUnits = true;
  painter_.DrawGraph(canvas_);
  grid = DottedHorizontal(canvas_);
  ASSERT_EQ(grid.size(), 7u);
  for (int i = 1; i <= 7; ++i) EXPECT_EQ(grid[i - 1].y0, 350 - 40 * i + 12);
  for (int k = 0; k <= 6; ++k) {
    const Call* label = canvas_.findText(std::to_string(-80 + 10 * k));
    ASSERT_NE(label, nullptr) << k;
    EXPECT_EQ(label->y1, 350 - 40 * (k + 1) + 12);
  }
  EXPECT_FALSE(canvas_.hasText("90"));
  EXPECT_FALSE(canvas_.hasText("-10"));
  ASSERT_NE(canvas_.findText("dBm"), nullptr);
}

TEST_F(GraphPainterTest, LevelWindowFollowsPreampAttenuationAndOffset) {
  state_.preampGainDb = 20;
  state_.attenuationDb = 30;
  state_.levelOffsetDb = 10;
  painter_.DrawGraph(canvas_);
  EXPECT_EQ(canvas_.findText("40")->y1, 350);
  EXPECT_EQ(canvas_.findText("110")->y1, 70);
}

TEST_F(GraphPainterTest, LinearFrequencyAxis) {
  painter_.DrawGraph(canvas_);
  auto vertical = DottedVertical(canvas_);
  ASSERT_EQ(vertical.size(), 9u);
  for (int i = 1; i <= 9; ++i) {
    EXPECT_EQ(vertical[i - 1].x0, 120 + 50 * i);
    EXPECT_EQ(vertical[i - 1].y0, 50);
    EXPECT_EQ(vertical[i - 1].y1, 347);
  }
  EXPECT_EQ(canvas_.findText("   30")->x0, 97);
  EXPECT_EQ(canvas_.findText("  137")->x0, 147);
  const Call* ninth = canvas_.findText("  993 MHz");
  ASSERT_NE(ninth, nullptr);
  EXPECT_EQ(ninth->x0, 547);
  EXPECT_EQ(ninth->y0, 357);
  EXPECT_EQ(canvas_.findText(" 1100")->x0, 597);

  canvas_.clear();
  state_.displaySize = 2;
  painter_.DrawGraph(canvas_);
  EXPECT_EQ(DottedVertical(canvas_)[0].x0, 225);
  EXPECT_EQ(canvas_.findText("  137")->x0, 114 + 85);
  EXPECT_EQ(canvas_.findText("  137")->y0, 585);
}

// The span follows the log span index in the step before every paint.
TEST_F(GraphPainterTest, LogarithmicAxisSetsItsFixedSpan) {
  state_.logFrequencyAxis = true;
  state_.logSpanIndex = 2;
  ApplyLogSpan(state_);
  painter_.DrawGraph(canvas_);
  EXPECT_EQ(state_.startFrequencyHz, 30000000);
  EXPECT_EQ(state_.finishFrequencyHz, 1000000000);
  const auto vertical = DottedVertical(canvas_);
  ASSERT_EQ(vertical.size(), 15u);
  EXPECT_EQ(vertical[6].x0, 292);  // 100 MHz
  EXPECT_EQ(canvas_.findText("30")->x0, 120);
  EXPECT_EQ(canvas_.findText("100")->x0, 284);
  EXPECT_EQ(canvas_.findText("MHz 1000")->x0, 579);

  canvas_.clear();
  state_.logSpanIndex = 4;
  ApplyLogSpan(state_);
  painter_.DrawGraph(canvas_);
  EXPECT_EQ(state_.startFrequencyHz, 10000);
  EXPECT_EQ(DottedVertical(canvas_).size(), 28u);
  EXPECT_EQ(canvas_.findText("0.01")->x0, 120);
  EXPECT_TRUE(canvas_.hasText("10.0"));
  EXPECT_TRUE(canvas_.hasText("MHz 30"));
}

TEST_F(GraphPainterTest, TraceSegmentsClampAndLeaveGapsBackwards) {
  edit([&](TraceData& d) {
    d.currentTrace[0] = 0;    // below the window: the line above the bottom edge
    d.currentTrace[1] = 200;  // above the window: the top edge
    d.currentTrace[2] = 45;
  });
  state_.stepFrequencyHz[0] = 3;      // below 10 Hz
  state_.stepFrequencyHz[1] = 2e9;    // beyond the span
  state_.stepFrequencyHz[2] = 565e6;  // steps backwards
  for (int n = 0; n <= 2; ++n) painter_.PlotPoint(canvas_, kCurrentKind, n);
  const auto lines = canvas_.linesIn(colour(kCurrentColour));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].x0, 120);
  EXPECT_EQ(lines[0].y0, 349);
  EXPECT_EQ(lines[0].x1, 620);
  EXPECT_EQ(lines[0].y1, 50);
  // The backward step only moved the pen to its new start.
  const auto moves = canvas_.ofKind(Kind::MoveTo);
  EXPECT_EQ(moves.back().x0, 620);
  EXPECT_EQ(canvas_.penX(), 620);
}

TEST_F(GraphPainterTest, TracesInPaintOrderWithTheirScales) {
  model_.showStore = model_.showDifference = model_.showArchive = true;
  state_.differenceInsertionLoss = true;
  edit([&](TraceData& d) {
    d.differenceTrace.fill(-5);
    d.archiveTrace.fill(60);
    d.storeTrace.fill(30);
    d.currentTrace.fill(45);
  });
  painter_.DrawGraph(canvas_);
  std::vector<Colour> order;
  for (const Call& l : canvas_.lines())
    if (l.penStyle == PenStyle::Solid && l.y0 == l.y1 && l.x1 - l.x0 == 1 &&
        (order.empty() || order.back() != l.penColour))
      order.push_back(l.penColour);
  EXPECT_EQ(order, (std::vector<Colour>{colour(kArchiveColour), colour(kCurrentColour),
                                        colour(kDifferenceColour), colour(kStoreColour)}));
  EXPECT_EQ(canvas_.linesIn(colour(kDifferenceColour))[0].y0, 210);  // insertion-loss scale
  EXPECT_EQ(canvas_.linesIn(colour(kArchiveColour))[0].y0, 190);
  EXPECT_EQ(canvas_.linesIn(colour(kArchiveColour)).size(), 500u);
  // The insertion-loss labels sit right of the plot, 5 pixels above their lines.
  const auto loss = canvas_.textsIn(colour(kDifferenceColour));  // after the legend entry
  EXPECT_EQ(loss, (std::vector<std::string>{" Diff'ce", "-30", "-20", "-10", "  0", " 10", " 20",
                                            " 30"}));
  EXPECT_EQ(canvas_.findText("  0")->x0, 619);  // 620 would end on the frame's outline
  EXPECT_EQ(canvas_.findText("  0")->y0, 185);

  canvas_.clear();
  model_.showDifference = false;
  painter_.DrawGraph(canvas_);
  EXPECT_TRUE(canvas_.textsIn(colour(kDifferenceColour)).empty());
  // An Archive holding an insertion-loss difference brings the scale back.
  edit([&](TraceData& d) { d.archiveInsertionLoss = true; });
  canvas_.clear();
  painter_.DrawGraph(canvas_);
  EXPECT_EQ(canvas_.textsIn(colour(kDifferenceColour)).size(), 7u);
}

TEST_F(GraphPainterTest, CurrentDuringTheFirstSweepStopsAtTheMeasuredPart) {
  state_.runInProgress = true;
  state_.stepIndex = 11;
  painter_.DrawGraph(canvas_);
  EXPECT_EQ(canvas_.linesIn(colour(kCurrentColour)).size(), 10u);
  canvas_.clear();
  state_.scansDone = 2;
  painter_.DrawGraph(canvas_);
  EXPECT_EQ(canvas_.linesIn(colour(kCurrentColour)).size(), 500u);
}

TEST_F(GraphPainterTest, FrameLegendAndStatusTexts) {
  model_.showStore = model_.showArchive = model_.showLimit = true;
  state_.processingMode = 4;
  features_.limit.loaded = true;
  features_.limit.name = "EN55022 B";
  painter_.DrawGraph(canvas_);

  const auto rects = canvas_.rectangles();
  ASSERT_GE(rects.size(), 2u);
  EXPECT_EQ(rects[0].x0, 93);
  EXPECT_EQ(rects[0].y1, 373);
  EXPECT_EQ(rects[0].brushColour, colour(kBorderColour));
  EXPECT_EQ(rects[1].x0, 120);
  EXPECT_EQ(rects[1].penWidth, 2);
  EXPECT_EQ(rects[1].brushColour, colour(kScreenColour));

  // Legend: 6 pixels a character on the recording canvas.
  const char* legend[] = {"Current", " Store", " Archive", " Limit : ", "EN55022 B"};
  int x = 140;
  for (const char* t : legend) {
    const Call* c = canvas_.findText(t);
    ASSERT_NE(c, nullptr) << t;
    EXPECT_EQ(c->x0, x) << t;
    EXPECT_EQ(c->y0, 34);
    x = c->x1;
  }
  EXPECT_EQ(canvas_.findText(" Limit : ")->fontColour, colour(kLimitColour));
  EXPECT_EQ(canvas_.findText("EN55022 B")->fontColour, kClBlack);
  EXPECT_FALSE(canvas_.hasText(" Diff'ce"));

  // At 590 the 48 pixels of " ERS OFF" would end on the frame's outline: one pixel left.
  EXPECT_EQ(canvas_.findText(" ERS OFF")->x0, 589);
  EXPECT_EQ(canvas_.findText("Peak Hold")->x1, 589);
  EXPECT_EQ(canvas_.findText("Peak Hold")->brushColour, kWhite);

  // No limit record: the legend does not name one; an applied ERS blanks the processing.
  canvas_.clear();
  features_.limit.loaded = false;
  features_.ers.applied = true;
  features_.ers.label = " ERS HOR";
  painter_.DrawGraph(canvas_);
  EXPECT_FALSE(canvas_.hasText(" Limit : "));
  EXPECT_FALSE(canvas_.hasText("Peak Hold"));
  EXPECT_TRUE(canvas_.hasText(" ERS HOR"));
}

// The scan engine marks each point before it asks for its segment (measure tests).
TEST_F(GraphPainterTest, LiveSweepMarkerAndStatusStrip) {
  state_.runInProgress = true;
  edit([&](TraceData& d) {
    d.stepStatus[1] = 1;
    d.stepStatus[2] = 2;
  });
  painter_.PlotPoint(canvas_, kCurrentKind, 0);
  painter_.PlotPoint(canvas_, kCurrentKind, 1);
  auto rects = canvas_.rectangles();
  ASSERT_EQ(rects.size(), 3u);  // marker at point 0, erased, drawn at point 1
  EXPECT_EQ(rects[1].x0, 120);
  EXPECT_EQ(rects[1].brushColour, colour(kBorderColour));
  EXPECT_EQ(rects[2].x0, 121);
  EXPECT_EQ(rects[2].y0, 351);
  EXPECT_EQ(rects[2].x1, 123);
  EXPECT_EQ(rects[2].y1, 354);
  EXPECT_EQ(rects[2].brushColour, kMarkerRed);
  auto strip = canvas_.linesIn(kStripGreen);
  ASSERT_EQ(strip.size(), 1u);
  EXPECT_EQ(strip[0].y0, 355);
  EXPECT_EQ(strip[0].penWidth, 3);

  canvas_.clear();
  painter_.PlotPoint(canvas_, kCurrentKind, 2);
  EXPECT_EQ(canvas_.linesIn(kMarkerRed).size(), 1u);  // a compressed point's strip is red
  painter_.PlotPoint(canvas_, kCurrentKind, 3);
  EXPECT_EQ(canvas_.linesIn(colour(kBorderColour)).size(), 1u);  // not measured yet
  painter_.PlotPoint(canvas_, kCurrentKind, 4);

  // A new sweep erases the marker left at the end of the last one.
  canvas_.clear();
  painter_.PlotPoint(canvas_, kCurrentKind, 0);
  rects = canvas_.rectangles();
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0].x0, 124);
  EXPECT_EQ(rects[0].brushColour, colour(kBorderColour));

  // Not running: no marker.
  state_.runInProgress = false;
  canvas_.clear();
  painter_.PlotPoint(canvas_, kCurrentKind, 5);
  EXPECT_TRUE(canvas_.rectangles().empty());
}

TEST_F(GraphPainterTest, SingleFrequencySamplesAndStoredLevel) {
  state_.measurementMode = 2;
  model_.showStore = true;
  model_.showDifference = true;
  edit([&](TraceData& d) { d.storeTrace[3] = 45; });
  features_.single.hz = 35000000;
  features_.single.timeText = [](int k) { return "10:00:0" + std::to_string(k); };
  edit([&](TraceData& d) {
    d.singleFrequencyShown = true;
    d.singleFrequencyTrace[9] = 45;
  });
  traces_.FindSingleFrequencyStorePoint(features_.single.hz);
  painter_.DrawGraph(canvas_);
  EXPECT_EQ(traces_.data().singleFrequencyStoreIndex, 3);  // 36.42 MHz is the first at or above
  const auto stored = canvas_.linesIn(colour(kStoreColour));
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].y0, 250);
  EXPECT_EQ(stored[0].x0, 120);
  EXPECT_EQ(stored[0].x1, 620);
  EXPECT_EQ(DottedVertical(canvas_).size(), 4u);
  EXPECT_EQ(DottedVertical(canvas_)[0].x0, 220);
  // The time texts: the plot's left edge, then 0.4 to 1.0 of its right edge, 3 pixels below
  // the plot, at every size; the last stops at the frame.
  EXPECT_EQ(canvas_.findText("10:00:01")->x0, 120);
  EXPECT_EQ(canvas_.findText("10:00:02")->x0, 248);
  EXPECT_EQ(canvas_.findText("10:00:05")->x0, 638 - 1 - 48);
  EXPECT_EQ(canvas_.findText("10:00:05")->y0, 353);
  state_.displaySize = 2;
  canvas_.clear();
  painter_.DrawGraph(canvas_);
  EXPECT_EQ(canvas_.findText("10:00:04")->x0, 792);
  EXPECT_EQ(canvas_.findText("10:00:04")->y0, 573);
  state_.displaySize = 0;
  canvas_.clear();
  painter_.DrawGraph(canvas_);
  // Samples 1 to 400, a pixel each, Difference beside Current.
  const auto samples = canvas_.linesIn(colour(kCurrentColour));
  ASSERT_EQ(samples.size(), 400u);
  EXPECT_EQ(samples[8].x0, 128);
  EXPECT_EQ(samples[8].x1, 129);
  EXPECT_EQ(samples[8].y1, 250);
  EXPECT_EQ(canvas_.linesIn(colour(kDifferenceColour)).size(), 400u);

  // A live sample shows the read-out box first.
  canvas_.clear();
  state_.runInProgress = true;
  painter_.PlotPoint(canvas_, kSingleFrequencyKind, 9);
  const Call* readOut = canvas_.findText("Peak 45");
  ASSERT_NE(readOut, nullptr);
  EXPECT_EQ(readOut->x0, 525);
  EXPECT_EQ(readOut->y0, 53);
  EXPECT_EQ(readOut->fontSize, 13);
  EXPECT_EQ(canvas_.rectangles()[0].x0, 520);
  EXPECT_EQ(canvas_.rectangles()[0].brushColour, kWhite);
  // Samples 1 and 100 to 400 bring their time text along, where the full paint puts it.
  canvas_.clear();
  painter_.PlotPoint(canvas_, kSingleFrequencyKind, 300);
  painter_.PlotPoint(canvas_, kSingleFrequencyKind, 301);
  EXPECT_EQ(canvas_.textCalls().size(), 3u);  // two read-outs, one time text
  EXPECT_EQ(canvas_.findText("10:00:04")->x0, 496);
}

TEST_F(GraphPainterTest, OutOfRangeCallsDrawNothing) {
  painter_.PlotPoint(canvas_, kCurrentKind, 501);
  painter_.PlotPoint(canvas_, kCurrentKind, -1);
  painter_.PlotPoint(canvas_, 6, 3);
  EXPECT_TRUE(canvas_.lines().empty());
  state_.runInProgress = true;
  state_.stepIndex = 900;  // never beyond the arrays
  painter_.DrawGraph(canvas_);
  EXPECT_EQ(canvas_.linesIn(colour(kCurrentColour)).size(), 500u);
}

// The painter only reads: whatever it draws, and on whichever canvas, the state, the window
// model and the traces are as they were, and the same state draws the same picture.
TEST_F(GraphPainterTest, PaintingChangesNothingAndDrawsTheSameOnAnyCanvas) {
  edit([&](TraceData& d) {
    for (std::size_t n = 0; n < kTracePoints; ++n) d.currentTrace[n] = 30 + n % 20;
    d.stepStatus.fill(1);
    d.singleFrequencyShown = true;
  });
  features_.single.hz = 35000000;
  auto set = [&](int mode, bool log, bool running) {
    state_.measurementMode = mode;
    state_.logFrequencyAxis = log;
    state_.logSpanIndex = 2;
    state_.runInProgress = running;
    state_.stepIndex = 40;
    state_.instrumentCompression = running;
    model_.showStore = model_.showDifference = model_.showArchive = true;
    ApplyLogSpan(state_);
  };
  for (int mode : {0, 2}) {
    for (bool log : {false, true}) {
      for (bool running : {false, true}) {
        set(mode, log, running);
        const MeasurementState state = state_;
        const WindowModel model = model_;
        const TraceData traces = traces_.data();
        RecordingCanvas first;
        RecordingCanvas inner;
        BoundsCanvas second(inner);
        painter_.DrawGraph(first);
        painter_.DrawGraph(second);
        for (int n = 0; n < 5; ++n) {
          painter_.PlotPoint(first, mode == 2 ? kSingleFrequencyKind : kCurrentKind, n);
          painter_.PlotPoint(second, mode == 2 ? kSingleFrequencyKind : kCurrentKind, n);
        }
        EXPECT_TRUE(state_ == state) << mode << log << running;
        EXPECT_TRUE(model_ == model) << mode << log << running;
        EXPECT_TRUE(traces_.data() == traces) << mode << log << running;
        EXPECT_EQ(first.texts(), inner.texts());
        EXPECT_EQ(first.lines().size(), inner.lines().size());
      }
    }
  }
}

// Every text of the graph stays inside the frame and clear of every other text, at each
// display size, whatever the span, axis, units and legend.
TEST_F(GraphPainterTest, TextsStayInsideTheFrameAndNeverOverlap) {
  struct Span {
    std::int32_t start, finish;
    bool log;
    int logSpan;
  };
  const Span spans[] = {{30000000, 1100000000, false, 0},
                        {30000000, 40000000, false, 0},
                        {100000000, 200000000, false, 0},
                        {10000, 30000000, false, 0},
                        {1000000, 1500000, false, 0},
                        {29500000, 30000000, false, 0},
                        {0, 0, true, 1},
                        {0, 0, true, 2},
                        {0, 0, true, 3},
                        {0, 0, true, 4}};
  model_.showStore = model_.showDifference = model_.showArchive = model_.showLimit = true;
  features_.limit.loaded = true;
  features_.limit.name = "EN55022 Class B Radiated, 10 m measuring distance (QP)";
  state_.processingMode = 2;
  state_.differenceInsertionLoss = true;
  for (int size : {0, 1, 2}) {
    for (const Span& span : spans) {
      for (bool dbm : {false, true}) {
        state_.displaySize = static_cast<std::uint8_t>(size);
        state_.startFrequencyHz = span.start;
        state_.finishFrequencyHz = span.finish;
        state_.logFrequencyAxis = span.log;
        state_.logSpanIndex = span.logSpan;
        state_.dbmUnits = dbm;
        ApplyLogSpan(state_);
        RecordingCanvas canvas;
        canvas.widthFollowsFont = true;
        painter_.DrawGraph(canvas);
        const GraphGeometry& g = GeometryFor(size);
        // The inked part of each text: blanks at either end show nothing.
        auto texts = canvas.textCalls();
        auto width = [](std::size_t chars, int fontSize) {
          return static_cast<int>((chars * fontSize * 4 + 4) / 5);
        };
        for (Call& t : texts) {
          const std::size_t first = t.text.find_first_not_of(' ');
          const std::size_t last = t.text.find_last_not_of(' ');
          if (first == std::string::npos) continue;
          t.x1 = t.x0 + width(last + 1, t.fontSize);
          t.x0 += width(first, t.fontSize);
        }
        const std::string where = "size " + std::to_string(size) + " span " +
                                  std::to_string(span.start) + "-" + std::to_string(span.finish) +
                                  " log " + std::to_string(span.logSpan) + " dbm " +
                                  std::to_string(dbm);
        for (std::size_t i = 0; i < texts.size(); ++i) {
          const Call& a = texts[i];
          EXPECT_TRUE(a.x0 >= g.frameLeft && a.x1 <= g.frameRight && a.y0 >= g.frameTop &&
                      a.y0 + canvas.textHeight <= g.frameBottom)
              << "\"" << a.text << "\" outside the frame, " << where;
          for (std::size_t j = i + 1; j < texts.size(); ++j) {
            const Call& b = texts[j];
            // The limit lines end by drawing the unit label again where it stands.
            if (a.text == b.text && a.x0 == b.x0 && a.y0 == b.y0) continue;
            const bool apart = a.x1 <= b.x0 || b.x1 <= a.x0 || a.y0 + canvas.textHeight <= b.y0 ||
                               b.y0 + canvas.textHeight <= a.y0;
            EXPECT_TRUE(apart) << "\"" << a.text << "\" over \"" << b.text << "\", " << where;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace tq::test

namespace tq::test {
namespace {

// The ERS validity bar: the applied plane's flags by grid point, white where set.
TEST_F(GraphTest, ErsValidityBarFollowsTheAppliedPlanesFlags) {
  const int y = GeometryFor(0).plotBottom + 3;
  auto bar = [&] {
    canvas_.clear();
    painter_.DrawGraph(canvas_);
    std::vector<RecordingCanvas::Call> found;
    for (const auto& l : canvas_.lines())
      if (l.y0 == y && l.y1 == y && l.penWidth == 2) found.push_back(l);
    return found;
  };
  EXPECT_TRUE(bar().empty());  // no plane holds a correction

  ErsTables t;
  for (std::size_t j = 100; j < 200; ++j) t.valid[0][j] = 1;  // 230 to 428 MHz
  t.valid[1].fill(1);
  features_.ers.RestoreTables(t);
  features_.ers.strip = true;
  auto segments = bar();
  ASSERT_EQ(segments.size(), 1u);  // nothing applied: no coverage shown
  EXPECT_EQ(segments[0].penColour, kClBlack);

  t.appliedPlane = 1;
  features_.ers.RestoreTables(t);
  segments = bar();
  ASSERT_EQ(segments.size(), 3u);
  const GraphScale s = painter_.scale();
  EXPECT_EQ(segments[0].x0, s.FreqToX(30e6));
  EXPECT_EQ(segments[0].penColour, kClBlack);
  EXPECT_EQ(segments[1].penColour, kWhite);
  EXPECT_NEAR(segments[1].x0, s.FreqToX(229e6), 1);
  EXPECT_NEAR(segments[1].x1, s.FreqToX(429e6), 1);
  EXPECT_EQ(segments[2].penColour, kClBlack);
  EXPECT_EQ(segments[2].x1, s.FreqToX(1100e6) + 1);  // past 1 GHz the last grid point's

  // Below 30 MHz there is nothing to show.
  state_.startFrequencyHz = 10000;
  state_.finishFrequencyHz = 30000000;
  EXPECT_TRUE(bar().empty());
}

// A panel text that does not fit is cut with a sign: a file name loses its start, other
// texts their end; a wrapping label keeps whole words while each fits.
TEST(TextFit, TextsThatDoNotFitAreElidedWithASign) {
  const TextWidth width = [](std::string_view s) { return 6 * static_cast<int>(s.size()); };
  struct Case {
    const char *text, *shown;
    int room;
    bool wraps;
  } const cases[] = {{"u_conducted.emc", "\u2026nducted.emc", 84, false},
                     {"12.0 - 30.0 MHz", "12.0 - 30.0\u2026", 84, false},
                     {"TQ4800", "TQ4800", 84, false},
                     {"run1.emc", "\u2026", 0, false},
                     {"Biconical 30-30", "Biconical 30-30", 60, true},
                     {"Biconical30-300M", "Biconic\u2026", 60, true}};
  for (const Case& c : cases) {
    const std::string shown = c.wraps ? FitWrappedText(c.text, c.room, width)
                                      : FitText(c.text, c.room, PanelElision(c.text), width);
    EXPECT_EQ(shown, c.shown) << c.text;
  }
}

}  // namespace
}  // namespace tq::test
