#include <algorithm>
#include <array>
#include <cstdio>
#include <span>

#include "view/GraphPainter.h"
#include "view/GraphTexts.h"

namespace tq {

namespace {

constexpr const char* kFont = "Arial";
// Pixels kept free between the ink of neighbouring labels.
constexpr int kLabelGap = 2;

struct LogLabel {
  const char* text;
  double anchorMhz;  // 0: at the left edge
};

struct LogAxis {
  std::span<const double> gridMhz;
  std::span<const LogLabel> labels;
};

constexpr std::array<double, 19> kGrid1{0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1, 2,
                                        3,   4,   5,   6,   7,   8,   9,   10,  20};
constexpr std::array<LogLabel, 4> kLabels1{
    {{"0.1", 0}, {"1.0", 0.95}, {"10", 9.5}, {"MHz 30", 23}}};
constexpr std::array<double, 15> kGrid2{40,  50,  60,  70,  80,  90,  100, 200,
                                        300, 400, 500, 600, 700, 800, 900};
constexpr std::array<LogLabel, 3> kLabels2{{{"30", 0}, {"100", 95}, {"MHz 1000", 750}}};
constexpr std::array<double, 8> kGrid3{40, 50, 60, 70, 80, 90, 100, 200};
constexpr std::array<LogLabel, 3> kLabels3{{{"30", 0}, {"100", 95}, {"MHz 300", 240}}};
constexpr std::array<double, 28> kGrid4{0.02, 0.03, 0.04, 0.05, 0.06, 0.07, 0.08, 0.09, 0.1, 0.2,
                                        0.3,  0.4,  0.5,  0.6,  0.7,  0.8,  0.9,  1,    2,   3,
                                        4,    5,    6,    7,    8,    9,    10,   20};
constexpr std::array<LogLabel, 5> kLabels4{
    {{"0.01", 0}, {"0.1", 0.095}, {"1.0", 0.95}, {"10.0", 9.5}, {"MHz 30", 22}}};

LogAxis LogAxisFor(int logSpanIndex) {
  switch (logSpanIndex) {
    case 1:
      return {kGrid1, kLabels1};
    case 2:
      return {kGrid2, kLabels2};
    case 3:
      return {kGrid3, kLabels3};
    case 4:
      return {kGrid4, kLabels4};
    default:
      return {};
  }
}

void VerticalLine(Canvas& canvas, const GraphScale& s, int x) {
  canvas.moveTo(x, s.g.plotTop);
  canvas.lineTo(x, s.g.plotBottom - 3);
}

}  // namespace

std::span<const double> LogGridMhz(int logSpanIndex) {
  return LogAxisFor(logSpanIndex).gridMhz;
}

void GraphPainter::DrawAxes(Canvas& canvas, const GraphScale& s) const {
  const GraphGeometry& g = s.g;
  canvas.setPenColour(colour(kGridColour));
  canvas.setPenStyle(PenStyle::Dot);
  canvas.setPenWidth(1);
  canvas.setBrushColour(colour(kScreenColour));
  for (int i = 1; i <= 7; ++i) {
    canvas.moveTo(g.plotLeft, s.GridLineY(i));
    canvas.lineTo(g.plotRight, s.GridLineY(i));
  }
  if (state_.measurementMode == 2) {
    for (int i = 1; i <= 4; ++i)
      VerticalLine(canvas, s, g.plotLeft + RoundHalfEven(i * 0.2 * g.plotWidth));
  } else if (s.logAxis) {
    for (double mhz : LogGridMhz(state_.logSpanIndex))
      VerticalLine(canvas, s, s.FreqToX(mhz * 1e6));
  } else {
    const int step = RoundHalfEven(g.plotWidth / 10.0);
    for (int i = 1; i <= 9; ++i) VerticalLine(canvas, s, g.plotLeft + i * step);
  }
  canvas.setPenStyle(PenStyle::Solid);

  drawFrequencyLabels(canvas, s);
  drawLevelLabels(canvas, s);

  const bool lossScale =
      state_.differenceInsertionLoss && (model_.showDifference || traces_.archiveInsertionLoss);
  if (lossScale) {
    canvas.setFont(kFont, fontSize(), colour(kDifferenceColour));
    for (int i = 1; i <= 7; ++i) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "%3d", (i - 4) * 10);
      // Beside the plot, but never past the frame.
      const InkExtent ink = InkOf(canvas, buffer);
      const int x = std::min(g.plotRight, g.frameRight - 1 - ink.left - ink.width);
      text(canvas, x, s.GridLineY(i) - 5, buffer, colour(kDifferenceColour), colour(kBorderColour));
    }
  }
  DrawUnitLabelAndOutline(canvas, s);
}

