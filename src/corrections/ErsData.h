#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/MeasurementState.h"
#include "model/Records.h"
#include "model/Trace.h"
#include "platform/Files.h"
#include "platform/Prompts.h"

namespace tq {

// The ERS grid: point j lies at 30 MHz + j x 2 MHz + the grid offset; 485 is the last.
inline constexpr int kErsLastPoint = static_cast<int>(kErsPoints) - 1;
inline constexpr std::int32_t kErsStartHz = 30000000;
inline constexpr std::int32_t kErsStepHz = 2000000;
// The folder of the ERS files is fixed, whatever the default path says.
inline constexpr const char* kErsDataFile = "C:\\TQ4800\\ERS.DAT";
inline constexpr const char* kErsCorrectionFile = "C:\\TQ4800\\erscorr.dat";

// Planes: 1 horizontal, 2 vertical.
const char* PlaneName(int plane);
std::int32_t ErsGridFrequencyHz(int point, std::int32_t gridOffsetHz);

// The correction of one plane at a frequency: interpolated between the grid points around
// it, the first point's below it and the last point's above it.
float ErsCorrectionAt(const ErsTables& tables, int plane, double frequencyHz);

// A reference level line of an installation file: a number, or 0.
float ErsLevelOf(std::string_view line);

// ERS.DAT: both reference tables by columns. Reading fills what it finds and is false when
// the file holds fewer than 486 lines.
std::string ErsDatText(const ErsTables& tables);
bool ReadErsDat(std::string_view text, ErsTables& tables);

// erscorr.dat: the corrections and flags of both planes. Reading returns the first line,
// or nothing when the file has no line at all.
std::string ErsCorrectionText(const ErsTables& tables, std::string_view identity);
std::optional<std::string> ReadErsCorrectionText(std::string_view text, ErsTables& tables);

// The corrections a calibration leaves in one plane, from the sweep with the ERS unit on
// (current) and the background (store). Full range covers the whole grid from display
// points 0 to 485; zoomed covers the grid points of its span, found by frequency.
void FullRangeCorrection(ErsTables& tables, int plane, const Trace& current, const Trace& store);
void ZoomedCorrection(ErsTables& tables, int plane, std::int32_t startHz, std::int32_t spanHz,
                      const FrequencyGrid& displayHz, const Trace& current, const Trace& store);

// The ERS tables and their files: installation, the reference file, saved corrections.
class ErsData {
 public:
  ErsData(MeasurementState& state, Files& files, Prompts& prompts);

  const ErsTables& tables() const { return tables_; }
  ErsTables& tables() { return tables_; }
  // The title of the information window's ERS box, from the last re-loaded file.
  const std::string& correctionTitle() const { return correctionTitle_; }

  // Install ERS Data: the serial number, then the installation files from drive A (or
  // from a folder the user picks when they are not there).
  void InstallERSdata1Click();
  // Reads the reference levels from ERS.DAT; false when missing or short.
  bool LoadReferenceLevels();
  // Clear ERS Data; true when cleared.
  bool ClearERSData1Click();
  void SaveERSCorrectionData1Click();
  // Re-Load ERS Correction Data; true when re-loaded.
  bool ReLoadERSCorrectionData1Click();

  // Apply ERS Correction: the plane on, or off when it is on already.
  void ToggleApplied(int plane);
  float CorrectionDb(double frequencyHz) const;
  std::string Label() const;
  bool Calibrated(int plane) const;
  void SetCalibrated(int plane, bool calibrated);

 private:
  bool readInstallationFile(const std::string& path, int plane, ErsTables& into);
  std::optional<std::string> installationFolder();

  MeasurementState& state_;
  Files& files_;
  Prompts& prompts_;
  ErsTables tables_;
  std::string correctionTitle_;
};

}  // namespace tq
