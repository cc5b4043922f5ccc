#include "analysis/PeakTableBuilder.h"

namespace tq {

int LastSweptPoint(const std::array<float, kTracePoints>& frequencyHz, double finishHz) {
  const float finish = static_cast<float>(finishHz);
  int last = 0;
  for (int n = 1; n < static_cast<int>(kTracePoints); ++n) {
    const float f = frequencyHz[static_cast<std::size_t>(n)];
    if (f > finish || f <= frequencyHz[static_cast<std::size_t>(n - 1)]) break;
    last = n;
  }
  return last;
}

PeakReading SweepReading(const InputCorrections& inputs, char detector, double hz, int level) {
  const float f = static_cast<float>(hz);
  float read = static_cast<float>(level);
  for (int i = 0; i < 3; ++i)
    read = static_cast<float>(level) - (inputs.CorrectLevel(read, f) - read);
  PeakReading r;
  r.detector = detector;
  r.frequencyHz = hz;
  r.readDbuv = read;
  r.correctionDb = level - read;
  r.level = level;
  return r;
}

PeakReading FinalReading(const InputCorrections& inputs, char detector, double hz, float readDbuv) {
  PeakReading r;
  r.detector = detector;
  r.frequencyHz = hz;
  r.readDbuv = readDbuv;
  r.level = inputs.CorrectLevel(readDbuv, static_cast<float>(hz));
  r.correctionDb = r.level - readDbuv;
  return r;
}

PeakTable BuildPeakTable(const SweepLevels& sweep, const PeakTableContext& context) {
  PeakTable table;
  table.unit = context.unit;
  table.thresholdDb = context.settings.thresholdDb;
  const bool limitShown = context.lines.base != nullptr;
  if (limitShown) table.limitName = context.limitName;
  const char baseDetector = BaseDetector(context.lines);

  PointLimits limits;
  limits.fill(kNoLimit);
  const int last = LastSweptPoint(sweep.frequencyHz, sweep.finishHz);
  if (limitShown)
    for (int n = 0; n <= last; ++n)
      limits[static_cast<std::size_t>(n)] =
          LinesAt(context.lines, sweep.frequencyHz[static_cast<std::size_t>(n)]).lowest();

  for (const int n : FindPeaks(sweep.levels, limits, last, context.settings)) {
    const auto at = static_cast<std::size_t>(n);
    const double hz = sweep.frequencyHz[at];
    PeakRow row;
    row.point = n;
    row.peak = SweepReading(context.inputs, sweep.detector, hz, sweep.levels[at]);
    row.lisnLine = context.lisnLine;
    const LineLevels levels = LinesAt(context.lines, hz);
    row.base = {levels.base < kNoLimit, baseDetector, levels.base};
    row.companion = {levels.companion < kNoLimit, kCompanionDetector, levels.companion};
    JudgeRow(row, table.thresholdDb);
    table.rows.push_back(row);
  }
  table.overall = OverallVerdict(table);
  return table;
}

void TakeFinalReading(PeakRow& row, const PeakReading& reading, double thresholdDb) {
  switch (reading.detector) {
    case 'Q':
      row.quasiPeak = reading;
      break;
    case 'A':
      row.average = reading;
      break;
    default:
      row.finalPeak = reading;
      break;
  }
  JudgeRow(row, thresholdDb);
}

}  // namespace tq
