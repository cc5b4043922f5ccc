#include <cmath>

#include "corrections/LimitLevel.h"
#include "model/Numbers.h"
#include "view/GraphPainter.h"

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

}  // namespace

void GraphPainter::DrawLimit(Canvas& canvas, const GraphScale& s, const LimitTable& line) const {
  constexpr int kDirect = 8, kNx10 = 1;
  const int input = sources_.inputs.InputCode();
  canvas.setPenMode(PenMode::Copy);
  canvas.setPenStyle(PenStyle::Solid);
  canvas.setPenColour(colour(kLimitColour));
  canvas.setPenWidth(2);
  const bool points = (input != kDirect || DrawnWithDirectInput(line)) && input != kNx10 &&
                      !VehicleRecord(line.recordNumber);
  if (points)
    drawLimitPoints(canvas, s, line);
  else if (VehicleRecord(line.recordNumber))
    drawLimitBands(canvas, s, line);
  canvas.setPenWidth(1);
  DrawUnitLabelAndOutline(canvas, s);
}

void GraphPainter::drawLimitPoints(Canvas& canvas, const GraphScale& s,
                                   const LimitTable& line) const {
  const DistanceSetting distance{sources_.inputs.MeasuringDistanceM(), state_.antennaDistanceAlt};
  const double extra = line.companionOffsetDb + line.clickAllowanceDb;
  auto y = [&](double level) { return s.LimitToY(level + extra); };
  auto at = [&](double hz) { return LimitAt(line, hz, distance); };
  const GraphGeometry& g = s.g;

  if (state_.measurementMode == 2) {
    const int level = y(at(sources_.single.FrequencyHz()));
    canvas.moveTo(g.plotLeft, level);
    canvas.lineTo(g.plotRight, level);
    return;
  }

  const int last = line.lastPointRow();
  // The lighting record keeps its points below 150 kHz for its quasi-peak line only.
  const int first = line.recordNumber == 17 && !line.user && !line.quasiPeak ? 5 : 1;
  if (first > last) return;
  const float correction = DistanceCorrectionDb(line, distance);
  auto point = [&](int r) -> const LimitPoint& { return line.points[static_cast<std::size_t>(r)]; };
  double startLevel = point(first).level + correction;
  if (first == 5) startLevel = RoundHalfEven(startLevel);
  canvas.moveTo(s.FreqToX(point(first).frequencyHz), y(startLevel));

  const double finish = state_.finishFrequencyHz;
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
      const double level = f1 >= finish ? at(finish) : to.level + correction;
      canvas.lineTo(s.FreqToX(f1), y(level));
    }
  }
}

void GraphPainter::drawLimitBands(Canvas& canvas, const GraphScale& s,
                                  const LimitTable& line) const {
  const double extra = line.companionOffsetDb + line.clickAllowanceDb;
  const GraphGeometry& g = s.g;
  const int last = line.lastBandRow();
  if (state_.measurementMode == 2) {
    const double hz = sources_.single.FrequencyHz();
    double level = kNoLimit;
    for (int r = 1; r <= last; ++r) {
      const LimitBand& b = line.bands[static_cast<std::size_t>(r)];
      if (b.stopHz >= hz) {
        if (hz > b.startHz) level = b.level;
        break;
      }
    }
    const int y = s.LimitToY(level + extra);
    canvas.moveTo(g.plotLeft, y);
    canvas.lineTo(g.plotRight, y);
    return;
  }
  for (int r = 1; r <= last; ++r) {
    const LimitBand& b = line.bands[static_cast<std::size_t>(r)];
    const int y = s.LimitToY(b.level + extra);
    canvas.moveTo(s.FreqToX(b.startHz), y);
    canvas.lineTo(s.FreqToX(b.stopHz), y);
  }
}

}  // namespace tq
