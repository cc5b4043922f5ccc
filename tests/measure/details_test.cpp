#include "measure/Details.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

TEST(Details, DelimiterIsTheFirstCharacterAndABlankMeansSemicolon) {
  EXPECT_EQ(DelimiterFromField(","), ",");
  EXPECT_EQ(DelimiterFromField("\t"), "\t");
  EXPECT_EQ(DelimiterFromField(" "), ";");
  EXPECT_EQ(DelimiterFromField(""), ";");
  EXPECT_TRUE(IsInvalidDelimiterField(" "));
  EXPECT_FALSE(IsInvalidDelimiterField(";"));
}

TEST(Details, DefaultPathAlwaysEndsWithABackslashWithin64Characters) {
  EXPECT_EQ(DefaultPathFromField("d:\\emc"), "d:\\emc\\");
  EXPECT_EQ(DefaultPathFromField("d:\\emc\\"), "d:\\emc\\");
  EXPECT_EQ(DefaultPathFromField(""), "\\");
  const std::string longPath = "c:\\" + std::string(100, 'x');
  const std::string cut = DefaultPathFromField(longPath);
  EXPECT_EQ(cut.size(), 64u);
  EXPECT_EQ(cut.back(), '\\');
  EXPECT_EQ(cut.substr(0, 63), longPath.substr(0, 63));
}

}  // namespace
}  // namespace tq
