#include "results/ResultFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

#include "model/Numbers.h"
#include "model/SoftwareVersion.h"

namespace tq {

namespace {

// Levels and ERS entries from a file are kept within a range that no arithmetic on them
// can overflow; no real level comes near it.
constexpr std::int32_t kLevelBound = 32767;

std::int32_t BoundedLevel(double value) {
  return std::clamp(RoundHalfEven(value), -kLevelBound, kLevelBound);
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// A whole number with an optional sign, blanks around it allowed.
std::optional<std::int32_t> Integer(std::string_view s) {
  s = Trim(s);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty()) return std::nullopt;
  std::int32_t value = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return value;
}

// A decimal number (sign, digits, point, exponent), blanks around it allowed.
std::optional<double> Decimal(std::string_view s) {
  s = Trim(s);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty() || s.size() > 64) return std::nullopt;
  for (const char c : s)
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
      return std::nullopt;
  double value = 0.0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

bool Flag(std::string_view line) {
  return line == "TRUE";
}

// Text fields never carry a line end into the file: that would shift every line after it.
std::string_view OneLine(std::string_view text) {
  return text.substr(0, text.find_first_of("\r\n"));
}

void Line(std::string& out, std::string_view text) {
  out.append(OneLine(text)).append("\r\n");
}

void Number(std::string& out, std::int32_t value, int width) {
  char text[24];
  std::snprintf(text, sizeof text, "%*d\r\n", width, value);
  out.append(text);
}

void FlagLine(std::string& out, bool value) {
  Line(out, value ? "TRUE" : "FALSE");
}

void WriteHeader(std::string& out, const ResultHeader& h, std::string_view d) {
  Line(out, kSoftwareVersionStamp);
  Line(out, CutCharacters(OneLine(h.dateText), kResultDateLength));
  Line(out, h.title);
  FlagLine(out, false);
  FlagLine(out, false);
  Number(out, h.startFrequencyHz, 12);
  Number(out, h.finishFrequencyHz, 12);
  Number(out, h.stepsPerScan, 5);
  FlagLine(out, h.logFrequencyAxis);
  FlagLine(out, h.dbmUnits);
  Number(out, h.inputCode, 5);
  Line(out, d);
  Number(out, h.attenuationDb, 8);
  FlagLine(out, h.showCurrent);
  FlagLine(out, h.showStore);
  FlagLine(out, h.showDifference);
  FlagLine(out, h.showArchive);
  FlagLine(out, h.showLimit);
  for (const std::string& note : h.notes) Line(out, note);
  Line(out, h.ersSerialNumber);
  Number(out, h.samplingValue, 8);
  Line(out, "Stuff");
  Number(out, h.limitNumber, 5);
  Number(out, h.singleFrequencyHz, 12);
  for (const std::string& label : h.timeLabels) Line(out, label);
  Number(out, h.detector, 8);
  FlagLine(out, h.differenceInsertionLoss);
  Number(out, h.lisnInsertionLossDb + h.lisnSource, 8);
  Number(out, h.processingMode, 8);
  Number(out, h.limitFileSelector, 8);
  Number(out, h.ersPlane, 0);
  Number(out, h.preampGainDb, 0);
  Line(out, "");
  Line(out, "");
  Line(out, "finish");
  std::string heading = "FREQUENCY   ";
  heading.append(d).append(" CURR ").append(d).append(" STORE").append(d);
  heading.append(" LIMIT").append(d).append("SINGLE");
  Line(out, heading);
}

void WriteData(std::string& out, const ResultColumns& c, std::string_view d) {
  char field[32];
  for (std::size_t n = 0; n < kResultDataLines; ++n) {
    std::snprintf(field, sizeof field, "%12.0f", static_cast<double>(c.frequenciesHz[n]));
    out.append(field);
    for (const Trace* column : {&c.current, &c.store, &c.limit, &c.single}) {
      std::snprintf(field, sizeof field, "%6d", (*column)[n]);
      out.append(d).append(field);
    }
    out.append("\r\n");
  }
}

void WriteErs(std::string& out, const ErsTables& ers, int plane, std::string_view d) {
  const auto p = static_cast<std::size_t>(plane - 1);
  char entry[24];
  for (std::size_t k = 0; k < kErsPoints; ++k) {
    std::snprintf(entry, sizeof entry, "%5d", ers.correction[p][k]);
    out.append(entry).append(d).append(ers.valid[p][k] ? "1" : "0").append("\r\n");
  }
}

// A data line of white-space separated numbers: a float and four integers.
void ReadBlankDelimited(std::string_view line, std::size_t n, ResultColumns& b) {
  std::array<std::string_view, 5> tokens;
  std::size_t count = 0;
  std::size_t i = 0;
  while (count < tokens.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) break;
    const std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    tokens[count++] = line.substr(start, i - start);
  }
  const std::optional<double> frequency = count > 0 ? Decimal(tokens[0]) : std::nullopt;
  std::array<std::optional<std::int32_t>, 4> levels;
  bool complete = frequency.has_value() && count == tokens.size();
  for (std::size_t k = 0; k < levels.size() && complete; ++k) {
    levels[k] = Integer(tokens[k + 1]);
    complete = levels[k].has_value();
  }
  // A point whose frequency cannot be read takes the one before it, so the grid stays in
  // order; the first point then has 0 Hz.
  if (frequency) {
    b.frequenciesHz[n] = static_cast<float>(RoundHalfEven(*frequency));
  } else {
    b.frequenciesHz[n] = n > 0 ? b.frequenciesHz[n - 1] : 0.0f;
  }
  Trace* columns[] = {&b.current, &b.store, &b.limit, &b.single};
  for (std::size_t k = 0; k < levels.size(); ++k)
    (*columns[k])[n] = complete ? std::clamp(*levels[k], -kLevelBound, kLevelBound) : 0;
}

void ReadDelimited(std::string_view line, std::size_t n, char delimiter, ResultColumns& b) {
  // The line's end counts as one more delimiter, as if it had been appended.
  while (!line.empty() && line.front() == ' ' && line.size() + 1 > 5) line.remove_prefix(1);
  int field = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= line.size() && field < 5; ++i) {
    if (i < line.size() && line[i] != delimiter) continue;
    const std::optional<double> value = Decimal(line.substr(start, i - start));
    start = i + 1;
    ++field;
    if (!value) continue;
    switch (field) {
      case 1:
        b.frequenciesHz[n] = static_cast<float>(RoundHalfEven(*value));
        break;
      case 2:
        b.current[n] = BoundedLevel(*value);
        break;
      case 3:
        b.store[n] = BoundedLevel(*value);
        break;
      case 4:
        b.limit[n] = BoundedLevel(*value);
        break;
      default:
        b.single[n] = BoundedLevel(*value);
        break;
    }
  }
}

