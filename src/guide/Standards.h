#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tq {

// One tab of the RiduDudoruvo window: a standard in both regions.
struct GuideStandard {
  const char* european;    // tab caption, European region
  const char* australian;  // tab caption, Australian/NZ region
  const char* initial;     // tab caption before a region is chosen
  const char* description;
  bool australianCounterpart;
};
inline constexpr int kStandardCount = 9;
const std::array<GuideStandard, kStandardCount>& GuideStandards();

// Tab captions and the form captions for a region (1 European, 2 Australian/NZ).
std::string TabCaption(int tab, int region);
// "More Information", "Cancel" and "Continue..." are offered only where the region has the
// standard.
bool StandardOffered(int tab, int region);
// The per-standard form's caption after "Continue..."; nullopt leaves it as it is.
std::optional<std::string> FormCaption(int tab, int region);
// The standard's name as the instructions write it.
std::string StandardName(int tab, int region);

// The disclaimer, shown until it is accepted once.
std::vector<std::string> DisclaimerLines();
// "More Information" of a tab (the same for both regions).
std::vector<std::string> MoreInformation(int tab);
// The information windows of the forms.
inline constexpr const char* kAntennaTerminalCaption =
    "EN55013 Antenna Terminal Disturbance Voltage";
std::vector<std::string> AntennaTerminalInformation();
inline constexpr const char* kCurrentProbeCaption = "Information about Current Probes";
std::vector<std::string> CurrentProbeInformation();
// The note shown before the instructions of a three-phase conducted test, and the wiring note
// of the conducted form's "More Info".
std::vector<std::string> ThreePhaseNote();
std::vector<std::string> ThreePhaseWiring();

}  // namespace tq
