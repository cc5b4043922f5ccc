#include "measure/FinalMeasurement.h"

#include <algorithm>
#include <array>

#include "measure/SingleFrequency.h"
#include "model/Numbers.h"

namespace tq {

namespace {

std::uint8_t DetectorCode(char detector) {
  switch (detector) {
    case 'Q':
      return 0x48;
    case 'A':
      return 0x46;
    default:
      return 0x42;  // instantaneous: the peak of one frequency
  }
}

std::string StatusText(char detector) {
  switch (detector) {
    case 'Q':
      return "QP Scan";
    case 'A':
      return "Av. Scan";
    default:
      return "Peak Scan";
  }
}

char SweepDetector(int detector) {
  return detector == 3 ? 'Q' : detector == 2 ? 'A' : 'P';
}

}  // namespace

std::string LisnLineName(int source) {
  // As the input panel names the source.
  static constexpr std::array<const char*, 5> kNames{"LIVE", "NEUT", "RED", "YELL", "BLUE"};
  return source >= 0 && source < 5 ? kNames[static_cast<std::size_t>(source)] : "";
}

FinalMeasurement::FinalMeasurement(Parts parts) : p_(parts) {}

void FinalMeasurement::changed() {
  ++revision_;
  p_.view.modelChanged();
}

// ---------------------------------------------------------------------------------------
// The table

LimitLines FinalMeasurement::linesAsPrepared() const {
  const DistanceSetting distance{p_.transducer.MeasuringDistanceM(), p_.state.antennaDistanceAlt};
  if (!p_.model.showLimit) return LinesOf(nullptr, nullptr, distance);
  return LinesOf(&p_.limit.BaseLine(), &p_.limit.CompanionLine(), distance);
}

LimitLines FinalMeasurement::preparedLines() {
  // The lines as the next paint selects them, whether or not a window paints.
  if (p_.model.showLimit) p_.limit.PrepareLines();
  return linesAsPrepared();
}

void FinalMeasurement::search() {
  const LimitLines lines = preparedLines();
  const TraceData& t = p_.traces.data();
  const SweepLevels sweep{t.currentTrace, p_.state.stepFrequencyHz, p_.state.finishFrequencyHz,
                          SweepDetector(p_.state.detector)};
  const bool lisn = p_.transducer.InputCode() == kLisnInput;
  const PeakTableContext context{p_.transducer,
                                 lines,
                                 lines.base ? lines.base->name : std::string(),
                                 p_.transducer.UnitLabel(false),
                                 lisn ? LisnLineName(p_.transducer.lisnSource()) : std::string(),
                                 settings_};
  table_ = BuildPeakTable(sweep, context);
  rowsMeasured_ = 0;
  selected_ = -1;
  changed();
  // The marker belonged to a row of the last table.
  if (marker_.shown) {
    marker_.shown = false;
    p_.view.repaint();
  }
}

bool FinalMeasurement::anyFinalReading() const {
  return std::any_of(table_.rows.begin(), table_.rows.end(), [](const PeakRow& r) {
    return r.finalPeak.taken() || r.quasiPeak.taken() || r.average.taken();
  });
}

void FinalMeasurement::SweepCompleted() {
  ++sweepsCompleted_;
  if (!measuring_) search();
}

void FinalMeasurement::Refresh() {
  asked_ = true;
  if (!measuring_ && !anyFinalReading()) search();
}

void FinalMeasurement::SelectRow(int row) {
  if (row < 0 || row >= static_cast<int>(table_.rows.size())) {
    selected_ = -1;
    marker_.shown = false;
  } else {
    selected_ = row;
    const PeakRow& r = table_.rows[static_cast<std::size_t>(row)];
    const PeakReading& at = ReadingOf(r, r.detector);
    marker_ = {true, at.frequencyHz};
    p_.pointer.ShowValuesAt(at.frequencyHz);
  }
  ++revision_;
  p_.view.repaint();
}

void FinalMeasurement::showMarker(double hz) {
  marker_ = {true, hz};
  p_.view.repaint();
}

// ---------------------------------------------------------------------------------------
// The final measurement

bool FinalMeasurement::CanMeasure() const {
  return !measuring_ && !table_.rows.empty() && !p_.state.runInProgress &&
         p_.state.measurementMode == 0 && p_.model.runControlsEnabled && !p_.model.startingUp;
}

void FinalMeasurement::MeasurePeaks() {
  if (!CanMeasure()) return;
  asked_ = true;
  measuring_ = true;
  stopAfterReading_ = stopNow_ = false;
  rowsMeasured_ = 0;
  p_.state.runInProgress = true;
  p_.scan.RefreshRunButtons();
  changed();
  for (std::size_t i = 0; i < table_.rows.size(); ++i) {
    if (!measureRow(i)) break;
    rowsMeasured_ = static_cast<int>(i) + 1;
    table_.overall = OverallVerdict(table_);
    changed();
    if (stopAfterReading_) break;
  }
  backToSweep();
  table_.overall = OverallVerdict(table_);
  measuring_ = false;
  p_.state.runInProgress = false;
  p_.model.stepPanelText.clear();
  p_.scan.RefreshRunButtons();
  changed();
  p_.view.repaint();
}

bool FinalMeasurement::measureRow(std::size_t row) {
  const PeakRow& r = table_.rows[row];
  showMarker(r.peak.frequencyHz);
  // The quasi-peak first against a quasi-peak line (or no line); a line of the peak detector
  // is read with the instantaneous one.
  const char first = r.base.present && !r.companion.present ? r.base.detector : 'Q';
  if (!read(row, first)) return false;
  if (NeedsAverage(table_.rows[row]) && !stopAfterReading_) return read(row, 'A');
  return true;
}

bool FinalMeasurement::dwellComplete(char detector, double startMs) const {
  if (readings_ < kReadings) return false;
  return detector != 'Q' || p_.ticks.nowMs() - startMs >= kQuasiPeakDwellMs;
}

bool FinalMeasurement::read(std::size_t row, char detector) {
  const std::int32_t hz =
      ClampToRange(RoundHalfEven(table_.rows[row].peak.frequencyHz), p_.state.highRange);
  p_.model.stepPanelText =
      "Final " + std::to_string(row + 1) + "/" + std::to_string(table_.rows.size());
  p_.link.SetStatus(StatusText(detector), kClBlue);
  // As a single frequency picked on the graph and set up in its dialog, with the peak
  // tracked so that a line half a sweep step away is caught.
  p_.scan.PresetPreselectorFor(hz);
  p_.relay.SetForFrequency(hz);
  p_.link.SendCommand(0x40, hz, 4);
  p_.link.SendCommand(0x4D, 1, 1);
  p_.ticks.wait(1);
  p_.link.SendCommand(0x45, kSamplingValue, 2);
  p_.ticks.wait(1);
  p_.link.SendCommand(0x41, kSamplingValue, 2);
  p_.ticks.wait(1);
  readings_ = 0;
  readingValid_ = false;
  dwelling_ = true;
  const double start = p_.ticks.nowMs();
  lastReadingMs_ = start;
  p_.link.SendCommand(DetectorCode(detector), 0, 0);
  bool complete = true;
  while (!dwellComplete(detector, start)) {
    if (stopNow_ || !p_.state.runInProgress || p_.ticks.nowMs() - lastReadingMs_ > kSilenceMs) {
      complete = false;
      break;
    }
    p_.ticks.wait(1);
  }
  dwelling_ = false;
  p_.link.SendCommand(0x4A, 0, 0);
  p_.ticks.wait(1);
  if (!complete) return false;
  if (readingValid_)
    TakeFinalReading(table_.rows[row], FinalReading(p_.transducer, detector, lastHz_, lastDbuv_),
                     table_.thresholdDb);
  return true;
}

void FinalMeasurement::ReadingReceived(const DataFrame& frame) {
  p_.link.SendAck();
  if (!dwelling_) return;
  ++readings_;
  lastReadingMs_ = p_.ticks.nowMs();
  lastHz_ = frame.frequencyHz;
  lastDbuv_ = frame.levelDbuv;
  // An invalid frequency gives no reading; a lost peak keeps the frequency it was tuned to.
  readingValid_ = (frame.stepStatus & 0x0F) != 4;
}

void FinalMeasurement::Stop(bool now) {
  if (!measuring_) return;
  stopAfterReading_ = true;
  if (now) stopNow_ = true;
  changed();
}

void FinalMeasurement::backToSweep() {
  // Tracking off and the state asked for, as the sweeps have it.
  if (!p_.state.linkEnabled) return;
  p_.link.SendCommand(0x4D, 0, 1);
  p_.ticks.wait(1);
  p_.link.SendCommand(0x20, 0, 0);
  p_.ticks.wait(1);
}

}  // namespace tq