// Whether a text is UTF-8 throughout; a text that is not is taken as 8-bit characters.
bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c < 0x80           ? 1
                               : (c >> 5) == 0x6  ? 2
                               : (c >> 4) == 0xE  ? 3
                               : (c >> 3) == 0x1E ? 4
                                                  : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += length;
  }
  return true;
}

}  // namespace

std::string CutCharacters(std::string_view text, std::size_t count) {
  if (!IsUtf8(text)) return std::string(text.substr(0, count));
  std::size_t characters = 0;
  std::size_t i = 0;
  for (; i < text.size(); ++i) {
    const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
    if (!continuation && characters++ == count) break;
  }
  return std::string(text.substr(0, i));
}

std::string ResultDelimiter(std::string_view setting) {
  if (setting.empty()) return ";";
  const auto c = static_cast<unsigned char>(setting.front());
  const bool unusable = c == ' ' || (c < 0x20 && c != '\t') || (c >= '0' && c <= '9') || c == '+' ||
                        c == '-' || c == '.';
  return unusable ? ";" : std::string(1, setting.front());
}

std::string FormatResultFile(const ResultHeader& header, const ResultColumns& columns,
                             const ErsTables& ers) {
  const std::string d = ResultDelimiter(header.delimiter);
  std::string out;
  out.reserve(2048 + kResultDataLines * 48 + kErsPoints * 10);
  WriteHeader(out, header, d);
  WriteData(out, columns, d);
  if (header.ersPlane == 1 || header.ersPlane == 2) WriteErs(out, ers, header.ersPlane, d);
  return out;
}

ResultLines::ResultLines(std::string_view text, std::size_t maxLines) {
  lines_.reserve(std::min<std::size_t>(maxLines, 2048));
  // A line ends at CR LF, or at a CR or an LF alone.
  while (!text.empty() && lines_.size() < maxLines) {
    const std::size_t end = text.find_first_of("\r\n");
    lines_.push_back(text.substr(0, end).substr(0, kResultLineLength));
    if (end == std::string_view::npos) break;
    const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    text.remove_prefix(end + (crlf ? 2 : 1));
  }
}

