// The scan engine's handling of each measured point, played byte by byte.
#include "measure/EngineFixture.h"

namespace tq::test {
namespace {

TEST_F(EngineTest, EachPointIsMarkedAndCompressionStandsInForTheRunStatus) {
  state_.runInProgress = state_.runActive = true;
  model_.statusText = "SCANNING";
  model_.lampColour = kClGreen;
  dataFrame(0, 30000000, 500);
  dataFrame(0, 32140000, 500);
  EXPECT_EQ(traces_.data().stepStatus[0], 0);  // the first point has no strip
  EXPECT_EQ(traces_.data().stepStatus[1], 1);
  EXPECT_EQ(view_.plottedPoints, 2);

  state_.instrumentCompression = true;
  const int changes = view_.modelChanges;
  dataFrame(0, 34280000, 500);
  EXPECT_EQ(model_.statusText, "COMPRESSION");
  EXPECT_EQ(model_.lampColour, kClRed);
  EXPECT_EQ(traces_.data().stepStatus[2], 2);
  EXPECT_EQ(features_.ers.compressedPoints, 1);
  dataFrame(0, 36420000, 500);
  EXPECT_EQ(features_.ers.compressedPoints, 2);
  EXPECT_GT(view_.modelChanges, changes);

  // The peak detector's run status comes back with the first clean point.
  state_.instrumentCompression = false;
  dataFrame(0, 38560000, 500);
  EXPECT_EQ(model_.statusText, "SCANNING");
  EXPECT_EQ(model_.lampColour, kClGreen);
  EXPECT_EQ(traces_.data().stepStatus[4], 1);
}

}  // namespace
}  // namespace tq::test
