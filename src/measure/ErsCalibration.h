#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "corrections/ErsData.h"
#include "link/Link.h"
#include "measure/ScanEngine.h"
#include "model/Features.h"
#include "model/MeasurementState.h"
#include "model/WindowModel.h"
#include "platform/Files.h"
#include "platform/Prompts.h"
#include "platform/Ticks.h"
#include "traces/TraceSet.h"

namespace tq {

// Writes the whole result to a file, as File > Save As does: a calibration offers to keep
// its measurement that way.
class CalibrationSaver {
 public:
  virtual ~CalibrationSaver() = default;
  virtual void SaveCalibrationResult(const std::string& fileName) = 0;
};

// What the peak dialog's buttons do: the attenuator 10 dB up or down.
class ErsAttenuator {
 public:
  virtual ~ErsAttenuator() = default;
  virtual void StepAttenuator(int direction) = 0;
};

// What the calibration dialogs show when they open, and what they give back.
struct ErsDialogValues {
  std::string serialText;    // "ERS Serial Number : ..." or the missing-data text
  bool dataPresent = false;  // ERS.DAT was read: a calibration can start
  int polarisation = 0;      // 0 horizontal, 1 vertical
  int zoomSpan = 0;          // 0 100 MHz, 1 200 MHz
  std::string startText = "30.0";
};
struct ErsChoice {
  int polarisation = 0;
  int zoomSpan = 0;
  std::string startText;
};

// The 1 GHz peak check: three readings, each at least 999685000 Hz.
struct PeakCheck {
  bool found = false;
  double meanHz = 0.0;
  std::int32_t errorHz = 0;  // the mean's distance from 1 GHz
};
PeakCheck EvaluatePeakReadings(const std::array<std::int32_t, 3>& readingsHz);

// ERS calibration of the test site (full range and zoomed) and the correction it leaves,
// run through the scan engine's sweeps. The ERS tables and files are ErsData's.
//
// Full range: state 1 sweeps with the ERS unit on (a single shot of 485 steps), state 2 is
// the user's single shot of the background; the completion pairs the two. Zoomed: state 3
// averages 8 sweeps of the background into the Store, state 4 averages 8 sweeps with the
// unit on; its completion compares them.
class ErsCalibration : public ErsCorrection, public ErsAttenuator {
 public:
  ErsCalibration(MeasurementState& state, WindowModel& model, MainView& view, Link& link,
                 TraceSet& traces, ScanEngine& scan, Ticks& ticks, Prompts& prompts, Files& files,
                 CalibrationSaver& saver);

  // Processing > ERS Calibration Mode: what the dialog shows, or nothing when the analyser
  // is not connected (the user has been told).
  std::optional<ErsDialogValues> OpenCalibration(bool zoomed);
  // OK of the full-range dialog: the pre-scan question, the 1 GHz peak check. The text of
  // the peak dialog, or nothing when the calibration has ended.
  std::optional<std::string> FullRangeOk(int polarisation);
  // The peak dialog closed: the sweep with the ERS unit on starts.
  void PeakAccepted();
  // OK of the zoomed dialog.
  void ZoomedOk(const ErsChoice& choice);

  // The other ERS entries of the Processing menu.
  void ApplyCorrection(int plane);  // UERSH1, UERSV1
  void InstallERSdata1Click() { data_.InstallERSdata1Click(); }
  void ClearERSData1Click();
  void SaveERSCorrectionData1Click() { data_.SaveERSCorrectionData1Click(); }
  void ReLoadERSCorrectionData1Click();

  const ErsData& data() const { return data_; }
  ErsData& data() { return data_; }
  std::int32_t peakErrorHz() const { return peakErrorHz_; }
  int compressionCount() const { return compressionCount_; }

  // ErsAttenuator
  void StepAttenuator(int direction) override;

  // ErsCorrection
  bool ArchiveLoaded() const override { return data_.tables().archived; }
  void DropArchive() override { data_.tables().archived = false; }
  int CalibrationMode() const override { return mode_; }
  void ClearCalibration() override;
  bool PeakSearch() const override { return peakSearch_; }
  bool Applied() const override { return data_.tables().appliedPlane != 0; }
  float CorrectionDb(float frequencyHz) const override { return data_.CorrectionDb(frequencyHz); }
  std::string Label() const override { return data_.Label(); }
  bool StripEnabled() const override { return data_.Calibrated(1) || data_.Calibrated(2); }
  void CompressedPoint() override;
  const ErsTables& Tables() const override { return data_.tables(); }
  void RestoreTables(const ErsTables& tables) override { data_.tables() = tables; }
  void CalibrationRunEnded() override;

 private:
  bool connected() const { return state_.portConnected && state_.linkEnabled; }
  bool changeToHighRange();
  bool preScanConfirmed();
  PeakCheck peakCheck();
  void backgroundStep();
  void completeFullRange();
  void zoomedErsStep();
  void completeZoomed();
  // The completion's compression rule; false when the user abandons.
  bool compressionAccepted();
  void offerToSave();
  void finish();
  void startRun();
  void sendSettings();
  void setSpan(std::int32_t startHz, std::int32_t finishHz);
  void differenceChanged();

  MeasurementState& state_;
  WindowModel& model_;
  MainView& view_;
  Link& link_;
  TraceSet& traces_;
  ScanEngine& scan_;
  Ticks& ticks_;
  Prompts& prompts_;
  CalibrationSaver& saver_;
  ErsData data_;

  int mode_ = 0;   // 0 none, 1 and 2 full range, 3 and 4 zoomed
  int plane_ = 0;  // the plane being calibrated
  bool peakSearch_ = false;
  std::int32_t peakErrorHz_ = 0;
  int compressionCount_ = 0;
  bool compressionAsked_ = false;
  bool askingCompression_ = false;
  bool runEndedWhileAsking_ = false;
  Trace ersOnTrace_{};  // the full-range sweep with the ERS unit on
  std::int32_t zoomStartHz_ = 0;
  std::int32_t zoomSpanHz_ = 0;
  int lastPolarisation_ = 0;
  int lastZoomSpan_ = 0;
  std::string zoomStartText_ = "30.0";
};

}  // namespace tq
