#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Prompts.h"

namespace tq {

// A number typed into one of the guide's fields: a decimal number with blanks around it
// allowed; nullopt for anything else.
std::optional<double> ParseGuideNumber(std::string_view text);
// Shown while the text typed into a number field is not a number.
inline constexpr const char* kInvalidEntry = "Invalid entry ";

// ISM bands (MHz, both ends included).
struct IsmBand {
  const char* text;
  double lowMHz;
  double highMHz;
};
inline constexpr std::array<IsmBand, 5> kIsmBands{{
    {"6.765 - 6.795", 6.765, 6.795},
    {"13.553 - 13.567", 13.553, 13.567},
    {"26.957 - 27.283", 26.957, 27.283},
    {"40.660 - 40.700", 40.66, 40.7},
    {"433.05 - 434.79", 433.05, 434.79},
}};
const IsmBand* FindIsmBand(double mhz);

// A message box the guide shows.
struct GuideMessage {
  MessageKind kind = MessageKind::Information;
  std::string text;
};

// EN55011: what the fundamental frequency typed in MHz tells the user, and the test code.
GuideMessage En55011FrequencyMessage(std::string_view text);
int En55011TestCode(int group, int cls, int testType);

// EN55013: the clauses' codes and the antenna terminal and radiation choices.
inline constexpr int kEn55013MainsCode = 36;
inline constexpr int kEn55013PowerCode = 48;
// EUT type 0..2 with source 0 (local oscillator) or 1 (other); nullopt for the AM receivers,
// which have no limit and no test.
std::optional<int> AntennaTerminalTestCode(int eutType, int source);
int RadiationTestCode(int item);
inline constexpr const char* kNoLimitsNoTests = "No Limits and No Tests Apply !";

// EN55014 and EN55022.
int En55014TestCode(int equipment, int testType);
int En55022TestCode(int cls, int testType);

// EN55015: the lamp frequency in Hz from the typed text and its unit; the two labels that show
// it; the category and the test code (testType nullopt when the Test Type question was not
// answered with Continue); item 0 of the Test Type question for a lamp type; the relaxed
// ISM message.
std::optional<double> LampFrequencyHz(std::string_view text, bool inMHz);
std::string LampHzText(double hz);
std::string LampMHzText(double hz);
int En55015Category(int lampType, double hz);
bool En55015AsksTestType(int category);
int En55015TestCode(int category, std::optional<int> testType);
const char* TestTypeFirstItem(int lampType);
std::optional<std::string> En55015IsmMessage(double hz);
// The tests that apply to the lamp type at its frequency (the form's memo).
std::vector<std::string> En55015Memo(int lampType, double hz);

// EN55025: the interference items and the number of classes of a category (0 ignition,
// 1 other sources, 2 power inputs, 3 control/signal, 4 antenna, 5 TEM cell), and the vehicle
// record for the answers (classIndex 0.. is class 1..).
std::vector<std::string> En55025Interference(int category);
int En55025Classes(int category);
int VehicleLimitRecord(int category, int interference, int classIndex, bool quasiPeak);

// EN60945 and the generic standards.
int En60945TestCode(int test);
int En50081aTestCode(bool conducted, bool transients, int limitChoice);
int En50081bTestCode(bool conducted, bool transients);

// The click allowance in dB for a click rate (clicks per minute; nullopt when the text is not
// a number) and the instantaneous-switching box.
int ClickAllowanceDb(std::optional<double> clicksPerMinute, bool instantaneousSwitching);

}  // namespace tq
