#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "link/Frame.h"
#include "link/Link.h"
#include "measure/MeasurementState.h"
#include "measure/WindowModel.h"
#include "platform/Prompts.h"
#include "platform/Ticks.h"
#include "traces/TraceSet.h"

namespace tq {

// What the scan engine needs from stages built around it: the graph, the inputs, the limit,
// ERS calibration, the Ostrocell relay and single-frequency measurement. Every hook may be
// left empty; the engine then does without it.
struct ScanHooks {
  // Draws one segment of a trace (1 Current, 3 Difference) as the point arrives.
  std::function<void(int kind, int point)> plotPoint;
  // Erases the previous run's sweep marker.
  std::function<void()> eraseRunLine;
  // Selects the Direct input and its factors.
  std::function<void()> selectDirectInput;
  // Enables the input menu entries that suit the range.
  std::function<void()> updateInputMenu;
  // The detector's limit after a detector change.
  std::function<void()> detectorChanged;
  // ERS: an archived correction is loaded / drop it; the calibration mode (0 none).
  std::function<bool()> ersArchiveLoaded;
  std::function<void()> dropErsArchive;
  std::function<int()> ersCalibrationMode;
  std::function<void()> clearErsCalibration;
  // The Ostrocell input is selected with a cell; set its range relay for a frequency.
  std::function<bool()> ostrocellInUse;
  std::function<void(std::int32_t frequencyHz)> setOstrocellRelay;
  // A data frame while a single-frequency run is on.
  std::function<void(const DataFrame&)> singleFrequencyFrame;
};

inline constexpr std::array<const char*, 9> kPreselectorNames{
    "Through",       "0.15 - 0.4 MHz", "0.4 - 1.0 MHz",   "1.0 - 2.0 MHz",  "2.0 - 4.0 MHz",
    "4.0 - 7.0 MHz", "7.0 - 10.0 MHz", "10.0 - 15.0 MHz", "15.0 - 30.0 MHz"};

// The frequency of step `step` of a sweep of `steps` steps over start..finish.
float NominalStepFrequency(std::int32_t start, std::int32_t finish, int steps, int step,
                           bool logarithmic);
// Fills stepFrequencyHz with the display grid of the present span (501 points).
void FillDisplayGrid(MeasurementState& state);
// Reads a frequency typed in MHz: the leading decimal number, in single precision, to Hz.
std::optional<std::int32_t> ParseFrequencyMHz(std::string_view text);

// Turns the span, resolution and front-end choices into sweeps and runs them.
class ScanEngine {
 public:
  ScanEngine(MeasurementState& state, WindowModel& model, MainView& view, Link& link,
             TraceSet& traces, Ticks& ticks, Prompts& prompts);
  ScanEngine(const ScanEngine&) = delete;
  ScanEngine& operator=(const ScanEngine&) = delete;

  ScanHooks& hooks() { return hooks_; }

  // Run buttons.
  void Button2Click();  // RUN / CANCEL
  void Button1Click();  // S/SHOT / STOP
  void Stop();
  void RefreshRunButtons();

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

  // Data frames from the link.
  void DataFrameReceived(const DataFrame& frame);
  void CheckStepStatus(int status);

  // Sweep set-up, also used by ERS calibration.
  void PrepareSteps();
  void StartSweep();
  void EndOfRun();

  // State of the engine.
  int preselectorState = 0;
  int preselectorPosition = 0;  // 99 = unknown
  std::int32_t segmentEndHz = 0;
  std::string preselectorPositionName;
  float stepLevelDbuv = 0.0f;
  std::int32_t readingsThisStep = 0;
  bool stepComplete = false;
  bool stopRequested = false;
  std::int32_t lastStepSent = -1;
  std::int32_t rangeChangeSeconds = 0;
  bool rangeChanging = false;
  std::int32_t relaySwitchHz = 200000000;
  bool relayLow = false;
  bool ersSweep = false;
  bool sweepLogarithmic = false;
  std::int32_t tunedFrequencyHz = 0;
  bool invalidFrequency = false;

 private:
  void peakPoint(const DataFrame& frame);
  void pointByPointReading(const DataFrame& frame);
  void endOfSweep();
  void pointByPointShot();
  bool prepareRunStart(bool isRun);
  void startSegmentedForPreselector();
  void nextSegmentEnd();
  void setStatus(const std::string& text, Colour lamp);
  void applySpanChange();
  int ersMode() const { return hooks_.ersCalibrationMode ? hooks_.ersCalibrationMode() : 0; }
  bool ostrocell() const {
    return hooks_.ostrocellInUse && hooks_.ostrocellInUse() && state_.ostrocellSelection > 0;
  }
  void relay(std::int32_t frequencyHz) {
    if (hooks_.setOstrocellRelay) hooks_.setOstrocellRelay(frequencyHz);
  }
  void plot(int kind, int point) {
    if (hooks_.plotPoint) hooks_.plotPoint(kind, point);
  }

  MeasurementState& state_;
  WindowModel& model_;
  MainView& view_;
  Link& link_;
  TraceSet& traces_;
  Ticks& ticks_;
  Prompts& prompts_;
  ScanHooks hooks_;
  std::unique_ptr<Timer> rangeDelayTimer_;
  std::string runStatusText_;
  Colour runLamp_ = kClBlue;
};

}  // namespace tq
