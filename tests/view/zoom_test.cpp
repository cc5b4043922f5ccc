#include <gtest/gtest.h>

#include "GraphFixture.h"

namespace tq::test {
namespace {

using Call = RecordingCanvas::Call;

class ZoomTest : public GraphTest {
 protected:
  // Press at x0, hold past the 500 ms, move to x1 and release there, mid-height.
  void Drag(int x0, int x1, double holdMs = 600) {
    pointer_.FormMouseDown(canvas_, x0, 200);
    ticks_.advance(holdMs);
    pointer_.FormMouseMove(canvas_, x1, 200);
    pointer_.FormMouseUp(canvas_, x1, 200);
  }
  std::vector<Call> ZoomLines() const {
    std::vector<Call> found;
    for (const Call& l : canvas_.lines())
      if (l.penMode == PenMode::NotXor) found.push_back(l);
    return found;
  }
};

TEST_F(ZoomTest, RightDragMovesTheStartLeftDragTheFinish) {
  Drag(150, 170);
  EXPECT_EQ(state_.startFrequencyHz, 137000000);
  EXPECT_EQ(state_.finishFrequencyHz, 1100000000);
  // The step grid and the traces follow the new span.
  EXPECT_FLOAT_EQ(state_.stepFrequencyHz[0], 137000000.0f);
  EXPECT_GE(view_.repaints, 1);

  state_.startFrequencyHz = 30000000;
  Drag(300, 130);
  EXPECT_EQ(state_.startFrequencyHz, 30000000);
  EXPECT_EQ(state_.finishFrequencyHz, 51400000);
  EXPECT_TRUE(prompts_.asked().empty());
}

TEST_F(ZoomTest, QuickClicksAndSmallDragsNeverZoom) {
  Drag(150, 400, 400);  // released before the 500 ms
  Drag(150, 155);       // within the dead band
  Drag(150, 145);
  EXPECT_EQ(state_.startFrequencyHz, 30000000);
  EXPECT_EQ(state_.finishFrequencyHz, 1100000000);
  EXPECT_TRUE(ZoomLines().empty());
  Drag(150, 156);
  EXPECT_EQ(state_.startFrequencyHz, 30000000 + 36 * 2140000);
}

TEST_F(ZoomTest, APressAfterAnEarlierOneWaitsTheFullHalfSecondAgain) {
  pointer_.FormMouseDown(canvas_, 150, 200);
  ticks_.advance(400);
  pointer_.FormMouseUp(canvas_, 150, 200);
  pointer_.FormMouseDown(canvas_, 150, 200);
  ticks_.advance(200);  // 600 ms after the first press, 200 after this one
  pointer_.FormMouseMove(canvas_, 300, 200);
  pointer_.FormMouseUp(canvas_, 300, 200);
  EXPECT_EQ(state_.startFrequencyHz, 30000000);
}

TEST_F(ZoomTest, ZoomLineIsDrawnInNotXorAndErasedAsItMoves) {
  pointer_.FormMouseDown(canvas_, 150, 200);
  ticks_.advance(600);
  pointer_.FormMouseMove(canvas_, 200, 200);
  pointer_.FormMouseMove(canvas_, 210, 200);
  pointer_.FormMouseMove(canvas_, 700, 200);  // outside the plot: nothing drawn
  const auto lines = ZoomLines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].x0, 200);
  EXPECT_EQ(lines[1].x0, 200);  // drawn again to erase it
  EXPECT_EQ(lines[2].x0, 210);
  for (const Call& l : lines) {
    EXPECT_EQ(l.penColour, kZoomLime);
    EXPECT_EQ(l.penWidth, 3);
    EXPECT_EQ(l.y0, 50);
    EXPECT_EQ(l.y1, 350);
  }
  EXPECT_EQ(pointer_.lastLineX(), 210);
  EXPECT_FALSE(pointer_.lineNotDrawn());
  pointer_.FormMouseUp(canvas_, 210, 200);
  EXPECT_FALSE(pointer_.dragging());
}

TEST_F(ZoomTest, LogAxisWarnsOncePerPressAndNeverZooms) {
  state_.logFrequencyAxis = true;
  state_.logSpanIndex = 2;
  state_.finishFrequencyHz = 1000000000;
  pointer_.FormMouseDown(canvas_, 150, 200);
  ticks_.advance(600);
  pointer_.FormMouseMove(canvas_, 200, 200);
  pointer_.FormMouseMove(canvas_, 250, 200);
  pointer_.FormMouseUp(canvas_, 250, 200);
  EXPECT_EQ(prompts_.messages(), std::vector<std::string>{"Zooming not Available in Log Mode"});
  // Moving without a press after the release asks nothing more.
  pointer_.FormMouseMove(canvas_, 300, 200);
  EXPECT_EQ(prompts_.messages().size(), 1u);
  Drag(150, 300);
  EXPECT_EQ(prompts_.messages().size(), 2u);
  EXPECT_EQ(state_.startFrequencyHz, 30000000);
  EXPECT_EQ(state_.finishFrequencyHz, 1000000000);
}

