#include "corrections/ErsData.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "model/Numbers.h"

namespace tq {

namespace {

std::size_t Row(int plane) {
  return static_cast<std::size_t>(plane - 1);
}

bool ValidPlane(int plane) {
  return plane == 1 || plane == 2;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The lines of a text file, CR LF or LF; a last line without its end counts.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// Words separated by blanks.
std::vector<std::string_view> Words(std::string_view s) {
  std::vector<std::string_view> words;
  while (true) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    if (s.empty()) break;
    std::size_t n = 0;
    while (n < s.size() && !IsBlank(s[n])) ++n;
    words.push_back(s.substr(0, n));
    s.remove_prefix(n);
  }
  return words;
}

std::optional<std::int32_t> WholeNumber(std::string_view s) {
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  std::int32_t value = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return value;
}

}  // namespace

const char* PlaneName(int plane) {
  return plane == 2 ? "VERTICAL" : "HORIZONTAL";
}

std::int32_t ErsGridFrequencyHz(int point, std::int32_t gridOffsetHz) {
  return point * kErsStepHz + kErsStartHz + gridOffsetHz;
}

float ErsCorrectionAt(const ErsTables& tables, int plane, double frequencyHz) {
  if (!ValidPlane(plane) || !(frequencyHz >= kErsStartHz)) return 0.0f;
  const auto& c = tables.correction[Row(plane)];
  const double base = static_cast<double>(kErsStartHz) + tables.gridOffsetHz;
  // The first grid point at or above the frequency.
  const double j = std::ceil((frequencyHz - base) / kErsStepHz);
  if (j <= 0.0) return static_cast<float>(c[0]);
  if (j > kErsLastPoint) return static_cast<float>(c[kErsLastPoint]);
  const auto upper = static_cast<std::size_t>(j);
  const double f0 = base + (j - 1.0) * kErsStepHz;
  const double c0 = c[upper - 1];
  const double c1 = c[upper];
  return static_cast<float>(c0 + (c1 - c0) * (frequencyHz - f0) / kErsStepHz);
}

float ErsLevelOf(std::string_view line) {
  std::string_view s = Trimmed(line);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  double value = 0.0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  // A level wider than ERS.DAT's eight columns ("1e39", "1234567") would not read back from
  // it: it counts as a line that is not a number.
  if (s.empty() || ec != std::errc() || end != s.data() + s.size() ||
      !(value > -99999.95 && value < 999999.95))
    return 0.0f;
  return static_cast<float>(value);
}

std::string ErsDatText(const ErsTables& tables) {
  std::string text;
  text.reserve(kErsPoints * 20);
  for (std::size_t j = 0; j < kErsPoints; ++j) {
    char line[64];
    std::snprintf(line, sizeof line, "%8.1f  %8.1f\r\n",
                  static_cast<double>(tables.reference[0][j]),
                  static_cast<double>(tables.reference[1][j]));
    text += line;
  }
  return text;
}

bool ReadErsDat(std::string_view text, ErsTables& tables) {
  const auto lines = Lines(text);
  const std::size_t n = std::min(lines.size(), kErsPoints);
  for (std::size_t j = 0; j < n; ++j) {
    const std::string_view line = lines[j];
    tables.reference[0][j] = ErsLevelOf(line.substr(0, 8));
    tables.reference[1][j] = line.size() > 10 ? ErsLevelOf(line.substr(10, 8)) : 0.0f;
  }
  return lines.size() >= kErsPoints;
}

std::string ErsCorrectionText(const ErsTables& tables, std::string_view identity) {
  std::string text = "ERS Correction Data For ";
  text.append(identity);
  text += "\r\n         Frequ      HORIZ  VERT\r\n";
  for (std::size_t j = 0; j < kErsPoints; ++j) {
    char line[96];
    std::snprintf(line, sizeof line, "%3d  %d  %d  %s%s\r\n", static_cast<int>(j),
                  tables.correction[0][j], tables.correction[1][j],
                  tables.valid[0][j] != 0 ? "TRUE " : "FALSE",
                  tables.valid[1][j] != 0 ? " TRUE " : "  FALSE");
    text += line;
  }
  return text;
}

std::optional<std::string> ReadErsCorrectionText(std::string_view text, ErsTables& tables) {
  const auto lines = Lines(text);
  if (lines.empty()) return std::nullopt;
  for (std::size_t j = 0; j < kErsPoints && j + 2 < lines.size(); ++j) {
    const auto words = Words(lines[j + 2]);
    // The index, then the two corrections; a field that does not convert keeps its value.
    if (words.size() > 1)
      if (const auto h = WholeNumber(words[1])) tables.correction[0][j] = *h;
    if (words.size() > 2)
      if (const auto v = WholeNumber(words[2])) tables.correction[1][j] = *v;
    tables.valid[0][j] = words.size() > 3 && words[3] == "TRUE";
    tables.valid[1][j] = words.size() > 4 && words[4] == "TRUE";
  }
  return std::string(lines.front());
}

void FullRangeCorrection(ErsTables& tables, int plane, const Trace& current, const Trace& store) {
  if (!ValidPlane(plane)) return;
  const std::size_t p = Row(plane);
  // Where the ERS unit does not rise above the background the last level seen stands in.
  std::int32_t measured = 0;
  for (std::size_t j = 0; j < kErsPoints; ++j) {
    const std::int32_t a = current[j];
    const std::int32_t b = store[j];
    tables.valid[p][j] = a <= b + 8 ? 1 : 0;
    if (a > b) measured = EmissionsDifference(a, b);
    tables.correction[p][j] = RoundHalfEven(static_cast<double>(tables.reference[p][j]) - measured);
  }
}

void ZoomedCorrection(ErsTables& tables, int plane, std::int32_t startHz, std::int32_t spanHz,
                      const FrequencyGrid& displayHz, const Trace& current, const Trace& store) {
  if (!ValidPlane(plane)) return;
  const std::size_t p = Row(plane);
  const int first = RoundHalfEven((static_cast<double>(startHz) - kErsStartHz) / kErsStepHz);
  const int limit = first + (spanHz > 100000000 ? 100 : 50);
  for (int g = std::max(first, 0); g < limit && g <= kErsLastPoint; ++g) {
    // The grid point's own frequency, so that its level pairs with its reference.
    const double f = ErsGridFrequencyHz(g, 0);
    const double half = 160.0 * f / 1000000.0;
    const double lower = f - half;
    const double upper = f + half + 120000.0 + spanHz / 500.0;
    std::size_t i = 1;
    while (i < 500 && displayHz[i] < lower) ++i;
    std::int32_t a = 0;
    std::int32_t b = 0;
    for (std::size_t k = i - 1; k < 500 && displayHz[k] < upper; ++k) {
      if (current[k] > a) {
        a = current[k];
        b = store[k];
      }
    }
    const auto j = static_cast<std::size_t>(g);
    if (b < a - 3) {
      tables.valid[p][j] = 0;
      tables.correction[p][j] =
          RoundHalfEven(static_cast<double>(tables.reference[p][j]) - EmissionsDifference(a, b));
    } else {
      tables.valid[p][j] = 1;
      tables.correction[p][j] = 0;
    }
  }
}

// ---------------------------------------------------------------------------------------

ErsData::ErsData(MeasurementState& state, Files& files, Prompts& prompts)
    : state_(state), files_(files), prompts_(prompts) {}

void ErsData::InstallERSdata1Click() {
  const auto serial =
      prompts_.inputBox("ERS Data", "Enter ERS Unit Serial Number : ", state_.ersSerialNumber);
  if (!serial) return;
  prompts_.message(MessageKind::Information, "Place Disk with New ERS Data in Drive A",
                   Buttons::Ok);
  std::string folder = "a:";
  const auto there = [&](const char* ext) { return files_.exists(folder + *serial + ext); };
  // Few machines have a floppy drive now: the files may be in any folder.
  if (!there(".HOR") || !there(".VER"))
    if (auto chosen = installationFolder()) folder = *chosen;
  // The new levels are kept aside: a failed installation leaves the data installed before
  // (ERS.DAT, the tables and the serial number) as they were.
  ErsTables read = tables_;
  bool installed = true;
  if (!readInstallationFile(folder + *serial + ".HOR", 1, read)) {
    prompts_.message(MessageKind::Error, "Error Reading ERS Horizontal Data File", Buttons::Ok);
    installed = false;
  }
  if (!readInstallationFile(folder + *serial + ".VER", 2, read)) {
    prompts_.message(MessageKind::Error, "Error Reading ERS Vertical Data File", Buttons::Ok);
    installed = false;
  }
  if (installed && !files_.writeAll(kErsDataFile, ErsDatText(read))) {
    prompts_.message(MessageKind::Error, WriteFailureText(files_, kErsDataFile), Buttons::Ok);
    installed = false;
  }
  if (installed) {
    tables_.reference = read.reference;
    state_.ersSerialNumber = *serial;
  }
  prompts_.message(MessageKind::Information,
                   installed ? "ERS Data Successfully Installed" : "No ERS Data has been Installed",
                   Buttons::Ok);
}

std::optional<std::string> ErsData::installationFolder() {
  const auto chosen = prompts_.openFileName("ERS Data", "ERS Data Files (*.HOR)|*.HOR", "a:");
  if (!chosen) return std::nullopt;
  const std::size_t slash = chosen->find_last_of("/\\");
  return slash == std::string::npos ? std::string() : chosen->substr(0, slash + 1);
}

bool ErsData::readInstallationFile(const std::string& path, int plane, ErsTables& into) {
  const auto text = files_.readAll(path);
  if (!text) return false;
  const auto lines = Lines(*text);
  auto& reference = into.reference[Row(plane)];
  const std::size_t n = std::min(lines.size(), kErsPoints);
  for (std::size_t j = 0; j < n; ++j) reference[j] = ErsLevelOf(lines[j]);
  return lines.size() >= kErsPoints;
}

bool ErsData::LoadReferenceLevels() {
  if (!files_.exists(kErsDataFile)) return false;
  const auto text = files_.readAll(kErsDataFile);
  return text && ReadErsDat(*text, tables_);
}

bool ErsData::ClearERSData1Click() {
  if (prompts_.message(MessageKind::Warning,
                       "You Will Have to Reset Both Polarizations of the ERS Data If You Clear "
                       "It Now",
                       Buttons::OkCancel) != Answer::Ok)
    return false;
  for (auto& c : tables_.correction) c.fill(0);
  for (auto& v : tables_.valid) v.fill(0);
  tables_.appliedPlane = 0;
  tables_.holdsData = {false, false};
  tables_.archived = false;
  return true;
}

void ErsData::SaveERSCorrectionData1Click() {
  if (prompts_.message(MessageKind::Confirmation,
                       "Do You Wish to Save ERS Data (NOT recommended) ?",
                       Buttons::YesNo) != Answer::Yes)
    return;
  if (!files_.writeAll(kErsCorrectionFile, ErsCorrectionText(tables_, state_.ersSerialNumber)))
    prompts_.message(MessageKind::Error, WriteFailureText(files_, kErsCorrectionFile), Buttons::Ok);
}

bool ErsData::ReLoadERSCorrectionData1Click() {
  if (prompts_.message(MessageKind::Confirmation,
                       "Do You Wish to Re-Load Old ERS Data (NOT Recommended) ?",
                       Buttons::YesNo) != Answer::Yes)
    return false;
  const auto text =
      files_.exists(kErsCorrectionFile) ? files_.readAll(kErsCorrectionFile) : std::nullopt;
  if (!text) {
    prompts_.message(MessageKind::Warning, "ERS Correction Data Not Found", Buttons::Ok);
    return false;
  }
  if (auto title = ReadErsCorrectionText(*text, tables_)) correctionTitle_ = std::move(*title);
  tables_.holdsData = {true, true};
  tables_.appliedPlane = 0;
  tables_.archived = false;
  return true;
}

void ErsData::ToggleApplied(int plane) {
  if (!ValidPlane(plane)) return;
  tables_.appliedPlane = tables_.appliedPlane == plane ? 0 : plane;
}

float ErsData::CorrectionDb(double frequencyHz) const {
  return ErsCorrectionAt(tables_, tables_.appliedPlane, frequencyHz);
}

std::string ErsData::Label() const {
  switch (tables_.appliedPlane) {
    case 1:
      return " ERS HOR";
    case 2:
      return " ERS VER";
    default:
      return " ERS OFF";
  }
}

bool ErsData::Calibrated(int plane) const {
  return ValidPlane(plane) && tables_.holdsData[Row(plane)];
}

void ErsData::SetCalibrated(int plane, bool calibrated) {
  if (ValidPlane(plane)) tables_.holdsData[Row(plane)] = calibrated;
}

}  // namespace tq