void GraphPainter::drawFrequencyLabels(Canvas& canvas, const GraphScale& s) const {
  const GraphGeometry& g = s.g;
  const Colour grid = colour(kGridColour);
  const Colour border = colour(kBorderColour);
  if (state_.measurementMode == 2) {
    for (int k = 1; k <= 5; ++k) DrawSampleTime(canvas, s, k);
    if (model_.showStore) drawStoredSingleLevel(canvas, s);
    return;
  }
  std::array<std::string, 11> labels;
  std::array<int, 11> xs{};
  std::size_t count = 0;
  if (s.logAxis) {
    for (const LogLabel& label : LogAxisFor(state_.logSpanIndex).labels) {
      xs[count] = label.anchorMhz == 0 ? g.plotLeft : s.FreqToX(label.anchorMhz * 1e6);
      labels[count++] = label.text;
    }
  } else {
    labels = LinearFrequencyLabels(state_.startFrequencyHz, state_.finishFrequencyHz);
    const int step = RoundHalfEven(g.plotWidth / 10.0);
    for (count = 0; count < labels.size(); ++count)
      xs[count] = g.levelLabelX + static_cast<int>(count) * step;
  }
  // Where the labels' ink would run into each other or out of the frame, they move apart.
  canvas.setFont(kFont, fontSize(), grid);
  std::array<int, 11> widths{};
  std::array<int, 11> leads{};
  for (std::size_t i = 0; i < count; ++i) {
    const InkExtent ink = InkOf(canvas, labels[i]);
    leads[i] = ink.left;
    widths[i] = ink.width;
    xs[i] += ink.left;
  }
  FitLabels(std::span(xs.data(), count), std::span(widths.data(), count), g.frameLeft + 1,
            g.frameRight - 1, kLabelGap);
  for (std::size_t i = 0; i < count; ++i)
    text(canvas, xs[i] - leads[i], g.freqLabelY, labels[i], grid, border);
}

void GraphPainter::DrawSampleTime(Canvas& canvas, const GraphScale& s, int k) const {
  const GraphGeometry& g = s.g;
  // The left edge, then 0.4, 0.6, 0.8 and 1.0 of the plot's right edge, 3 pixels below the
  // plot; the last moves in only as far as the frame needs.
  int x = k <= 1 ? g.plotLeft : RoundHalfEven(0.2 * k * g.plotRight);
  const std::string time = sources_.single.SampleTimeText(k);
  canvas.setFont(kFont, fontSize(), colour(kGridColour));
  const InkExtent ink = InkOf(canvas, time);
  x = std::min(x, g.frameRight - 1 - ink.left - ink.width);
  text(canvas, x, g.plotBottom + 3, time, colour(kGridColour), colour(kBorderColour));
}

void GraphPainter::drawLevelLabels(Canvas& canvas, const GraphScale& s) const {
  canvas.setFont(kFont, fontSize(), colour(kGridColour));
  const int height = canvas.textExtent("0").height;
  if (state_.dbmUnits) {
    for (int k = 0; k <= 6; ++k)
      text(canvas, s.g.levelLabelX, s.GridLineY(k + 1) - height,
           std::to_string(s.refLevel + 10 * k - 100), colour(kGridColour), colour(kBorderColour));
  } else {
    for (int k = 0; k <= 7; ++k)
      text(canvas, s.g.levelLabelX, s.GridLineY(k) - height, std::to_string(s.refLevel + 10 * k),
           colour(kGridColour), colour(kBorderColour));
  }
}

void GraphPainter::drawStoredSingleLevel(Canvas& canvas, const GraphScale& s) const {
  const int j = FirstPointAtOrAbove(state_.stepFrequencyHz, sources_.single.FrequencyHz());
  if (j == 0) return;
  const int y = s.LevelToY(traces_.storeTrace[static_cast<std::size_t>(j)]);
  canvas.setPenColour(colour(kStoreColour));
  canvas.setPenWidth(1);
  canvas.moveTo(s.g.plotLeft, y);
  canvas.lineTo(s.g.plotRight, y);
}

void GraphPainter::DrawUnitLabelAndOutline(Canvas& canvas, const GraphScale& s) const {
  const GraphGeometry& g = s.g;
  text(canvas, g.levelLabelX, g.plotTop - 15, sources_.inputs.UnitLabel(state_.dbmUnits),
       colour(kGridColour), colour(kBorderColour));
  canvas.setPenMode(PenMode::Copy);
  canvas.setPenStyle(PenStyle::Solid);
  canvas.setPenWidth(1);
  canvas.setPenColour(colour(kGridColour));
  canvas.moveTo(g.plotLeft, g.plotTop);
  canvas.lineTo(g.plotRight, g.plotTop);
  canvas.lineTo(g.plotRight, g.plotBottom);
  canvas.lineTo(g.plotLeft, g.plotBottom);
  canvas.lineTo(g.plotLeft, g.plotTop);
}

}  // namespace tq
