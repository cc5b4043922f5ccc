#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/Verdicts.h"
#include "model/PeakTable.h"
#include "model/Trace.h"
#include "traces/TraceSet.h"

namespace tq {

// CSV as RFC 4180 has it: fields separated by commas, records ending in CR LF, a field that
// holds a comma, a double quote, CR or LF enclosed in double quotes with its quotes doubled.
std::string CsvField(std::string_view text);
std::string CsvRecord(const std::vector<std::string>& fields);

// A table of named columns: a header row, a units row, then the rows.
struct CsvColumn {
  std::string name;
  std::string unit;
  std::vector<std::string> cells;
};
std::string CsvTable(const std::vector<CsvColumn>& columns);

// The peak table: one row per peak with every reading, line, margin and verdict, then a row
// "Overall" with the overall verdict.
std::string PeakTableCsv(const PeakTable& table);

// Which traces the graph shows, and how.
struct ShownTraces {
  bool current = true;
  bool store = false;
  bool difference = false;
  bool archive = false;
  bool differenceInsertionLoss = false;  // the Difference is in dB, not in the level unit
  bool archiveInsertionLoss = false;
};

// The shown traces at every display point with its frequency in MHz, and the limit lines
// (base and companion, with their offsets) where a limit is shown.
std::string TracesCsv(const TraceData& traces, const std::array<float, kTracePoints>& frequencyHz,
                      const ShownTraces& shown, const LimitLines& lines, const std::string& unit);

}  // namespace tq
