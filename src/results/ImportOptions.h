#pragma once

#include <string_view>

namespace tq {

// Where a trace of an opened result file goes (the items of both radio groups, in order).
enum class ImportAs { DoNotImport = 0, Archive = 1, Current = 2, Store = 3 };

// The choices of the import options window.
struct ImportOptions {
  ImportAs currentAs = ImportAs::Current;  // RadioGroup1
  ImportAs storeAs = ImportAs::Store;      // RadioGroup2
  bool allData = true;                     // Alldata: the header is applied
  bool singleData = false;                 // singledata
  bool importErs = false;                  // importERS
  bool importErsEnabled = true;            // importERS can be checked
  bool differenceAsArchive = false;        // CheckBox1
  bool operator==(const ImportOptions&) const = default;
};

inline constexpr std::string_view kInvalidSelection = "Invalid selection !";
inline constexpr std::string_view kErsOverwriteWarning =
    "Importing ERS Correction Data will Overwrite ALL ERS Data !";

// A change made in the window, after its rule: the options as they now stand and the
// warning to show (empty for none).
struct ImportChange {
  ImportOptions options;
  std::string_view warning;
};

// The window opens with the choices of last time, except that ERS import is never carried
// over.
ImportOptions OptionsOnOpening(ImportOptions last);
// A radio group (1 current, 2 store) chose `as`.
ImportChange ChooseImportAs(ImportOptions options, int group, ImportAs as);
ImportChange SetDifferenceAsArchive(ImportOptions options, bool checked);
// Checking ERS import warns when a plane holds ERS data that it would overwrite.
ImportChange SetImportErs(ImportOptions options, bool checked, bool ersHoldsData);
ImportOptions SetAllData(ImportOptions options, bool checked);

}  // namespace tq
