#include "corrections/AntennaFile.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "model/Numbers.h"

namespace tq {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// A number at the start of s; `used` is how many characters it took. No locale: the files
// always carry a decimal point.
std::optional<double> NumberAtStart(std::string_view s, std::size_t& used) {
  std::size_t sign = 0;
  if (!s.empty() && s.front() == '+') sign = 1;
  // A second sign after '+' is no number.
  if (sign == 1 && s.size() > 1 && (s[1] == '-' || s[1] == '+')) return std::nullopt;
  double value = 0.0;
  const char* first = s.data() + sign;
  const char* last = s.data() + s.size();
  const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ec != std::errc() || !std::isfinite(value)) return std::nullopt;
  used = static_cast<std::size_t>(end - s.data());
  return value;
}

std::string_view Line(const std::vector<std::string_view>& lines, std::size_t index) {
  return index < lines.size() ? lines[index] : std::string_view{};
}

double NumberOrZero(const std::vector<std::string_view>& lines, std::size_t index) {
  return LeadingNumber(Line(lines, index)).value_or(0.0);
}

}  // namespace

std::vector<std::string_view> TextLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

std::optional<double> LeadingNumber(std::string_view line) {
  while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
  std::size_t used = 0;
  return NumberAtStart(line, used);
}

std::optional<double> WholeNumber(std::string_view text) {
  text = Trimmed(text);
  std::size_t used = 0;
  const auto value = NumberAtStart(text, used);
  if (!value || used != text.size()) return std::nullopt;
  return value;
}

AntennaFile ReadAntennaFile(std::string_view text) {
  const auto lines = TextLines(text);
  AntennaFile file;
  file.title = std::string(Line(lines, 0).substr(0, kTitleLength));
  file.radiated = Line(lines, 1) == "TRUE";
  file.changeoverText = std::string(Line(lines, 2));
  // Lines 4 and 5 are empty; the pairs start at line 6.
  for (std::size_t k = 0; k < kAntennaPairs; ++k) {
    file.pairs[k].frequencyHz = NumberOrZero(lines, 5 + 2 * k);
    file.pairs[k].factorDb = NumberOrZero(lines, 6 + 2 * k);
  }
  return file;
}

std::string ScientificText(double value) {
  char mantissa[48];
  std::snprintf(mantissa, sizeof mantissa, "%.14E", value);
  // The exponent in four digits, as the text writer puts it.
  std::string text(mantissa);
  const std::size_t e = text.find('E');
  if (e == std::string::npos || e + 2 > text.size()) return text;
  const std::string digits = text.substr(e + 2);
  const std::string sign = text.substr(e + 1, 1);
  return text.substr(0, e + 1) + sign +
         std::string(digits.size() < 4 ? 4 - digits.size() : 0, '0') + digits;
}

std::string WriteAntennaFile(std::string_view title, bool radiated, std::string_view changeoverText,
                             std::span<const AntennaPair> pairs) {
  std::string out;
  out.reserve(64 + pairs.size() * 52);
  out.append(title.substr(0, kTitleLength)).append("\r\n");
  out.append(radiated ? "TRUE" : "FALSE").append("\r\n");
  out.append(changeoverText).append("\r\n");
  out.append("\r\n\r\n");
  for (const AntennaPair& p : pairs) {
    out.append(ScientificText(p.frequencyHz)).append("\r\n");
    out.append(ScientificText(p.factorDb)).append("\r\n");
  }
  return out;
}

CellFileRead ReadCellFile(std::string_view text, FactorTable& table) {
  const auto lines = TextLines(text);
  CellFileRead read;
  const auto mhz = LeadingNumber(Line(lines, 2));
  if (mhz && *mhz > 0) read.changeoverHz = RoundHalfEven(*mhz * 1000000.0);
  // The antenna file's layout: lines 4 and 5 empty, pairs from line 6 to the end of the file;
  // row 499 is the last the table holds.
  constexpr std::size_t kLastRow = kFactorRows - 1;
  for (std::size_t line = 5, row = 1; line < lines.size() && row <= kLastRow; line += 2, ++row) {
    table[row].frequencyHz = RoundHalfEven(NumberOrZero(lines, line));
    table[row].factorDb = static_cast<float>(RoundHalfEven(NumberOrZero(lines, line + 1)));
    table[row].logarithmic = 0;
    read.rows = static_cast<int>(row);
  }
  return read;
}

std::string CellFileName(std::string_view serialText) {
  std::string serial(serialText);
  if (serial.size() < 3) serial.insert(0, 3 - serial.size(), '0');
  return "cell" + serial + ".ant";
}

std::optional<AntennaPair> GridRowValue(std::string_view frequencyText,
                                        std::string_view factorText) {
  const auto f = WholeNumber(frequencyText);
  const auto v = WholeNumber(factorText);
  if (!f || !v || *f < 0 || *f >= 1100000000.0) return std::nullopt;
  return AntennaPair{*f, *v};
}

}  // namespace tq
