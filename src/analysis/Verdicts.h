#pragma once

#include "corrections/LimitLevel.h"
#include "model/LimitTable.h"
#include "model/PeakTable.h"

namespace tq {

// The limit lines a sweep is judged against, as the graph draws them: the base line and,
// where the catalogue gives one, the quasi-peak companion. The tables are the caller's.
struct LimitLines {
  const LimitTable* base = nullptr;       // nullptr: no limit shown
  const LimitTable* companion = nullptr;  // nullptr: none
  DistanceSetting distance;
};

// The two lines of a shown limit (nullptr without one) from the base and companion tables
// the line switch selected: the companion counts where it differs from the base line.
LimitLines LinesOf(const LimitTable* base, const LimitTable* companion, DistanceSetting distance);

// The detector a line is for: with a companion the base line is the average line and the
// companion the quasi-peak one; a line of its own is a quasi-peak line, except the peak
// member of a vehicle detector pair and a vehicle record without one.
char BaseDetector(const LimitLines& lines);
inline constexpr char kCompanionDetector = 'Q';

struct LineLevels {
  double base = kNoLimit;
  double companion = kNoLimit;
  // The lower of the two: what a peak reading must stay under.
  double lowest() const { return base < companion ? base : companion; }
};

// The lines at a frequency, with the companion offset and the click allowance, kNoLimit
// where a line has no level.
LineLevels LinesAt(const LimitLines& lines, double frequencyHz);

// FAIL over the line, MARGINAL within the threshold under it (at it included), PASS below.
Verdict VerdictOf(double marginDb, double thresholdDb);
Verdict Worse(Verdict a, Verdict b);

// The row's margins, verdict and deciding reading from the readings it holds (its lines'
// levels and detectors are set). A line takes the reading of its own detector; until that is
// taken, one that reads at least as high (the quasi-peak for the average, the peak for both),
// and last the sweep's, so that a final verdict never rests on a reading that reads lower
// than the line's own detector would.
void JudgeRow(PeakRow& row, double thresholdDb);

// The worst row; PASS for no rows under a shown limit; None without a limit.
Verdict OverallVerdict(const PeakTable& table);

// Mains limits with both lines: the average reading is taken where the quasi-peak reading
// stands within 2 dB under the average line or above it.
inline constexpr double kAverageWithinDb = 2.0;
bool NeedsAverage(const PeakRow& row);

}  // namespace tq
