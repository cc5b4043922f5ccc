#pragma once

#include "corrections/LimitLevel.h"
#include "model/Features.h"
#include "model/LimitTable.h"
#include "model/MeasurementState.h"
#include "platform/Canvas.h"

namespace tq {

// What the rules of a limit line read besides the line itself.
struct LimitLineContext {
  int inputCode = 8;
  DistanceSetting distance;
  bool singleFrequencyMode = false;
  double finishHz = 0;
  double singleFrequencyHz = 0;
};

LimitLineContext LimitContextOf(const MeasurementState& state, const InputCorrections& inputs,
                                const SingleFrequency& single);

// Draws one limit line (the base or the companion line) with the pen in force, by the rules
// of the input in use: the point table, the band table of a vehicle limit, or nothing. The
// scale maps it: the window's graph or the printed page's plot (GraphScale, PaperScale).
template <typename Scale>
void DrawLimitLine(Canvas& canvas, const Scale& scale, const LimitTable& line,
                   const LimitLineContext& context);

}  // namespace tq
