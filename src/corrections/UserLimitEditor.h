#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "corrections/LimitFiles.h"
#include "model/LimitTable.h"
#include "model/MeasurementState.h"
#include "platform/Files.h"
#include "platform/Prompts.h"

namespace tq {

inline constexpr int kUserLimitGridRows = 50;
// The editor holds the whole user file while a limit is edited, at most this many lines.
inline constexpr std::size_t kUserLimitFileLines = 1000;

// One grid row of the editor as typed: frequency in Hz, level in dB, "TRUE" for
// logarithmic interpolation towards the next row.
struct UserLimitRow {
  std::string frequency = "0.0";
  std::string level = "0.0";
  std::string logInterpolation = "FALSE";
  bool operator==(const UserLimitRow&) const = default;
};

// The fields of the user limit editor (Tuserlimit).
struct UserLimitForm {
  std::string title;
  std::string description;
  bool radiated = true;
  std::string distance = "3.0";  // metres
  std::array<UserLimitRow, kUserLimitGridRows> rows{};
  bool operator==(const UserLimitForm&) const = default;
};

// The user limit editor's rules: adding a limit to usrlmt.def, and changing one chosen from
// the list. Opening it leaves the limit on the graph alone until a limit is chosen.
class UserLimitEditor {
 public:
  UserLimitEditor(const MeasurementState& state, Files& files, Prompts& prompts,
                  LimitFiles& limits);

  // FormActivate: a fresh form for a new limit (the distance field keeps what it shows).
  UserLimitForm Activate(std::string distanceShown);
  // Select and Edit, first half: reads the user file for editing; false when it is refused.
  bool BeginSelect();
  // The list the selection dialog shows.
  std::vector<std::string> UserLimitNames() { return limits_.ListUserLimits(); }
  // The selection dialog's OK: the chosen limit becomes active and the form to edit it.
  std::optional<UserLimitForm> Select(int listIndex);
  enum class SaveResult { Nothing, Added, Modified };
  // Save New or Modified Limit Line.
  SaveResult Save(const UserLimitForm& form);
  bool editing() const { return editing_; }

 private:
  SaveResult add(const UserLimitForm& form);
  SaveResult modify(const UserLimitForm& form);
  std::string path() const;
  // The user file's load-failure warning.
  void loadFailure(int record);

  const MeasurementState& state_;
  Files& files_;
  Prompts& prompts_;
  LimitFiles& limits_;
  std::vector<std::string> buffer_;
  bool editing_ = false;
  int record_ = 0;
};

// A grid row that can be saved: its frequency (0 < f < 1100 MHz, whole hertz) and level.
struct UsableRow {
  std::int32_t frequencyHz;
  std::int32_t level;
  bool logarithmic;
};
std::optional<UsableRow> UsableUserLimitRow(const UserLimitRow& row);

// The block an added limit appends to the user file, line by line.
std::vector<std::string> NewUserLimitBlock(const UserLimitForm& form);
// Rewrites the block of user record `record` (201 = the first) in the file's lines, which
// are left as they were when the record is not there or the file would grow too long.
enum class ModifyResult { Modified, NotFound, TooLong };
ModifyResult ModifyUserLimitLines(std::vector<std::string>& lines, int record,
                                  const UserLimitForm& form);

}  // namespace tq
