#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "traces/TraceFixture.h"

namespace tq::test {
namespace {

class TraceDifferenceTest : public TraceSetTest {
 protected:
  std::string Listing() const {
    std::ifstream in(work() / "tim1.csv", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // Points 0 and 1 lie within the ERS tables, the rest above them.
  void ErsGrid() {
    state_.stepFrequencyHz.fill(1100000000.0f);
    state_.stepFrequencyHz[0] = 999000000.0f;
    state_.stepFrequencyHz[1] = 1000000000.0f;
    state_.stepFrequencyHz[2] = 1000000064.0f;  // the next float above 1000 MHz
    state_.stepFrequencyHz[3] = 29000000.0f;    // below the tables
  }
  void ApplyErs() {
    features_.ers.applied = true;
    features_.ers.correction = [](float f) { return f < 999500000.0f ? 2.5f : -1.5f; };
  }
};

TEST_F(TraceDifferenceTest, InsertionLossIsPlainSubtractionOverEveryPoint) {
  state_.differenceInsertionLoss = true;
  edit([&](TraceData& d) {
    d.currentTrace[0] = 50;
    d.storeTrace[0] = 40;
    d.currentTrace[1] = 30;
    d.storeTrace[1] = 45;
    d.storeTrace[500] = 10;
  });
  traces_.ComputeDifference();
  EXPECT_EQ(traces_.data().differenceTrace[0], 10);
  EXPECT_EQ(traces_.data().differenceTrace[1], -15);
  EXPECT_EQ(traces_.data().differenceTrace[500], -10);
}

// Every emissions computation rewrites the listing; without ERS it holds its header alone.
TEST_F(TraceDifferenceTest, EmissionsStopBeforeTheLastPointAndListOnlyTheHeaderWithoutErs) {
  edit([&](TraceData& d) {
    d.currentTrace.fill(60);
    d.storeTrace.fill(50);
    d.differenceTrace[500] = 99;
  });
  traces_.ComputeDifference();
  EXPECT_EQ(traces_.data().differenceTrace[0], 57);
  EXPECT_EQ(traces_.data().differenceTrace[499], 57);
  EXPECT_EQ(traces_.data().differenceTrace[500], 99);
  EXPECT_EQ(Listing(), "   Freq MHz    Corr.  Current   Diff\r\n");
  EXPECT_TRUE(prompts_.asked().empty());
}

TEST_F(TraceDifferenceTest, ErsCorrectionBelowOneThousandMegahertzIsAddedAndListed) {
  ErsGrid();
  ApplyErs();
  edit([&](TraceData& d) {
    d.currentTrace[0] = 50;
    d.storeTrace[0] = 40;
    d.currentTrace[1] = 40;
    d.storeTrace[1] = 40;
    d.currentTrace[2] = 40;
    d.storeTrace[2] = 40;
    d.currentTrace[3] = 40;
    d.storeTrace[3] = 40;
  });
  traces_.ComputeDifference();
  EXPECT_EQ(traces_.data().differenceTrace[0], 49);  // 47 + 2.5 rounded to 2
  EXPECT_EQ(traces_.data().differenceTrace[1], -2);  // 0 - 1.5 rounded to -2
  EXPECT_EQ(traces_.data().differenceTrace[2], 0);   // above the tables
  EXPECT_EQ(traces_.data().differenceTrace[3], 0);   // below them
  EXPECT_EQ(Listing(),
            "   Freq MHz    Corr.  Current   Diff\r\n"
            "       999.0,   2.5,    50,    49\r\n"
            "      1000.0,  -1.5,    40,    -2\r\n");

  // Each computation rewrites it.
  edit([&](TraceData& d) { d.currentTrace[0] = 40; });
  traces_.ComputeDifference();
  EXPECT_EQ(Listing(),
            "   Freq MHz    Corr.  Current   Diff\r\n"
            "       999.0,   2.5,    40,     2\r\n"
            "      1000.0,  -1.5,    40,    -2\r\n");

  // Insertion loss takes no ERS correction.
  state_.differenceInsertionLoss = true;
  traces_.ComputeDifference();
  EXPECT_EQ(traces_.data().differenceTrace[1], 0);
}

TEST_F(TraceDifferenceTest, ListingFailureIsReportedOncePerRunAndNeverStopsTheComputation) {
  std::filesystem::remove_all(work());
  ErsGrid();
  ApplyErs();
  edit([&](TraceData& d) {
    d.currentTrace[0] = 50;
    d.storeTrace[0] = 40;
  });
  traces_.StartOfRun();
  traces_.ComputeDifference();
  traces_.ComputeDifference();
  EXPECT_EQ(traces_.data().differenceTrace[0], 49);
  ASSERT_EQ(prompts_.asked().size(), 1u);
  EXPECT_EQ(prompts_.asked()[0].kind, MessageKind::Warning);
  EXPECT_EQ(prompts_.asked()[0].buttons, Buttons::Ok);

  traces_.StartOfRun();
  traces_.ComputeDifference();
  EXPECT_EQ(prompts_.asked().size(), 2u);
}

TEST_F(TraceDifferenceTest, SingleFrequencySampleAgainstTheStoredLevelAtThatFrequency) {
  state_.measurementMode = 2;
  state_.stepIndex = 3;
  edit([&](TraceData& d) {
    d.singleFrequencyTrace[3] = 60;
    d.singleFrequencyStoreIndex = 7;
    d.storeTrace[7] = 50;
    d.currentTrace.fill(80);  // the sweep traces are left alone
  });

  traces_.ComputeDifference();
  EXPECT_EQ(traces_.data().singleFrequencyDifference[3], 57);
  EXPECT_EQ(traces_.data().differenceTrace[0], 0);

  // ERS only with "Use ERS Correction" on and below 1000 MHz.
  features_.ers.applied = true;
  features_.ers.correction = [](float) { return 3.5f; };
  features_.single.hz = 500000000;
  traces_.ComputeDifference();
  EXPECT_EQ(traces_.data().singleFrequencyDifference[3], 57);
  features_.single.usesErs = true;
  traces_.ComputeDifference();
  EXPECT_EQ(traces_.data().singleFrequencyDifference[3], 61);
  features_.single.hz = 1050000000;
  traces_.ComputeDifference();
  EXPECT_EQ(traces_.data().singleFrequencyDifference[3], 57);

  state_.differenceInsertionLoss = true;
  traces_.ComputeDifference();
  EXPECT_EQ(traces_.data().singleFrequencyDifference[3], 10);
  EXPECT_FALSE(std::filesystem::exists(work() / "tim1.csv"));
}

TEST_F(TraceDifferenceTest, SingleFrequencyIndicesOffTheTraceAreSafe) {
  state_.measurementMode = 2;
  state_.differenceInsertionLoss = true;
  state_.stepIndex = 0;
  edit([&](TraceData& d) {
    d.singleFrequencyTrace[0] = 30;
    d.singleFrequencyStoreIndex = 900;  // no stored level there
  });
  traces_.ComputeDifference();
  EXPECT_EQ(traces_.data().singleFrequencyDifference[0], 30);
  state_.stepIndex = 501;
  traces_.ComputeDifference();  // nothing to write, nothing read past the end
  SUCCEED();
}

TEST_F(TraceDifferenceTest, StoreFreezesCurrentAndLeavesTheDifferenceZero) {
  SetGrid(30000000.0, 2140000.0);
  edit([&](TraceData& d) {
    for (std::size_t n = 0; n < kTracePoints; ++n) d.currentTrace[n] = 20 + n % 40;
  });
  edit([&](TraceData& d) { d.storeTrace.fill(10); });
  traces_.ComputeDifference();
  edit([&](TraceData& d) {
    d.singleFrequencyDifference[4] = 12;
    d.currentErsCorrected = true;
  });
  const int repaints = view_.repaints;

  traces_.StoreCurrent();
  EXPECT_EQ(traces_.data().storeTrace, traces_.data().currentTrace);
  EXPECT_EQ(traces_.data().storeSource.levels, traces_.data().currentTrace);
  for (std::size_t n = 0; n < kTracePoints; ++n) {
    ASSERT_EQ(traces_.data().storeSource.frequenciesHz[n], state_.stepFrequencyHz[n]);
    ASSERT_EQ(traces_.data().differenceTrace[n], 0);
    ASSERT_EQ(traces_.data().singleFrequencyDifference[n], 0);
  }
  EXPECT_TRUE(traces_.data().storeErsCorrected);
  EXPECT_TRUE(model_.showStore);
  EXPECT_TRUE(model_.differenceEnabled);
  EXPECT_GT(view_.repaints, repaints);

  // Choosing the difference mode again recomputes it.
  edit([&](TraceData& d) {
    d.currentTrace[0] = 60;
    d.storeTrace[0] = 0;
  });
  traces_.SetDifferenceMode(false);
  EXPECT_EQ(traces_.data().differenceTrace[0], 60);
  traces_.SetDifferenceMode(true);
  EXPECT_TRUE(state_.differenceInsertionLoss);
  EXPECT_EQ(traces_.data().differenceTrace[0], 60);
  EXPECT_EQ(traces_.data().differenceTrace[1], 0);
}

}  // namespace
}  // namespace tq::test
