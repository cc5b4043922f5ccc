#include <algorithm>
#include <string>

#include "view/GraphPointer.h"
#include "view/GraphTexts.h"

namespace tq {

ValueTexts ReadValues(const MeasurementState& state, const TraceData& traces, double hz) {
  ValueTexts v;
  v.frequency = CursorFrequencyText(hz);
  std::size_t n = 1;
  while (n < 500 && state.stepFrequencyHz[n] < hz) ++n;
  if (n >= 500) {
    v.current = v.difference = v.store = v.archive = "?";
    return v;
  }
  v.current = std::to_string(traces.currentTrace[n]);
  v.difference = std::to_string(traces.differenceTrace[n]);
  v.store = std::to_string(traces.storeTrace[n]);
  v.archive = std::to_string(traces.archiveTrace[n]);
  return v;
}

void GraphPointer::FormKeyDown(Canvas& canvas, GraphKey key, bool altOnly) {
  const GraphGeometry& g = GeometryFor(state_.displaySize);
  switch (key) {
    case GraphKey::Escape:
      view_.hideValuesWindow();
      valuesShown_ = false;
      view_.repaint();
      return;
    case GraphKey::Up:
      if (!altOnly) return;
      view_.showValuesWindow();
      valuesShown_ = true;
      // Any cursor already on the screen goes, so that exactly one line is left at the
      // left edge.
      if (!lineNotDrawn_) verticalLine(canvas, lastLineX_, 1, kCursorGreen);
      lineNotDrawn_ = true;
      valueCursorX_ = g.plotLeft;
      lastLineX_ = g.plotLeft;
      DrawValueCursor(canvas);
      return;
    case GraphKey::Right:
      if (!altOnly) return;
      valueCursorX_ = std::min(valueCursorX_ + 1, g.plotRight);
      DrawValueCursor(canvas);
      return;
    case GraphKey::Left:
      if (!altOnly) return;
      valueCursorX_ = std::max(valueCursorX_ - 1, g.plotLeft);
      DrawValueCursor(canvas);
      return;
    case GraphKey::Other:
      return;
  }
}

void GraphPointer::Values1Click() {
  view_.showValuesWindow();
  valuesShown_ = true;
  UpdateValues();
}

void GraphPointer::DrawValueCursor(Canvas& canvas) {
  if (!lineNotDrawn_) verticalLine(canvas, lastLineX_, 1, kCursorGreen);
  lineNotDrawn_ = false;
  verticalLine(canvas, valueCursorX_, 1, kCursorGreen);
  lastLineX_ = valueCursorX_;
  UpdateValues();
}

void GraphPointer::UpdateValues() {
  view_.showValues(
      ReadValues(state_, traces_.data(), painter_.scale().XToFrequency(valueCursorX_)));
}

}  // namespace tq
