#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "model/MeasurementState.h"
#include "model/WindowModel.h"
#include "platform/Canvas.h"
#include "platform/Prompts.h"
#include "platform/Ticks.h"
#include "traces/TraceSet.h"
#include "view/GraphPainter.h"

namespace tq {

enum class GraphKey { Up, Left, Right, Escape, Other };

inline constexpr Colour kCursorGreen = 0x008000;
inline constexpr Colour kZoomLime = 0x00FF00;

// What the mouse and keys ask of the measurement above the graph.
class PointerClient {
 public:
  virtual ~PointerClient() = default;
  // The span changed by zoom or the Log/Lin button: the span buttons follow.
  virtual void UpdateSpanDisplay() = 0;
  // A frequency was picked on the graph in single-frequency selection.
  virtual void SingleFrequencyPicked(std::int32_t hz) = 0;
};

// The values read at a cursor frequency.
ValueTexts ReadValues(const MeasurementState& state, const TraceData& traces, double hz);

// Zoom by press-hold-and-drag, single-frequency picking, the value cursor, the Log/Lin
// button and the level offset arrows. Vertical lines go on the canvas in not-xor so that
// drawing a line twice removes it.
class GraphPointer {
 public:
  GraphPointer(const GraphPainter& painter, MeasurementState& state, WindowModel& model,
               TraceSet& traces, MainView& view, Prompts& prompts, Ticks& ticks,
               PointerClient& client);

  void FormMouseDown(Canvas& canvas, int x, int y);
  void mousetimerTimer();
  void FormMouseMove(Canvas& canvas, int x, int y);
  void FormMouseUp(Canvas& canvas, int x, int y);
  // altOnly: Alt and no other modifier is held.
  void FormKeyDown(Canvas& canvas, GraphKey key, bool altOnly);
  void Values1Click();
  // The user closed the values window.
  void ValuesClosed() { valuesShown_ = false; }
  void Button3Click();
  void BitBtn7Click();
  void BitBtn8Click();
  // A full repaint wiped every line drawn in not-xor.
  void GraphRepainted() { lineNotDrawn_ = true; }

  // The values window shows what the traces hold at a frequency picked elsewhere (a row of
  // the peak table); the cursor moves there.
  void ShowValuesAt(double hz);

  void DrawValueCursor(Canvas& canvas);
  void UpdateValues();

  bool dragging() const { return dragging_; }
  bool longPress() const { return longPress_; }
  bool lineNotDrawn() const { return lineNotDrawn_; }
  int lastLineX() const { return lastLineX_; }
  int valueCursorX() const { return valueCursorX_; }
  bool valuesShown() const { return valuesShown_; }
  const Timer& mousetimer() const { return *mousetimer_; }

 private:
  bool inPressZone(const GraphGeometry& g, int x, int y) const;
  bool inPlot(const GraphGeometry& g, int x, int y) const;
  void zoomTo(int x);
  void spanChanged();
  void verticalLine(Canvas& canvas, int x, int width, Colour colour);

  const GraphPainter& painter_;
  MeasurementState& state_;
  WindowModel& model_;
  TraceSet& traces_;
  MainView& view_;
  Prompts& prompts_;
  PointerClient& client_;
  std::unique_ptr<Timer> mousetimer_;

  int dragStartX_ = 0;
  int lastLineX_ = 0;
  bool lineNotDrawn_ = true;
  bool dragging_ = false;
  bool longPress_ = false;
  bool logZoomWarned_ = false;
  int valueCursorX_ = 0;
  bool valuesShown_ = false;
};

}  // namespace tq
