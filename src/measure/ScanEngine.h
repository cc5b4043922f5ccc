#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "link/Link.h"
#include "model/DataFrame.h"
#include "model/Features.h"
#include "model/MeasurementState.h"
#include "model/Span.h"
#include "model/WindowModel.h"
#include "platform/Prompts.h"
#include "platform/Ticks.h"
#include "traces/TraceSet.h"

namespace tq {

// The positions of the NX91 and of the NX90 (its seven bands).
inline constexpr std::array<const char*, 9> kPreselectorNames{
    "Through",       "0.15 - 0.4 MHz", "0.4 - 1.0 MHz",   "1.0 - 2.0 MHz",  "2.0 - 4.0 MHz",
    "4.0 - 7.0 MHz", "7.0 - 10.0 MHz", "10.0 - 15.0 MHz", "15.0 - 30.0 MHz"};
inline constexpr std::array<const char*, 8> kNx90PositionNames{
    "Through",       "0.15 - 0.3 MHz", "0.3 - 0.6 MHz",  "0.6 - 1.2 MHz",
    "1.2 - 2.5 MHz", "2.5 - 5.0 MHz",  "5.0 - 12.0 MHz", "12.0 - 30.0 MHz"};

// Reads a frequency typed in MHz: the leading decimal number, in single precision, to Hz.
std::optional<std::int32_t> ParseFrequencyMHz(std::string_view text);

// The frequency box while the analyser is tuned to one frequency: MHz with 4 decimals in
// the HIGH range and 5 in the LOW range.
std::string FrequencyBoxText(double hz, bool highRange);

// The steps a sweep of the present span takes: narrow spans and the logarithmic axis reduce
// the chosen steps.
int SweepSteps(const MeasurementState& state);

// Told when a sweep of the product (not one of an ERS calibration) has been measured to its
// end, its Current trace kept.
class SweepObserver {
 public:
  virtual ~SweepObserver() = default;
  virtual void SweepCompleted() = 0;
};

// Turns the span, resolution and front-end choices into sweeps and runs them.
class ScanEngine {
 public:
  ScanEngine(MeasurementState& state, WindowModel& model, MainView& view, Link& link,
             TraceSet& traces, Ticks& ticks, Prompts& prompts, Features features);
  ScanEngine(const ScanEngine&) = delete;
  ScanEngine& operator=(const ScanEngine&) = delete;

  // Run buttons.
  void Button2Click();  // RUN / CANCEL
  void Button1Click();  // S/SHOT / STOP
  void Stop();
  void RefreshRunButtons();
  // Single frequency: STOP (0x4A) ends the readings.
  void StopSingleFrequency();

  // Span and range.
  void Button6Click();   // Start (then Finish)
  void Button7Click();   // Finish
  void Button10Click();  // Min.
  void Button8Click();   // Low
  void Button16Click();  // High
  void RangeChange(bool toHigh);
  void SendRangeWithDelay();
  void RangeDelayTick();
  // Span stepping: a half span down or up within the range, or the whole range.
  void StepSpan(int direction);
  void WholeRange();
  void UpdateSpanButtons();

  // Front end.
  void ComboBox1Change(int index);              // attenuation
  void ComboBox2Change(int index);              // steps
  void ComboBox3Change(std::string_view text);  // pre-amplifier
  std::string ComboBox3Exit() const;            // the box's text on leaving it
  void PFS1Click();
  void Average1Click();
  void QP1Click();

  // Pre-selectors.
  void NX90PreSelector1Click();
  void NX91PreSelector1Click();
  void PreselectorReport(int position, bool automatic);
  void SegmentStep();
  void SetPreselectorPosition(double frequencyHz);
  // A single-frequency pick sets the position afresh, whatever was sent last.
  void PresetPreselectorFor(double frequencyHz);
  // After a reconnect the pre-selector is unknown.
  void ForgetPreselector() { preselectorState_ = 0; }

  // Data frames from the link.
  void DataFrameReceived(const DataFrame& frame);
  void CheckStepStatus(int status);
  // "LOST PEAK" may be told again (a reset of the traces).
  void ResetLostPeak() { lostPeakShown_ = false; }

