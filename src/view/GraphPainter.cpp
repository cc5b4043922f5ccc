#include "view/GraphPainter.h"

#include <algorithm>

#include "view/GraphTexts.h"

namespace tq {

namespace {
constexpr const char* kFont = "Arial";
constexpr int kLegendGap = 4;

bool ValidPoint(int n) {
  return n >= 0 && n < static_cast<int>(kTracePoints);
}

int TraceColour(int kind) {
  switch (kind) {
    case kStoreKind:
      return kStoreColour;
    case kDifferenceKind:
      return kDifferenceColour;
    case kArchiveKind:
      return kArchiveColour;
    default:
      return kCurrentColour;
  }
}
}  // namespace

GraphPainter::GraphPainter(const MeasurementState& state, const WindowModel& model,
                           const TraceData& traces, GraphSources sources)
    : state_(state), model_(model), traces_(traces), sources_(sources) {}

Colour GraphPainter::colour(int index) const {
  return state_.screenColours[static_cast<std::size_t>(index)];
}

void GraphPainter::text(Canvas& canvas, int x, int y, const std::string& s, Colour colour,
                        Colour back) const {
  canvas.setBrushColour(back);
  canvas.setFont(kFont, fontSize(), colour);
  canvas.textOut(x, y, s);
}

void GraphPainter::DrawGraph(Canvas& canvas) {
  const GraphScale s = scale();
  const GraphGeometry& g = s.g;
  // A full paint wipes the sweep marker with the frame.
  markerX_.reset();

  canvas.setPenMode(PenMode::Copy);
  canvas.setPenStyle(PenStyle::Solid);
  canvas.setPenWidth(1);
  canvas.setPenColour(colour(kGridColour));
  canvas.setBrushColour(colour(kBorderColour));
  canvas.rectangle(g.frameLeft, g.frameTop, g.frameRight, g.frameBottom);

  drawLegend(canvas, drawStatusTexts(canvas));

  canvas.setPenColour(colour(kGridColour));
  canvas.setPenStyle(PenStyle::Solid);
  canvas.setPenWidth(2);
  canvas.setBrushColour(colour(kScreenColour));
  canvas.rectangle(g.plotLeft, g.plotTop, g.plotRight, g.plotBottom);
  canvas.setPenWidth(1);
  DrawAxes(canvas, s);
  if (sources_.ers.StripEnabled() && state_.measurementMode != 2) drawErsStrip(canvas, s);

  // Both lines, in single frequency too (its detector only chooses the line in force).
  if (model_.showLimit) {
    DrawLimit(canvas, s, sources_.limit.BaseLine());
    DrawLimit(canvas, s, sources_.limit.CompanionLine());
  }
  drawTraces(canvas, s);
  if (peakMarker_->shown && state_.measurementMode == 0) drawPeakMarker(canvas, s);
  canvas.setBrushColour(colour(kBorderColour));
}

int GraphPainter::drawStatusTexts(Canvas& canvas) const {
  const GraphGeometry& g = GeometryFor(state_.displaySize);
  const int top = g.frameTop + 2;
  constexpr int kStatusX = 590;
  canvas.setFont(kFont, fontSize(), kClBlack);
  const std::string processing =
      sources_.ers.Applied() ? "" : ProcessingLabel(state_, sources_.single);
  const std::string ers = sources_.ers.Label();
  // The ERS label starts at 590 unless that would take it past the frame; the processing
  // label ends where it starts.
  const InkExtent ink = InkOf(canvas, ers);
  const int ersX = std::min(kStatusX, g.frameRight - 1 - ink.left - ink.width);
  text(canvas, ersX, top, ers, kClBlack, kWhite);
  if (processing.empty()) return ersX;
  const int x = ersX - canvas.textExtent(processing).width;
  text(canvas, x, top, processing, kClBlack, kWhite);
  return x;
}

void GraphPainter::drawLegend(Canvas& canvas, int rightLimit) const {
  const GraphGeometry& g = GeometryFor(state_.displaySize);
  const int top = g.frameTop + 2;
  int x = g.legendX;
  const Colour back = colour(kBorderColour);
  auto entry = [&](std::string s, Colour c) {
    canvas.setFont(kFont, fontSize(), c);
    // A long limit name is shortened rather than written over the status texts.
    int width = canvas.textExtent(s).width;
    const int room = rightLimit - kLegendGap - x;
    if (width > room) {
      while (!s.empty() && canvas.textExtent(s + "...").width > room) s.pop_back();
      if (s.empty()) return;
      s += "...";
      width = canvas.textExtent(s).width;
    }
    text(canvas, x, top, s, c, back);
    x += width;
  };
  if (model_.showCurrent) entry("Current", colour(kCurrentColour));
  if (model_.showStore) entry(" Store", colour(kStoreColour));
  if (model_.showDifference) entry(" Diff'ce", colour(kDifferenceColour));
  if (model_.showArchive) entry(" Archive", colour(kArchiveColour));
  if (model_.showLimit && sources_.limit.Loaded()) {
    entry(" Limit : ", colour(kLimitColour));
    // A long limit name stops short of the status texts rather than running under them.
    canvas.setFont(kFont, fontSize(), kClBlack);
    const std::string processing =
        sources_.ers.Applied() ? "" : ProcessingLabel(state_, sources_.single);
    constexpr int kStatusX = 590, kGap = 4;
    const int room =
        kStatusX - (processing.empty() ? 0 : canvas.textExtent(processing).width) - kGap - x;
    std::string name = sources_.limit.Name();
    if (canvas.textExtent(name).width > room) {
      while (!name.empty() && canvas.textExtent(name + "...").width > room) name.pop_back();
      name += "...";
    }
    entry(name, kClBlack);
  }
}

void GraphPainter::drawTraces(Canvas& canvas, const GraphScale& s) const {
  if (state_.measurementMode == 2) {
    if (!traces_.singleFrequencyShown && state_.stepIndex <= 0) return;
    canvas.setPenWidth(1);
    canvas.setPenStyle(PenStyle::Solid);
    const int last = state_.runInProgress ? std::min(state_.stepIndex, 501) - 1 : 400;
    for (int n = state_.runInProgress ? 0 : 1; n <= last; ++n) singleFrequencySegment(canvas, s, n);
    return;
  }
  // The four traces share one frequency grid: map it once.
  PointXs xs;
  for (std::size_t n = 0; n < kTracePoints; ++n) xs[n] = s.FreqToX(state_.stepFrequencyHz[n]);
  if (model_.showArchive) drawTrace(canvas, s, xs, kArchiveKind, 0, 500);
  if (model_.showCurrent) {
    const bool partial = state_.runInProgress && state_.scansDone == 1;
    drawTrace(canvas, s, xs, kCurrentKind, 0, partial ? std::min(state_.stepIndex, 501) - 1 : 500);
  }
  if (model_.showDifference) drawTrace(canvas, s, xs, kDifferenceKind, 0, 500);
  if (model_.showStore) drawTrace(canvas, s, xs, kStoreKind, 0, 500);
}

void GraphPainter::drawTrace(Canvas& canvas, const GraphScale& s, const PointXs& xs, int kind,
                             int first, int last) const {
  canvas.setPenColour(colour(TraceColour(kind)));
  canvas.setPenWidth(1);
  canvas.setPenStyle(PenStyle::Solid);
  for (int n = first; n <= last; ++n) segment(canvas, s, kind, n, &xs);
}

std::pair<int, int> GraphPainter::segment(Canvas& canvas, const GraphScale& s, int kind, int n,
                                          const PointXs* xs) const {
  const Trace* trace = &traces_.currentTrace;
  bool insertionLoss = false;
  switch (kind) {
    case kStoreKind:
      trace = &traces_.storeTrace;
      break;
    case kDifferenceKind:
      trace = &traces_.differenceTrace;
      insertionLoss = state_.differenceInsertionLoss;
      break;
    case kArchiveKind:
      trace = &traces_.archiveTrace;
      insertionLoss = traces_.archiveInsertionLoss;
      break;
    default:
      break;
  }
  auto y = [&](int i) {
    const std::int32_t v = (*trace)[static_cast<std::size_t>(i)];
    return insertionLoss ? s.InsertionLossToY(v) : s.LevelToY(v);
  };
  auto x = [&](int i) {
    const auto at = static_cast<std::size_t>(i);
    return xs ? (*xs)[at] : s.FreqToX(state_.stepFrequencyHz[at]);
  };
  const int x1 = x(n);
  if (n == 0) {
    canvas.moveTo(x1, y(0));
    return {x1, x1};
  }
  const int x0 = x(n - 1);
  canvas.moveTo(x0, y(n - 1));
  // A frequency stepping backwards (a new sweep under an old trace) leaves a gap.
  if (x1 >= x0) canvas.lineTo(x1, y(n));
  return {x0, x1};
}

void GraphPainter::singleFrequencySegment(Canvas& canvas, const GraphScale& s, int n) const {
  const int left = s.g.plotLeft;
  const auto& level = traces_.singleFrequencyTrace;
  const auto& diff = traces_.singleFrequencyDifference;
  auto diffY = [&](int i) {
    const std::int32_t v = diff[static_cast<std::size_t>(i)];
    return state_.differenceInsertionLoss ? s.InsertionLossToY(v) : s.LevelToY(v);
  };
  const std::size_t i = static_cast<std::size_t>(n);
  if (n == 0) {
    canvas.moveTo(left, s.LevelToY(level[0]));
    return;
  }
  canvas.setPenColour(colour(kCurrentColour));
  canvas.moveTo(left + n - 1, s.LevelToY(level[i - 1]));
  canvas.lineTo(left + n, s.LevelToY(level[i]));
  if (model_.showDifference) {
    canvas.setPenColour(colour(kDifferenceColour));
    canvas.moveTo(left + n - 1, diffY(n - 1));
    canvas.lineTo(left + n, diffY(n));
  }
}

void GraphPainter::PlotPoint(Canvas& canvas, int kind, int n) {
  if (!ValidPoint(n) || kind < kCurrentKind || kind > kSingleFrequencyKind) return;
  const GraphScale s = scale();
  canvas.setPenMode(PenMode::Copy);
  canvas.setPenStyle(PenStyle::Solid);
  canvas.setPenWidth(1);
  if (kind == kSingleFrequencyKind) {
    if (n >= 1 && state_.runInProgress) readOut(canvas, s, n);
    canvas.setPenWidth(1);
    singleFrequencySegment(canvas, s, n);
    if (n == 1 || (n >= 100 && n <= 400 && n % 100 == 0))
      DrawSampleTime(canvas, s, n == 1 ? 1 : n / 100 + 1);
    return;
  }
  canvas.setPenColour(colour(TraceColour(kind)));
  const auto [x0, x1] = segment(canvas, s, kind, n);
  if (kind == kCurrentKind && state_.runInProgress && state_.measurementMode == 0)
    sweepProgress(canvas, s, n, x0, x1);
}

void GraphPainter::sweepProgress(Canvas& canvas, const GraphScale& s, int n, int x0, int x1) {
  const int bottom = s.g.plotBottom;
  const Colour border = colour(kBorderColour);
  auto marker = [&](int x, Colour c) {
    canvas.setPenWidth(1);
    canvas.setPenColour(c);
    canvas.setBrushColour(c);
    canvas.rectangle(x, bottom + 1, x + 2, bottom + 4);
  };
  // The marker is erased where it was last drawn: at x0 within a sweep, and at the end of
  // the previous sweep when a new one starts.
  if (markerX_) marker(*markerX_, border);
  marker(x1, kMarkerRed);
  markerX_ = x1;
  canvas.setBrushColour(border);

  if (n == 0) return;
  // The scan engine has marked the point before it asked for the segment.
  const std::int32_t status = traces_.stepStatus[static_cast<std::size_t>(n)];
  canvas.setPenWidth(3);
  canvas.setPenColour(status == 2 ? kMarkerRed : status == 1 ? kStripGreen : border);
  canvas.moveTo(x0, bottom + 5);
  canvas.lineTo(x1, bottom + 5);
  canvas.setPenWidth(1);
}

void GraphPainter::readOut(Canvas& canvas, const GraphScale& s, int n) const {
  const GraphGeometry& g = s.g;
  canvas.setPenColour(kWhite);
  canvas.setBrushColour(kWhite);
  canvas.rectangle(g.plotRight - 100, g.plotTop + 1, g.plotRight - 2, g.plotTop + 23);
  const int detector = sources_.single.Detector();
  const char* prefix = detector == 1 ? "Ave. " : detector == 2 ? "Q.P. " : "Peak ";
  canvas.setFont(kFont, 13, kClBlack);
  canvas.textOut(
      g.plotRight - 95, g.plotTop + 3,
      prefix + std::to_string(traces_.singleFrequencyTrace[static_cast<std::size_t>(n)]));
  canvas.setFont(kFont, fontSize(), kClBlack);
  canvas.setBrushColour(colour(kBorderColour));
}

}  // namespace tq
