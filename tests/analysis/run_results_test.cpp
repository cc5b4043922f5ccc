// An earlier run's summary read back as the baseline of a later one.
#include <gtest/gtest.h>

#include "analysis/RunResults.h"

namespace tq {
namespace {

PeakRow Row(int point, double margin) {
  PeakRow r;
  r.point = point;
  r.peak = {'P', point * 1e6, 40 + margin, 0, 40 + margin};
  r.base = {true, 'Q', 40, margin, 'P', margin > 0 ? Verdict::Fail : Verdict::Pass};
  r.verdict = r.base.verdict;
  return r;
}

// Each emission of the new sweep meets the nearest unused one of the baseline within the
// tolerance; a margin shrinking by more than the allowed change is a regression; what the
// baseline lacks, or gives as a number out of all range, matches nothing.
TEST(RunResultsTest, MarginsAreComparedWithTheNearestEmissionOfTheBaseline) {
  PeakTable then;
  then.rows = {Row(100, -10), Row(200, -8), Row(300, -6)};
  Json thenTest = Json::Object{{"peak_table", PeakTableJson(then, {})}};
  // The summary goes through its text, as a later run reads it; one peak's point is damaged.
  std::string text = thenTest.Write();
  const std::size_t at = text.find("\"point\": 300");
  ASSERT_NE(at, std::string::npos);
  text.replace(at, 12, "\"point\": 1e300");
  const auto read = ParseJson(text);
  ASSERT_TRUE(read.has_value());

  PeakTable now;
  now.rows = {Row(101, -5.5), Row(197, -7), Row(300, -6), Row(400, -20)};
  const auto trends = CompareWithBaseline(now, *read, 5, 3.0);
  ASSERT_EQ(trends.size(), 4u);
  EXPECT_TRUE(trends[0].matched);
  EXPECT_DOUBLE_EQ(trends[0].baselineMarginDb, -10);
  EXPECT_DOUBLE_EQ(trends[0].changeDb, -4.5);
  EXPECT_TRUE(trends[0].regressed);
  EXPECT_TRUE(trends[1].matched);
  EXPECT_FALSE(trends[1].regressed);  // 1 dB closer is within 3 dB
  EXPECT_FALSE(trends[2].matched);    // its baseline point was damaged
  EXPECT_FALSE(trends[3].matched);    // new
}

// A summary that is not JSON, or nests without end, is refused rather than read in part.
TEST(RunResultsTest, ABaselineThatIsNotOneJsonValueIsRefused) {
  for (const std::string& bad :
       {std::string("{\"tests\": [}"), std::string("{} {}"),
        std::string(100, '[') + std::string(100, ']'), std::string("[1,]")}) {
    EXPECT_FALSE(ParseJson(bad).has_value()) << bad;
  }
  EXPECT_TRUE(ParseJson(std::string(60, '[') + std::string(60, ']')).has_value());
}

}  // namespace
}  // namespace tq
