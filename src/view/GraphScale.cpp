#include "view/GraphScale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "model/Numbers.h"

namespace tq {

int RefLevel(const MeasurementState& state, const InputCorrections& inputs) {
  // In 64 bits: a typed gain or an offset may be any 32-bit number.
  const std::int64_t base = inputs.Nx20Selected() ? 20 : 20 - std::int64_t{state.preampGainDb};
  const std::int64_t level = base + state.attenuationDb + inputs.LisnAttenuatorDb() +
                             inputs.TransducerLevelOffsetDb() + state.levelOffsetDb;
  return static_cast<int>(std::clamp<std::int64_t>(level, INT32_MIN / 2, INT32_MAX / 2));
}

GraphScale MakeScale(const MeasurementState& state, const InputCorrections& inputs) {
  GraphScale s;
  s.g = GeometryFor(state.displaySize);
  s.refLevel = RefLevel(state, inputs);
  s.startHz = state.startFrequencyHz;
  s.finishHz = state.finishFrequencyHz;
  s.logAxis = state.logFrequencyAxis;
  s.division = RoundHalfEven(s.g.plotHeight / 7.5);
  s.dbmShift = state.dbmUnits ? RoundHalfEven(0.3 * s.division) : 0;
  return s;
}

int GraphScale::FreqToX(double hz) const {
  if (!(hz >= 10)) hz = 10;  // also catches NaN
  double x = g.plotLeft;
  if (logAxis) {
    // A start of 0 or an empty span has no logarithmic scale: everything sits at the left.
    if (startHz > 0 && finishHz > startHz)
      x = Log10(hz / startHz) * g.plotWidth / Log10(finishHz / startHz) + g.plotLeft;
  } else if (finishHz > startHz) {
    x = g.plotLeft + g.plotWidth * (hz - startHz) / (finishHz - startHz);
  }
  // Clamped before rounding so that a tiny span cannot overflow the conversion.
  if (!(x >= g.plotLeft)) return g.plotLeft;
  if (x > g.plotRight) return g.plotRight;
  return RoundHalfEven(x);
}

namespace {
// Keeps huge levels from overflowing the pixel arithmetic; far off the plot either way.
double Clip(double v) {
  return std::clamp(v, -1.0e6, 1.0e6);
}
}  // namespace

int GraphScale::LevelToY(std::int32_t level) const {
  const double dy = Clip((static_cast<double>(level) - refLevel) * g.plotHeight / 75.0);
  int y = g.plotBottom - RoundHalfEven(dy);
  if (y < g.plotTop) y = g.plotTop;
  if (y > g.plotBottom - 1) y = g.plotBottom - 1;
  return y;
}

int GraphScale::InsertionLossToY(std::int32_t value) const {
  const double dy = Clip(static_cast<double>(value) * division / 10.0);
  const int y = g.plotBottom - 4 * division - RoundHalfEven(dy) + dbmShift;
  return std::clamp(y, g.plotTop, g.plotBottom);
}

int GraphScale::LimitToY(double level) const {
  const double dy = Clip((level - refLevel) * g.plotHeight / 75.0);
  const int y = g.plotBottom - RoundHalfEven(dy);
  return std::clamp(y, g.plotTop, g.plotBottom);
}

std::int32_t GraphScale::HzPerPixel() const {
  const double span = finishHz - startHz;
  return static_cast<std::int32_t>(std::trunc(std::trunc(span) / g.plotWidth));
}

double GraphScale::XToFrequency(int x) const {
  if (logAxis) {
    if (startHz <= 0 || finishHz <= 0) return startHz;
    return startHz *
           std::exp((x - g.plotLeft) * Log10(finishHz / startHz) / (g.plotWidth * 0.434294));
  }
  return static_cast<double>(x - g.plotLeft) * HzPerPixel() + startHz;
}

}  // namespace tq
