// The Limits menu against the shipped limit files: every entry loads its record, and the
// record is the one the entry names.
#include <map>
#include <set>
#include <string>

#include "corrections/LimitCatalogue.h"
#include "corrections/LimitFixture.h"

namespace tq {
namespace {

using E = LimitCatalogueEntry;

std::string WithoutQuotes(std::string_view s) {
  std::string out(s);
  std::erase(out, '"');
  return out;
}

class LimitCatalogueTest : public test::LimitTest {
 protected:
  LimitCatalogueTest() {
    for (const E& e : LimitCatalogue())
      if (e.action == LimitAction::Menu) menus_[e.objectName] = &e;
  }

  // The name a record must carry: the standard its menu names, then the entry's caption;
  // vehicle records say their group and, for a detector pair, which member they are.
  std::string expectedName(const E& e, bool qpMember) const {
    const E* menu = menus_.at(e.parent);
    if (e.action == LimitAction::BuiltIn) {
      if (e.file == 3) return WithoutQuotes(e.caption);
      while (menu->parent != "EuropeanLimits1" && menu->parent != "AustralianLimits1")
        menu = menus_.at(menu->parent);
      const std::string tag =
          e.file == 2 ? "AS/NZS " + std::string(menu->caption) : std::string(menu->caption);
      return tag + " " + std::string(e.caption);
    }
    if (menu->caption == "Whole Vehicle Radiated")
      return "EN55025 Whole Vehicle " + std::string(e.caption);
    std::string name = "EN55025 " + std::string(menu->caption) + " " + std::string(e.caption);
    if (e.action == LimitAction::VehicleByDetector) name += qpMember ? " QP" : " Peak";
    return name;
  }

  std::map<std::string_view, const E*> menus_;
};

TEST_F(LimitCatalogueTest, EveryEntryLoadsTheRecordItNamesFromTheShippedFiles) {
  const auto catalogue = LimitCatalogue();
  std::set<std::string_view> objectNames;
  int loading = 0;
  for (std::size_t row = 0; row < catalogue.size(); ++row) {
    const E& e = catalogue[row];
    if (e.action != LimitAction::Separator) {
      EXPECT_TRUE(objectNames.insert(e.objectName).second) << "duplicate " << e.objectName;
    }
    if (!e.parent.empty()) {
      EXPECT_TRUE(menus_.contains(e.parent)) << e.objectName;
    }
    const bool builtIn = e.action == LimitAction::BuiltIn;
    if (!builtIn && e.action != LimitAction::Vehicle && e.action != LimitAction::VehicleByDetector)
      continue;
    for (const int detector : {1, 2, 3}) {
      state_.detector = detector;
      const bool qp = e.action == LimitAction::VehicleByDetector && detector == 3;
      limits_.CatalogueEntryChosen(row);
      const int record = qp ? e.qpRecord : e.record;
      EXPECT_EQ(table().recordNumber, record) << e.objectName;
      EXPECT_GT(table().entryCount, 1) << e.objectName;
      if (builtIn) {
        EXPECT_EQ(table().fileSelector, e.file) << e.objectName;
      }
      EXPECT_EQ(table().name, expectedName(e, qp)) << e.objectName << " record " << record;
    }
    ++loading;
  }
  EXPECT_EQ(loading, 97 + 51 + 50);  // built-in, EN55025, and 2557 without its Narrowband
  EXPECT_TRUE(prompts_.messages().empty());
}

TEST_F(LimitCatalogueTest, EveryVehiclePairAndCompanionRecordExists) {
  for (const VehiclePair& p : VehicleDetectorPairs()) {
    limits_.LoadVehicleLimit(p.qpRecord);
    EXPECT_EQ(table().recordNumber, p.qpRecord);
    const std::string qpName = table().name;
    limits_.LoadVehicleLimit(p.otherRecord);
    EXPECT_EQ(table().recordNumber, p.otherRecord);
    // Both members describe the same limit, one for the quasi-peak detector.
    EXPECT_TRUE(qpName.ends_with("QP") || qpName.ends_with("Qp")) << qpName;
    EXPECT_TRUE(table().name.ends_with("Peak")) << table().name;
  }
  // The quasi-peak records of limit.def 8..12 and auslimit.def 8..12 carry their base's name.
  for (const auto& [file, distance] : {std::pair{1, 43}, std::pair{2, 39}}) {
    for (int record = 8; record <= 12; ++record) {
      limits_.LoadBuiltInLimit(file, record);
      const std::string base = table().name;
      limits_.LoadBuiltInLimit(file, record + distance);
      EXPECT_EQ(table().name, base) << file << "/" << record;
      EXPECT_TRUE(table().description.starts_with("Quasi-peak")) << table().description;
    }
  }
  EXPECT_TRUE(prompts_.messages().empty());
}

}  // namespace
}  // namespace tq
