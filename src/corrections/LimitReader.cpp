#include "corrections/LimitReader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tq {

namespace {

constexpr std::size_t kNameLength = 64;
constexpr std::size_t kDescriptionLength = 64;
constexpr std::size_t kStandardLength = 30;
constexpr std::size_t kDistanceLength = 30;
// ClearLimit and the user loader touch only the first 50 point rows.
constexpr int kClearedPointRows = 50;

std::string_view From(std::string_view line, std::size_t column) {
  return line.size() >= column ? line.substr(column - 1) : std::string_view{};
}

std::string Cut(std::string_view text, std::size_t length) {
  return std::string(text.substr(0, std::min(text.size(), length)));
}

std::string_view SkipBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

bool IsHeader(std::string_view line) {
  return line.substr(0, 5) == "LIMIT";
}

// The name runs from column 8 to the character before the last (the closing quote).
std::string HeaderName(std::string_view line) {
  if (line.size() < 8) return {};
  return Cut(line.substr(7, line.size() - 8), kNameLength);
}

void SkipToEnd(LimitLineReader& reader) {
  while (!reader.atEnd())
    if (reader.next() == "END") return;
}

// A point line: frequency, level, and the interpolation word whose second letter decides.
void ReadPointLine(std::string_view line, LimitPoint& row) {
  std::size_t start = 0;
  int commas = 0;
  std::string_view third;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] != ',') continue;
    const std::string_view field = line.substr(start, i - start);
    if (commas == 0) row.frequencyHz = LimitFieldInteger(field);
    if (commas == 1) row.level = LimitFieldInteger(field);
    start = i + 1;
    if (++commas == 2) {
      third = line.substr(start);
      break;
    }
  }
  row.interpolation = third.size() >= 2 && third[1] == 'O' ? 1 : 0;
}

// A band line: start, stop and level, with a comma appended so the last field needs none.
void ReadBandLine(std::string_view line, LimitBand& band) {
  std::size_t start = 0;
  int field = 0;
  for (std::size_t i = 0; i <= line.size() && field < 3; ++i) {
    if (i < line.size() && line[i] != ',') continue;
    const std::string_view text = line.substr(start, i - start);
    if (field == 0) band.startHz = LimitFieldInteger(text);
    if (field == 1) band.stopHz = LimitFieldInteger(text);
    if (field == 2) band.level = LimitFieldDecimal(text);
    ++field;
    start = i + 1;
  }
}

void ReadDistance(std::string_view line, LimitTable& table) {
  table.distanceText = Cut(From(line, 9), kDistanceLength);
  table.limitDistanceM = LimitDistanceOf(table.distanceText);
}

// Rows from 1 up to and including the END row; more rows than the table holds is a failure.
LimitReadResult ReadPointRows(LimitLineReader& reader, LimitTable& table) {
  for (int row = 1;; ++row) {
    if (row > kLimitPointRows) return LimitReadResult::Overflow;
    const std::string_view line = reader.next();
    ReadPointLine(line, table.points[static_cast<std::size_t>(row)]);
    if (line == "END") {
      table.entryCount = row;
      return LimitReadResult::Loaded;
    }
  }
}

LimitReadResult ReadBandRows(LimitLineReader& reader, LimitTable& table) {
  for (int row = 1;; ++row) {
    if (row > kLimitBandRows) return LimitReadResult::Overflow;
    const std::string_view line = reader.next();
    ReadBandLine(line, table.bands[static_cast<std::size_t>(row)]);
    if (line == "END") {
      table.entryCount = row;
      return LimitReadResult::Loaded;
    }
  }
}

LimitReadResult ReadLongBlock(LimitLineReader& reader, std::string_view header, int number,
                              bool user, LimitTable& table) {
  if (user) {
    for (int r = 1; r <= kClearedPointRows; ++r) {
      table.points[static_cast<std::size_t>(r)].frequencyHz = 0;
      table.points[static_cast<std::size_t>(r)].level = 0;
    }
  } else {
    ClearLimitTable(table);
  }
  table.name = HeaderName(header);
  table.recordNumber = number;
  table.description = Cut(From(reader.next(), 13), kDescriptionLength);
  table.standard = Cut(From(reader.next(), 10), kStandardLength);
  reader.next();  // identification
  ReadDistance(reader.next(), table);
  table.radiated = reader.next() == "RADIATED";
  return ReadPointRows(reader, table);
}

