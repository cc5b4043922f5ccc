#pragma once

#include <cstdint>

#include "measure/MeasurementState.h"
#include "view/Geometry.h"
#include "view/GraphHooks.h"

namespace tq {

// ln(x) * 0.434294: the program's base-10 logarithm.
double Log10(double x);

// The level at the bottom edge of the plot, whole dB.
int RefLevel(const MeasurementState& state, const GraphHooks& hooks);

// The fixed span of the logarithmic axis for logSpanIndex 1..4; false for any other index.
bool LogSpan(int logSpanIndex, std::int32_t& startHz, std::int32_t& finishHz);

// The coordinate mappings of the graph for one paint: geometry, level window and span.
struct GraphScale {
  GraphGeometry g{};
  int refLevel = 0;
  double startHz = 0;
  double finishHz = 0;
  bool logAxis = false;
  int division = 40;  // pixels per 10 dB grid division
  int dbmShift = 0;   // the grid moves down by this in dBm mode

  int FreqToX(double hz) const;
  int LevelToY(std::int32_t level) const;
  int InsertionLossToY(std::int32_t value) const;
  // A limit level with the companion offset and click allowance already added.
  int LimitToY(double level) const;
  double XToFrequency(int x) const;
  // (finish - start) div PlotWidth, as the zoom and the linear cursor use it.
  std::int32_t HzPerPixel() const;
  // y of horizontal grid line i (0 = bottom edge), shifted in dBm mode.
  int GridLineY(int i) const { return g.plotBottom - i * division + dbmShift; }
};

GraphScale MakeScale(const MeasurementState& state, const GraphHooks& hooks);

}  // namespace tq
