#include "guide/Standards.h"

#include "guide/AnalyserSetup.h"

namespace tq {

namespace {

constexpr std::array<GuideStandard, kStandardCount> kStandards{{
    {"EN55011", "2064.1/2", "EN55011 ",
     "Industrial, Scientific and Medical (ISM) Radio Frequency Equipment", true},
    {"EN55013", "1053", "EN55013 ", "Broadcast Receivers (Radio and TV) and Allied Products", true},
    {"EN55014", "1044", "EN55014 ",
     "Motor Operated and Thermal Appliances for Household Purposes, Electric Tools etc.", true},
    {"EN55015", "4051", "EN55015 ", "Lighting Equipment. Luminaires and Electronic Ballasts", true},
    {"EN55022", "3548", "EN55022 ", "Information Technology Equipment. Computers etc.", true},
    {"EN55025", "2557", "EN55025", "Receivers Used on Board Vehicles", true},
    {"EN60945", "EN60945", "EN60945", "Marine Navigation and Radiocomms Equipment", false},
    {"EN50081-1", "4251.1", "EN50081-1 ",
     "Generic Standard: Domestic, Commercial and Light Industry", true},
    {"EN50081-2", "EN50081-2", "EN50081-2 ", "Generic Standard: Industrial ", false},
}};

const GuideStandard& At(int tab) {
  return kStandards[static_cast<std::size_t>(tab < 0 || tab >= kStandardCount ? 0 : tab)];
}

}  // namespace

const std::array<GuideStandard, kStandardCount>& GuideStandards() {
  return kStandards;
}

std::string TabCaption(int tab, int region) {
  return region == kAustralianRegion ? At(tab).australian : At(tab).european;
}

bool StandardOffered(int tab, int region) {
  return region != kAustralianRegion || At(tab).australianCounterpart;
}

std::optional<std::string> FormCaption(int tab, int region) {
  if (tab == 8) return std::nullopt;
  if (tab == 6) return std::string("EN60945");
  return TabCaption(tab, region);
}

std::string StandardName(int tab, int region) {
  const GuideStandard& s = At(tab);
  if (region == kAustralianRegion && s.australianCounterpart)
    return std::string("AS/NZS ") + s.australian;
  return s.european;
}

std::vector<std::string> DisclaimerLines() {
  return {"RiduDudoruvo is intended to act as an aid to simplify the testing process.",
          "It does not relieve the user of the responsibility to ensure that the correct",
          "tests are selected and performed. It is strongly recommended that the",
          "appropriate EN standards are studied to ensure detailed compliance."};
}

}  // namespace tq