LimitReadResult ReadBandBlock(LimitLineReader& reader, std::string_view header, int number,
                              LimitTable& table) {
  ClearLimitTable(table);
  table.name = HeaderName(header);
  table.recordNumber = number;
  reader.next();
  ReadDistance(reader.next(), table);
  table.radiated = reader.next() == "RADIATED";
  return ReadBandRows(reader, table);
}

}  // namespace

std::string_view LimitLineReader::next() {
  if (atEnd()) return {};
  const std::size_t end = std::min(text_.find('\n', pos_), text_.size());
  std::string_view line = text_.substr(pos_, end - pos_);
  pos_ = end + 1;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line.substr(0, std::min(line.size(), kLineLength));
}

void ClearLimitTable(LimitTable& table) {
  for (int r = 1; r <= kClearedPointRows; ++r) {
    table.points[static_cast<std::size_t>(r)].frequencyHz = 0;
    table.points[static_cast<std::size_t>(r)].level = 0;
  }
  for (int r = 1; r <= kLimitBandRows; ++r) table.bands[static_cast<std::size_t>(r)] = {};
  table.companionOffsetDb = 0;
  table.name.clear();
  table.entryCount = 0;
}

LimitReadResult ReadLimitRecord(std::string_view text, LimitFileKind kind, int wanted,
                                LimitTable& table, std::vector<std::string>* names) {
  LimitLineReader reader(text);
  int counter = kind == LimitFileKind::BuiltIn ? -1 : kind == LimitFileKind::User ? 200 : 99;
  bool found = false;
  while (!reader.atEnd()) {
    const std::string_view line = reader.next();
    if (!IsHeader(line)) continue;
    ++counter;
    if (names && names->size() < kUserLimitListMax) names->push_back(HeaderName(line));
    if (counter != wanted) {
      SkipToEnd(reader);
      continue;
    }
    found = true;
    const LimitReadResult r =
        kind == LimitFileKind::Vehicle
            ? ReadBandBlock(reader, line, counter, table)
            : ReadLongBlock(reader, line, counter, kind == LimitFileKind::User, table);
    if (r != LimitReadResult::Loaded) return r;
    // Only the list still wants the records after this one.
    if (!names) break;
  }
  return found ? LimitReadResult::Loaded : LimitReadResult::NotFound;
}

std::int32_t LimitFieldInteger(std::string_view text) {
  text = SkipBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  std::int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') break;
    value =
        std::min<std::int64_t>(value * 10 + (c - '0'), std::numeric_limits<std::int32_t>::max());
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

namespace {
// The longest decimal number at the start of text (after a sign); nullopt-like false when
// there is none or it is not finite.
bool DecimalPrefix(std::string_view text, double& value, std::size_t& used) {
  bool negative = false;
  std::size_t at = 0;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    at = 1;
  }
  // No second sign, no "inf" or "nan": a digit or a point must follow.
  if (at >= text.size() || !(text[at] == '.' || (text[at] >= '0' && text[at] <= '9'))) return false;
  double v = 0;
  const char* first = text.data() + at;
  const auto [end, ec] = std::from_chars(first, text.data() + text.size(), v);
  if (ec != std::errc() || !std::isfinite(v)) return false;
  value = negative ? -v : v;
  used = static_cast<std::size_t>(end - text.data());
  return true;
}
}  // namespace

float LimitFieldDecimal(std::string_view text) {
  double v = 0;
  std::size_t used = 0;
  if (!DecimalPrefix(SkipBlanks(text), v, used)) return 0.0f;
  return static_cast<float>(std::clamp(v, -1.0e30, 1.0e30));
}

bool ParseLimitDecimal(std::string_view text, double& value) {
  text = SkipBlanks(text);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::size_t used = 0;
  return DecimalPrefix(text, value, used) && used == text.size();
}

float LimitDistanceOf(std::string_view text) {
  double v = 0;
  if (!ParseLimitDecimal(text, v) || std::abs(v) > 1.0e30) return 3.0f;
  return static_cast<float>(v);
}

}  // namespace tq
