#include "guide/GuideRules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "model/Numbers.h"

namespace tq {

std::optional<double> ParseGuideNumber(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0.0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() ||
      !std::isfinite(value))
    return std::nullopt;
  return value;
}

const IsmBand* FindIsmBand(double mhz) {
  // A frequency typed as the band's edge must fall inside it, whatever the last bit says.
  constexpr double kSlack = 1e-9;
  for (const IsmBand& b : kIsmBands)
    if (mhz >= b.lowMHz - kSlack && mhz <= b.highMHz + kSlack) return &b;
  return nullptr;
}

GuideMessage En55011FrequencyMessage(std::string_view text) {
  const std::optional<double> mhz = ParseGuideNumber(text);
  if (!mhz) return {MessageKind::Warning, "Invalid frequency entry "};
  if (const IsmBand* band = FindIsmBand(*mhz))
    return {MessageKind::Information,
            std::string("Emissions at this frequency are unlimited, therefore peaks above "
                        "limitline can be accepted in range ") +
                band->text + " MHz ONLY"};
  if (*mhz == 0.0) return {MessageKind::Information, "No fundamental frequency is assumed"};
  return {MessageKind::Information, "This frequency is not listed"};
}

int En55011TestCode(int group, int cls, int testType) {
  return group + 2 * cls + 4 * testType + 1;
}

std::optional<int> AntennaTerminalTestCode(int eutType, int source) {
  if (eutType < 0 || eutType > 2) return std::nullopt;
  return 37 + 2 * eutType + (source == 1 ? 1 : 0);
}

int RadiationTestCode(int item) {
  return 43 + item;
}

int En55014TestCode(int equipment, int testType) {
  return equipment + 9 + 5 * testType;
}

int En55022TestCode(int cls, int testType) {
  return cls + 24 + 2 * testType;
}

std::optional<double> LampFrequencyHz(std::string_view text, bool inMHz) {
  const std::optional<double> value = ParseGuideNumber(text);
  if (!value) return std::nullopt;
  return inMHz ? *value * 1000000.0 : *value;
}

std::string LampHzText(double hz) {
  char text[48];
  std::snprintf(text, sizeof text, "%.0f Hz", hz);
  return text;
}

std::string LampMHzText(double hz) {
  // Up to six decimals, without the trailing zeros: "0.00005 MHz", "13.56 MHz".
  char text[48];
  std::snprintf(text, sizeof text, "%.6f", hz / 1000000.0);
  std::string s = text;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  if (s == "-0") s = "0";
  return s + " MHz";
}

int En55015Category(int lampType, double hz) {
  return lampType + (hz <= 100.0 ? 1 : 5);
}

bool En55015AsksTestType(int category) {
  return category >= 6 && category <= 8;
}

int En55015TestCode(int category, std::optional<int> testType) {
  switch (category) {
    case 2:
    case 4:
      return 20;
    case 3:
      return 21;
    case 6:
    case 7:
    case 8:
      if (!testType) return 19;
      return *testType == 1 ? 22 : 20;
    default:
      return 19;
  }
}

const char* TestTypeFirstItem(int lampType) {
  return lampType == 2 ? "Insertion Loss" : "Conducted";
}

std::optional<std::string> En55015IsmMessage(double hz) {
  const IsmBand* band = FindIsmBand(hz / 1000000.0);
  if (!band) return std::nullopt;
  return std::string(
             "Emissions at this ISM frequency are subject to a relaxed limit over the "
             "range ") +
         band->text + " only";
}

std::vector<std::string> En55025Interference(int category) {
  if (category <= 1) return {"Broadband Continuous", "Broadband Short Duration", "Narrowband"};
  return {"Broadband ", "Narrowband"};
}

int En55025Classes(int category) {
  return category == 5 ? 7 : 5;
}

int VehicleLimitRecord(int category, int interference, int classIndex, bool quasiPeak) {
  if (category <= 1) {
    if (interference == 2) return 106;
    if (interference == 1) return quasiPeak ? 104 : 105;
    // Broadband continuous: the other sources' peak line is a record of its own.
    if (category == 0) return quasiPeak ? 101 : 103;
    return quasiPeak ? 102 : 173;
  }
  const int k = classIndex + 1;
  // Per component category: the quasi-peak base of the broadband pair and the narrowband base.
  struct Bases {
    int broadband;
    int narrowband;
  };
  static constexpr std::array<Bases, 4> kBases{{{106, 116}, {121, 131}, {136, 146}, {151, 165}}};
  const Bases b = kBases[static_cast<std::size_t>(std::min(category, 5) - 2)];
  if (interference == 1) return b.narrowband + k;
  return b.broadband + 2 * k - (quasiPeak ? 0 : 1);
}

int En60945TestCode(int test) {
  return 49 + test;
}

int En50081aTestCode(bool conducted, bool transients, int limitChoice) {
  if (!conducted) return 32;
  if (!transients) return 30;
  static constexpr std::array<int, 4> kCodes{31, 52, 53, 54};
  return kCodes[static_cast<std::size_t>(std::clamp(limitChoice, 0, 3))];
}

int En50081bTestCode(bool conducted, bool transients) {
  if (!conducted) return 35;
  return transients ? 34 : 33;
}

int ClickAllowanceDb(std::optional<double> clicksPerMinute, bool instantaneousSwitching) {
  const double n = clicksPerMinute.value_or(0.0);
  if (instantaneousSwitching && n < 6.0) return 0;
  if (n > 30.0) return 0;
  if (n < 0.2) return 44;
  if (n < 30.0) return RoundHalfEven(20.0 * Log10(30.0 / n));
  return 0;
}

}  // namespace tq
