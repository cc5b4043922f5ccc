#include "results/ImportOptions.h"

namespace tq {

ImportOptions OptionsOnOpening(ImportOptions last) {
  last.importErs = false;
  return last;
}

ImportChange ChooseImportAs(ImportOptions options, int group, ImportAs as) {
  ImportAs& changed = group == 1 ? options.currentAs : options.storeAs;
  const ImportAs other = group == 1 ? options.storeAs : options.currentAs;
  changed = as;
  const bool sameTwice = as != ImportAs::DoNotImport && as == other;
  const bool archiveTaken = as == ImportAs::Archive && options.differenceAsArchive;
  if (!sameTwice && !archiveTaken) return {options, {}};
  changed = ImportAs::DoNotImport;
  return {options, kInvalidSelection};
}

ImportChange SetDifferenceAsArchive(ImportOptions options, bool checked) {
  options.differenceAsArchive = checked;
  if (checked && (options.currentAs == ImportAs::Archive || options.storeAs == ImportAs::Archive)) {
    options.differenceAsArchive = false;
    return {options, kInvalidSelection};
  }
  return {options, {}};
}

ImportChange SetImportErs(ImportOptions options, bool checked, bool ersHoldsData) {
  if (!options.importErsEnabled) checked = false;
  options.importErs = checked;
  return {options, checked && ersHoldsData ? kErsOverwriteWarning : std::string_view{}};
}

ImportOptions SetAllData(ImportOptions options, bool checked) {
  options.allData = checked;
  options.importErsEnabled = checked;
  if (!checked) options.importErs = false;
  return options;
}

}  // namespace tq
