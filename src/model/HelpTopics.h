#pragma once

namespace tq {

// The help topics: the number each Help button, F1 and Help > Contents open in the help
// window. The file of topic N is data/help/N-<name>.html; 0 is the contents.
namespace help {

inline constexpr int kContents = 0;
// The main window and the sweep
inline constexpr int kMainWindow = 10;
inline constexpr int kSweep = 11;
inline constexpr int kTraces = 12;
inline constexpr int kProcessing = 13;
inline constexpr int kDetectors = 14;
inline constexpr int kZoomAndValues = 15;
inline constexpr int kDisplay = 16;
// Limits
inline constexpr int kLimits = 25;
inline constexpr int kLimitSelect = 26;
inline constexpr int kUserLimitEditor = 27;
// Inputs
inline constexpr int kInputs = 30;
inline constexpr int kLisn = 31;
inline constexpr int kOstrocell = 32;
inline constexpr int kUserAntenna = 33;
inline constexpr int kPreampAndAttenuator = 34;
inline constexpr int kDistance = 35;
inline constexpr int kPreselector = 36;
// Single frequency
inline constexpr int kSingleFrequency = 40;
inline constexpr int kSingleFrequencySettings = 41;
// ERS
inline constexpr int kErs = 50;
inline constexpr int kErsCalibration = 51;
inline constexpr int kErsZoomed = 52;
inline constexpr int kErsPeak = 53;
// Files and reports
inline constexpr int kResultFiles = 60;
inline constexpr int kImportOptions = 61;
inline constexpr int kTitleAndNotes = 62;
inline constexpr int kPrinting = 63;
inline constexpr int kInformation = 64;
// RiduDudoruvo
inline constexpr int kGuide = 70;
inline constexpr int kGuideStandardForms = 71;
inline constexpr int kGuideTestForms = 72;
inline constexpr int kGuideQuestions = 73;
inline constexpr int kGuideInstructions = 74;
// The analyser's connection
inline constexpr int kConnection = 80;
// Beyond the sweep: the peak table, its final measurement and export
inline constexpr int kPeakTable = 90;
inline constexpr int kUnattendedRuns = 95;
// File > Setup...
inline constexpr int kDetails = 122;

}  // namespace help

}  // namespace tq
