#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/Colour.h"

namespace tq {

// The peaks of a sweep that stand near or over the limit, their final readings, margins and
// verdicts: a plain record that the peak table window, the report page, the CSV writer and
// an unattended run read alike.

// None: there is no limit to judge against.
enum class Verdict { None, Pass, Marginal, Fail };

// One reading of a row: the sweep's, or a final reading at that one frequency.
struct PeakReading {
  char detector = 0;        // 'P' peak, 'Q' quasi-peak, 'A' average; 0 when not taken
  double frequencyHz = 0;   // where it was read (peak tracking may have moved it)
  double readDbuv = 0;      // as the analyser gave it
  double correctionDb = 0;  // what the input, LISN, pre-amplifier, attenuator and distance add
  double level = 0;         // read + correction, in the table's unit
  bool taken() const { return detector != 0; }
  bool operator==(const PeakReading&) const = default;
};

// A limit line at a row's frequency, and the row's margin to it.
struct LineCheck {
  bool present = false;
  char detector = 'Q';      // the detector the line is for
  double limit = 0;         // with its companion offset and the click allowance
  double margin = 0;        // level minus limit: negative under the line
  char marginDetector = 0;  // the reading the margin was taken from
  Verdict verdict = Verdict::None;
  bool operator==(const LineCheck&) const = default;
};

struct PeakRow {
  int point = 0;          // display point of the sweep
  PeakReading peak;       // from the sweep, with the sweep's detector
  PeakReading finalPeak;  // final readings
  PeakReading quasiPeak;
  PeakReading average;
  LineCheck base;        // the limit's own line
  LineCheck companion;   // its quasi-peak companion, where the catalogue gives one
  std::string lisnLine;  // the LISN source while the LISN is the input
  Verdict verdict = Verdict::None;
  char detector = 0;          // the reading the verdict rests on
  bool finalVerdict = false;  // ... and it is a final reading
  bool operator==(const PeakRow&) const = default;
};

struct PeakTable {
  std::vector<PeakRow> rows;  // by frequency
  Verdict overall = Verdict::None;
  std::string unit = "dBuV";  // of every level and limit
  std::string limitName;      // empty when no limit is shown
  double thresholdDb = 6.0;   // MARGINAL within this much under a line
  bool operator==(const PeakTable&) const = default;
};

// A peak's margin then and now: the margin of the same emission in the baseline run (matched
// within a few display points) and how much it changed; shrinking by more than the allowed
// change flags a regression.
struct MarginTrend {
  bool matched = false;
  double baselineMarginDb = 0;
  // How the room under the line changed since then: negative when the emission came closer.
  double changeDb = 0;
  bool regressed = false;
};

// The graph's marker: the frequency of the row picked in the peak table.
struct PeakMarker {
  bool shown = false;
  double frequencyHz = 0;
};
inline constexpr PeakMarker kNoPeakMarker{};

inline std::string_view VerdictText(Verdict v) {
  switch (v) {
    case Verdict::Pass:
      return "PASS";
    case Verdict::Marginal:
      return "MARGINAL";
    case Verdict::Fail:
      return "FAIL";
    default:
      return "-";
  }
}

// As the status lamp shows them: green, yellow, red; black without a verdict.
inline Colour VerdictColour(Verdict v) {
  switch (v) {
    case Verdict::Pass:
      return kClGreen;
    case Verdict::Marginal:
      return kClYellow;
    case Verdict::Fail:
      return kClRed;
    default:
      return kClBlack;
  }
}

// The reading of a row taken with a detector ('P' means the final peak reading when there
// is one, else the sweep's).
inline const PeakReading& ReadingOf(const PeakRow& row, char detector) {
  switch (detector) {
    case 'Q':
      return row.quasiPeak.taken() ? row.quasiPeak : row.peak;
    case 'A':
      return row.average.taken() ? row.average : row.peak;
    default:
      return row.finalPeak.taken() ? row.finalPeak : row.peak;
  }
}

}  // namespace tq
