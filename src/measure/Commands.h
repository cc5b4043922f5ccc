#pragma once

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "model/CommandId.h"
#include "model/MeasurementState.h"
#include "model/WindowModel.h"

namespace tq {

enum class CommandKind {
  Menu,       // a menu of the menu bar or a submenu
  Item,       // a menu item
  Separator,  // a line between menu items
  Button,     // a button of the window
  Control,    // a selector whose value the window reads itself
};

// One row of the command table. Menus and items name their menu by its object name (an
// empty parent is the menu bar); the window builds every menu from the table, in order.
struct CommandEntry {
  Command id = Command::None;
  CommandKind kind = CommandKind::Item;
  std::string_view objectName;
  std::string_view caption;
  std::string_view parent;
  bool checkable = false;
};

// Every command of the main window in menu order.
const std::vector<CommandEntry>& CommandTable();

// What a command shows: enabled, checked and, for the buttons whose caption follows the
// state, the caption (empty: the table's).
struct CommandState {
  bool enabled = true;
  bool checked = false;
  std::string_view caption;
  bool operator==(const CommandState&) const = default;
};

// What the states depend on beyond the measurement state and the window model.
struct CommandContext {
  const MeasurementState& state;
  const WindowModel& model;
  int preselectorState = 0;
  int inputCode = 8;  // the input in use (its entry of the Inputs menu is checked)
  // ERS: the plane applied (0 none) and the planes that hold a correction.
  int ersAppliedPlane = 0;
  std::array<bool, 2> ersCalibrated{};
};

// The state of every row of CommandTable(), in table order (out has one entry per row).
void ComputeCommandStates(const CommandContext& context, std::span<CommandState> out);

}  // namespace tq
