// The peak table's marker on the graph, and the values window that follows it.
#include <algorithm>

#include "view/GraphPainter.h"
#include "view/GraphPointer.h"

namespace tq {

namespace {
constexpr int kHalfWidth = 4;
constexpr int kHeight = 7;
constexpr int kGap = 3;  // between the tip and the trace
}  // namespace

void GraphPainter::drawPeakMarker(Canvas& canvas, const GraphScale& s) const {
  const double hz = peakMarker_->frequencyHz;
  std::size_t n = 0;
  while (n < kTracePoints - 1 && state_.stepFrequencyHz[n] < hz) ++n;
  const int x = s.FreqToX(hz);
  // A small triangle pointing down at the trace, kept inside the plot.
  const int tip = std::max(s.LevelToY(traces_.currentTrace[n]) - kGap, s.g.plotTop + kHeight);
  canvas.setPenMode(PenMode::Copy);
  canvas.setPenStyle(PenStyle::Solid);
  canvas.setPenWidth(1);
  canvas.setPenColour(colour(kLimitColour));
  for (int row = 0; row < kHeight; ++row) {
    const int half = (row * kHalfWidth + kHeight / 2) / (kHeight - 1);
    canvas.moveTo(x - half, tip - row);
    canvas.lineTo(x + half + 1, tip - row);
  }
}

void GraphPointer::ShowValuesAt(double hz) {
  view_.showValuesWindow();
  valuesShown_ = true;
  valueCursorX_ = painter_.scale().FreqToX(hz);
  view_.showValues(ReadValues(state_, traces_.data(), hz));
}

}  // namespace tq
