#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "measure/MeasurementState.h"
#include "measure/WindowModel.h"
#include "platform/Files.h"
#include "platform/Prompts.h"

namespace tq {

inline constexpr std::size_t kTracePoints = 501;
using Trace = std::array<std::int32_t, kTracePoints>;

// A trace as it was captured, with the frequency grid it was captured on.
struct TraceSource {
  Trace levels{};
  std::array<float, 502> frequenciesHz{};
};

// The nearest integer, halves to even.
std::int32_t RoundHalfEven(double value);
// Level of what remains of a over the ambient b, in voltage terms (K = 8.68588).
std::int32_t EmissionsDifference(std::int32_t a, std::int32_t b);

// Levels and frequencies that the corrections of later stages supply; identities until then.
struct TraceCorrections {
  // The transducer correction of a measured level at a frequency.
  std::function<float(float levelDbuv, float frequencyHz)> correctLevel;
  // Whether an ERS correction (horizontal or vertical) is applied, and its value in dB at a
  // frequency. Unset means none is applied.
  std::function<bool()> ersApplied;
  std::function<float(float frequencyHz)> ersCorrectionDb;
  // The single frequency in Hz and its "Use ERS Correction" setting, owned by the
  // single-frequency measurement. Unset: samples are corrected at the step frequency and
  // take no ERS correction.
  std::function<std::int32_t()> singleFrequencyHz;
  std::function<bool()> singleFrequencyUsesErs;
};

// The fixed-size trace arrays of the main window and the processing that fills them.
class TraceSet {
 public:
  TraceSet(MeasurementState& state, WindowModel& model, MainView& view, Files& files,
           Prompts& prompts);

  TraceCorrections& corrections() { return corrections_; }

  Trace currentTrace{};
  std::array<float, kTracePoints> accumulator{};
  Trace storeTrace{};
  Trace differenceTrace{};
  Trace archiveTrace{};
  Trace limitTrace{};
  TraceSource currentSource;
  TraceSource storeSource;
  TraceSource archiveSource;
  Trace singleFrequencyTrace{};
  Trace singleFrequencyDifference{};
  Trace stepStatus{};  // 0 not measured, 1 measured, 2 measured with compression
  // The two traces kept from the last opened result file.
  Trace fileCurrentTrace{};
  Trace fileStoreTrace{};

  bool peakHoldCarry = false;
  std::int32_t singleFrequencyStoreIndex = 0;
  std::int32_t singleFrequencySample = 0;  // the current single-frequency sample
  bool singleFrequencyShown = false;       // single-frequency data is on the graph
  bool currentErsCorrected = false;        // the Current trace's correction flag
  bool storeErsCorrected = false;
  std::string lastOpenedFile;
  std::array<std::string, 8> notes;

  // Merges one measured level (dBuV, uncorrected) into point 0..500. Constant work, no
  // allocation.
  void ProcessPoint(int point, float levelDbuv);
  // Counts the sweep; ends an averaging run after 8, 16 or 32 sweeps. True if it ended it.
  bool EndOfSweep();
  void KeepCurrentSource();
  void ComputeDifference();
  void StoreCurrent();
  void ClearTraces();
  void ResetCalculation();
  void SetProcessingMode(int mode);
  void SetDifferenceMode(bool insertionLoss);
  void RemapTraces();
  void ToggleUnits();
  // The step panel text after point `point`.
  std::string StepPanelText(int point) const;

  // Display toggles of the Display menu and the top-bar buttons.
  void current1Click();
  void Store1Click();
  void Difference1Click();
  void Archive1Click();
  void limit1Click();

  // A run starts: a failure to write tim1.csv is reported once per run.
  void StartOfRun() { listingFailureReported_ = false; }

 private:
  void writeListing(const std::string& text);
  void computeSingleFrequencyDifference();
  void computeSweepDifference();

  MeasurementState& state_;
  WindowModel& model_;
  MainView& view_;
  Files& files_;
  Prompts& prompts_;
  TraceCorrections corrections_;
  bool listingFailureReported_ = false;
  std::string listing_;  // reused so that a sweep's listing does not allocate again
};

// Re-maps one trace from its source onto the grid: each new point takes the maximum of the
// source points in its bin; points outside the source's range are 0.
void RemapTrace(Trace& target, const TraceSource& source, const std::array<float, 501>& grid);

}  // namespace tq
