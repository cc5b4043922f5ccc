// The documents the program offers: the printed report and the information window's values.
#include "measure/Program.h"

namespace tq {

ReportDocument Program::Report() {
  ReportDocument report = reportPage();
  // Beyond the text: the peak table, when it holds rows, on a page of its own.
  if (const PageSource* peaks = final_.ReportPage()) report.Append(*peaks);
  return report;
}

ReportDocument Program::Report(const PageSource& peakTablePage) {
  ReportDocument report = reportPage();
  report.Append(peakTablePage);
  return report;
}

ReportDocument Program::reportPage() {
  PreparePaint();
  const std::string date =
      model_.loadedResultDate.empty() ? FormatClock(ports_.clock.now()) : model_.loadedResultDate;
  ReportDocument report(ReportView{state_, model_, traces_.data(), SourcesOf(features_), date,
                                   transducer_.lisnSource(), state_.lisnInsertionLossDb});
  return report;
}

InfoView Program::Information() const {
  const MeasurementState& s = state_;
  const InputCorrections& input = features_.inputs;
  const ActiveLimit& limit = features_.limit;
  InfoView info;
  info.attenuationDb = s.attenuationDb;
  info.preampGainDb = s.preampGainDb;
  info.startHz = s.startFrequencyHz;
  info.finishHz = s.finishFrequencyHz;
  info.highRange = s.highRange;
  info.checkedPort = model_.checkedPort;
  info.limitLoaded = limit.Loaded();
  info.limitName = limit.Name();
  info.processingMode = s.processingMode;
  info.detector = s.detector;
  info.inputCode = input.InputCode();
  info.cellChangeoverHz = input.ChangeoverFrequencyHz();
  info.inputName = input.Description();
  info.antennaDistanceAlt = s.antennaDistanceAlt;
  info.title = s.title;
  info.notes = traces_.data().notes;
  for (int x = 0; x <= kInfoCurveWidth; ++x) {
    const auto i = static_cast<std::size_t>(x);
    info.factorDb[i] = input.FactorDb(static_cast<float>(FactorBoxFrequencyHz(s.highRange, x)));
    info.limitDb[i] =
        info.limitLoaded
            ? limit.LimitAt(LimitBoxFrequencyHz(s.startFrequencyHz, s.finishFrequencyHz, x))
            : kNoLimit;
  }
  info.ersCorrection = features_.ers.Tables().correction;
  return info;
}

}  // namespace tq
