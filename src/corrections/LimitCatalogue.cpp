#include "corrections/LimitCatalogue.h"

#include <array>

namespace tq {

namespace {

using A = LimitAction;
using E = LimitCatalogueEntry;

constexpr E Menu(std::string_view name, std::string_view caption, std::string_view parent) {
  return {A::Menu, name, caption, parent};
}
constexpr E Separator(std::string_view parent) {
  return {A::Separator, "", "", parent};
}
constexpr E Eu(std::string_view name, std::string_view caption, std::string_view parent,
               int record) {
  return {A::BuiltIn, name, caption, parent, 1, static_cast<std::int16_t>(record)};
}
constexpr E Aus(std::string_view name, std::string_view caption, std::string_view parent,
                int record) {
  return {A::BuiltIn, name, caption, parent, 2, static_cast<std::int16_t>(record)};
}
constexpr E Us(std::string_view name, std::string_view caption, int record) {
  return {A::BuiltIn, name, caption, "UnitedStatesLimits1", 3, static_cast<std::int16_t>(record)};
}
constexpr E NoLimit(std::string_view name, std::string_view caption, std::string_view parent) {
  return {A::NoLimit, name, caption, parent};
}

// The EN55025 submenu, which the Australian 2557 submenu repeats under its own item names.
struct VehicleRow {
  int group;  // 0 whole vehicle, 1..8 the component groups below
  std::string_view caption;
  int record;    // loaded whatever the detector, or under peak and average
  int qpRecord;  // loaded under the quasi-peak detector; 0 when the entry has one record
};

constexpr std::array<std::string_view, 9> kVehicleGroupCaptions{
    "Whole Vehicle Radiated",
    "Conducted Power Inputs Broadband",
    "Conducted Power Inputs Narrowband",
    "Conducted Control Signal Broadband",
    "Conducted Control Signal Narrowband",
    "Radiated Antenna Technique Broadband",
    "Radiated Antenna Technique Narrowband",
    "TEM Cell Technique Broadband",
    "TEM Cell Technique Narrowband"};

// Object names of the submenus, for EN55025 and for 2557.
constexpr std::array<std::string_view, 9> kVehicleGroupMenus1{"WholeVehicleRadiated1",
                                                              "ConductedPowerInputsBroadband1",
                                                              "ConductedPowerInputsNarrowband1",
                                                              "ConductedControlSignalBroadband1",
                                                              "ConductedControlSignalNarrowband1",
                                                              "RadiatedAntennaTechniqueBroadband1",
                                                              "RadiatedAntennaTechniqueNarrowband1",
                                                              "TEMCellTechniqueBroadband1",
                                                              "TEMCellTechniqueNarrowband1"};
constexpr std::array<std::string_view, 9> kVehicleGroupMenus2{"WholeVehicleRadiated2",
                                                              "ConductedPowerInputsBroadband2",
                                                              "ConductedPowerInputsNarrowband2",
                                                              "ConductedControlSignalBroadband2",
                                                              "ConductedControlSignalNarrowband2",
                                                              "RadiatedAntennaTechniqueBroadband2",
                                                              "RadiatedAntennaTechniqueNarrowband2",
                                                              "TEMCellTechniqueBroadband2",
                                                              "TEMCellTechniqueNarrowband2"};

constexpr std::array<std::string_view, 7> kClasses{"Class 1", "Class 2", "Class 3", "Class 4",
                                                   "Class 5", "Class 6", "Class 7"};

constexpr std::size_t kVehicleRows = 51;

constexpr std::array<VehicleRow, kVehicleRows> VehicleRows() {
  std::array<VehicleRow, kVehicleRows> rows{};
  std::size_t n = 0;
  for (const VehicleRow& r : {VehicleRow{0, "Broadband Continuous Ignition Qp", 101, 0},
                              VehicleRow{0, "Broadband Continuous Other Sources QP", 102, 0},
                              VehicleRow{0, "Broadband Continuous Ignition Peak", 103, 0},
                              VehicleRow{0, "Broadband Continuous Other Sources Peak", 173, 0},
                              VehicleRow{0, "Broadband Short Duration QP", 104, 0},
                              VehicleRow{0, "Broadband Short Duration Peak", 105, 0},
                              VehicleRow{0, "Narrowband", 106, 0}})
    rows[n++] = r;
  // Groups in menu order: broadband pairs (other, QP) and narrowband singles; the TEM cell
  // groups have seven classes, the others five.
  struct Group {
    int group;
    int firstRecord;
    int classes;
    bool pairs;
  };
  constexpr std::array<Group, 8> kGroups{{{1, 107, 5, true},
                                          {2, 117, 5, false},
                                          {3, 122, 5, true},
                                          {4, 132, 5, false},
                                          {5, 137, 5, true},
                                          {6, 147, 5, false},
                                          {7, 152, 7, true},
                                          {8, 166, 7, false}}};
  for (const Group& g : kGroups) {
    for (int c = 0; c < g.classes; ++c) {
      const auto k = static_cast<std::size_t>(c);
      if (g.pairs)
        rows[n++] = {g.group, kClasses[k], g.firstRecord + 2 * c, g.firstRecord + 2 * c + 1};
      else
        rows[n++] = {g.group, kClasses[k], g.firstRecord + c, 0};
    }
  }
  return rows;
}

// Item names of the EN55025 entries and of their 2557 twins, in VehicleRows order.
constexpr std::array<std::string_view, kVehicleRows> kEn55025Names{"IgnitionSystems1",
                                                                   "OtherSources1",
                                                                   "BroadbandContinuousPeak1",
                                                                   "BroadbandConinuousOtherPeak1",
                                                                   "BroadbandShortDurationQP1",
                                                                   "BroadbandShortDurationPeak1",
                                                                   "Narrowband1",
                                                                   "Class11",
                                                                   "Class21",
                                                                   "Class31",
                                                                   "Class41",
                                                                   "Class51",
                                                                   "Class12",
                                                                   "Class22",
                                                                   "Class32",
                                                                   "Class42",
                                                                   "Class52",
                                                                   "Class13",
                                                                   "Class23",
                                                                   "Class33",
                                                                   "Class43",
                                                                   "Class53",
                                                                   "Class14",
                                                                   "Class24",
                                                                   "Class34",
                                                                   "Class44",
                                                                   "Class54",
                                                                   "Class15",
                                                                   "Class25",
                                                                   "Class35",
                                                                   "Class45",
                                                                   "Class55",
                                                                   "Class16",
                                                                   "Class26",
                                                                   "Class36",
                                                                   "Class46",
                                                                   "Class56",
                                                                   "Class17",
                                                                   "Class27",
                                                                   "Class37",
                                                                   "Class47",
                                                                   "Class57",
                                                                   "Class61",
                                                                   "Class71",
                                                                   "Class18",
                                                                   "Class28",
                                                                   "Class38",
                                                                   "Class48",
                                                                   "Class58",
                                                                   "Class62",
                                                                   "Class72"};
constexpr std::array<std::string_view, kVehicleRows> k2557Names{
    "BroadbandContinuousIgnitionQp1",
    "BroadbandContinuousOtherSourcesQP1",
    "BroadbandContinuousIgnitionPeak1",
    "BroadbandContinuousOtherSourcesPeak1",
    "BroadbandShortDurationQP2",
    "BroadbandShortDurationPeak2",
    "Narrowband2",
    "Class116",
    "Class216",
    "Class316",
    "Class416",
    "Class516",
    "Class115",
    "Class215",
    "Class315",
    "Class415",
    "Class515",
    "Class114",
    "Class214",
    "Class314",
    "Class414",
    "Class514",
    "Class113",
    "Class213",
    "Class313",
    "Class413",
    "Class513",
    "Class112",
    "Class212",
    "Class312",
    "Class412",
    "Class512",
    "Class111",
    "Class211",
    "Class311",
    "Class411",
    "Class511",
    "Class110",
    "Class210",
    "Class310",
    "Class410",
    "Class510",
    "Class64",
    "Class74",
    "Class19",
    "Class29",
    "Class39",
    "Class49",
    "Class59",
    "Class63",
    "Class73"};

// The rows, filled once at compile time so that the command table built from them at start
// never finds them empty.
struct Rows {
  std::array<E, 300> rows{};
  std::size_t size = 0;
  constexpr void push_back(const E& e) { rows[size++] = e; }
};

constexpr void AddVehicleMenu(Rows& out, std::string_view menu, std::string_view caption,
                              std::string_view parent, std::string_view componentsMenu,
                              const std::array<std::string_view, 9>& groupMenus,
                              const std::array<std::string_view, kVehicleRows>& names,
                              bool narrowbandDoesNothing) {
  out.push_back(Menu(menu, caption, parent));
  out.push_back(Menu(groupMenus[0], kVehicleGroupCaptions[0], menu));
  out.push_back(Menu(componentsMenu, "Vehicle Components and Modules", menu));
  for (std::size_t g = 1; g < groupMenus.size(); ++g)
    out.push_back(Menu(groupMenus[g], kVehicleGroupCaptions[g], componentsMenu));
  const auto rows = VehicleRows();
  for (std::size_t i = 0; i < rows.size() && i < names.size(); ++i) {
    const VehicleRow& r = rows[i];
    E e{r.qpRecord ? A::VehicleByDetector : A::Vehicle,
        names[i],
        r.caption,
        groupMenus[static_cast<std::size_t>(r.group)],
        0,
        static_cast<std::int16_t>(r.record),
        static_cast<std::int16_t>(r.qpRecord)};
    if (narrowbandDoesNothing && r.record == 106) e.action = A::Nothing;
    out.push_back(e);
  }
}

constexpr Rows BuildCatalogue() {
  Rows c;
  c.push_back(Menu("Limits1", "&Limits", ""));

  // European
  c.push_back(Menu("EuropeanLimits1", "&European Limits...", "Limits1"));
  c.push_back(Menu("EN550111", "EN55011", "EuropeanLimits1"));
  c.push_back(Eu("ClassB1", "Class A, Group 1 Radiated", "EN550111", 1));
  c.push_back(Eu("ClassAGroup2Radiated1", "Class A, Group 2 Radiated", "EN550111", 2));
  c.push_back(Eu("ClassAGroup1Mains1", "Class A, Group 1 Mains", "EN550111", 3));
  c.push_back(Eu("ClassAGroup2MaIns1", "Class A, Group 2 Mains", "EN550111", 4));
  c.push_back(Eu("ClassBGroup1Radiated1", "Class B, Group1 Radiated", "EN550111", 5));
  c.push_back(Eu("ClassBGroup2Radiated1", "Class B, Group 2 Radiated", "EN550111", 6));
  c.push_back(Eu("ClassBGroups12Mains1", "Class B, Groups 1+2 Mains", "EN550111", 7));

  c.push_back(Menu("EN550131", "EN55013", "EuropeanLimits1"));
  c.push_back(Eu("Conducted1", "Conducted", "EN550131", 37));
  c.push_back(Menu("AntennaTerminal1", "Antenna Terminal", "EN550131"));
  c.push_back(Eu("TVVCRLocalOsc1", "TV + VCR Local Osc.", "AntennaTerminal1", 38));
  c.push_back(Eu("TVVCROther1", "TV+VCR Other", "AntennaTerminal1", 39));
  c.push_back(
      Eu("FMRadioNonAutoLocalOsc1", "FM Radio (Non Auto) Local Osc.", "AntennaTerminal1", 40));
  c.push_back(Eu("FMRadioNonAutoOther1", "FM Radio (Non Auto) Other", "AntennaTerminal1", 41));
  c.push_back(Eu("FMRadioAutoLocalOsc2", "FM Radio (Auto) Local Osc.", "AntennaTerminal1", 42));
  c.push_back(NoLimit("FMRadioAutoLocalOsc1", "FM Radio (Auto) Other", "AntennaTerminal1"));
  c.push_back(NoLimit("AMRadio1", "AM Radio", "AntennaTerminal1"));
  c.push_back(Menu("RadiatedHarmonics1", "Radiated Harmonics", "EN550131"));
  c.push_back(Eu("TVVCRFMRadioLocalOsc1", "TV+VCR+FM Radio Local Osc.", "RadiatedHarmonics1", 43));
  c.push_back(Eu("TVVCRFMRadioOther1", "TV+VCR+FM Radio Other", "RadiatedHarmonics1", 44));
  c.push_back(Menu("RadiatedFundamental1", "Radiated Fundamental", "EN550131"));
  c.push_back(Eu("TVVCRChFrequency1", "TV+VCR Ch. Frequency <300MHz", "RadiatedFundamental1", 45));
  c.push_back(
      Eu("TVVCRChFrequency300MHz1", "TV+VCR Ch. Frequency >300MHz", "RadiatedFundamental1", 46));
  c.push_back(Eu("FMRadio1", "FM Radio", "RadiatedFundamental1", 47));
  c.push_back(Menu("DisturbancePower1", "Disturbance Power", "EN550131"));
  c.push_back(Eu("AssociatedEquipment1", "Associated Equipment", "DisturbancePower1", 48));

  c.push_back(Menu("EN550141", "EN55014", "EuropeanLimits1"));
  c.push_back(Eu("AppliancesMains1", "Appliances, Mains", "EN550141", 8));
  c.push_back(Eu("AppliancesOtherTerminals1", "Appliances, Other Terminals", "EN550141", 9));
  c.push_back(Eu("Tools700WMains1", "Tools <700W Mains", "EN550141", 10));
  c.push_back(Eu("Tools700W1kWMains1", "Tools 700W-1kW, Mains", "EN550141", 11));
  c.push_back(Eu("Tools1kWMains1", "Tools >1kW, Mains", "EN550141", 12));
  c.push_back(Eu("AppliancesRadiated1", "Appliances Radiated", "EN550141", 13));
  c.push_back(Eu("Tools700WRadiated1", "Tools<700W, Radiated", "EN550141", 14));
  c.push_back(Eu("Tools700W1kWRadiated1", "Tools 700W-1kW, Radiated", "EN550141", 15));
  c.push_back(Eu("Tools1kWRadiated1", "Tools >1kW, Radiated", "EN550141", 16));

  c.push_back(Menu("EN550151", "EN55015", "EuropeanLimits1"));
  c.push_back(Eu("LightingMains1", "Lighting, Mains", "EN550151", 17));
  c.push_back(Eu("LightingMagField1mLoop1", "Lighting, Mag Field 1m Loop", "EN550151", 18));
  c.push_back(Eu("LightingMagField15mLoop1", "Lighting, Mag Field 1.5m Loop", "EN550151", 19));
  c.push_back(Eu("LightingMagField2mLoop1", "Lighting, Mag Field 2m Loop", "EN550151", 20));
  c.push_back(Eu("LightingMagField3mLoop1", "Lighting, Mag Field 3m Loop", "EN550151", 21));
  c.push_back(Eu("LightingMagField4mLoop1", "Lighting, Mag Field 4m Loop", "EN550151", 22));

  c.push_back(Menu("EN550221", "EN55022", "EuropeanLimits1"));
  c.push_back(Eu("ClassARadiated1", "Class A Radiated", "EN550221", 23));
  c.push_back(Eu("ClassBRadiated1", "Class B Radiated", "EN550221", 24));
  c.push_back(Eu("ClassAMains1", "Class A Mains", "EN550221", 25));
  c.push_back(Eu("ClassBMains1", "Class B Mains", "EN550221", 26));

  c.push_back(Menu("EN5008111", "EN50081-1", "EuropeanLimits1"));
  c.push_back(Eu("Radiated2", "Radiated", "EN5008111", 27));
  c.push_back(Eu("AppliancesNonContMains1", "Appliances - Non-Cont, Mains", "EN5008111", 28));
  c.push_back(Eu("Tools700WNonContMains1", "Tools <700 W Non-Cont, Mains", "EN5008111", 29));
  c.push_back(Eu("Tools700W1kWNonContMains1", "Tools 700W-1kW Non-Cont, Mains", "EN5008111", 30));
  c.push_back(Eu("Tools1kWNonContMains1", "Tools >1kW Non-Cont, Mains", "EN5008111", 31));
  c.push_back(Eu("MainsContinuous1", "Mains Continuous", "EN5008111", 32));

  c.push_back(Menu("EN5008121", "EN50081-2", "EuropeanLimits1"));
  c.push_back(Eu("Radiated1", "Radiated", "EN5008121", 33));
  c.push_back(Eu("Mains1", "Mains", "EN5008121", 34));

  c.push_back(Menu("EN609451", "EN60945", "EuropeanLimits1"));
  c.push_back(Eu("LISNVoltage1", "LISN (Voltage)", "EN609451", 35));
  c.push_back(Eu("CurrentProbe1", "Current Probe", "EN609451", 36));
  c.push_back(Eu("Radiated4", "Radiated", "EN609451", 56));

  AddVehicleMenu(c, "EN550251", "EN55025", "EuropeanLimits1", "VehicleComponentsandModules1",
                 kVehicleGroupMenus1, kEn55025Names, false);

  // Australian
  c.push_back(Menu("AustralianLimits1", "&Australian Limits...", "Limits1"));
  c.push_back(Menu("AS10441", "1044", "AustralianLimits1"));
  c.push_back(Aus("AppliancesMains2", "Appliances, Mains", "AS10441", 8));
  c.push_back(Aus("AppliancesOtherTerminals2", "Appliances, Other Terminals", "AS10441", 9));
  c.push_back(Aus("Tools700WMains2", "Tools <700W Mains", "AS10441", 10));
  c.push_back(Aus("Tools700W1kWMains2", "Tools 700W-1kW, Mains", "AS10441", 11));
  c.push_back(Aus("Tools1kWMains2", "Tools >1kW, Mains", "AS10441", 12));
  c.push_back(Aus("AppliancesRadiated2", "Appliances Radiated", "AS10441", 13));
  c.push_back(Aus("Tools700WRadiated2", "Tools<700W, Radiated", "AS10441", 14));
  c.push_back(Aus("Tools700W1kWRadiated2", "Tools 700W-1kW, Radiated", "AS10441", 15));
  c.push_back(Aus("Tools1kWRadiated2", "Tools >1kW, Radiated", "AS10441", 16));

  c.push_back(Menu("AS10531", "1053", "AustralianLimits1"));
  c.push_back(Aus("Conducted2", "Conducted", "AS10531", 33));
  c.push_back(Menu("AntennaTerminal2", "Antenna Terminal", "AS10531"));
  c.push_back(Aus("TVVCRLocalOsc2", "TV + VCR Local Osc.", "AntennaTerminal2", 34));
  c.push_back(Aus("TVVCROther2", "TV+VCR Other", "AntennaTerminal2", 35));
  c.push_back(
      Aus("FMRadioNonAutoLocalOsc2", "FM Radio (Non Auto) Local Osc.", "AntennaTerminal2", 36));
  c.push_back(Aus("FMRadioNonAutoOther2", "FM Radio (Non Auto) Other", "AntennaTerminal2", 37));
  c.push_back(Aus("FMRadioAutoLocalOsc3", "FM Radio (Auto) Local Osc.", "AntennaTerminal2", 38));
  c.push_back(NoLimit("FMRadioAutoOther1", "FM Radio (Auto) Other", "AntennaTerminal2"));
  c.push_back(NoLimit("AMRadio2", "AM Radio", "AntennaTerminal2"));
  c.push_back(Menu("RadiatedHarmonics2", "Radiated Harmonics", "AS10531"));
  c.push_back(Aus("TVVCRFMRadioLocalOsc2", "TV+VCR+FM Radio Local Osc.", "RadiatedHarmonics2", 39));
  c.push_back(Aus("TVVCRFMRadioOther2", "TV+VCR+FM Radio Other", "RadiatedHarmonics2", 40));
  c.push_back(Menu("RadiatedFundamental2", "Radiated Fundamental", "AS10531"));
  c.push_back(
      Aus("TVVCRChFrequency300MHz3", "TV+VCR Ch. Frequency <300MHz", "RadiatedFundamental2", 41));
  c.push_back(
      Aus("TVVCRChFrequency300MHz2", "TV+VCR Ch. Frequency >300MHz", "RadiatedFundamental2", 42));
  c.push_back(Aus("FMRadio2", "FM Radio", "RadiatedFundamental2", 43));
  c.push_back(Menu("DisturbancePower2", "Disturbance Power", "AS10531"));
  c.push_back(Aus("AssociatedEquipment2", "Associated Equipment", "DisturbancePower2", 44));

  c.push_back(Menu("AS206412", "2064.1/2", "AustralianLimits1"));
  c.push_back(Aus("ClassAGroup1Radiated2", "Class A Group 1 Radiated", "AS206412", 1));
  c.push_back(Aus("ClassAGroup2Radiated4", "Class A Group2 Radiated", "AS206412", 2));
  c.push_back(Aus("ClassAGroup1mains9", "Class A Group 1 Mains", "AS206412", 3));
  c.push_back(Aus("ClassAGroup1mains8", "Class A Group 2 Mains", "AS206412", 4));
  c.push_back(Aus("ClassBGroup1Radiated3", "Class B Group 1 Radiated", "AS206412", 5));
  c.push_back(Aus("ClassBGroup2Radiated4", "Class B Group 2 Radiated", "AS206412", 6));
  c.push_back(Aus("ClassBGroup1Mains2", "Class B Group 1+2  Mains", "AS206412", 7));

  c.push_back(Menu("AS35481", "3548", "AustralianLimits1"));
  c.push_back(Aus("ClassARadiated2", "Class A Radiated", "AS35481", 23));
  c.push_back(Aus("ClassBRadiated2", "Class B Radiated", "AS35481", 24));
  c.push_back(Aus("ClassAMains2", "Class A Mains", "AS35481", 25));
  c.push_back(Aus("ClassBMains2", "Class B Mains", "AS35481", 26));

  c.push_back(Menu("AS40511", "4051", "AustralianLimits1"));
  c.push_back(Aus("LightingMains2", "Lighting, Mains", "AS40511", 17));
  c.push_back(Aus("LightingMagField1mLoop2", "Lighting, Mag Field 1m Loop", "AS40511", 18));
  c.push_back(Aus("LightingMagField15mLoop2", "Lighting, Mag Field 1.5m Loop", "AS40511", 19));
  c.push_back(Aus("LightingMagField2mLoop2", "Lighting, Mag Field 2m Loop", "AS40511", 20));
  c.push_back(Aus("LightingMagField3mLoop2", "Lighting, Mag Field 3m Loop", "AS40511", 21));
  c.push_back(Aus("LightingMagField4mLoop2", "Lighting, Mag Field 4m Loop", "AS40511", 22));

  c.push_back(Menu("AS425111", "4251.1", "AustralianLimits1"));
  c.push_back(Aus("Radiated3", "Radiated", "AS425111", 27));
  c.push_back(Aus("AppliancesNonContMains2", "Appliances - Non-Cont, Mains", "AS425111", 28));
  c.push_back(Aus("Tools700WNonContMains2", "Tools <700 W Non-Cont, Mains", "AS425111", 29));
  c.push_back(Aus("Tools700W1kWNonContMains2", "Tools 700W-1kW Non-Cont, Mains", "AS425111", 30));
  c.push_back(Aus("Tools1kWNonContMains2", "Tools >1kW Non-Cont, Mains", "AS425111", 31));
  c.push_back(Aus("MainsContinuous2", "Mains Continuous", "AS425111", 32));

  AddVehicleMenu(c, "AS25571", "2557", "AustralianLimits1", "VehicleComponentsandModules2",
                 kVehicleGroupMenus2, k2557Names, true);

  // United States
  c.push_back(Menu("UnitedStatesLimits1", "&United States Limits...", "Limits1"));
  c.push_back(Us("FCCPart15RadClassA1", "\"FCC Part 15 Radiated Class 'A'\"", 1));
  c.push_back(Us("FCCPart15RadClassB1", "\"FCC Part 15 Radiated Class 'B'\"", 2));
  c.push_back(Us("FCCPart15ConductedClassA1", "\"FCC Part 15 Conducted Class 'A'\"", 3));
  c.push_back(Us("FCCPart15ConductedClassB1", "\"FCC Part 15 Conducted Class 'B'\"", 4));

  // User limits and None
  c.push_back(Menu("UserLimits1", "U&ser Limits...", "Limits1"));
  c.push_back({A::AddUserLimit, "AddUserLimit1", "&Add or Edit User Limit...", "UserLimits1"});
  c.push_back({A::LoadUserLimit, "LoadUserLimit1", "&Load User Limit...", "UserLimits1"});
  c.push_back(Separator("Limits1"));
  c.push_back({A::None, "None1", "&None", "Limits1"});
  return c;
}

constexpr Rows kCatalogue = BuildCatalogue();

constexpr std::array<VehiclePair, 25> kPairs{
    {{101, 103}, {102, 173}, {104, 105}, {108, 107}, {110, 109}, {112, 111}, {114, 113},
     {116, 115}, {123, 122}, {125, 124}, {127, 126}, {129, 128}, {131, 130}, {138, 137},
     {140, 139}, {142, 141}, {144, 143}, {146, 145}, {153, 152}, {155, 154}, {157, 156},
     {159, 158}, {161, 160}, {163, 162}, {165, 164}}};

}  // namespace

std::span<const LimitCatalogueEntry> LimitCatalogue() {
  return {kCatalogue.rows.data(), kCatalogue.size};
}

const LimitCatalogueEntry* LimitCatalogueEntryOf(Command command) {
  const auto id = static_cast<std::size_t>(command);
  if (id < kLimitCatalogue || id - kLimitCatalogue >= kCatalogue.size) return nullptr;
  return &kCatalogue.rows[id - kLimitCatalogue];
}

std::span<const VehiclePair> VehicleDetectorPairs() {
  return kPairs;
}

}  // namespace tq
