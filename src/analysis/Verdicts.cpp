#include "analysis/Verdicts.h"

#include "corrections/LimitCatalogue.h"

namespace tq {

namespace {

bool VehicleRecord(const LimitTable& t) {
  return !t.user && t.recordNumber >= 101 && t.recordNumber <= 199;
}

// Vehicle limits are bands: the level of the first band that ends at or above the frequency,
// provided the frequency lies above its start (as the single-frequency graph reads them).
double BandLimitAt(const LimitTable& t, double hz) {
  for (int r = 1; r <= t.lastBandRow(); ++r) {
    const LimitBand& b = t.bands[static_cast<std::size_t>(r)];
    if (b.stopHz >= hz) return hz > b.startHz ? b.level : kNoLimit;
  }
  return kNoLimit;
}

double LineAt(const LimitTable& t, double hz, const DistanceSetting& distance, bool baseLine) {
  double level = kNoLimit;
  if (VehicleRecord(t)) {
    level = BandLimitAt(t, hz);
  } else {
    // The lighting record's base line starts at its fifth point, as the graph draws it.
    if (baseLine && t.recordNumber == 17 && !t.user && t.lastPointRow() >= 5 &&
        hz < t.points[5].frequencyHz)
      return kNoLimit;
    level = LimitAt(t, hz, distance);
  }
  if (level >= kNoLimit) return kNoLimit;
  return level + t.companionOffsetDb + t.clickAllowanceDb;
}

const PeakReading& ReadingFor(const PeakRow& row, char detector) {
  if (detector == 'A' && row.average.taken()) return row.average;
  if ((detector == 'A' || detector == 'Q') && row.quasiPeak.taken()) return row.quasiPeak;
  if (row.finalPeak.taken()) return row.finalPeak;
  return row.peak;
}

void Check(LineCheck& line, const PeakRow& row, double thresholdDb) {
  if (!line.present) {
    line.verdict = Verdict::None;
    return;
  }
  const PeakReading& r = ReadingFor(row, line.detector);
  line.marginDetector = r.detector;
  line.margin = r.level - line.limit;
  line.verdict = VerdictOf(line.margin, thresholdDb);
}

}  // namespace

LimitLines LinesOf(const LimitTable* base, const LimitTable* companion, DistanceSetting distance) {
  LimitLines lines;
  lines.distance = distance;
  if (!base || base->entryCount <= 0) return lines;
  lines.base = base;
  if (companion && companion->entryCount > 0 &&
      (companion->recordNumber != base->recordNumber ||
       companion->companionOffsetDb != base->companionOffsetDb))
    lines.companion = companion;
  return lines;
}

char BaseDetector(const LimitLines& lines) {
  if (lines.companion) return 'A';
  if (lines.base && VehicleRecord(*lines.base)) {
    for (const VehiclePair& p : VehicleDetectorPairs())
      if (p.qpRecord == lines.base->recordNumber) return 'Q';
    return 'P';
  }
  return 'Q';
}

LineLevels LinesAt(const LimitLines& lines, double frequencyHz) {
  LineLevels levels;
  if (lines.base) levels.base = LineAt(*lines.base, frequencyHz, lines.distance, true);
  if (lines.companion)
    levels.companion = LineAt(*lines.companion, frequencyHz, lines.distance, false);
  return levels;
}

Verdict VerdictOf(double marginDb, double thresholdDb) {
  if (marginDb > 0) return Verdict::Fail;
  if (marginDb >= -thresholdDb) return Verdict::Marginal;
  return Verdict::Pass;
}

Verdict Worse(Verdict a, Verdict b) {
  return static_cast<int>(a) >= static_cast<int>(b) ? a : b;
}

void JudgeRow(PeakRow& row, double thresholdDb) {
  Check(row.base, row, thresholdDb);
  Check(row.companion, row, thresholdDb);
  row.verdict = Worse(row.base.verdict, row.companion.verdict);
  // The deciding reading is that of the line with the smaller headroom.
  const LineCheck* decisive = &row.base;
  if (row.companion.present && (!row.base.present || row.companion.margin > row.base.margin))
    decisive = &row.companion;
  row.detector = decisive->present ? decisive->marginDetector : row.peak.detector;
  row.finalVerdict = false;
  for (const PeakReading* r : {&row.finalPeak, &row.quasiPeak, &row.average})
    if (r->taken() && r->detector == row.detector) row.finalVerdict = true;
}

Verdict OverallVerdict(const PeakTable& table) {
  if (table.limitName.empty()) return Verdict::None;
  Verdict worst = Verdict::Pass;
  for (const PeakRow& row : table.rows) worst = Worse(worst, row.verdict);
  return worst;
}

bool NeedsAverage(const PeakRow& row) {
  return row.base.present && row.base.detector == 'A' && row.quasiPeak.taken() &&
         row.quasiPeak.level >= row.base.limit - kAverageWithinDb;
}

}  // namespace tq
