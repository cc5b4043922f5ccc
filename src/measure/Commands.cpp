#include "measure/Commands.h"

#include <algorithm>

#include "corrections/LimitCatalogue.h"

namespace tq {

namespace {

using K = CommandKind;
using C = Command;

std::vector<CommandEntry> BuildTable() {
  return {
      // File
      {C::File1, K::Menu, "File1", "&File", ""},
      {C::Open1, K::Item, "Open1", "&Open...", "File1"},
      {C::Save1, K::Item, "Save1", "&Save", "File1"},
      {C::SaveAs1, K::Item, "SaveAs1", "Save &As...", "File1"},
      {C::Print1, K::Item, "Print1", "&Print", "File1"},
      {C::Screendump1, K::Item, "Screendump1", "Screen&dump", "File1"},
      {C::PrinterSetup1, K::Item, "PrinterSetup1", "P&rinter Setup...", "File1"},
      {C::PrinterColours1, K::Item, "PrinterColours1", "Printer &Colours...", "File1"},
      {C::Title1, K::Item, "Title1", "&Title...", "File1"},
      {C::Notes1, K::Item, "Notes1", "&Notes...", "File1"},
      {C::ExportCSV1, K::Item, "ExportCSV1", "Export CS&V...", "File1"},
      {C::None, K::Separator, "", "", "File1"},
      {C::Setup1, K::Item, "Setup1", "Set&up...", "File1"},
      {C::None, K::Separator, "", "", "File1"},
      {C::Exit1, K::Item, "Exit1", "E&xit", "File1"},
      // Display
      {C::Display1, K::Menu, "Display1", "&Display", ""},
      {C::current1, K::Item, "current1", "&Current", "Display1", true},
      {C::Store1, K::Item, "Store1", "&Store", "Display1", true},
      {C::Difference1, K::Item, "Difference1", "&Difference", "Display1", true},
      {C::Archive1, K::Item, "Archive1", "&Archive", "Display1", true},
      {C::limit1, K::Item, "limit1", "&Limit", "Display1", true},
      {C::None, K::Separator, "", "", "Display1"},
      {C::Diffemit, K::Item, "Diffemit", "Difference : &Emissions", "Display1", true},
      {C::Diffil, K::Item, "Diffil", "Difference : &Insertion Loss", "Display1", true},
      {C::None, K::Separator, "", "", "Display1"},
      {C::Clear1, K::Item, "Clear1", "Cl&ear ", "Display1"},
      {C::None, K::Separator, "", "", "Display1"},
      {C::Values1, K::Item, "Values1", "&Values", "Display1"},
      {C::Colours1, K::Item, "Colours1", "Screen &Colours...", "Display1"},
      {C::None, K::Separator, "", "", "Display1"},
      {C::Normal1, K::Item, "Normal1", "&Normal", "Display1", true},
      {C::N800x6001, K::Item, "N800x6001", "&800 x 600", "Display1", true},
      {C::Enlarged1, K::Item, "Enlarged1", "E&nlarged", "Display1", true},
      {C::None, K::Separator, "", "", "Display1"},
      {C::PeakTable1, K::Item, "PeakTable1", "&Peak Table", "Display1"},
      // Processing
      {C::Processing1, K::Menu, "Processing1", "P&rocessing", ""},
      {C::Off1, K::Item, "Off1", "&Off", "Processing1", true},
      {C::Average81, K::Item, "Average81", "Average &8", "Processing1", true},
      {C::Average161, K::Item, "Average161", "Average &16", "Processing1", true},
      {C::Average321, K::Item, "Average321", "Average &32", "Processing1", true},
      {C::Peak1, K::Item, "Peak1", "&Peak Hold", "Processing1", true},
      {C::None, K::Separator, "", "", "Processing1"},
      {C::ResetCalculation1, K::Item, "ResetCalculation1", "&Reset Calculation", "Processing1"},
      // Processing: ERS
      {C::None, K::Separator, "", "", "Processing1"},
      {C::ERSCalibrationMode1, K::Menu, "ERSCalibrationMode1", "&ERS Calibration Mode",
       "Processing1"},
      {C::FullRange1, K::Item, "FullRange1", "&Full Range", "ERSCalibrationMode1"},
      {C::Zoomed1, K::Item, "Zoomed1", "&Zoomed", "ERSCalibrationMode1"},
      {C::ApplyERSCorrection1, K::Menu, "ApplyERSCorrection1", "&Apply ERS Correction",
       "Processing1"},
      {C::UERSH1, K::Item, "UERSH1", "&Horizontal", "ApplyERSCorrection1", true},
      {C::UERSV1, K::Item, "UERSV1", "&Vertical", "ApplyERSCorrection1", true},
      {C::None, K::Separator, "", "", "Processing1"},
      {C::InstallERSdata1, K::Item, "InstallERSdata1", "&Install ERS Data", "Processing1"},
      {C::ClearERSData1, K::Item, "ClearERSData1", "&Clear ERS Data", "Processing1"},
      {C::SaveERSCorrectionData1, K::Item, "SaveERSCorrectionData1", "&Save ERS Correction Data",
       "Processing1"},
      {C::ReLoadERSCorrectionData1, K::Item, "ReLoadERSCorrectionData1",
       "Re-Loa&d ERS Correction Data", "Processing1"},
      // Detector
      {C::Detector1, K::Menu, "Detector1", "De&tector", ""},
      {C::PFS1, K::Item, "PFS1", "&Peak (Fast scan)", "Detector1", true},
      {C::Average1, K::Item, "Average1", "&Average", "Detector1", true},
      {C::QP1, K::Item, "QP1", "&Quasi-Peak", "Detector1", true},
      // Inputs
      {C::Inputs1, K::Menu, "Inputs1", "&Inputs", ""},
      {C::Direct1, K::Item, "Direct1", "Direct", "Inputs1", true},
      {C::NX101, K::Item, "NX101", "NX10 Near Field Probe", "Inputs1", true},
      {C::NX201, K::Item, "NX201", "NX20 Broad Band Antenna", "Inputs1", true},
      {C::NX241, K::Item, "NX241", "NX24 4GHz Broad Band Antenna", "Inputs1", true},
      {C::NX301, K::Item, "NX301", "NX30 2m Large Loop Antenna", "Inputs1", true},
      {C::NX401, K::Item, "NX401", "NX40 Absorbing Clamp", "Inputs1", true},
      {C::NX501, K::Item, "NX501", "NX50 Dipole Antenna", "Inputs1", true},
      {C::KVP1, K::Item, "KVP1", "KVP", "Inputs1", true},
      {C::kvp2, K::Item, "kvp2", "KVP + PA76", "Inputs1", true},
      {C::Ostrocell1, K::Item, "Ostrocell1", "Ostrocell", "Inputs1", true},
      {C::LISN1, K::Item, "LISN1", "LISN...", "Inputs1", true},
      {C::Userselect1, K::Menu, "Userselect1", "User Antenna...", "Inputs1", true},
      {C::CreateAntennafile1, K::Item, "CreateAntennafile1", "Create Antenna File", "Userselect1"},
      {C::Selectuserantenna1, K::Item, "Selectuserantenna1", "Select User Antenna", "Userselect1"},
      {C::None, K::Separator, "", "", "Inputs1"},
      {C::NX90PreSelector1, K::Item, "NX90PreSelector1", "NX90 Pre-Selector", "Inputs1", true},
      {C::NX91PreSelector1, K::Item, "NX91PreSelector1", "NX91 Pre-Selector", "Inputs1", true},
      // Port
      {C::Port1, K::Menu, "Port1", "&Port", ""},
      {C::Com11, K::Item, "Com11", "Com &1", "Port1", true},
      {C::Com21, K::Item, "Com21", "Com &2", "Port1", true},
      {C::Com31, K::Item, "Com31", "Com &3", "Port1", true},
      {C::Com41, K::Item, "Com41", "Com &4", "Port1", true},
      {C::None, K::Separator, "", "", "Port1"},
      {C::Reset1, K::Item, "Reset1", "Hardware &Reset", "Port1"},
      // Help
      {C::Help1, K::Menu, "Help1", "&Help", ""},
      {C::Contents1, K::Item, "Contents1", "&Contents", "Help1"},
      {C::Information1, K::Item, "Information1", "&Information...", "Help1"},
      {C::About1, K::Item, "About1", "&About...", "Help1"},
      // Buttons
      {C::Button5, K::Button, "Button5", "dBm", ""},
      {C::Button11, K::Button, "Button11", "Curr.", ""},
      {C::Button12, K::Button, "Button12", "Store", ""},
      {C::Button13, K::Button, "Button13", "Diff.", ""},
      {C::Button15, K::Button, "Button15", "Arch.", ""},
      {C::Button14, K::Button, "Button14", "Limit", ""},
      {C::BitBtn6, K::Button, "BitBtn6", "Information", ""},
      {C::Button4, K::Button, "Button4", "RiduDudoruvo", ""},
      {C::button18, K::Button, "button18", "> STORE", ""},
      {C::Button1, K::Button, "Button1", "S/SHOT", ""},
      {C::Button2, K::Button, "Button2", "RUN", ""},
      {C::BitBtn7, K::Button, "BitBtn7", "\u25B2", ""},
      {C::BitBtn8, K::Button, "BitBtn8", "\u25BC", ""},
      {C::BitBtn3, K::Button, "BitBtn3", "\u25C4", ""},
      {C::BitBtn5, K::Button, "BitBtn5", "\u25BA", ""},
      {C::BitBtn4, K::Button, "BitBtn4", "\u25BA\u25BA", ""},
      {C::Button3, K::Button, "Button3", "Log", ""},
      {C::Button8, K::Button, "Button8", "Low", ""},
      {C::Button16, K::Button, "Button16", "High", ""},
      {C::Button6, K::Button, "Button6", "Start", ""},
      {C::Button7, K::Button, "Button7", "Finish", ""},
      {C::Button10, K::Button, "Button10", "Min.", ""},
      {C::Button17, K::Button, "Button17", "Single", ""},
      // Single frequency
      {C::BitBtn1, K::Button, "BitBtn1", "Up", ""},
      {C::BitBtn2, K::Button, "BitBtn2", "Down", ""},
      {C::ComboBox1, K::Control, "ComboBox1", "", ""},
      {C::ComboBox2, K::Control, "ComboBox2", "", ""},
      {C::ComboBox3, K::Control, "ComboBox3", "", ""},
  };
}

// Limits: the catalogue's rows are a block of their own, row k carrying kLimitCatalogue + k,
// put before the Port menu so that the Limits menu follows Inputs on the menu bar.
std::vector<CommandEntry> WithLimitCatalogue(std::vector<CommandEntry> table) {
  const auto catalogue = LimitCatalogue();
  std::vector<CommandEntry> rows;
  for (std::size_t k = 0; k < catalogue.size(); ++k) {
    const LimitCatalogueEntry& e = catalogue[k];
    const bool separator = e.action == LimitAction::Separator;
    rows.push_back({separator ? C::None : LimitCatalogueCommand(k),
                    e.action == LimitAction::Menu ? K::Menu
                    : separator                   ? K::Separator
                                                  : K::Item,
                    e.objectName, e.caption, e.parent});
  }
  const auto port = std::find_if(table.begin(), table.end(),
                                 [](const CommandEntry& e) { return e.id == C::Port1; });
  table.insert(port, rows.begin(), rows.end());
  return table;
}

const std::vector<CommandEntry> kTable = WithLimitCatalogue(BuildTable());

// Inputs: the code each entry selects, and the range it is offered in.
int InputCodeOf(Command id) {
  switch (id) {
    case C::NX101:
      return 1;
    case C::NX201:
      return 2;
    case C::NX301:
      return 3;
    case C::NX401:
      return 4;
    case C::NX501:
      return 5;
    case C::KVP1:
      return 6;
    case C::kvp2:
      return 7;
    case C::Direct1:
      return 8;
    case C::LISN1:
      return 9;
    case C::Userselect1:
      return 10;
    case C::NX241:
      return 11;
    case C::Ostrocell1:
      return 12;
    default:
      return 0;
  }
}

bool InputSuitsRange(Command id, bool highRange) {
  switch (id) {
    case C::NX201:
    case C::NX241:
    case C::NX401:
    case C::NX501:
      return highRange;
    case C::NX301:
    case C::KVP1:
    case C::kvp2:
    case C::LISN1:
      return !highRange;
    default:
      return true;  // Direct, the probe, the cell and a user antenna cover both ranges
  }
}

// The state of one command.
CommandState StateOf(Command id, const CommandContext& c) {
  const MeasurementState& s = c.state;
  const WindowModel& m = c.model;
  const bool idle = m.runControlsEnabled;
  const bool sweepMode = s.measurementMode != 2;
  CommandState r;
  switch (id) {
    case C::File1:
    case C::Inputs1:
    case C::Port1:
      r.enabled = idle;
      break;
    case C::Processing1:
    case C::Detector1:
      r.enabled = idle && sweepMode;
      break;
    // File: Save after the first save; Open, Save As, Title and Notes always.
    case C::Save1:
      r.enabled = m.saveEnabled;
      break;
    // RiduDudoruvo sets the span and the input: not under a running sweep.
    case C::Button4:
      r.enabled = idle;
      break;
    // Beyond the text: the traces a CSV file holds are the sweep's.
    case C::ExportCSV1:
      r.enabled = s.measurementMode == 0;
      break;
    // Single frequency
    case C::Button17:
      r.caption = m.button17Caption;
      r.enabled = m.singleEnabled;
      break;
    case C::BitBtn1:
    case C::BitBtn2:
      r.enabled = s.measurementMode == 2 && s.runInProgress;
      break;
    case C::current1:
      r.checked = m.showCurrent;
      break;
    case C::Store1:
      r.checked = m.showStore;
      break;
    case C::Difference1:
      r.checked = m.showDifference;
      r.enabled = m.differenceEnabled || m.showDifference;
      break;
    case C::Archive1:
      r.checked = m.showArchive;
      break;
    case C::limit1:
      r.checked = m.showLimit;
      r.enabled = m.limitEnabled;
      break;
    case C::Button14:
      r.enabled = m.limitEnabled;
      break;
    case C::Normal1:
    case C::N800x6001:
    case C::Enlarged1:
      r.checked = s.displaySize == static_cast<int>(id) - static_cast<int>(C::Normal1);
      break;
    case C::Diffemit:
      r.checked = !s.differenceInsertionLoss;
      break;
    case C::Diffil:
      r.checked = s.differenceInsertionLoss;
      break;
    case C::Off1:
      r.checked = s.processingMode == 0;
      break;
    case C::Average81:
    case C::Average161:
    case C::Average321:
    case C::Peak1: {
      const int mode = id == C::Average81    ? 1
                       : id == C::Average161 ? 2
                       : id == C::Average321 ? 3
                                             : 4;
      r.checked = s.processingMode == mode;
      r.enabled = s.detector == 1;
      break;
    }
    case C::PFS1:
      r.checked = s.detector == 1;
      break;
    case C::Average1:
      r.checked = s.detector == 2;
      break;
    case C::QP1:
      r.checked = s.detector == 3;
      break;
    // Inputs: the entry of the input in use is checked; each is enabled in the range it
    // suits.
    case C::Direct1:
    case C::NX101:
    case C::NX201:
    case C::NX241:
    case C::NX301:
    case C::NX401:
    case C::NX501:
    case C::KVP1:
    case C::kvp2:
    case C::Ostrocell1:
    case C::LISN1:
    case C::Userselect1:
      r.checked = c.inputCode == InputCodeOf(id);
      r.enabled = InputSuitsRange(id, s.highRange) && (id != C::NX241 || s.tq4804Variant);
      break;
    case C::NX90PreSelector1:
      r.checked = c.preselectorState == 1;
      break;
    case C::NX91PreSelector1:
      r.checked = c.preselectorState >= 2 && c.preselectorState <= 4;
      break;
    case C::Com11:
    case C::Com21:
    case C::Com31:
    case C::Com41:
      r.checked = m.checkedPort == 1 + (static_cast<int>(id) - static_cast<int>(C::Com11));
      break;
    // Processing: ERS. Installing and clearing the ERS data need a firmware above 1.22
    // (calibration tells the user when there is no analyser); a correction can be applied
    // once its plane holds one.
    case C::InstallERSdata1:
    case C::ClearERSData1:
      r.enabled = m.ersMenuEnabled;
      break;
    case C::ApplyERSCorrection1:
      r.enabled = c.ersCalibrated[0] || c.ersCalibrated[1];
      break;
    case C::UERSH1:
    case C::UERSV1: {
      const int plane = id == C::UERSH1 ? 1 : 2;
      r.enabled = c.ersCalibrated[static_cast<std::size_t>(plane - 1)];
      r.checked = c.ersAppliedPlane == plane;
      break;
    }
    case C::Button1:
      r.caption = m.button1Caption;
      // Single frequency: a shot while a frequency is picked or shown would run a sweep
      // whose frames go to the wrong handler.
      r.enabled = s.runInProgress || s.measurementMode == 0;
      break;
    case C::Button2:
      r.caption = m.button2Caption;
      r.enabled = m.runEnabled;
      break;
    case C::Button3:
      r.caption = s.logFrequencyAxis ? "Lin" : "Log";
      r.enabled = idle;
      break;
    case C::Button5:
      r.caption = s.dbmUnits ? "dBuV" : "dBm";
      r.enabled = m.dbmButtonEnabled;
      break;
    case C::Button6:
    case C::Button7:
    case C::Button8:
    case C::Button10:
    case C::Button16:
    case C::button18:
    case C::BitBtn3:
    case C::BitBtn4:
    case C::BitBtn5:
    case C::ComboBox2:
      r.enabled = idle;
      break;
    case C::ComboBox1:
      // The TQ4804 has a fixed attenuator.
      r.enabled = !s.tq4804Variant;
      break;
    case C::ComboBox3:
      r.enabled = idle && m.preampSelectorEnabled;
      break;
    default:
      // Limits: the menu bar's Limits menu is closed during a run, like the other menus.
      if (const LimitCatalogueEntry* e = LimitCatalogueEntryOf(id); e && e->parent.empty())
        r.enabled = idle;
      break;
  }
  return r;
}

}  // namespace

const std::vector<CommandEntry>& CommandTable() {
  return kTable;
}

void ComputeCommandStates(const CommandContext& context, std::span<CommandState> out) {
  const std::size_t n = std::min(out.size(), kTable.size());
  for (std::size_t i = 0; i < n; ++i) {
    out[i] = StateOf(kTable[i].id, context);
    if (context.model.startingUp) out[i].enabled = false;
  }
}

}  // namespace tq
