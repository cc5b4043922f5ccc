#pragma once

#include <cstdint>

namespace tq {

// Every command of the main window, named after the menu item or control that carries it.
// The limit catalogue's entries follow kLimitCatalogue as a block of their own.
enum class Command : std::uint16_t {
  None = 0,
  // Menus
  File1,
  Display1,
  Processing1,
  Detector1,
  Inputs1,
  Port1,
  // File
  Open1,
  Save1,
  SaveAs1,
  Print1,
  Screendump1,
  PrinterSetup1,
  PrinterColours1,
  Title1,
  Notes1,
  Setup1,
  Exit1,
  // Display
  current1,
  Store1,
  Difference1,
  Archive1,
  limit1,
  Diffemit,
  Diffil,
  Clear1,
  Values1,
  Colours1,
  Normal1,    // display sizes: 644 x 484
  N800x6001,  // 800 x 600
  Enlarged1,  // 1024 x 738
  // Processing
  Off1,
  Average81,
  Average161,
  Average321,
  Peak1,
  ResetCalculation1,
  // Detector
  PFS1,
  Average1,
  QP1,
  // Inputs
  Direct1,
  NX101,
  NX201,
  NX241,
  NX301,
  NX401,
  NX501,
  KVP1,
  kvp2,
  Ostrocell1,
  LISN1,
  Userselect1,  // the User Antenna... submenu
  CreateAntennafile1,
  Selectuserantenna1,
  NX90PreSelector1,
  NX91PreSelector1,
  // Port
  Com11,
  Com21,
  Com31,
  Com41,
  Reset1,
  // Processing: ERS
  ERSCalibrationMode1,  // submenu
  FullRange1,
  Zoomed1,
  ApplyERSCorrection1,  // submenu
  UERSH1,
  UERSV1,
  InstallERSdata1,
  ClearERSData1,
  SaveERSCorrectionData1,
  ReLoadERSCorrectionData1,
  // Buttons of the window
  Button1,   // S/SHOT, STOP
  Button2,   // RUN, CANCEL
  Button3,   // Log, Lin
  Button4,   // RiduDudoruvo
  Button5,   // dBm, dBuV
  Button6,   // Start
  Button7,   // Finish
  Button8,   // Low
  Button10,  // Min.
  Button11,  // Curr.
  Button12,  // Store
  Button13,  // Diff.
  Button14,  // Limit
  Button15,  // Arch.
  Button16,  // High
  Button17,  // Single, Scan
  button18,  // > STORE
  BitBtn3,   // span down
  BitBtn4,   // whole range
  BitBtn5,   // span up
  BitBtn6,   // Information
  BitBtn7,   // level up
  BitBtn8,   // level down
  // Single frequency: the tune buttons
  BitBtn1,  // tune up
  BitBtn2,  // tune down
  // Value controls: the window reads their values itself.
  ComboBox1,  // attenuation
  ComboBox2,  // steps
  ComboBox3,  // pre-amplifier
  // Help
  Help1,
  Contents1,
  About1,
  Information1,
  // Beyond the text: the peak table and the CSV export.
  PeakTable1,
  ExportCSV1,
  Count,
};

inline constexpr std::uint16_t kLimitCatalogue = 1000;

}  // namespace tq
