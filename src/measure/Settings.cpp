#include "measure/Settings.h"

#include <charconv>
#include <optional>
#include <vector>

namespace tq {
namespace {

constexpr std::size_t kMaxLine = 128;
constexpr int kLinesRead = 29;

// Lines of the file, each cut to what the reader takes of it.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty() && lines.size() < kLinesRead) {
    auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line.substr(0, kMaxLine));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

// A whole decimal number with optional sign and surrounding blanks, nothing else.
std::optional<std::int32_t> WholeNumber(std::string_view s) {
  s = TrimBlanks(s);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty()) return std::nullopt;
  std::int32_t value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return value;
}

bool IsNumericLine(int line) {
  return (line >= 1 && line <= 14) || line == 20 || line == 21 || line == 23 || line == 27;
}

void ApplyDefaultForLine(int line, MeasurementState& s) {
  if (line >= 1 && line <= 8) {
    s.screenColours[static_cast<std::size_t>(line - 1)] = kDefaultScreenColours[line - 1];
  } else if (line >= 9 && line <= 14) {
    s.printerColours[static_cast<std::size_t>(line - 9)] = 0;
  }
  switch (line) {
    case 15:
      s.logFrequencyAxis = false;
      break;
    case 16:
      s.dbmUnits = false;
      break;
    case 19:
      s.delimiter = ";";
      break;
    case 20:
      s.attenuationDb = 30;
      break;
    case 21:
      s.preampGainDb = 0;
      break;
    case 22:
      s.highRange = true;
      break;
    case 23:
      s.stepsPerScan = 500;
      break;
    case 24:
      s.ersSerialNumber.clear();
      break;
    case 25:
      s.defaultPath = "c:\\tq4800\\";
      break;
    case 26:
      s.antennaDistanceAlt = false;
      break;
    case 27:
      s.displaySize = 0;
      break;
    case 28:
      s.usbSearch = 0;
      break;
    case 29:
      s.ostrocellSelection = 0;
      break;
    default:
      break;
  }
}

// Stores a numeric line; a line past the end of the file counts as 0.
void StoreNumber(int line, std::int32_t v, MeasurementState& s) {
  if (line >= 1 && line <= 8)
    s.screenColours[static_cast<std::size_t>(line - 1)] = static_cast<Colour>(v);
  if (line >= 9 && line <= 14)
    s.printerColours[static_cast<std::size_t>(line - 9)] = static_cast<Colour>(v);
  if (line == 20) s.attenuationDb = v;
  if (line == 21) s.preampGainDb = v;
  if (line == 23) s.stepsPerScan = v;
  if (line == 27) {
    // Only sizes 0, 1 and 2 have a geometry.
    const auto size = static_cast<std::uint8_t>(v & 0xFF);
    s.displaySize = size <= 2 ? size : 0;
  }
}

void StoreText(int line, std::string_view text, SettingsReadResult& result, MeasurementState& s) {
  const bool flag = text == "TRUE";
  switch (line) {
    case 15:
      s.logFrequencyAxis = flag;
      break;
    case 16:
      s.dbmUnits = flag;
      break;
    case 17:
      s.com1Checked = flag;
      break;
    case 18:
      if (auto port = WholeNumber(text); port && *port >= 1 && *port <= 4) {
        s.portNumber = *port;
        result.portRead = true;
      }
      break;
    case 19:
      s.delimiter = std::string(text.substr(0, 15));
      break;
    case 22:
      s.highRange = true;
      break;  // the stored range is not used
    case 24:
      s.ersSerialNumber = std::string(text);
      break;
    case 25:
      s.defaultPath = std::string(text.substr(0, 64));
      result.defaultPathInvalid = s.defaultPath.size() < 2;
      break;
    case 26:
      s.antennaDistanceAlt = flag;
      break;
    case 28: {
      auto v = WholeNumber(text);
      s.usbSearch = v ? static_cast<std::uint16_t>(*v) : 0;
      break;
    }
    case 29: {
      auto v = WholeNumber(text);
      s.ostrocellSelection = (v && *v >= 0 && *v <= 5) ? static_cast<std::uint8_t>(*v) : 0;
      break;
    }
    default:
      break;
  }
}

}  // namespace

void ApplySettingsDefaults(MeasurementState& state) {
  for (int line = 1; line <= kLinesRead; ++line) ApplyDefaultForLine(line, state);
}

SettingsReadResult LoadSettings(std::string_view text, MeasurementState& state) {
  SettingsReadResult result;
  const auto lines = SplitLines(text);
  for (int line = 1; line <= kLinesRead; ++line) {
    const bool present = static_cast<std::size_t>(line) <= lines.size();
    const std::string_view content = present ? lines[static_cast<std::size_t>(line - 1)] : "";
    if (IsNumericLine(line)) {
      std::optional<std::int32_t> v = present ? WholeNumber(content) : std::optional(0);
      if (!v) {
        result.badLine = line;
        for (int rest = line; rest <= kLinesRead; ++rest) ApplyDefaultForLine(rest, state);
        break;
      }
      StoreNumber(line, *v, state);
    } else {
      StoreText(line, content, result, state);
    }
  }
  return result;
}

std::string SaveSettings(const MeasurementState& s) {
  std::string out;
  auto line = [&out](std::string_view text) {
    out += text;
    out += "\r\n";
  };
  auto number = [&line](long long v) { line(std::to_string(v)); };
  auto flag = [&line](bool b) { line(b ? "TRUE" : "FALSE"); };
  for (Colour c : s.screenColours) number(static_cast<std::int32_t>(c));
  for (Colour c : s.printerColours) number(static_cast<std::int32_t>(c));
  flag(s.logFrequencyAxis);
  flag(s.dbmUnits);
  flag(s.com1Checked);
  number(s.portNumber);
  line(s.delimiter);
  number(s.attenuationDb);
  number(s.preampGainDb);
  flag(s.highRange);
  number(s.stepsPerScan);
  line(s.ersSerialNumber);
  line(s.defaultPath);
  flag(s.antennaDistanceAlt);
  number(s.displaySize);
  number(s.usbSearch);
  number(s.ostrocellSelection);
  for (int i = 0; i < 3; ++i) line("Spare");
  return out;
}

}  // namespace tq
