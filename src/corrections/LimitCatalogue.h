#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "model/CommandId.h"

namespace tq {

// What choosing a row of the Limits menu does.
enum class LimitAction : std::uint8_t {
  Menu,  // a submenu
  Separator,
  BuiltIn,            // load `record` of the built-in file `file`
  Vehicle,            // load `record` of EN55025.DEF
  VehicleByDetector,  // load `qpRecord` under the quasi-peak detector, else `record`
  NoLimit,            // "No Limit Exists !" and the active limit is emptied
  None,               // Limits / None: hide the line and load the empty record 0
  AddUserLimit,       // the user limit editor
  LoadUserLimit,      // the user limit list
  Nothing,            // an entry that does nothing
};

// One row of the Limits menu. Menus and items name their menu by its object name; the
// top-level menu has an empty parent. Captions carry Qt's accelerator marks.
struct LimitCatalogueEntry {
  LimitAction action = LimitAction::Nothing;
  std::string_view objectName;
  std::string_view caption;
  std::string_view parent;
  std::int16_t file = 0;      // BuiltIn: 1 limit.def, 2 auslimit.def, 3 uslimit.def
  std::int16_t record = 0;    // BuiltIn and Vehicle; the non-quasi-peak member of a pair
  std::int16_t qpRecord = 0;  // VehicleByDetector
};

// Every row of the Limits menu in menu order; row k carries command kLimitCatalogue + k.
std::span<const LimitCatalogueEntry> LimitCatalogue();

// The row a command of the catalogue's block names; nullptr for any other command.
const LimitCatalogueEntry* LimitCatalogueEntryOf(Command command);
inline Command LimitCatalogueCommand(std::size_t row) {
  return static_cast<Command>(kLimitCatalogue + row);
}

// The vehicle records that exist as a quasi-peak / other-detector pair.
struct VehiclePair {
  std::int16_t qpRecord;
  std::int16_t otherRecord;
};
std::span<const VehiclePair> VehicleDetectorPairs();

}  // namespace tq
