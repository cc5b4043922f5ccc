#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/Features.h"
#include "model/MeasurementState.h"
#include "model/Numbers.h"
#include "model/Trace.h"
#include "model/WindowModel.h"
#include "platform/Files.h"
#include "platform/Prompts.h"

namespace tq {

// A trace as it was captured, with the frequency grid it was captured on.
struct TraceSource {
  Trace levels{};
  std::array<float, 502> frequenciesHz{};
  bool operator==(const TraceSource&) const = default;
};

// Every trace of the main window with what belongs to it: a plain record, so that a result
// file can carry it whole.
struct TraceData {
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
  bool archiveInsertionLoss = false;  // the Archive holds an insertion-loss difference
  std::string lastOpenedFile;
  std::array<std::string, 8> notes;
  std::string notesRest;  // the notes window's text after line 8
  bool operator==(const TraceData&) const = default;
};

// The trace arrays of the main window and the processing that fills them.
class TraceSet {
 public:
  TraceSet(MeasurementState& state, WindowModel& model, MainView& view, Files& files,
           Prompts& prompts, Features features);
  TraceSet(const TraceSet&) = delete;
  TraceSet& operator=(const TraceSet&) = delete;

  const TraceData& data() const { return data_; }
  // Replaces every trace at once (a result file, a test's start).
  void Load(const TraceData& data) { data_ = data; }

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

  // A run starts: no step measured yet, and a failure to write tim1.csv is reported once
  // per run.
  void StartOfRun();
  // A single shot measures a fresh Current source; it keeps counting sweeps only under a
  // peak-hold sequence.
  void StartSingleShot();
  // A single shot under peak hold carries its peaks into the next shot.
  void CarryPeakHold() { data_.peakHoldCarry = true; }
  // A point-by-point shot starts on an empty Current trace.
  void ClearCurrent() { data_.currentTrace.fill(0); }
  // A sweep point was measured, with or without compression.
  void MarkStep(int point, bool compressed);
  // A span change under peak hold empties it: accumulator cleared, the count restarted and
  // processing off.
  void DropPeakHold();
  // The Store point at the single frequency: the first from 1 on at or above it.
  void FindSingleFrequencyStorePoint(double singleFrequencyHz);
  // The Limit trace: the active limit at every display point, whole dB.
  void RefreshLimitTrace();

  // Single frequency: a new measurement starts on empty samples; a full window of samples
  // scrolls left by `by`, the newest end emptied; single-frequency data is on the graph.
  void ClearSingleFrequency();
  void ScrollSingleFrequency(int by);
  void SetSingleFrequencyShown(bool shown) { data_.singleFrequencyShown = shown; }

 private:
  void writeListing(const std::string& text);
  void computeSingleFrequencyDifference();
  void computeSweepDifference();

  MeasurementState& state_;
  WindowModel& model_;
  MainView& view_;
  Files& files_;
  Prompts& prompts_;
  Features features_;
  TraceData data_;
  bool listingFailureReported_ = false;
  std::string listing_;  // reused so that a sweep's listing does not allocate again
};

// The first point j from 1 to 500 whose frequency is at or above hz; 0 when none is.
int FirstPointAtOrAbove(const FrequencyGrid& grid, double hz);

// Re-maps one trace from its source onto the grid: each new point takes the maximum of the
// source points in its bin; points outside the source's range are 0.
void RemapTrace(Trace& target, const TraceSource& source, const FrequencyGrid& grid);

}  // namespace tq
