#pragma once

#include <cstdint>

#include "model/Numbers.h"
#include "view/Geometry.h"
#include "view/GraphScale.h"

namespace tq {

// The printed report's page: 660 units across and 1000 down, whatever the paper, and the
// fixed positions of the report on it, in the printer's pixels.
struct PaperLayout {
  int width = 0, height = 0;
  float xScale = 0, yScale = 0;
  int printLeft = 0;         // the 600-unit-wide report, centred
  int printTop = 0;          // top of the report frame
  int printColumn1 = 0;      // left text column and header
  int printColumn2 = 0;      // right text column
  int printGraphLeft = 0;    // left edge of the plot
  int printGraphBottom = 0;  // bottom edge of the plot

  // A distance of u units across or down, in pixels.
  int Across(double units) const { return RoundHalfEven(units * xScale); }
  int Down(double units) const { return RoundHalfEven(units * yScale); }
};

PaperLayout MakePaperLayout(int widthPx, int heightPx);

// The plot on the page: 500 units across and 300 down from its bottom left corner, with the
// graph's frequency mapping and 4 units a dB.
struct PaperScale {
  GraphGeometry g{};
  bool logAxis = false;
  int refLevel = 0;
  float yScale = 0;
  bool dbmUnits = false;

  int FreqToX(double hz) const { return frequency.FreqToX(hz); }
  int LevelToY(std::int32_t level) const { return LimitToY(level); }
  int LimitToY(double level) const;
  // 4 units a dB, 0 dB on the fourth grid line (lowered in dBm mode as on screen).
  int InsertionLossToY(std::int32_t value) const;

  GraphScale frequency{};  // the window's frequency mapping on the paper's plot
};

// The page's plot for a state whose level window starts at refLevel.
PaperScale MakePaperScale(const PaperLayout& page, const GraphScale& screen);

}  // namespace tq
