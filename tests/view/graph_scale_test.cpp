#include <gtest/gtest.h>

#include "doubles/FakeFeatures.h"

#include "view/GraphScale.h"
#include "view/GraphTexts.h"

namespace tq {
namespace {

GraphScale Scale(int size, double startHz, double finishHz, bool log = false, int ref = 20) {
  GraphScale s;
  s.g = GeometryFor(size);
  s.refLevel = ref;
  s.startHz = startHz;
  s.finishHz = finishHz;
  s.logAxis = log;
  s.division = size == 2 ? 67 : 40;
  return s;
}

TEST(GraphScale, LevelsOutsideTheWindowStayOnItsEdges) {
  const GraphScale s = Scale(0, 30e6, 1100e6);
  EXPECT_EQ(s.LevelToY(45), 250);
  EXPECT_EQ(s.LevelToY(20), 349);  // the bottom edge itself is not drawn on
  EXPECT_EQ(s.LevelToY(0), 349);
  EXPECT_EQ(s.LevelToY(-2000000000), 349);
  EXPECT_EQ(s.LevelToY(95), 50);
  EXPECT_EQ(s.LevelToY(255), 50);
  EXPECT_EQ(s.LevelToY(2000000000), 50);
  // Size 2: 500 pixels for 75 dB; 30 dB above the reference is 200 pixels.
  EXPECT_EQ(Scale(2, 30e6, 1100e6).LevelToY(50), 370);
  // A limit may sit on the bottom edge, a trace may not.
  EXPECT_EQ(s.LimitToY(20), 350);
  EXPECT_EQ(s.LimitToY(10), 350);
  EXPECT_EQ(s.LimitToY(400), 50);
  EXPECT_EQ(s.LimitToY(40.5), 268);  // the level is not rounded before scaling
}

TEST(GraphScale, FrequenciesBelowTenHertzAndOutsideTheSpan) {
  const GraphScale s = Scale(0, 30e6, 1100e6);
  EXPECT_EQ(s.FreqToX(30e6), 120);
  EXPECT_EQ(s.FreqToX(565e6), 370);
  EXPECT_EQ(s.FreqToX(1100e6), 620);
  EXPECT_EQ(s.FreqToX(2e9), 620);
  EXPECT_EQ(s.FreqToX(1e6), 120);
  EXPECT_EQ(s.FreqToX(0), 120);
  EXPECT_EQ(s.FreqToX(-5), 120);
  // Below 10 Hz is placed as 10 Hz: on a span starting at 0 that is still the left edge.
  const GraphScale fromZero = Scale(0, 0, 1000);
  EXPECT_EQ(fromZero.FreqToX(3), fromZero.FreqToX(10));
  EXPECT_EQ(fromZero.FreqToX(10), 125);
  // At size 1 the scale is 500 pixels wide inside a 600-pixel plot.
  EXPECT_EQ(Scale(1, 30e6, 1100e6).FreqToX(1100e6), 620);
  EXPECT_EQ(Scale(1, 30e6, 1100e6).FreqToX(2140e6), 720);
}

TEST(GraphScale, DegenerateSpansMapToTheLeftEdge) {
  EXPECT_EQ(Scale(0, 30e6, 30e6).FreqToX(500e6), 120);
  EXPECT_EQ(Scale(0, 50e6, 30e6).FreqToX(40e6), 120);
  EXPECT_EQ(Scale(0, 0, 30e6, true).FreqToX(1e6), 120);
  EXPECT_EQ(Scale(0, 30e6, 30e6, true).FreqToX(1e9), 120);
  // A one-hertz span must not overflow the pixel arithmetic.
  EXPECT_EQ(Scale(0, 30e6, 30e6 + 1).FreqToX(1e9), 620);
  EXPECT_EQ(Scale(0, 30e6, 30e6 + 1, true).FreqToX(10), 120);
  EXPECT_EQ(Scale(0, 30e6, 30e6).HzPerPixel(), 0);
  EXPECT_DOUBLE_EQ(Scale(0, 0, 30e6, true).XToFrequency(300), 0);
}

TEST(GraphScale, LogarithmicAxis) {
  const GraphScale s = Scale(0, 30e6, 1000e6, true);
  EXPECT_EQ(s.FreqToX(30e6), 120);
  EXPECT_EQ(s.FreqToX(100e6), 292);
  EXPECT_EQ(s.FreqToX(750e6), 579);
  EXPECT_EQ(s.FreqToX(1000e6), 620);
  // The inverse lands within a pixel's worth of frequency.
  for (int x : {120, 200, 292, 450, 619}) EXPECT_EQ(s.FreqToX(s.XToFrequency(x)), x);
}

TEST(GraphScale, LinearInverseUsesWholeHertzPerPixel) {
  const GraphScale s = Scale(0, 30e6, 1100e6);
  EXPECT_EQ(s.HzPerPixel(), 2140000);
  EXPECT_DOUBLE_EQ(s.XToFrequency(170), 137000000);
  EXPECT_DOUBLE_EQ(s.XToFrequency(130), 51400000);
  // 10 kHz to 30 MHz: 59980 Hz per pixel, truncated.
  EXPECT_EQ(Scale(0, 10000, 30000000).HzPerPixel(), 59980);
}

TEST(GraphScale, InsertionLossScaleAndDbmShift) {
  GraphScale s = Scale(0, 30e6, 1100e6);
  EXPECT_EQ(s.InsertionLossToY(0), 190);
  EXPECT_EQ(s.InsertionLossToY(10), 150);
  EXPECT_EQ(s.InsertionLossToY(-7), 218);
  EXPECT_EQ(s.InsertionLossToY(-60), 350);
  EXPECT_EQ(s.InsertionLossToY(60), 50);
  s.dbmShift = 12;
  EXPECT_EQ(s.InsertionLossToY(0), 202);
  EXPECT_EQ(s.InsertionLossToY(5), 182);
  EXPECT_EQ(s.GridLineY(1), 322);
  // Size 2: 67 pixels a division.
  EXPECT_EQ(Scale(2, 30e6, 1100e6).InsertionLossToY(0), 302);
  EXPECT_EQ(Scale(2, 30e6, 1100e6).InsertionLossToY(10), 235);
}

TEST(GraphScale, ScaleFromState) {
  MeasurementState state;
  state.startFrequencyHz = 30000000;
  state.finishFrequencyHz = 1100000000;
  state.preampGainDb = 10;
  state.attenuationDb = 30;
  state.levelOffsetDb = -10;
  test::FakeInputs inputs;
  EXPECT_EQ(RefLevel(state, inputs), 30);
  inputs.nx20 = true;
  inputs.lisnDb = 20;
  inputs.offsetDb = -5;
  EXPECT_EQ(RefLevel(state, inputs), 55);

  state.dbmUnits = true;
  EXPECT_EQ(MakeScale(state, inputs).dbmShift, 12);
  state.displaySize = 2;
  EXPECT_EQ(MakeScale(state, inputs).division, 67);
  EXPECT_EQ(MakeScale(state, inputs).dbmShift, 20);
}

TEST(GraphTexts, LinearFrequencyLabels) {
  const auto wide = LinearFrequencyLabels(30000000, 1100000000);
  EXPECT_EQ(wide[0], "   30");
  EXPECT_EQ(wide[1], "  137");
  EXPECT_EQ(wide[9], "  993 MHz");
  EXPECT_EQ(wide[10], " 1100");
  const auto five = LinearFrequencyLabels(10000000, 15000000);
  EXPECT_EQ(five[0], "10.00");
  EXPECT_EQ(five[1], "10.50");
  EXPECT_EQ(five[9], "14.50 MHz");
  const auto fifty = LinearFrequencyLabels(30000000, 80000000);
  EXPECT_EQ(fifty[0], " 30.0");
  EXPECT_EQ(fifty[3], " 45.0");
  // Above 999999999 Hz there is no room for decimals, whatever the span.
  EXPECT_EQ(LinearFrequencyLabels(995000000, 1000000000)[0], "  995");
  EXPECT_EQ(LinearFrequencyLabels(995000000, 999999999)[0], "995.00");
}

TEST(GraphTexts, CursorFrequencyFormats) {
  EXPECT_EQ(CursorFrequencyText(50000), "50 KHz");
  EXPECT_EQ(CursorFrequencyText(99999), "100 KHz");
  EXPECT_EQ(CursorFrequencyText(100000), "0.1000 MHz");
  EXPECT_EQ(CursorFrequencyText(999999), "1.0000 MHz");
  EXPECT_EQ(CursorFrequencyText(1000000), "1.000 MHz");
  EXPECT_EQ(CursorFrequencyText(2500000), "2.500 MHz");
  EXPECT_EQ(CursorFrequencyText(10000000), "10.00 MHz");
  EXPECT_EQ(CursorFrequencyText(137000000), "137.00 MHz");
}

TEST(GraphTexts, ProcessingLabelAndCaptions) {
  MeasurementState state;
  test::FakeSingle single;
  const char* expected[] = {"No Process", "Av. of 8", "Av. of 16", "Av. of 32", "Peak Hold"};
  for (int mode = 0; mode <= 4; ++mode) {
    state.processingMode = mode;
    EXPECT_EQ(ProcessingLabel(state, single), expected[mode]);
  }
  state.measurementMode = 2;
  EXPECT_EQ(ProcessingLabel(state, single), "Instant");
  single.detector = 2;
  EXPECT_EQ(ProcessingLabel(state, single), "Quasi Pk");

  state.logFrequencyAxis = true;
  state.dbmUnits = true;
  state.detector = 3;
  const GraphCaptions c = CaptionsFor(state);
  EXPECT_EQ(c.logButton, "Lin");
  EXPECT_EQ(c.unitsButton, "dBuV");
  EXPECT_EQ(c.detectorLabel, "QUASI-PEAK");
  EXPECT_FALSE(c.processingEnabled);
  EXPECT_FALSE(c.averagingEnabled);
}

}  // namespace
}  // namespace tq
