#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "corrections/LimitLevel.h"
#include "corrections/LimitReader.h"

namespace tq {
namespace {

std::string Block(const std::string& name, const std::string& body,
                  const std::string& distance = "DISTANCE 3", const std::string& kind = "MAINS") {
  return "LIMIT \"" + name + "\"\nDESCRIPTION d\nSTANDARD s\nIDENTIFICATION i\n" + distance + "\n" +
         kind + "\n" + body;
}

std::string Points(int n) {
  std::string body;
  for (int i = 1; i <= n; ++i) body += std::to_string(i * 1000) + ",50,LINEAR\n";
  return body;
}

struct GrammarCase {
  const char* what;
  std::string text;
  int wanted;
  LimitReadResult result;
  std::string name;
  int entryCount;
  std::vector<LimitPoint> points;  // rows 1.. that must match
};

TEST(LimitReaderTest, LongBlockGrammar) {
  using R = LimitReadResult;
  const GrammarCase cases[] = {
      {"a comment line before a header is not a record",
       "; LIMIT \"not one\"\n" + Block("A", "END\n") + "junk outside records\n" +
           Block("B", "150000,66,LOG\n500000,56,LINEAR\nEND\n"),
       1,
       R::Loaded,
       "B",
       3,
       {{150000, 66, 1}, {500000, 56, 0}}},
      {"record 0 is the first block",
       Block("First", "1000,1,LINEAR\nEND\n") + Block("Second", "END\n"),
       0,
       R::Loaded,
       "First",
       2,
       {{1000, 1, 0}}},
      {"only the second letter of the third field counts",
       Block("C",
             "1000,10,LOG\n2000,20,LINEAR\n3000,30,\n4000,40,FOO\n5000,50, LOG\n"
             "6000, 60,LOG\n7000,70\nEND\n"),
       0,
       R::Loaded,
       "C",
       8,
       {{1000, 10, 1},
        {2000, 20, 0},
        {3000, 30, 0},
        {4000, 40, 1},
        {5000, 50, 0},
        {6000, 60, 1},
        {7000, 0, 0},
        {0, 0, 0}}},
      {"garbage numbers keep what the conversion yields",
       Block("D", "abc,xyz,LOG\n12ab,34cd,LINEAR\n99999999999,-5,LINEAR\nEND\n"),
       0,
       R::Loaded,
       "D",
       4,
       {{0, 0, 1}, {12, 34, 0}, {2147483647, -5, 0}}},
      {"END with a blank runs on into the next record",
       Block("E", "1000,1,LINEAR\nEND \n") + Block("F", "2000,2,LINEAR\nEND\n"),
       0,
       R::Loaded,
       "E",
       10,
       {{1000, 1, 0}}},
      {"the swallowed record is not counted",
       Block("E", "END \n") + Block("F", "END\n"),
       1,
       R::NotFound,
       "",
       0,
       {}},
      {"99 points fit", Block("G", Points(99) + "END\n"), 0, R::Loaded, "G", 100, {}},
      {"100 points do not", Block("H", Points(100) + "END\n"), 0, R::Overflow, "H", 0, {}},
      {"a record without END at the end of the file",
       Block("I", "1000,1,LINEAR\n"),
       0,
       R::Overflow,
       "I",
       0,
       {}},
      {"a wanted record beyond the file", Block("J", "END\n"), 3, R::NotFound, "", 0, {}},
      {"a file without records", "hello\n\nworld", 0, R::NotFound, "", 0, {}},
      {"CR LF line ends",
       "LIMIT \"K\"\r\nDESCRIPTION d\r\nSTANDARD s\r\nIDENTIFICATION i\r\n"
       "DISTANCE 3\r\nMAINS\r\n1000,5,LOG\r\nEND\r\n",
       0,
       R::Loaded,
       "K",
       2,
       {{1000, 5, 1}}},
  };
  for (const GrammarCase& c : cases) {
    LimitTable t;
    EXPECT_EQ(ReadLimitRecord(c.text, LimitFileKind::BuiltIn, c.wanted, t), c.result) << c.what;
    EXPECT_EQ(t.name, c.name) << c.what;
    EXPECT_EQ(t.entryCount, c.entryCount) << c.what;
    for (std::size_t r = 0; r < c.points.size(); ++r)
      EXPECT_EQ(t.points[r + 1], c.points[r]) << c.what << " row " << r + 1;
  }
}

TEST(LimitReaderTest, FieldsByColumnAndTheDistanceLine) {
  struct Case {
    std::string distanceLine;
    float metres;
  };
  const Case cases[] = {{"DISTANCE 10", 10.0f},   {"DISTANCE  3.5 ", 3.5f}, {"DISTANCE abc", 3.0f},
                        {"DISTANCE 10m", 3.0f},   {"DISTANCE", 3.0f},       {"DISTANCE inf", 3.0f},
                        {"DISTANCE -1.5", -1.5f}, {"DISTANCE .5", 0.5f}};
  for (const Case& c : cases) {
    LimitTable t;
    ASSERT_EQ(ReadLimitRecord(Block("N", "END\n", c.distanceLine, "RADIATED"),
                              LimitFileKind::BuiltIn, 0, t),
              LimitReadResult::Loaded);
    EXPECT_FLOAT_EQ(t.limitDistanceM, c.metres) << c.distanceLine;
    EXPECT_TRUE(t.radiated);
  }
  // Columns: the name without its closing quote, the texts after their keywords; every
  // line cut at 128 characters and every text at its own length.
  const std::string longText(300, 'x');
  LimitTable t;
  ReadLimitRecord("LIMIT \"" + longText + "\"\nDESCRIPTION " + longText + "\nSTANDARD " + longText +
                      "\nIDENTIFICATION\nDISTANCE " + longText + "\nRADIATED \nEND\n",
                  LimitFileKind::BuiltIn, 0, t);
  EXPECT_EQ(t.name, std::string(64, 'x'));
  EXPECT_EQ(t.description, std::string(64, 'x'));
  EXPECT_EQ(t.standard, std::string(30, 'x'));
  EXPECT_EQ(t.distanceText.size(), 30u);
  EXPECT_FALSE(t.radiated);  // "RADIATED " is not the kind keyword
  ReadLimitRecord(
      "LIMIT \"Q\"\nDESCRIPTION  two blanks\nSTANDARD Not Used\nIDENTIFICATION\n"
      "DISTANCE 3\nMAINS\nEND\n",
      LimitFileKind::BuiltIn, 0, t);
  EXPECT_EQ(t.name, "Q");
  EXPECT_EQ(t.description, " two blanks");
  EXPECT_EQ(t.standard, "Not Used");
}

TEST(LimitReaderTest, UserAndVehicleFilesCountFromTheirOwnFirstRecord) {
  const std::string user = Block("One", "1000,1,LINEAR\nEND\n") + ";\n" +
                           Block("Two", "2000,2,LOG\n3000,3,LINEAR\nEND\n") +
                           Block("Three", "END\n");
  LimitTable t;
  t.name = "kept";
  t.points[60] = {7, 7, 1};
  std::vector<std::string> names;
  EXPECT_EQ(ReadLimitRecord(user, LimitFileKind::User, -1, t, &names), LimitReadResult::NotFound);
  EXPECT_EQ(names, (std::vector<std::string>{"One", "Two", "Three"}));
  EXPECT_EQ(t.name, "kept");
  names.clear();
  EXPECT_EQ(ReadLimitRecord(user, LimitFileKind::User, 202, t, &names), LimitReadResult::Loaded);
  EXPECT_EQ(names.size(), 3u);  // the list runs on past the wanted record
  EXPECT_EQ(t.name, "Two");
  EXPECT_EQ(t.recordNumber, 202);
  EXPECT_EQ(t.entryCount, 3);
  EXPECT_EQ(t.points[60], (LimitPoint{7, 7, 1}));  // rows past 50 are not zeroed

  const std::string vehicle =
      "LIMIT \"V100\"\nignored\nDISTANCE 1\nCONDUCTED\nEND\n"
      "LIMIT \"V101\"\nignored\nDISTANCE 1\nRADIATED\n150000,300000,70.5\n"
      "530000,2000000,60,\n26000000, 28000000,44.5,extra,fields\nx,y,z\nEND\n";
  EXPECT_EQ(ReadLimitRecord(vehicle, LimitFileKind::Vehicle, 101, t), LimitReadResult::Loaded);
  EXPECT_EQ(t.name, "V101");
  EXPECT_EQ(t.recordNumber, 101);
  EXPECT_TRUE(t.radiated);
  EXPECT_FLOAT_EQ(t.limitDistanceM, 1.0f);
  EXPECT_EQ(t.entryCount, 5);
  EXPECT_EQ(t.bands[1], (LimitBand{150000, 300000, 70.5f}));
  EXPECT_EQ(t.bands[2], (LimitBand{530000, 2000000, 60.0f}));
  EXPECT_EQ(t.bands[3], (LimitBand{26000000, 28000000, 44.5f}));
  EXPECT_EQ(t.bands[4], (LimitBand{0, 0, 0.0f}));
  std::string bands = "LIMIT \"W\"\nx\nDISTANCE 1\nRADIATED\n";
  for (int i = 0; i < 50; ++i) bands += "1,2,3\n";
  EXPECT_EQ(ReadLimitRecord(bands + "END\n", LimitFileKind::Vehicle, 100, t),
            LimitReadResult::Overflow);
}

TEST(LimitReaderTest, LimitAtInterpolatesAndCorrectsTheDistance) {
  LimitTable mains;
  mains.points[1] = {150000, 66, 1};
  mains.points[2] = {500000, 56, 0};
  mains.points[3] = {1000000, 40, 0};
  mains.points[4] = {2000000, 60, 0};
  mains.entryCount = 5;
  LimitTable radiated = mains;
  radiated.radiated = true;
  radiated.limitDistanceM = 10.0f;
  LimitTable high = mains;
  high.points[1].level = 250;
  high.points[2].level = 250;
  LimitTable none = mains;
  none.entryCount = 0;
  const DistanceSetting at3{3.0f, false}, alternative{3.0f, true}, unknown{0.0f, false};
  struct Case {
    const char* what;
    const LimitTable* table;
    double hz;
    DistanceSetting distance;
    double expected;
  };
  const Case cases[] = {
      {"logarithmic midpoint", &mains, 273861, at3, 61.0},
      {"the first point's own frequency", &mains, 150000, at3, 200},
      {"below the first point", &mains, 100, at3, 200},
      {"a point's own frequency", &mains, 500000, at3, 56},
      {"linear between points", &mains, 1500000, at3, 50},
      {"above the last point", &mains, 2000001, at3, 200},
      {"10 m limit measured at 3 m", &radiated, 273861, at3, 61.0 + 10.4576},
      {"the alternative method leaves it", &radiated, 273861, alternative, 61.0},
      {"no measuring distance", &radiated, 273861, unknown, 61.0},
      {"levels from 200 up are no limit", &high, 300000, at3, 200},
      {"no points", &none, 300000, at3, 200},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(LimitAt(*c.table, c.hz, c.distance), c.expected, 0.005) << c.what;
}

}  // namespace
}  // namespace tq
