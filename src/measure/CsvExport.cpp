// File > Export CSV...: the shown traces and the peak table, each written whole through the
// Files port as every other file is.
#include <cctype>

#include "analysis/Csv.h"
#include "measure/FinalMeasurement.h"

namespace tq {

namespace {

// The name the user gave, without a ".csv" of its own.
std::string WithoutCsvExtension(std::string name) {
  if (name.size() >= 4) {
    std::string tail = name.substr(name.size() - 4);
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (tail == ".csv") name.resize(name.size() - 4);
  }
  return name;
}

}  // namespace

void FinalMeasurement::ExportCsv() {
  const auto name = p_.prompts.saveFileName("Export CSV", "CSV files|*.csv", "c:\\tq4800", "csv");
  if (!name || name->empty()) return;
  Refresh();
  const std::string stem = WithoutCsvExtension(*name);
  const TraceData& t = p_.traces.data();
  const ShownTraces shown{p_.model.showCurrent,
                          p_.model.showStore,
                          p_.model.showDifference,
                          p_.model.showArchive,
                          p_.state.differenceInsertionLoss,
                          t.archiveInsertionLoss};
  const std::string traces = TracesCsv(t, p_.state.stepFrequencyHz, shown, preparedLines(),
                                       p_.transducer.UnitLabel(false));
  for (const auto& [path, text] :
       {std::pair{stem + ".csv", traces}, std::pair{stem + "-peaks.csv", PeakTableCsv(table_)}}) {
    if (!p_.files.writeAll(path, text)) {
      p_.prompts.message(MessageKind::Error, WriteFailureText(p_.files, path), Buttons::Ok);
      return;
    }
  }
}

}  // namespace tq
