#include "corrections/LimitFixture.h"

namespace tq {
namespace {

class LimitFilesTest : public test::LimitTest {
 protected:
  std::size_t rowOf(std::string_view objectName) const {
    const auto catalogue = LimitCatalogue();
    for (std::size_t k = 0; k < catalogue.size(); ++k)
      if (catalogue[k].objectName == objectName) return k;
    ADD_FAILURE() << objectName;
    return catalogue.size();
  }
  void choose(std::string_view objectName) { limits_.CatalogueEntryChosen(rowOf(objectName)); }
};

TEST_F(LimitFilesTest, TheCompanionLineIsAnOffsetOrARecordOfItsOwn) {
  struct Case {
    int file, record;
    int baseRecord, companionRecord, offset;
  };
  const Case cases[] = {
      {1, 26, 26, 26, 10},  // EN55022 class B mains: a second line 10 dB up
      {1, 25, 25, 25, 13}, {1, 24, 24, 24, 0}, {2, 4, 4, 4, 13},
      {3, 3, 3, 3, 0},     {1, 8, 8, 51, 0},  // EN55014 appliances: the quasi-peak record
      {1, 55, 12, 55, 0},  // a companion record that is active goes back to its base
      {2, 10, 10, 49, 0},  {1, 56, 56, 56, 0},
  };
  for (const Case& c : cases) {
    limits_.LoadBuiltInLimit(c.file, c.record);
    for (int paint = 0; paint < 2; ++paint) {
      limits_.PrepareLines();
      const LimitTable& base = limits_.BaseLine();
      const LimitTable& companion = limits_.CompanionLine();
      EXPECT_EQ(base.recordNumber, c.baseRecord) << c.file << "/" << c.record;
      EXPECT_FALSE(base.quasiPeak);
      EXPECT_EQ(base.companionOffsetDb, 0);
      EXPECT_EQ(companion.recordNumber, c.companionRecord) << c.file << "/" << c.record;
      EXPECT_TRUE(companion.quasiPeak);
      EXPECT_EQ(companion.companionOffsetDb, c.offset) << c.file << "/" << c.record;
      // The companion stays active after the paint.
      EXPECT_EQ(table().recordNumber, c.companionRecord);
    }
  }
  EXPECT_TRUE(prompts_.messages().empty());
}

TEST_F(LimitFilesTest, SwitchingLinesKeepsTheUnitAndTheClickAllowance) {
  limits_.LoadBuiltInLimit(1, 9);
  limits_.SetClickAllowance(12);
  state_.dbmUnits = true;  // the user chose dBm after loading the limit
  limits_.PrepareLines();
  EXPECT_EQ(limits_.CompanionLine().recordNumber, 52);
  EXPECT_EQ(limits_.CompanionLine().clickAllowanceDb, 12);
  limits_.PrepareLines();
  EXPECT_EQ(limits_.BaseLine().clickAllowanceDb, 12);
  EXPECT_TRUE(state_.dbmUnits);
  // Choosing a limit goes back to dBuV, and a record without clicks drops the allowance.
  limits_.LoadBuiltInLimit(1, 26);
  EXPECT_FALSE(state_.dbmUnits);
  EXPECT_EQ(table().clickAllowanceDb, 0);
}

TEST_F(LimitFilesTest, VehiclePairsFollowTheDetector) {
  state_.detector = 3;
  choose("Class11");
  EXPECT_EQ(table().recordNumber, 108);
  EXPECT_TRUE(model_.showLimit);
  EXPECT_TRUE(model_.limitEnabled);
  state_.detector = 1;
  limits_.DetectorChanged(1);
  EXPECT_EQ(table().recordNumber, 107);
  state_.detector = 3;
  limits_.DetectorChanged(3);
  EXPECT_EQ(table().recordNumber, 108);
  // A whole-vehicle entry loads its own record whatever the detector; a detector change
  // then picks its pair.
  choose("BroadbandContinuousPeak1");
  EXPECT_EQ(table().recordNumber, 103);
  limits_.DetectorChanged(3);
  EXPECT_EQ(table().recordNumber, 101);
  // Narrowband records and built-in limits are left alone.
  choose("Class12");
  limits_.DetectorChanged(3);
  EXPECT_EQ(table().recordNumber, 117);
  limits_.LoadBuiltInLimit(1, 26);
  limits_.DetectorChanged(3);
  EXPECT_EQ(table().recordNumber, 26);
  EXPECT_EQ(table().fileSelector, 1);
}

TEST_F(LimitFilesTest, AMissingFileIsReportedAndWhatCameBeforeStaysLoaded) {
  limits_.LoadBuiltInLimit(1, 26);
  const LimitTable before = table();
  remove("limit.def");
  state_.dbmUnits = true;
  const int refreshes = client_.refreshes;
  limits_.LoadBuiltInLimit(1, 24);
  EXPECT_EQ(prompts_.messages(), std::vector<std::string>{"File Number 24 Not Found on "
                                                          "c:\\tq4800\\limit.def. Check Default "
                                                          "Path under File|Setup"});
  EXPECT_EQ(prompts_.asked().back().kind, MessageKind::Warning);
  EXPECT_EQ(table().points, before.points);
  EXPECT_EQ(table().name, before.name);
  EXPECT_EQ(client_.refreshes, refreshes + 1);  // the steps after the guard still run
  EXPECT_FALSE(state_.dbmUnits);

  // The line switch before each paint reports it once, not at every repaint.
  write("limit.def", read("auslimit.def"));
  limits_.LoadBuiltInLimit(1, 8);
  remove("limit.def");
  prompts_.clear();
  for (int paint = 0; paint < 3; ++paint) limits_.PrepareLines();
  EXPECT_EQ(prompts_.messages().size(), 1u);

  remove("EN55025.DEF");
  prompts_.clear();
  limits_.LoadVehicleLimit(120);
  remove("usrlmt.def");
  limits_.LoadUserLimit(203);
  EXPECT_EQ(prompts_.messages(),
            (std::vector<std::string>{
                "File Number 120 Not Found on EN55025.DEF. Check Default Path under File|Setup",
                "File Number 203 Not Found on user File. Check Default Path under File|Setup"}));

  // A record the file does not have loads nothing and says nothing.
  write("limit.def", read("auslimit.def"));
  limits_.LoadBuiltInLimit(1, 26);
  const std::string name = table().name;
  prompts_.clear();
  limits_.LoadBuiltInLimit(1, 99);
  EXPECT_EQ(table().name, name);
  EXPECT_TRUE(prompts_.messages().empty());
}

TEST_F(LimitFilesTest, UserLimitsAreListedAndChosenFrom201) {
  write("usrlmt.def",
        ";\nLIMIT \"Mine\"\nDESCRIPTION \"first\"\nSTANDARD Not Used\nIDENTIFICATION Not Used\n"
        "DISTANCE 10\nRADIATED\n30000000,40,LINEAR\n230000000,40,LINEAR\nEND\n;\n"
        "LIMIT \"Second\"\nDESCRIPTION \"two\"\nSTANDARD Not Used\nIDENTIFICATION Not Used\n"
        "DISTANCE 3.0\nMAINS\n150000,60,LOG\n500000,50,LINEAR\nEND\n;\n");
  limits_.LoadBuiltInLimit(1, 26);
  // Filling the list loads nothing: the built-in limit keeps its companion line.
  EXPECT_EQ(limits_.ListUserLimits(), (std::vector<std::string>{"Mine", "Second"}));
  EXPECT_EQ(table().recordNumber, 26);
  limits_.PrepareLines();
  EXPECT_EQ(limits_.CompanionLine().companionOffsetDb, 10);

  limits_.UserLimitChosen(1);
  EXPECT_EQ(table().recordNumber, 202);
  EXPECT_EQ(table().name, "Second");
  EXPECT_TRUE(table().user);
  EXPECT_TRUE(model_.showLimit);
  EXPECT_TRUE(model_.limitEnabled);
  limits_.PrepareLines();
  EXPECT_EQ(limits_.CompanionLine().recordNumber, 202);
  EXPECT_EQ(limits_.CompanionLine().companionOffsetDb, 0);
  limits_.UserLimitChosen(0);
  EXPECT_FLOAT_EQ(table().limitDistanceM, 10.0f);
  EXPECT_NEAR(limits_.LimitAt(100e6), 40 + 10.4576, 0.01);
  EXPECT_TRUE(prompts_.messages().empty());
}

TEST_F(LimitFilesTest, NoneAndTheEntriesWithoutALimit) {
  model_.showLimit = true;
  limits_.LoadBuiltInLimit(1, 26);
  choose("AMRadio1");
  EXPECT_EQ(prompts_.messages(), std::vector<std::string>{"No Limit Exists !"});
  EXPECT_EQ(prompts_.asked().back().kind, MessageKind::Information);
  EXPECT_FALSE(limits_.Loaded());
  EXPECT_EQ(table().name, "");
  EXPECT_EQ(limits_.LimitAt(1e6), 200);

  limits_.LoadBuiltInLimit(2, 26);
  choose("None1");
  EXPECT_FALSE(model_.showLimit);
  EXPECT_FALSE(limits_.Loaded());
  EXPECT_EQ(table().recordNumber, 0);
  EXPECT_EQ(table().entryCount, 0);
  EXPECT_EQ(limits_.LimitAt(1e6), 200);
  const int repaints = view_.repaints;
  choose("Narrowband2");  // the 2557 whole-vehicle narrowband entry does nothing
  EXPECT_EQ(view_.repaints, repaints);
}

}  // namespace
}  // namespace tq