TEST_F(ZoomTest, SpanLimits) {
  // A left drag released left of the plot leaves no span: the minimum HIGH span.
  Drag(300, 110);
  EXPECT_EQ(prompts_.messages(), std::vector<std::string>{"Maximum Zoom Allowed"});
  EXPECT_EQ(state_.finishFrequencyHz, 40000000);

  // A right drag leaving less than 20 MHz widens the finish, without a message.
  prompts_.clear();
  state_.startFrequencyHz = 30000000;
  state_.finishFrequencyHz = 100000000;
  Drag(150, 600);
  EXPECT_EQ(state_.startFrequencyHz, 97200000);
  EXPECT_EQ(state_.finishFrequencyHz, 117200000);
  EXPECT_TRUE(prompts_.asked().empty());

  // HIGH start never passes 1080 MHz.
  state_.startFrequencyHz = 30000000;
  state_.finishFrequencyHz = 1100000000;
  Drag(150, 619);
  EXPECT_EQ(state_.startFrequencyHz, 1080000000);
  EXPECT_EQ(state_.finishFrequencyHz, 1100000000);

  // LOW: the finish stays within 0.5 to 30 MHz, half a megahertz above the start.
  state_.highRange = false;
  state_.startFrequencyHz = 10000;
  state_.finishFrequencyHz = 30000000;
  Drag(400, 121);
  EXPECT_EQ(state_.finishFrequencyHz, 510000);
  state_.finishFrequencyHz = 30000000;
  Drag(102, 110);  // released left of the plot: the start cannot go below 10 kHz
  EXPECT_EQ(state_.startFrequencyHz, 10000);
}

TEST_F(ZoomTest, ReleaseBeyondTheScaleAtSize1KeepsStartBelowFinish) {
  state_.displaySize = 1;
  state_.highRange = false;
  state_.startFrequencyHz = 10000;
  state_.finishFrequencyHz = 30000000;
  Drag(150, 700);
  EXPECT_LT(state_.startFrequencyHz, state_.finishFrequencyHz);
}

TEST_F(ZoomTest, NothingHappensWhileARunIsInProgress) {
  state_.runInProgress = true;
  Drag(150, 300);
  EXPECT_EQ(state_.startFrequencyHz, 30000000);
  EXPECT_TRUE(ZoomLines().empty());
  EXPECT_EQ(view_.repaints, 0);
}

TEST_F(ZoomTest, PeakHoldSequenceRestartsOnZoom) {
  edit([&](TraceData& d) { d.peakHoldCarry = true; });
  state_.processingMode = 4;
  state_.scansDone = 7;
  edit([&](TraceData& d) { d.accumulator.fill(50.0f); });
  Drag(150, 300);
  EXPECT_EQ(state_.scansDone, 1);
  EXPECT_EQ(state_.processingMode, 0);
  EXPECT_EQ(traces_.data().accumulator[100], 0.0f);
}

TEST_F(ZoomTest, SingleFrequencyPickShowsAndHandsOverTheFrequency) {
  state_.measurementMode = 1;
  pointer_.FormMouseMove(canvas_, 170, 200);
  EXPECT_EQ(model_.frequencyBoxText, "137.0000 MHz");
  pointer_.FormMouseDown(canvas_, 170, 200);
  EXPECT_FALSE(pointer_.dragging());
  pointer_.FormMouseUp(canvas_, 170, 200);
  EXPECT_EQ(client_.picked, 137000000);
  EXPECT_EQ(state_.startFrequencyHz, 30000000);
}

TEST_F(ZoomTest, LogLinButtonAndLevelArrows) {
  pointer_.Button3Click();
  EXPECT_TRUE(state_.logFrequencyAxis);
  EXPECT_EQ(state_.logSpanIndex, 2);
  EXPECT_EQ(state_.finishFrequencyHz, 1000000000);
  pointer_.Button3Click();
  EXPECT_FALSE(state_.logFrequencyAxis);
  state_.highRange = false;
  pointer_.Button3Click();
  EXPECT_EQ(state_.startFrequencyHz, 100000);
  EXPECT_EQ(state_.finishFrequencyHz, 30000000);

  pointer_.BitBtn7Click();
  pointer_.BitBtn7Click();
  pointer_.BitBtn8Click();
  EXPECT_EQ(state_.levelOffsetDb, 10);
  EXPECT_EQ(view_.repaints, 6);
}

}  // namespace
}  // namespace tq::test
