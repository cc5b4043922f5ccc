#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Canvas.h"

namespace tq {

class GraphPainter;

// What the graph takes from the stages built around it: inputs, limits, ERS, single
// frequency. Every member has a default (no limit, "dBuV", no offsets, ERS off) so the
// graph paints on its own; the owning stage replaces the members it knows better.
struct GraphHooks {
  // The level unit label; the input in use overrides "dBuV"/"dBm".
  std::function<std::string(bool dbmUnits)> unitLabel = [](bool dbm) {
    return std::string(dbm ? "dBm" : "dBuV");
  };
  // Level window contributions of the input.
  std::function<int()> transducerLevelOffsetDb = [] { return 0; };
  std::function<int()> lisnAttenuatorDb = [] { return 0; };
  // The NX20 antenna input ignores the pre-amplifier gain in the level window.
  std::function<bool()> nx20Selected = [] { return false; };

  // The active limit: whether a record is loaded, its name, and its line drawing (primary
  // then companion line, ending with DrawUnitLabelAndOutline).
  std::function<bool()> limitLoaded = [] { return false; };
  std::function<std::string()> limitName = [] { return std::string(); };
  std::function<void(Canvas&, GraphPainter&)> drawLimit = [](Canvas&, GraphPainter&) {};

  // ERS: the status label, whether a correction is applied (blanks the processing label),
  // and the coverage strip below the plot.
  std::function<std::string()> ersLabel = [] { return std::string(" ERS OFF"); };
  std::function<bool()> ersApplied = [] { return false; };
  std::function<bool()> ersStripEnabled = [] { return false; };
  std::function<void(Canvas&, GraphPainter&)> drawErsStrip = [](Canvas&, GraphPainter&) {};

  // The analyser reports compression for the point being plotted.
  std::function<bool()> pointCompressed = [] { return false; };
  // Called for every compressed point of a sweep (ERS calibration counts them).
  std::function<void()> compressedPoint = [] {};

  // The Archive holds an insertion-loss difference (drawn on the insertion-loss scale).
  std::function<bool()> archiveInsertionLoss = [] { return false; };

  // Single frequency: the frequency, its detector (0 instantaneous, 1 average,
  // 2 quasi-peak) and the time texts under the axis (k = 1..5).
  std::function<std::int32_t()> singleFrequencyHz = [] { return std::int32_t{0}; };
  std::function<int()> singleFrequencyDetector = [] { return 0; };
  std::function<std::string(int k)> sampleTimeText = [](int) { return std::string(); };
};

}  // namespace tq
