#pragma once

#include <cstdint>

#include "model/Features.h"
#include "model/MeasurementState.h"
#include "model/Numbers.h"
#include "model/Span.h"
#include "view/Geometry.h"

namespace tq {

// The level at the bottom edge of the plot, whole dB.
int RefLevel(const MeasurementState& state, const InputCorrections& inputs);

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

GraphScale MakeScale(const MeasurementState& state, const InputCorrections& inputs);

}  // namespace tq
