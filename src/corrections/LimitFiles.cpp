#include "corrections/LimitFiles.h"

#include <array>
#include <optional>

#include "corrections/LimitReader.h"

namespace tq {

namespace {

constexpr std::string_view kCheckPath = ". Check Default Path under File|Setup";

// The click allowance survives only a load of the records that allow discontinuous
// disturbance.
bool KeepsClickAllowance(int record) {
  return (record >= 9 && record <= 18) || (record >= 28 && record <= 31) || record == 34;
}

// Companion offsets of limit.def and auslimit.def, by record (0 none); the quasi-peak lines
// of records 8 to 12 are records of their own.
int CompanionOffset(int fileSelector, int record) {
  auto in = [record](int a, int b) { return record >= a && record <= b; };
  if (fileSelector == 1) {
    if (record == 3 || record == 25 || record == 34) return 13;
    if (record == 4 || record == 7 || in(13, 17) || record == 26 || in(28, 32) || record == 37 ||
        record == 48)
      return 10;
  }
  if (fileSelector == 2) {
    if (record == 3 || record == 4 || record == 25) return 13;
    if (record == 7 || in(13, 17) || record == 26 || in(28, 33) || record == 44) return 10;
  }
  return 0;
}

// Record 8..12 and its quasi-peak record: limit.def keeps them 43 records on, auslimit.def 39.
int CompanionRecordDistance(int fileSelector) {
  return fileSelector == 1 ? 43 : fileSelector == 2 ? 39 : 0;
}

}  // namespace

std::string_view BuiltInLimitFile(int fileSelector) {
  switch (fileSelector) {
    case 1:
      return "limit.def";
    case 2:
      return "auslimit.def";
    case 3:
      return "uslimit.def";
    default:
      return {};
  }
}

LimitFiles::LimitFiles(MeasurementState& state, WindowModel& model, MainView& view, Files& files,
                       Prompts& prompts, LimitClient& client)
    : state_(state),
      model_(model),
      view_(view),
      files_(files),
      prompts_(prompts),
      client_(client) {}

DistanceSetting LimitFiles::distance() const {
  return {client_.MeasuringDistanceM(), state_.antennaDistanceAlt};
}

double LimitFiles::LimitAt(double frequencyHz) const {
  return tq::LimitAt(table_, frequencyHz, distance());
}

void LimitFiles::reportLoadFailure(const std::string& text) {
  if (switching_) {
    // The switch runs before every paint: one box, not one per repaint.
    if (switchFailureShown_) return;
    switchFailureShown_ = true;
  }
  prompts_.message(MessageKind::Warning, text, Buttons::Ok);
}

void LimitFiles::LoadBuiltInLimit(int fileSelector, int record) {
  if (!KeepsClickAllowance(record)) table_.clickAllowanceDb = 0;
  const std::string path = state_.defaultPath + std::string(BuiltInLimitFile(fileSelector));
  table_.user = false;
  table_.fileSelector = fileSelector;

  // A selector that names no file (a damaged result file) reads nothing.
  if (!BuiltInLimitFile(fileSelector).empty()) {
    const std::optional<std::string> text = files_.readAll(path);
    const LimitReadResult r = text ? ReadLimitRecord(*text, LimitFileKind::BuiltIn, record, table_)
                                   : LimitReadResult::Overflow;
    if (r == LimitReadResult::Overflow)
      reportLoadFailure("File Number " + std::to_string(record) + " Not Found on " + path +
                        std::string(kCheckPath));
    else if (r == LimitReadResult::Loaded)
      switchFailureShown_ = false;
  }

  if (record == 0) table_.entryCount = 0;
  displayInDbuv();
  client_.RefreshLimitTrace();
}

void LimitFiles::LoadUserLimit(int record) {
  const std::string path = state_.defaultPath + std::string(kUserFile);
  userNames_.clear();
  const std::optional<std::string> text = files_.readAll(path);
  const LimitReadResult r =
      text ? ReadLimitRecord(*text, LimitFileKind::User, record, table_, &userNames_)
           : LimitReadResult::Overflow;
  // Only a record actually read makes the active limit a user limit: filling the list alone
  // leaves the built-in limit (and its companion line) as it was.
  if (r != LimitReadResult::NotFound) table_.user = true;
  if (r == LimitReadResult::Overflow)
    reportLoadFailure("File Number " + std::to_string(record) +
                      " Not Found on user File. Check Default Path under File|Setup");
  table_.companionOffsetDb = 0;
  displayInDbuv();
}

void LimitFiles::LoadVehicleLimit(int record) {
  const std::optional<std::string> text = files_.readAll(kVehicleFile);
  const LimitReadResult r = text ? ReadLimitRecord(*text, LimitFileKind::Vehicle, record, table_)
                                 : LimitReadResult::Overflow;
  if (r == LimitReadResult::Loaded) model_.limitEnabled = true;  // Button14
  if (r == LimitReadResult::Overflow)
    reportLoadFailure("File Number " + std::to_string(record) + " Not Found on " +
                      std::string(kVehicleFile) + std::string(kCheckPath));
  if (record == 0) table_.entryCount = 0;
  displayInDbuv();
  client_.RefreshLimitTrace();
  table_.companionOffsetDb = 0;
  model_.showLimit = true;
  view_.modelChanged();
  view_.repaint();
}

void LimitFiles::displayInDbuv() {
  // A limit is given in dBuV: the levels go back to it, and the dBm button is offered again.
  state_.dbmUnits = false;
  model_.dbmButtonEnabled = true;
}

void LimitFiles::ClearLimit() {
  ClearLimitTable(table_);
}

void LimitFiles::switchLine(int fileSelector, int record) {
  // Switching lines is part of drawing: the unit the user chose and the click allowance of
  // the pair stay as they were.
  const bool dbm = state_.dbmUnits;
  const bool dbmButton = model_.dbmButtonEnabled;
  const int click = table_.clickAllowanceDb;
  switching_ = true;
  LoadBuiltInLimit(fileSelector, record);
  switching_ = false;
  state_.dbmUnits = dbm;
  model_.dbmButtonEnabled = dbmButton;
  table_.clickAllowanceDb = click;
}

void LimitFiles::ShowBaseLine(int record) {
  table_.quasiPeak = false;
  table_.companionOffsetDb = 0;
  const int sel = table_.fileSelector;
  if (sel == 1 && record >= 51 && record <= 55) switchLine(1, record - 43);
  if (sel == 2 && record >= 47 && record <= 51) switchLine(2, record - 39);
  client_.RefreshLimitTrace();
}

void LimitFiles::ShowCompanionLine(int record) {
  table_.quasiPeak = true;
  if (table_.user) return;
  table_.companionOffsetDb = 0;
  if (record >= 100) return;
  const int sel = table_.fileSelector;
  if ((sel == 1 && record <= 48) || (sel == 2 && record <= 44)) {
    if (record >= 8 && record <= 12)
      switchLine(sel, record + CompanionRecordDistance(sel));
    else
      table_.companionOffsetDb = CompanionOffset(sel, record);
  }
  client_.RefreshLimitTrace();
}

void LimitFiles::PrepareLines() {
  ShowBaseLine(table_.recordNumber);
  base_ = table_;
  ShowCompanionLine(table_.recordNumber);
  companion_ = table_;
}

void LimitFiles::MatchVehicleLimitToDetector() {
  const int record = table_.recordNumber;
  if (record < 101 || record > 173) return;
  for (const VehiclePair& p : VehicleDetectorPairs()) {
    if (record == p.qpRecord || record == p.otherRecord) {
      LoadVehicleLimit(state_.detector == 3 ? p.qpRecord : p.otherRecord);
      return;
    }
  }
}

std::vector<std::string> LimitFiles::ListUserLimits() {
  LoadUserLimit(-1);
  return userNames_;
}

void LimitFiles::UserLimitChosen(int listIndex) {
  LoadUserLimit(listIndex + 201);
  model_.limitEnabled = true;
  model_.showLimit = true;
  view_.modelChanged();
  view_.repaint();
}

void LimitFiles::UserLimitListClosed() {
  client_.RefreshLimitTrace();
  view_.repaint();
}

void LimitFiles::CatalogueEntryChosen(std::size_t row) {
  const auto catalogue = LimitCatalogue();
  if (row >= catalogue.size()) return;
  const LimitCatalogueEntry& e = catalogue[row];
  switch (e.action) {
    case LimitAction::BuiltIn:
      LoadBuiltInLimit(e.file, e.record);
      break;
    case LimitAction::Vehicle:
      LoadVehicleLimit(e.record);
      break;
    case LimitAction::VehicleByDetector:
      LoadVehicleLimit(state_.detector == 3 ? e.qpRecord : e.record);
      break;
    case LimitAction::NoLimit:
      prompts_.message(MessageKind::Information, "No Limit Exists !", Buttons::Ok);
      ClearLimit();
      // The trace goes with the limit, so that nothing saved later carries the old line.
      client_.RefreshLimitTrace();
      break;
    case LimitAction::None:
      model_.showLimit = false;
      LoadBuiltInLimit(1, 0);
      break;
    default:
      return;  // menus, and the entries whose dialogs the window opens
  }
  view_.modelChanged();
  view_.repaint();
}

}  // namespace tq
