#include <gtest/gtest.h>

#include "GraphFixture.h"

namespace tq::test {
namespace {

using Call = RecordingCanvas::Call;

class ValueCursorTest : public GraphTest {
 protected:
  std::vector<int> CursorXs() const {
    std::vector<int> xs;
    for (const Call& l : canvas_.lines()) {
      if (l.penMode != PenMode::NotXor) continue;
      EXPECT_EQ(l.penColour, kCursorGreen);
      EXPECT_EQ(l.y0, 50);
      EXPECT_EQ(l.y1, 350);
      xs.push_back(l.x0);
    }
    return xs;
  }
  void Key(GraphKey key, bool alt = true) { pointer_.FormKeyDown(canvas_, key, alt); }
};

TEST_F(ValueCursorTest, AltArrowsMoveOneLineAcrossThePlot) {
  edit([&](TraceData& d) {
    d.currentTrace[2] = 41;
    d.differenceTrace[2] = -3;
    d.storeTrace[2] = 44;
    d.archiveTrace[2] = 50;
  });
  Key(GraphKey::Up);
  EXPECT_EQ(view_.valuesWindowShows, 1);
  EXPECT_EQ(CursorXs(), std::vector<int>{120});
  EXPECT_EQ(view_.values.frequency, "30.00 MHz");

  Key(GraphKey::Right);
  Key(GraphKey::Right);
  // Each move draws over the old line (erasing it) and then the new one.
  EXPECT_EQ(CursorXs(), (std::vector<int>{120, 120, 121, 121, 122}));
  EXPECT_EQ(pointer_.valueCursorX(), 122);
  // 34.28 MHz: point 2 is the first at or above it.
  EXPECT_EQ(view_.values, (ValueTexts{"34.28 MHz", "41", "-3", "44", "50"}));

  canvas_.clear();
  Key(GraphKey::Left);
  Key(GraphKey::Left);
  Key(GraphKey::Left);  // stops at the left edge
  EXPECT_EQ(pointer_.valueCursorX(), 120);
  EXPECT_EQ(CursorXs(), (std::vector<int>{122, 121, 121, 120, 120, 120}));
}

TEST_F(ValueCursorTest, AltUpAgainLeavesNoStaleLine) {
  Key(GraphKey::Up);
  for (int i = 0; i < 10; ++i) Key(GraphKey::Right);
  canvas_.clear();
  Key(GraphKey::Up);
  EXPECT_EQ(CursorXs(), (std::vector<int>{130, 120}));
  Key(GraphKey::Right);
  EXPECT_EQ(CursorXs(), (std::vector<int>{130, 120, 120, 121}));
}

TEST_F(ValueCursorTest, CursorStopsAtTheRightEdge) {
  Key(GraphKey::Up);
  for (int i = 0; i < 510; ++i) Key(GraphKey::Right);
  EXPECT_EQ(pointer_.valueCursorX(), 620);
}

TEST_F(ValueCursorTest, ArrowsWithoutAltAloneAreIgnored) {
  Key(GraphKey::Up, false);
  Key(GraphKey::Right, false);
  Key(GraphKey::Other);
  EXPECT_EQ(view_.valuesWindowShows, 0);
  EXPECT_TRUE(canvas_.lines().empty());
}

TEST_F(ValueCursorTest, EscapeHidesTheWindowAndRepaints) {
  Key(GraphKey::Up);
  Key(GraphKey::Escape, false);
  EXPECT_EQ(view_.valuesWindowHides, 1);
  EXPECT_EQ(view_.repaints, 1);
  EXPECT_FALSE(pointer_.valuesShown());
  // The repaint wiped the line: the next move draws without erasing.
  pointer_.GraphRepainted();
  canvas_.clear();
  Key(GraphKey::Right);
  EXPECT_EQ(CursorXs(), std::vector<int>{121});
}

TEST_F(ValueCursorTest, ValuesAboveTheLastStepAreUnknown) {
  // The grid ends at 500 MHz; the cursor reads 1100 MHz.
  for (std::size_t n = 0; n < 501; ++n) state_.stepFrequencyHz[n] = 30e6f + n * 940000.0f;
  const ValueTexts v = ReadValues(state_, traces_.data(), 1100e6);
  EXPECT_EQ(v, (ValueTexts{"1100.00 MHz", "?", "?", "?", "?"}));
  // The search stops at point 500: the last point itself is never read.
  EXPECT_EQ(ReadValues(state_, traces_.data(), 499.5e6).current, "?");
  EXPECT_EQ(ReadValues(state_, traces_.data(), 498e6).current, "0");
}

TEST_F(ValueCursorTest, LowFrequencyTexts) {
  state_.highRange = false;
  state_.startFrequencyHz = 10000;
  state_.finishFrequencyHz = 30000000;
  FillDisplayGrid(state_);
  Key(GraphKey::Up);
  EXPECT_EQ(view_.values.frequency, "10 KHz");
  Key(GraphKey::Right);
  EXPECT_EQ(view_.values.frequency, "70 KHz");
  for (int i = 0; i < 40; ++i) Key(GraphKey::Right);
  EXPECT_EQ(view_.values.frequency, "2.469 MHz");  // 10000 + 41 * 59980
}

TEST_F(ValueCursorTest, ZoomReturnsTheCursorToTheLeftEdge) {
  Key(GraphKey::Up);
  for (int i = 0; i < 30; ++i) Key(GraphKey::Right);
  pointer_.FormMouseDown(canvas_, 150, 200);
  ticks_.advance(600);
  pointer_.FormMouseMove(canvas_, 170, 200);
  pointer_.FormMouseUp(canvas_, 170, 200);
  EXPECT_EQ(pointer_.valueCursorX(), 120);
  EXPECT_TRUE(pointer_.lineNotDrawn());
  EXPECT_EQ(view_.values.frequency, "137.00 MHz");
}

TEST_F(ValueCursorTest, ValuesMenuShowsTheWindowWithCurrentValues) {
  pointer_.Values1Click();
  EXPECT_EQ(view_.valuesWindowShows, 1);
  EXPECT_EQ(view_.values.frequency, "30.00 MHz");
  EXPECT_TRUE(canvas_.lines().empty());
}

}  // namespace
}  // namespace tq::test