HeaderRead ReadResultHeader(const ResultLines& lines) {
  HeaderRead r;
  ResultHeader& h = r.header;
  auto line = [&lines](int number) { return lines[static_cast<std::size_t>(number - 1)]; };
  // The number lines stop the read at the first that holds no integer.
  auto integer = [&](int number, std::int32_t& into) {
    const std::optional<std::int32_t> v = Integer(line(number));
    if (!v) {
      r.failedLine = number;
      return false;
    }
    into = *v;
    return true;
  };

  h.dateText = CutCharacters(line(2), kResultDateLength);
  h.title = CutCharacters(line(3), kResultTitleLength);
  if (!integer(6, h.startFrequencyHz) || !integer(7, h.finishFrequencyHz) ||
      !integer(8, h.stepsPerScan))
    return r;
  h.logFrequencyAxis = Flag(line(9));
  h.dbmUnits = Flag(line(10));
  if (!integer(11, h.inputCode)) return r;
  r.delimiterRead = !line(12).empty();
  h.delimiter = std::string(line(12).substr(0, 1));
  if (!integer(13, h.attenuationDb)) return r;
  h.showCurrent = Flag(line(14));
  h.showStore = Flag(line(15));
  h.showDifference = Flag(line(16));
  h.showArchive = Flag(line(17));
  h.showLimit = Flag(line(18));
  for (int k = 0; k < 8; ++k) h.notes[static_cast<std::size_t>(k)] = std::string(line(19 + k));
  h.ersSerialNumber = std::string(line(27));
  if (!integer(28, h.samplingValue) || !integer(30, h.limitNumber) ||
      !integer(31, h.singleFrequencyHz))
    return r;
  for (int k = 0; k < 5; ++k)
    h.timeLabels[static_cast<std::size_t>(k)] = CutCharacters(line(32 + k), kResultTimeLabelLength);
  if (!integer(37, h.detector)) return r;
  h.differenceInsertionLoss = Flag(line(38));

  // Lines 39 to 43 never stop the read.
  if (const auto v = Decimal(line(39))) {
    const std::int32_t packed = RoundHalfEven(*v);
    if (packed < 40) {
      h.lisnInsertionLossDb = packed < 10 ? 0 : packed - packed % 10;
      h.lisnSource = packed - h.lisnInsertionLossDb;
      r.lisnRead = true;
    }
  }
  if (const auto v = Decimal(line(40))) {
    h.processingMode = RoundHalfEven(*v);
    r.processingModeRead = true;
  }
  if (const auto v = Decimal(line(41))) h.limitFileSelector = RoundHalfEven(*v);
  if (const auto v = Decimal(line(42))) {
    h.ersPlane = RoundHalfEven(*v);
    r.ersPlaneRead = true;
  }
  const auto preamp = Decimal(line(43));
  h.preampGainDb = preamp ? RoundHalfEven(*preamp) : 0;
  return r;
}

void ReadResultData(const ResultLines& lines, std::size_t first, char delimiter,
                    ResultColumns& buffers) {
  for (std::size_t n = 0; n < kResultDataLines; ++n) {
    const std::string_view line = lines[first + n];
    if (delimiter == ' ') {
      ReadBlankDelimited(line, n, buffers);
    } else {
      ReadDelimited(line, n, delimiter, buffers);
    }
  }
}

float ErsField(std::string_view line, int n, char delimiter) {
  while (line.size() > 2 && line.front() == ' ') line.remove_prefix(1);
  int field = 1;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= line.size(); ++i) {
    if (i < line.size() && line[i] != delimiter && line[i] != ',') continue;
    if (field == n) {
      const std::optional<double> v = Decimal(line.substr(start, i - start));
      return v ? static_cast<float>(*v) : 0.0f;
    }
    ++field;
    start = i + 1;
  }
  return 0.0f;
}

bool ReadErsBlock(const ResultLines& lines, std::size_t first, char delimiter, int filePlane,
                  ErsTables& ers) {
  if (lines.size() <= first) return false;
  for (auto& table : ers.correction) table.fill(0);
  for (auto& flags : ers.valid) flags.fill(0);
  const bool onePlane = filePlane == 1 || filePlane == 2;
  const auto p = static_cast<std::size_t>(onePlane ? filePlane - 1 : 0);
  for (std::size_t k = 0; k < kErsPoints; ++k) {
    const std::string_view line = lines[first + k];
    const std::int32_t entry = BoundedLevel(ErsField(line, 1, delimiter));
    const std::int32_t second = BoundedLevel(ErsField(line, 2, delimiter));
    if (onePlane) {
      ers.correction[p][k] = entry;
      ers.valid[p][k] = second != 0 ? 1 : 0;
    } else {
      ers.correction[0][k] = entry;
      ers.correction[1][k] = second;
    }
  }
  if (onePlane) {
    ers.holdsData[p] = true;
    ers.holdsData[1 - p] = false;
  } else {
    ers.holdsData = {true, true};
  }
  ers.appliedPlane = 0;
  ers.archived = true;
  return true;
}

}  // namespace tq
