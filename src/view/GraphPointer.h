#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "measure/MeasurementState.h"
#include "measure/WindowModel.h"
#include "platform/Canvas.h"
#include "platform/Prompts.h"
#include "platform/Ticks.h"
#include "traces/TraceSet.h"
#include "view/GraphPainter.h"

namespace tq {

enum class PointerShape { Default, HorizontalSplit, NoDrop };
enum class GraphKey { Up, Left, Right, Escape, Other };

inline constexpr Colour kCursorGreen = 0x008000;
inline constexpr Colour kZoomLime = 0x00FF00;

// What the values window shows: Label10 and Label5..Label8.
struct ValueTexts {
  std::string frequency;
  std::string current;
  std::string difference;
  std::string store;
  std::string archive;
  bool operator==(const ValueTexts&) const = default;
};

// What the mouse and keys need from the window and from later stages.
struct PointerHooks {
  std::function<void(PointerShape)> setCursor = [](PointerShape) {};
  // The scan engine's span display (span buttons).
  std::function<void()> updateSpanDisplay = [] {};
  // The span changed: the step grid follows the new start and finish. Traces are re-mapped
  // after this. Null: the display grid of the span (FillDisplayGrid).
  std::function<void()> recomputeStepGrid;
  // A frequency was picked on the graph in single-frequency selection.
  std::function<void(std::int32_t hz)> singleFrequencyPicked = [](std::int32_t) {};
  // The values window.
  std::function<void()> showValues = [] {};
  std::function<void()> hideValues = [] {};
  std::function<void(const ValueTexts&)> valuesChanged = [](const ValueTexts&) {};
};

// The values read at a cursor frequency.
ValueTexts ReadValues(const MeasurementState& state, const TraceSet& traces, double hz);

// Zoom by press-hold-and-drag, single-frequency picking, the value cursor, the Log/Lin
// button and the level offset arrows. Vertical lines go on the canvas in not-xor so that
// drawing a line twice removes it.
class GraphPointer {
 public:
  GraphPointer(GraphPainter& painter, MeasurementState& state, WindowModel& model, TraceSet& traces,
               MainView& view, Prompts& prompts, Ticks& ticks);

  PointerHooks& hooks() { return hooks_; }

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

  GraphPainter& painter_;
  MeasurementState& state_;
  WindowModel& model_;
  TraceSet& traces_;
  MainView& view_;
  Prompts& prompts_;
  PointerHooks hooks_;
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
