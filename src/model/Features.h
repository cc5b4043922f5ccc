#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/DataFrame.h"
#include "model/LimitTable.h"
#include "model/Records.h"

namespace tq {

// What the program asks of each feature that plugs into the measurement: the input
// transducer, the active limit, ERS, single-frequency measurement and the Ostrocell relay.
//
// Adding a feature: implement its interface in the feature's own folder, let Program hold
// the implementation and hand it out in Program's Features.

// The input in use (antenna, probe, clamp, LISN, TEM cell) and what it does to a level.
class InputCorrections {
 public:
  virtual ~InputCorrections() = default;
  // A measured level in dBuV at a frequency, corrected for the input in use.
  virtual float CorrectLevel(float levelDbuv, float frequencyHz) const = 0;
  // The level unit shown on the graph.
  virtual std::string UnitLabel(bool dbmUnits) const = 0;
  // Contributions of the input to the level at the bottom of the graph.
  virtual int TransducerLevelOffsetDb() const = 0;
  virtual int LisnAttenuatorDb() const = 0;
  // The NX20 antenna's level window ignores the pre-amplifier gain.
  virtual bool Nx20Selected() const = 0;
  // Start-up and a range change go back to the Direct input.
  virtual void SelectDirectInput() = 0;
  // The input code: 1 NX10 .. 8 Direct .. 12 Ostrocell.
  virtual int InputCode() const = 0;
  // The distance of the antenna from the equipment under test, metres.
  virtual float MeasuringDistanceM() const = 0;
  // The three input labels of the input panel, and the input's description for the
  // information window and the printouts.
  virtual std::array<std::string, 3> InputLabels() const = 0;
  virtual std::string Description() const = 0;
  // The transducer factor at a frequency, dB (the information window's curve).
  virtual float FactorDb(float frequencyHz) const = 0;
  // Where the TEM cell's range relay changes over, Hz.
  virtual std::int32_t ChangeoverFrequencyHz() const = 0;
};

// The limit line loaded from a limit file.
class ActiveLimit {
 public:
  virtual ~ActiveLimit() = default;
  virtual bool Loaded() const = 0;
  virtual std::string Name() const = 0;
  // A detector change picks the member of a detector pair that suits it.
  virtual void DetectorChanged(int detector) = 0;
  // A range change leaves no limit active.
  virtual void SelectNone() = 0;
  // The limit at a frequency in dB, distance-corrected; 200 where there is none.
  virtual double LimitAt(double frequencyHz) const = 0;
  // The active record: its point and band tables, companion offset, click allowance, record
  // number and file selector.
  virtual const LimitTable& Table() const = 0;
  // The base line and the companion line as the switch before the last paint selected them.
  virtual const LimitTable& BaseLine() const = 0;
  virtual const LimitTable& CompanionLine() const = 0;
  // A radiated limit and the distance it is given for, metres (the measured levels are
  // corrected for it under the alternative distance method).
  virtual bool Radiated() const = 0;
  virtual float DistanceM() const = 0;
};

// ERS calibration of the test site and its correction of the Difference trace.
class ErsCorrection {
 public:
  virtual ~ErsCorrection() = default;
  // A result file brought an archived correction along.
  virtual bool ArchiveLoaded() const = 0;
  virtual void DropArchive() = 0;
  // The calibration under way: 0 none, 1 and 2 full range, 3 and 4 zoomed.
  virtual int CalibrationMode() const = 0;
  virtual void ClearCalibration() = 0;
  // The analyser is searching for the ERS peak (changes the status texts).
  virtual bool PeakSearch() const = 0;
  // A horizontal or vertical correction is applied, and its value at a frequency.
  virtual bool Applied() const = 0;
  virtual float CorrectionDb(float frequencyHz) const = 0;
  // The graph's ERS status text (" ERS OFF", " ERS HOR", " ERS VER").
  virtual std::string Label() const = 0;
  // The coverage strip below the plot is shown.
  virtual bool StripEnabled() const = 0;
  // A sweep point was measured under compression.
  virtual void CompressedPoint() = 0;
  // The tables a result file saves, and their restoring from one.
  virtual const ErsTables& Tables() const = 0;
  virtual void RestoreTables(const ErsTables& tables) = 0;
  // A run of the calibration has ended: the calibration takes its next step.
  virtual void CalibrationRunEnded() = 0;
};

// Measurement of one frequency over time.
class SingleFrequency {
 public:
  virtual ~SingleFrequency() = default;
  virtual std::int32_t FrequencyHz() const = 0;
  // "Use ERS Correction" is ticked.
  virtual bool UsesErs() const = 0;
  // 0 instantaneous, 1 average, 2 quasi-peak.
  virtual int Detector() const = 0;
  // The time texts under the axis, k = 1..5.
  virtual std::string SampleTimeText(int k) const = 0;
  // A data frame while measurementMode is 2; the measurement acknowledges it itself.
  virtual void SampleReceived(const DataFrame& frame) = 0;
  // Back to the sweep view: no frequency shown or being picked (an opened result file
  // starts from there).
  virtual void EndView() = 0;
  // What a result file saves, and its restoring from one.
  virtual SingleFrequencyRecord Record() const = 0;
  virtual void Restore(const SingleFrequencyRecord& record) = 0;
};

// The range relay of the Ostrocell TEM cell, driven through the USB adapter.
inline constexpr std::int32_t kDefaultRelaySwitchHz = 200000000;
class OstrocellRelay {
 public:
  virtual ~OstrocellRelay() = default;
  // The Ostrocell input is selected (a sweep drives the relay only for a cell type that
  // has one; single frequency always asks for it).
  virtual bool InUse() const = 0;
  // Moves the relay to the side of the changeover frequency that the frequency lies on (or
  // asks the user to); the changeover frequency itself leaves it where it is.
  virtual void SetForFrequency(std::int32_t frequencyHz) = 0;
  // RUN and S/SHOT take the relay to be on the far side of the start frequency, so that the
  // first relay command of the run always goes out.
  virtual void PresetForRun(std::int32_t startFrequencyHz) = 0;
  // The cell's changeover frequency; the cell file may give another than 200 MHz.
  virtual std::int32_t SwitchFrequencyHz() const = 0;
};

// The features as the rest of the program reaches them.
struct Features {
  InputCorrections& inputs;
  ActiveLimit& limit;
  ErsCorrection& ers;
  SingleFrequency& single;
  OstrocellRelay& relay;
};

}  // namespace tq
