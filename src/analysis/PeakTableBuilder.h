#pragma once

#include <array>
#include <string>

#include "analysis/PeakSearch.h"
#include "analysis/Verdicts.h"
#include "model/Features.h"
#include "model/PeakTable.h"
#include "model/Trace.h"

namespace tq {

// A completed sweep as the peak table reads it.
struct SweepLevels {
  const Trace& levels;                                 // the Current trace, corrected
  const std::array<float, kTracePoints>& frequencyHz;  // its display points
  std::int32_t finishHz = 0;                           // the sweep's finish frequency
  char detector = 'P';                                 // the sweep's detector
};

// What the table is judged and labelled by.
struct PeakTableContext {
  const InputCorrections& inputs;
  LimitLines lines;  // no base line: no limit shown
  std::string limitName;
  std::string unit;
  std::string lisnLine;  // empty unless the LISN is the input
  PeakSearchSettings settings;
};

// The last display point a sweep filled: the points that a sweep of fewer steps pads beyond
// its finish repeat its last frequency and are left out.
int LastSweptPoint(const std::array<float, kTracePoints>& frequencyHz, double finishHz);

// The peaks of the sweep, judged against the lines on the sweep's readings.
PeakTable BuildPeakTable(const SweepLevels& sweep, const PeakTableContext& context);

// A reading from a whole-dB trace level: the trace keeps only the corrected level, so the
// read level is found back through the correction (which depends on it only a little).
PeakReading SweepReading(const InputCorrections& inputs, char detector, double hz, int level);
// A final reading from the level the analyser gave.
PeakReading FinalReading(const InputCorrections& inputs, char detector, double hz, float readDbuv);

// Keeps a final reading in its row and judges the row again.
void TakeFinalReading(PeakRow& row, const PeakReading& reading, double thresholdDb);

}  // namespace tq
