#include "analysis/Csv.h"

#include "model/Numbers.h"

namespace tq {

namespace {

std::string Number(double value, int decimals) {
  return FormatFixed(value, 0, decimals);
}

std::string LevelOf(const PeakReading& r) {
  return r.taken() ? Number(r.level, 1) : std::string();
}

std::string DetectorOf(char detector) {
  return detector ? std::string(1, detector) : std::string();
}

std::string LimitCell(double level) {
  return level < kNoLimit ? Number(level, 1) : std::string();
}

}  // namespace

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

std::string CsvRecord(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += ',';
    line += CsvField(fields[i]);
  }
  line += "\r\n";
  return line;
}

std::string CsvTable(const std::vector<CsvColumn>& columns) {
  std::vector<std::string> names, units;
  std::size_t rows = 0;
  for (const CsvColumn& c : columns) {
    names.push_back(c.name);
    units.push_back(c.unit);
    rows = std::max(rows, c.cells.size());
  }
  std::string text = CsvRecord(names) + CsvRecord(units);
  std::vector<std::string> fields(columns.size());
  for (std::size_t r = 0; r < rows; ++r) {
    for (std::size_t c = 0; c < columns.size(); ++c)
      fields[c] = r < columns[c].cells.size() ? columns[c].cells[r] : std::string();
    text += CsvRecord(fields);
  }
  return text;
}

std::string PeakTableCsv(const PeakTable& table) {
  const std::string& u = table.unit;
  std::vector<CsvColumn> c{
      {"Peak", "", {}},      {"Frequency", "MHz", {}},   {"Final Frequency", "MHz", {}},
      {"Read", "dBuV", {}},  {"Correction", "dB", {}},   {"Level", u, {}},
      {"Detector", "", {}},  {"Sweep", u, {}},           {"Sweep Detector", "", {}},
      {"Final Peak", u, {}}, {"Quasi-Peak", u, {}},      {"Average", u, {}},
      {"Limit", u, {}},      {"Limit Detector", "", {}}, {"Margin", "dB", {}},
      {"QP Limit", u, {}},   {"QP Margin", "dB", {}},    {"LISN", "", {}},
      {"Verdict", "", {}},   {"Final", "", {}},
  };
  auto add = [&c](std::vector<std::string> cells) {
    for (std::size_t i = 0; i < c.size(); ++i) c[i].cells.push_back(std::move(cells[i]));
  };
  int number = 0;
  for (const PeakRow& row : table.rows) {
    const PeakReading& deciding = ReadingOf(row, row.detector);
    const PeakReading* finalReading = row.quasiPeak.taken()   ? &row.quasiPeak
                                      : row.finalPeak.taken() ? &row.finalPeak
                                      : row.average.taken()   ? &row.average
                                                              : nullptr;
    auto margin = [](const LineCheck& l) { return l.present ? Number(l.margin, 1) : ""; };
    add({std::to_string(++number),
         Number(row.peak.frequencyHz / 1e6, 4),
         finalReading ? Number(finalReading->frequencyHz / 1e6, 4) : "",
         Number(deciding.readDbuv, 1),
         Number(deciding.correctionDb, 1),
         Number(deciding.level, 1),
         DetectorOf(deciding.detector),
         LevelOf(row.peak),
         DetectorOf(row.peak.detector),
         LevelOf(row.finalPeak),
         LevelOf(row.quasiPeak),
         LevelOf(row.average),
         row.base.present ? LimitCell(row.base.limit) : "",
         row.base.present ? DetectorOf(row.base.detector) : "",
         margin(row.base),
         row.companion.present ? LimitCell(row.companion.limit) : "",
         margin(row.companion),
         row.lisnLine,
         std::string(VerdictText(row.verdict)),
         row.finalVerdict ? "Yes" : "No"});
  }
  std::vector<std::string> overall(c.size());
  overall[0] = "Overall";
  for (std::size_t i = 0; i < c.size(); ++i)
    if (c[i].name == "Verdict") overall[i] = std::string(VerdictText(table.overall));
  add(std::move(overall));
  return CsvTable(c);
}

std::string TracesCsv(const TraceData& traces, const std::array<float, kTracePoints>& frequencyHz,
                      const ShownTraces& shown, const LimitLines& lines, const std::string& unit) {
  std::vector<CsvColumn> columns{{"Frequency", "MHz", {}}};
  for (const float f : frequencyHz) columns[0].cells.push_back(Number(f / 1e6, 6));
  auto trace = [&columns](const char* name, const std::string& traceUnit, const Trace& t) {
    CsvColumn c{name, traceUnit, {}};
    for (const std::int32_t v : t) c.cells.push_back(std::to_string(v));
    columns.push_back(std::move(c));
  };
  if (shown.current) trace("Current", unit, traces.currentTrace);
  if (shown.store) trace("Store", unit, traces.storeTrace);
  if (shown.difference)
    trace("Difference", shown.differenceInsertionLoss ? "dB" : unit, traces.differenceTrace);
  if (shown.archive)
    trace("Archive", shown.archiveInsertionLoss ? "dB" : unit, traces.archiveTrace);
  if (lines.base) {
    CsvColumn base{"Limit", unit, {}}, companion{"QP Limit", unit, {}};
    for (const float f : frequencyHz) {
      const LineLevels l = LinesAt(lines, f);
      base.cells.push_back(LimitCell(l.base));
      companion.cells.push_back(LimitCell(l.companion));
    }
    columns.push_back(std::move(base));
    if (lines.companion) columns.push_back(std::move(companion));
  }
  return CsvTable(columns);
}

}  // namespace tq
