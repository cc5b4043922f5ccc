#include <algorithm>

#include "corrections/ErsData.h"
#include "model/Numbers.h"
#include "view/GraphPainter.h"

namespace tq {

void GraphPainter::drawErsStrip(Canvas& canvas, const GraphScale& s) const {
  const ErsTables& tables = sources_.ers.Tables();
  const int plane = tables.appliedPlane;
  const double lowHz = std::max<double>(kErsStartHz, s.startHz);
  const double highHz = state_.finishFrequencyHz;
  if (!(highHz > lowHz)) return;
  const int first = s.FreqToX(lowHz);
  const int last = s.FreqToX(highHz);
  // Clear of the plot's outline, above the sweep's status strip.
  const int y = s.g.plotBottom + 3;
  auto flagged = [&](int x) {
    if (plane != 1 && plane != 2) return false;
    const int j = std::clamp(
        RoundHalfEven((s.XToFrequency(x) - static_cast<double>(kErsStartHz)) / kErsStepHz), 0,
        kErsLastPoint);
    return tables.valid[static_cast<std::size_t>(plane - 1)][static_cast<std::size_t>(j)] != 0;
  };
  canvas.setPenMode(PenMode::Copy);
  canvas.setPenStyle(PenStyle::Solid);
  canvas.setPenWidth(2);
  // One line per run of pixels of the same colour.
  int runStart = first;
  bool runWhite = flagged(first);
  for (int x = first + 1; x <= last + 1; ++x) {
    const bool white = x <= last && flagged(x);
    if (x <= last && white == runWhite) continue;
    canvas.setPenColour(runWhite ? kWhite : kClBlack);
    canvas.moveTo(runStart, y);
    canvas.lineTo(x, y);
    runStart = x;
    runWhite = white;
  }
  canvas.setPenWidth(1);
}

}  // namespace tq