  // Who is told of each completed sweep (nobody until it is set).
  void ObserveSweeps(SweepObserver& observer) { sweepObserver_ = &observer; }

  // Sweep set-up, also used by ERS calibration.
  void PrepareSteps();
  void StartSweep();
  void EndOfRun();

  // What the engine is doing, for the window and the link.
  int preselectorState() const { return preselectorState_; }
  int preselectorPosition() const { return preselectorPosition_; }
  std::int32_t segmentEndHz() const { return segmentEndHz_; }
  bool rangeChanging() const { return rangeChanging_; }
  bool stopRequested() const { return stopRequested_; }
  bool invalidFrequency() const { return invalidFrequency_; }
  bool lostPeakShown() const { return lostPeakShown_; }
  std::int32_t relaySwitchHz() const { return features_.relay.SwitchFrequencyHz(); }
  // The frequency the analyser last reported with detector 0 (the ERS peak readings).
  std::int32_t tunedFrequencyHz() const { return tunedFrequencyHz_; }
  void ClearTunedFrequency() { tunedFrequencyHz_ = 0; }

 private:
  void reportFrequencyFault(int stepStatus);
  void peakPoint(const DataFrame& frame);
  void pointByPointReading(const DataFrame& frame);
  // The step strip and the compression report for a point of a running sweep.
  void noteStepStatus(int point);
  void endOfSweep();
  // The point-by-point measurement of the slow detectors: one sweep for a shot, sweep after
  // sweep for a run.
  void pointByPoint(bool continuous);
  void pointByPointSweep();
  void finishStop();
  bool prepareRunStart(bool isRun);
  void startSweepOnce();
  void startSegmentedForPreselector();
  void nextSegmentEnd();
  void setStatus(const std::string& text, Colour lamp);
  void applySpanChange();
  void selectDetector(int detector);
  int ersMode() const { return features_.ers.CalibrationMode(); }
  bool ostrocell() const { return features_.relay.InUse() && state_.ostrocellSelection > 0; }
  void relay(std::int32_t frequencyHz) { features_.relay.SetForFrequency(frequencyHz); }

  MeasurementState& state_;
  WindowModel& model_;
  MainView& view_;
  Link& link_;
  TraceSet& traces_;
  Ticks& ticks_;
  Prompts& prompts_;
  Features features_;
  std::unique_ptr<Timer> rangeDelayTimer_;

  int preselectorState_ = 0;
  int preselectorPosition_ = 0;  // 99 = unknown
  std::int32_t segmentEndHz_ = 0;
  std::string preselectorPositionName_;
  float stepLevelDbuv_ = 0.0f;
  std::int32_t readingsThisStep_ = 0;
  bool stepComplete_ = false;
  bool stopRequested_ = false;
  std::int32_t lastStepSent_ = -1;
  std::int32_t rangeChangeSeconds_ = 0;
  bool rangeChanging_ = false;
  bool sweepLogarithmic_ = false;
  std::int32_t tunedFrequencyHz_ = 0;
  bool invalidFrequency_ = false;
  bool lostPeakShown_ = false;
  // Steps in a row with a tuning fault (codes 1 to 3) since the last report.
  static constexpr int kFaultsBeforeReport = 5;
  int frequencyFaults_ = 0;
  bool faultBoxOpen_ = false;
  bool pointByPointLoop_ = false;  // a point-by-point loop runs further up the stack
  bool pointByPointRun_ = false;   // ... for a RUN, not a shot
  bool stopPending_ = false;       // a CANCEL waits for that loop to unwind
  bool startingSweep_ = false;     // StartSweep is further up the stack
  bool restartSweep_ = false;      // ... and starts the next sweep once it is done
  // The run's status text while a compression report stands in for it.
  struct RunStatus {
    std::string text;
    Colour lamp;
  };
  std::optional<RunStatus> replacedStatus_;
  struct NoSweepObserver : SweepObserver {
    void SweepCompleted() override {}
  } noSweepObserver_;
  SweepObserver* sweepObserver_ = &noSweepObserver_;
};

}  // namespace tq
