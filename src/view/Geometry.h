#pragma once

namespace tq {

// Pixel geometry of the graph for one display size.
struct GraphGeometry {
  int plotLeft, plotRight, plotTop, plotBottom;
  int plotWidth, plotHeight;
  int frameLeft, frameTop, frameRight, frameBottom;
  int freqLabelY, levelLabelX, legendX;
};

inline constexpr GraphGeometry kGeometry0{120, 620, 50,  350, 500, 300, 93,
                                          32,  638, 373, 357, 97,  140};
// At 800 x 600 the plot is 100 pixels taller than at size 0, so the frequency labels sit 7
// pixels below it as they do at size 0, not at size 0's 357, which is inside the plot.
inline constexpr GraphGeometry kGeometry1{120, 720, 50,  450, 500, 300, 93,
                                          32,  740, 480, 457, 97,  140};
inline constexpr GraphGeometry kGeometry2{140, 990,  70,  570, 850, 500, 110,
                                          40,  1010, 620, 585, 114, 200};

// The geometry of display size 0, 1 or 2 (any other value as 0).
inline const GraphGeometry& GeometryFor(int displaySize) {
  if (displaySize == 1) return kGeometry1;
  if (displaySize == 2) return kGeometry2;
  return kGeometry0;
}

}  // namespace tq
