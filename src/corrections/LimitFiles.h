#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "corrections/LimitCatalogue.h"
#include "corrections/LimitLevel.h"
#include "model/Features.h"
#include "model/LimitTable.h"
#include "model/MeasurementState.h"
#include "model/WindowModel.h"
#include "platform/Files.h"
#include "platform/Prompts.h"

namespace tq {

// What loading a limit asks of the program above it.
class LimitClient {
 public:
  virtual ~LimitClient() = default;
  // The Limit trace is recomputed from the active limit.
  virtual void RefreshLimitTrace() = 0;
  // The distance of the antenna in use from the equipment, metres.
  virtual float MeasuringDistanceM() const = 0;
};

// The user limit list (Tlimitselect) as its dialog sees it.
class UserLimitChoice {
 public:
  virtual ~UserLimitChoice() = default;
  // The names of the user file's records, in file order (the file is read again).
  virtual std::vector<std::string> ListUserLimits() = 0;
  // OK: the record at this list index becomes the active limit and is shown.
  virtual void UserLimitChosen(int listIndex) = 0;
  // The list opened from the Limits menu has closed, either way.
  virtual void UserLimitListClosed() = 0;
};

// The active limit: one record of a limit file at a time, loaded from limit.def,
// auslimit.def, uslimit.def, usrlmt.def or EN55025.DEF, with its companion line and the
// Limits menu's handler. Files are read again on every load; nothing is cached.
class LimitFiles : public ActiveLimit, public UserLimitChoice {
 public:
  LimitFiles(MeasurementState& state, WindowModel& model, MainView& view, Files& files,
             Prompts& prompts, LimitClient& client);
  LimitFiles(const LimitFiles&) = delete;
  LimitFiles& operator=(const LimitFiles&) = delete;

  // ActiveLimit
  bool Loaded() const override { return table_.entryCount > 0; }
  std::string Name() const override { return table_.name; }
  void DetectorChanged(int) override { MatchVehicleLimitToDetector(); }
  void SelectNone() override { LoadBuiltInLimit(1, 0); }
  double LimitAt(double frequencyHz) const override;
  const LimitTable& Table() const override { return table_; }
  const LimitTable& BaseLine() const override { return base_; }
  const LimitTable& CompanionLine() const override { return companion_; }
  bool Radiated() const override { return table_.radiated; }
  float DistanceM() const override { return table_.limitDistanceM; }

  // UserLimitChoice
  std::vector<std::string> ListUserLimits() override;
  void UserLimitChosen(int listIndex) override;
  void UserLimitListClosed() override;

  // The loaders. Record 0 of a built-in file loads "no limit".
  void LoadBuiltInLimit(int fileSelector, int record);
  void LoadUserLimit(int record);
  void LoadVehicleLimit(int record);
  void ClearLimit();
  // The names LoadUserLimit met, in file order.
  const std::vector<std::string>& userLimitNames() const { return userNames_; }

  // Switch the active limit to its base line or to its companion (quasi-peak) line.
  void ShowBaseLine(int record);
  void ShowCompanionLine(int record);
  // Before a paint that shows the limit: selects the base line, keeps it for drawing, then
  // the companion line, which stays active.
  void PrepareLines();
  void MatchVehicleLimitToDetector();
  // Set by the guide's click-rate question; kept only by the records that allow clicks.
  void SetClickAllowance(int db) { table_.clickAllowanceDb = db; }

  // The Limits menu: row `row` of the catalogue was chosen.
  void CatalogueEntryChosen(std::size_t row);

  static constexpr std::string_view kUserFile = "usrlmt.def";
  static constexpr std::string_view kVehicleFile = "EN55025.DEF";

 private:
  void reportLoadFailure(const std::string& text);
  void displayInDbuv();
  void switchLine(int fileSelector, int record);
  DistanceSetting distance() const;

  MeasurementState& state_;
  WindowModel& model_;
  MainView& view_;
  Files& files_;
  Prompts& prompts_;
  LimitClient& client_;
  LimitTable table_;
  LimitTable base_;
  LimitTable companion_;
  std::vector<std::string> userNames_;
  // A load made by the line switch before a paint: it keeps the unit and the click
  // allowance, and reports a missing file once rather than at every repaint.
  bool switching_ = false;
  bool switchFailureShown_ = false;
};

// The built-in file of a file selector (1 limit.def, 2 auslimit.def, 3 uslimit.def); empty
// for any other selector.
std::string_view BuiltInLimitFile(int fileSelector);

}  // namespace tq
