#include "view/GraphPointer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "model/Numbers.h"
#include "model/Span.h"

namespace tq {

namespace {
constexpr int kDeadBand = 5;
}  // namespace

GraphPointer::GraphPointer(const GraphPainter& painter, MeasurementState& state, WindowModel& model,
                           TraceSet& traces, MainView& view, Prompts& prompts, Ticks& ticks,
                           PointerClient& client)
    : painter_(painter),
      state_(state),
      model_(model),
      traces_(traces),
      view_(view),
      prompts_(prompts),
      client_(client),
      mousetimer_(ticks.createTimer(500, [this] { mousetimerTimer(); })) {
  valueCursorX_ = GeometryFor(state_.displaySize).plotLeft;
  lastLineX_ = valueCursorX_;
}

bool GraphPointer::inPressZone(const GraphGeometry& g, int x, int y) const {
  return x > g.plotLeft - 20 && x < g.plotRight && y > g.plotTop && y < g.plotBottom;
}

bool GraphPointer::inPlot(const GraphGeometry& g, int x, int y) const {
  return x > g.plotLeft && x < g.plotRight && y > g.plotTop && y < g.plotBottom;
}

void GraphPointer::verticalLine(Canvas& canvas, int x, int width, Colour colour) {
  const GraphGeometry& g = GeometryFor(state_.displaySize);
  canvas.setPenStyle(PenStyle::Solid);
  canvas.setPenWidth(width);
  canvas.setPenColour(colour);
  canvas.setPenMode(PenMode::NotXor);
  canvas.moveTo(x, g.plotTop);
  canvas.lineTo(x, g.plotBottom);
  canvas.setPenMode(PenMode::Copy);
  canvas.setPenWidth(1);
}

void GraphPointer::FormMouseDown(Canvas&, int x, int y) {
  logZoomWarned_ = false;
  longPress_ = false;
  // A second press within the 500 ms starts the wait again.
  mousetimer_->setEnabled(false);
  mousetimer_->setEnabled(true);
  const GraphGeometry& g = GeometryFor(state_.displaySize);
  if (!inPressZone(g, x, y) || state_.runInProgress) return;
  const bool sweep = state_.measurementMode == 0;
  if (sweep && !state_.logFrequencyAxis) dragging_ = true;
  lastLineX_ = x;
  dragStartX_ = x;
  lineNotDrawn_ = true;
  if (!(sweep && state_.logFrequencyAxis)) view_.setPointerShape(PointerShape::HorizontalSplit);
}

void GraphPointer::mousetimerTimer() {
  mousetimer_->setEnabled(false);
  longPress_ = true;
}

void GraphPointer::FormMouseMove(Canvas& canvas, int x, int y) {
  const GraphGeometry& g = GeometryFor(state_.displaySize);
  if (state_.measurementMode == 1 && inPressZone(g, x, y) && !state_.runInProgress) {
    view_.setPointerShape(PointerShape::HorizontalSplit);
    model_.frequencyBoxText = FormatFixed(painter_.scale().XToFrequency(x) / 1e6, 0, 4) + " MHz";
    view_.modelChanged();
  }
  if (!inPlot(g, x, y)) {
    if (dragging_) view_.setPointerShape(PointerShape::NoDrop);
    return;
  }
  if (std::abs(x - dragStartX_) <= kDeadBand || state_.runInProgress || !longPress_) return;
  if (state_.logFrequencyAxis) {
    if (!logZoomWarned_) {
      logZoomWarned_ = true;
      prompts_.message(MessageKind::Information, "Zooming not Available in Log Mode", Buttons::Ok);
    }
    return;
  }
  if (!dragging_) return;
  view_.setPointerShape(PointerShape::HorizontalSplit);
  if (!lineNotDrawn_) verticalLine(canvas, lastLineX_, 3, kZoomLime);
  verticalLine(canvas, x, 3, kZoomLime);
  lastLineX_ = x;
  lineNotDrawn_ = false;
}

void GraphPointer::FormMouseUp(Canvas&, int x, int y) {
  view_.setPointerShape(PointerShape::Default);
  const GraphScale scale = painter_.scale();
  if (state_.measurementMode == 1) {
    view_.hideMessageWindow();
    view_.repaint();
    client_.SingleFrequencyPicked(RoundHalfEven(scale.XToFrequency(x)));
  }
  if (inPressZone(scale.g, x, y) && !state_.runInProgress && dragging_ &&
      std::abs(x - dragStartX_) > kDeadBand && longPress_ && !state_.logFrequencyAxis) {
    zoomTo(x);
  }
  client_.UpdateSpanDisplay();
  if (!state_.runInProgress) view_.repaint();
  dragging_ = false;
  logZoomWarned_ = true;
}

void GraphPointer::zoomTo(int x) {
  traces_.DropPeakHold();
  const GraphScale scale = painter_.scale();
  const std::int64_t hzPerPixel = scale.HzPerPixel();
  // The scale ends PlotWidth pixels from the left even where the plot is wider (size 1):
  // a release beyond it means the finish, not a frequency past it.
  const int scaleX = std::min(x, scale.g.plotLeft + scale.g.plotWidth);
  const std::int64_t at = state_.startFrequencyHz + (scaleX - scale.g.plotLeft) * hzPerPixel;
  std::int64_t start = state_.startFrequencyHz;
  std::int64_t finish = state_.finishFrequencyHz;
  if (x > dragStartX_) {
    start = at;
    if (finish <= kLowFinishHz) {
      start = std::max<std::int64_t>(start, kLowStartHz);
      if (finish - 500000 < start) finish += 500000;
    } else {
      start = std::clamp<std::int64_t>(start, kHighStartHz, 1080000000);
      if (finish - 20000000 < start) finish = start + 20000000;
    }
  } else {
    finish = at;
    if (finish - start < 500000)
      prompts_.message(MessageKind::Information, "Maximum Zoom Allowed", Buttons::Ok);
    if (start >= kHighStartHz) {
      finish = std::min<std::int64_t>(finish, kHighFinishHz);
      if (start + 10000000 > finish) finish = start + 10000000;
    } else {
      finish = std::clamp<std::int64_t>(finish, 500000, kLowFinishHz);
      if (start + 500000 > finish) finish = start + 500000;
    }
  }
  state_.startFrequencyHz = static_cast<std::int32_t>(start);
  state_.finishFrequencyHz = static_cast<std::int32_t>(finish);
  spanChanged();
}

void GraphPointer::spanChanged() {
  FillDisplayGrid(state_);
  traces_.RemapTraces();
  // The value cursor starts again at the left edge; the repaint that follows wipes it.
  valueCursorX_ = GeometryFor(state_.displaySize).plotLeft;
  lastLineX_ = valueCursorX_;
  lineNotDrawn_ = true;
  if (valuesShown_) UpdateValues();
}

void GraphPointer::Button3Click() {
  if (state_.runInProgress) return;
  state_.logFrequencyAxis = !state_.logFrequencyAxis;
  if (state_.logFrequencyAxis) {
    if (state_.highRange)
      state_.logSpanIndex = 2;
    else if (state_.logSpanIndex != 4)
      state_.logSpanIndex = 1;
    ApplyLogSpan(state_);
  }
  spanChanged();
  client_.UpdateSpanDisplay();
  view_.repaint();
}

void GraphPointer::BitBtn7Click() {
  state_.levelOffsetDb += 10;
  view_.repaint();
}

void GraphPointer::BitBtn8Click() {
  state_.levelOffsetDb -= 10;
  view_.repaint();
}

}  // namespace tq
