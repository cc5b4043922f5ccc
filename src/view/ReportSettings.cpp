#include <cstdio>

#include "view/GraphTexts.h"
#include "view/PrintReport.h"

namespace tq {

namespace {

// The input's name as the report gives it; the inputs it has no name for print as the
// Direct input does when nothing is ticked.
std::string InputName(int inputCode) {
  switch (inputCode) {
    case 1:
      return "NX10 Near Field Probe";
    case 2:
      return "NX20 Broad Band Antenna";
    case 3:
      return "NX30 2m Large Loop Antenna";
    case 4:
      return "NX40 Absorbing Clamp";
    case 5:
      return "NX50 Dipole";
    case 6:
      return "KVP";
    case 7:
      return "KVP + PA76";
    case 8:
      return "Direct Input";
    case 9:
      return "LISN";
    case 10:
      return "User Antenna";
    default:
      return "DIRECT INPUT";
  }
}

std::string Detector(int detector) {
  switch (detector) {
    case 1:
      return " Peak (Fast scan)";
    case 2:
      return " Average";
    case 3:
      return " Quasi-Peak";
    default:
      return {};
  }
}

std::string Padded3(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%3d", value);
  return buffer;
}

std::string LisnSettings(int source, int attenuatorDb) {
  static constexpr const char* kSources[5] = {" Source : LIVE,", " Source : NEUTRAL,",
                                              " Source : RED,", " Source : YELLOW,",
                                              " Source : BLUE,"};
  static constexpr const char* kAttenuators[4] = {" Atten : 0dB", " Atten : -10dB",
                                                  " Atten : -20dB", " Atten : -30dB"};
  const int s = source < 0 || source > 4 ? 0 : source;
  const int a = attenuatorDb / 10 < 0 || attenuatorDb / 10 > 3 ? 0 : attenuatorDb / 10;
  return std::string("LISN SETTINGS :") + kSources[s] + kAttenuators[a];
}

}  // namespace

std::vector<ReportRow> ReportSettingsRows(const ReportView& view) {
  const MeasurementState& s = view.state;
  const WindowModel& m = view.model;
  const int input = view.sources.inputs.InputCode();
  const std::string port = m.checkedPort == 1   ? "Port COM1 used"
                           : m.checkedPort == 2 ? "Port COM2 used"
                                                : "";
  std::vector<ReportRow> rows{
      {"TEST : " + m.modelPanelText + "  " + s.title, view.dateText},
      {port, "INPUT : " + InputName(input)},
      {"Pre-Amp : " + std::to_string(s.preampGainDb) + "dB",
       "ATTENUATION : " + Padded3(s.attenuationDb) + "dB"},
      {"SIGNAL PROCESSING : " + ProcessingLabel(s, view.sources.single),
       "DETECTOR : " + Detector(s.detector)},
      {s.highRange ? "HIGH RANGE" : "LOW RANGE", "STEPS/SCAN " + Padded3(s.stepsPerScan)},
      {"LIMIT : " + view.sources.limit.Name() + ",   " + view.sources.limit.Table().description,
       ""},
  };
  if (input == 9) rows.push_back({LisnSettings(view.lisnSource, view.lisnAttenuatorDb), ""});
  rows.push_back({"NOTES :", ""});
  for (const std::string& line : view.traces.notes) rows.push_back({line, ""});
  return rows;
}

}  // namespace tq
