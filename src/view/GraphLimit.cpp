#include <cmath>

#include "corrections/LimitLevel.h"
#include "model/Numbers.h"
#include "view/GraphPainter.h"
#include "view/LimitLines.h"
#include "view/PaperScale.h"

namespace tq {

namespace {

constexpr int kSubSegments = 10;

bool VehicleRecord(int record) {
  return record >= 101 && record <= 199;
}

// The antenna terminal records are voltages at the analyser's input, drawn with the Direct
// input too; so is a conducted limit of the user's own, whose levels are entered in dBuV.
bool DrawnWithDirectInput(const LimitTable& line) {
  const int r = line.recordNumber;
  if (line.user) return !line.radiated;
  return (line.fileSelector == 1 && r >= 39 && r <= 43) ||
         (line.fileSelector == 2 && r >= 34 && r <= 39);
}

template <typename Scale>
void DrawLimitPoints(Canvas& canvas, const Scale& s, const LimitTable& line,
                     const LimitLineContext& c) {
  const double extra = line.companionOffsetDb + line.clickAllowanceDb;
  auto y = [&](double level) { return s.LimitToY(level + extra); };
  auto at = [&](double hz) { return LimitAt(line, hz, c.distance); };

  if (c.singleFrequencyMode) {
    const int level = y(at(c.singleFrequencyHz));
    canvas.moveTo(s.g.plotLeft, level);
    canvas.lineTo(s.g.plotRight, level);
    return;
  }

  const int last = line.lastPointRow();
  // The lighting record keeps its points below 150 kHz for its quasi-peak line only.
  const int first = line.recordNumber == 17 && !line.user && !line.quasiPeak ? 5 : 1;
  if (first > last) return;
  const float correction = DistanceCorrectionDb(line, c.distance);
  auto point = [&](int r) -> const LimitPoint& { return line.points[static_cast<std::size_t>(r)]; };
  double startLevel = point(first).level + correction;
  if (first == 5) startLevel = RoundHalfEven(startLevel);
  canvas.moveTo(s.FreqToX(point(first).frequencyHz), y(startLevel));

  for (int r = first + 1; r <= last; ++r) {
    const LimitPoint& from = point(r - 1);
    const LimitPoint& to = point(r);
    const double f0 = from.frequencyHz, f1 = to.frequencyHz;
    const bool logInterpolation = from.interpolation == 1;
    if (logInterpolation && !s.logAxis) {
      const double ratio = f0 < 1 ? 10.0 : f1 / f0;
      const double q = std::pow(ratio, 1.0 / kSubSegments);
      for (int k = 1; k <= kSubSegments; ++k) {
        const double f = RoundHalfEven(f0 * std::pow(q, k));
        canvas.lineTo(s.FreqToX(f), y(at(f)));
      }
    } else if (!logInterpolation && s.logAxis) {
      for (int k = 1; k <= kSubSegments; ++k) {
        const double f = f0 + RoundHalfEven(k * (f1 - f0) / kSubSegments);
        canvas.lineTo(s.FreqToX(f), y(at(f)));
      }
    } else {
      const double level = f1 >= c.finishHz ? at(c.finishHz) : to.level + correction;
      canvas.lineTo(s.FreqToX(f1), y(level));
    }
  }
}

template <typename Scale>
void DrawLimitBands(Canvas& canvas, const Scale& s, const LimitTable& line,
                    const LimitLineContext& c) {
  const double extra = line.companionOffsetDb + line.clickAllowanceDb;
  const int last = line.lastBandRow();
  if (c.singleFrequencyMode) {
    const double hz = c.singleFrequencyHz;
    double level = kNoLimit;
    for (int r = 1; r <= last; ++r) {
      const LimitBand& b = line.bands[static_cast<std::size_t>(r)];
      if (b.stopHz >= hz) {
        if (hz > b.startHz) level = b.level;
        break;
      }
    }
    const int y = s.LimitToY(level + extra);
    canvas.moveTo(s.g.plotLeft, y);
    canvas.lineTo(s.g.plotRight, y);
    return;
  }
  for (int r = 1; r <= last; ++r) {
    const LimitBand& b = line.bands[static_cast<std::size_t>(r)];
    const int y = s.LimitToY(b.level + extra);
    canvas.moveTo(s.FreqToX(b.startHz), y);
    canvas.lineTo(s.FreqToX(b.stopHz), y);
  }
}

}  // namespace

LimitLineContext LimitContextOf(const MeasurementState& state, const InputCorrections& inputs,
                                const SingleFrequency& single) {
  LimitLineContext c;
  c.inputCode = inputs.InputCode();
  c.distance = {inputs.MeasuringDistanceM(), state.antennaDistanceAlt};
  c.singleFrequencyMode = state.measurementMode == 2;
  c.finishHz = state.finishFrequencyHz;
  c.singleFrequencyHz = single.FrequencyHz();
  return c;
}

template <typename Scale>
void DrawLimitLine(Canvas& canvas, const Scale& scale, const LimitTable& line,
                   const LimitLineContext& context) {
  constexpr int kDirect = 8, kNx10 = 1;
  const int input = context.inputCode;
  const bool points = (input != kDirect || DrawnWithDirectInput(line)) && input != kNx10 &&
                      !VehicleRecord(line.recordNumber);
  if (points)
    DrawLimitPoints(canvas, scale, line, context);
  else if (VehicleRecord(line.recordNumber))
    DrawLimitBands(canvas, scale, line, context);
}

template void DrawLimitLine<GraphScale>(Canvas&, const GraphScale&, const LimitTable&,
                                        const LimitLineContext&);
template void DrawLimitLine<PaperScale>(Canvas&, const PaperScale&, const LimitTable&,
                                        const LimitLineContext&);

void GraphPainter::DrawLimit(Canvas& canvas, const GraphScale& s, const LimitTable& line) const {
  canvas.setPenMode(PenMode::Copy);
  canvas.setPenStyle(PenStyle::Solid);
  canvas.setPenColour(colour(kLimitColour));
  canvas.setPenWidth(2);
  DrawLimitLine(canvas, s, line, LimitContextOf(state_, sources_.inputs, sources_.single));
  canvas.setPenWidth(1);
  DrawUnitLabelAndOutline(canvas, s);
}

}  // namespace tq
