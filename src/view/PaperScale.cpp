#include "view/PaperScale.h"

#include <algorithm>

namespace tq {

PaperLayout MakePaperLayout(int widthPx, int heightPx) {
  PaperLayout p;
  p.width = widthPx;
  p.height = heightPx;
  p.xScale = static_cast<float>(widthPx) / 660.0f;
  p.yScale = static_cast<float>(heightPx) / 1000.0f;
  p.printLeft = (widthPx - p.Across(600)) / 2;
  p.printTop = p.Down(100);
  p.printColumn1 = p.Across(30);
  p.printColumn2 = widthPx / 2;
  p.printGraphLeft = p.printLeft + p.Across(50);
  p.printGraphBottom = p.printTop + p.Down(350);
  return p;
}

PaperScale MakePaperScale(const PaperLayout& page, const GraphScale& screen) {
  PaperScale s;
  GraphGeometry& g = s.g;
  g.plotLeft = page.printGraphLeft;
  g.plotWidth = page.Across(500);
  g.plotRight = g.plotLeft + g.plotWidth;
  g.plotBottom = page.printGraphBottom;
  g.plotHeight = page.Down(300);
  g.plotTop = g.plotBottom - g.plotHeight;
  s.logAxis = screen.logAxis;
  s.refLevel = screen.refLevel;
  s.yScale = page.yScale;
  s.dbmUnits = screen.dbmShift != 0;
  s.frequency = screen;
  s.frequency.g = g;
  return s;
}

int PaperScale::LimitToY(double level) const {
  const double units = std::clamp((level - refLevel) * 4.0, 0.0, 300.0);
  return g.plotBottom - RoundHalfEven(units * yScale);
}

int PaperScale::InsertionLossToY(std::int32_t value) const {
  const double zero = 160.0 - (dbmUnits ? 12.0 : 0.0);
  const double units = std::clamp(zero + value * 4.0, 0.0, 300.0);
  return g.plotBottom - RoundHalfEven(units * yScale);
}

}  // namespace tq
