#include "runner/PlanRunner.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "corrections/LimitCatalogue.h"
#include "model/Processing.h"
#include "results/Notes.h"
#include "view/PeakTablePage.h"

namespace tq {

namespace {

constexpr double kStartUpMs = 60000;
constexpr double kConnectMs = 6000;
// A sweep whose step has not moved for this long has lost its analyser.
constexpr double kStallMs = 20000;

std::string Mhz(std::int32_t hz) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", hz / 1e6);
  return text;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

Command DetectorEntry(int detector) {
  return detector == 2 ? Command::Average1 : detector == 3 ? Command::QP1 : Command::PFS1;
}

Command ProcessingEntry(int mode) {
  switch (mode) {
    case kAverage8:
      return Command::Average81;
    case kAverage16:
      return Command::Average161;
    case kAverage32:
      return Command::Average321;
    case kPeakHold:
      return Command::Peak1;
    default:
      return Command::Off1;
  }
}

// The Limits menu's "None".
Command NoLimitEntry() {
  const auto catalogue = LimitCatalogue();
  for (std::size_t k = 0; k < catalogue.size(); ++k)
    if (catalogue[k].action == LimitAction::None) return LimitCatalogueCommand(k);
  return Command::None;
}

}  // namespace

std::string FileStem(const std::string& name) {
  std::string out;
  for (char c : name)
    out += (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_') ? c : '_';
  return out.empty() ? "test" : out;
}

PlanRunner::PlanRunner(Parts parts, TestPlan plan, RunOptions options)
    : p_(parts), plan_(std::move(plan)), options_(std::move(options)) {}

bool PlanRunner::faulted() const {
  return p_.prompts.linkFault() || p_.view.closeRequested ||
         (connected_ && !p_.program.state().portConnected);
}

bool PlanRunner::WaitFor(const std::function<bool()>& done, double timeoutMs) {
  const double start = p_.ticks.nowMs();
  while (!done()) {
    if (interrupted() || faulted() || p_.ticks.nowMs() - start > timeoutMs) return false;
    p_.ticks.wait(1);
  }
  return true;
}

std::string PlanRunner::outPath(const std::string& name) const {
  return options_.outDir + "/" + name;
}

std::string PlanRunner::testPrefix(const PlanTest& test) const {
  return outPath(FileStem(test.name));
}

int PlanRunner::Run() {
  startedText_ = FormatClock(p_.clock.now());
  outcomes_.resize(plan_.tests.size());
  for (std::size_t i = 0; i < plan_.tests.size(); ++i) outcomes_[i].test = &plan_.tests[i];
  if (!connect()) {
    for (Outcome& o : outcomes_) {
      o.incomplete = true;
      o.error = "the analyser did not answer";
    }
    writeRunFiles();
    return exitCode();
  }
  applyRunSettings();
  for (Outcome& out : outcomes_) {
    if (interrupted() || faulted()) {
      out.incomplete = true;
      out.error = interrupted() ? "the run was stopped" : "the link to the analyser was lost";
      continue;
    }
    runTest(*out.test, out);
  }
  writeRunFiles();
  return exitCode();
}

bool PlanRunner::connect() {
  p_.progress.Phase("connecting to the analyser");
  Program& program = p_.program;
  // The start-up's own questions may say the analyser is silent; the plan's port decides.
  const double start = p_.ticks.nowMs();
  while (!(program.started() && !program.model().startingUp)) {
    if (interrupted() || p_.ticks.nowMs() - start > kStartUpMs) return false;
    p_.ticks.wait(1);
  }
  const int port = plan_.run.port.value_or(program.state().portNumber);
  if (port != program.state().portNumber || !program.state().portConnected) {
    p_.prompts.ClearLinkFault();
    program.Execute(std::array{Command::Com11, Command::Com21, Command::Com31,
                               Command::Com41}[static_cast<std::size_t>(port - 1)]);
    WaitFor([&] { return program.state().portConnected; }, kConnectMs);
  }
  connected_ = program.state().portConnected && !p_.prompts.linkFault();
  if (connected_) p_.progress.Phase("connected on Com " + std::to_string(port));
  return connected_;
}

void PlanRunner::applyRunSettings() {
  if (plan_.run.title) {
    p_.prompts.Expect(*plan_.run.title);
    p_.program.Execute(Command::Title1);
  }
  // The plan's notes are lines 1 to 8 of the notes window, as if typed over its first lines.
  if (!plan_.run.notes.empty()) {
    NotesLines notes = SplitNotes(kInitialNotes);
    for (std::size_t i = 0; i < plan_.run.notes.size() && i < notes.lines.size(); ++i)
      notes.lines[i] = plan_.run.notes[i];
    p_.program.results().SetNotesText(JoinNotes(notes));
  }
  p_.prompts.ClearExpected();
}

void PlanRunner::runTest(const PlanTest& test, Outcome& out) {
  const double t0 = p_.ticks.nowMs();
  p_.progress.Phase("test '" + test.name + "': setting up");
  const bool configured = configure(test);
  out.configured = configured;
  out.state = p_.program.state();
  out.startHz = out.state.startFrequencyHz;
  out.stopHz = out.state.finishFrequencyHz;
  out.inputName = p_.program.transducer().Description();
  out.lisn = p_.program.Lisn();
  if (configured) out.measured = sweep(test);
  if (out.measured && test.finalMeasurement && !interrupted() && !faulted()) measurePeaks(test);
  if (interrupted() || faulted() || !configured) {
    out.incomplete = true;
    out.error = interrupted() ? "the run was stopped"
                : faulted()   ? "the link to the analyser was lost"
                              : "the test could not be set up";
  }
  out.table = p_.program.finalMeasurement().Table();
  if (options_.baseline) {
    const Json* tests = options_.baseline->find("tests");
    if (const Json::Array* list = tests ? tests->asArray() : nullptr)
      for (const Json& t : *list)
        if (const Json* name = t.find("name");
            name && name->asString() && *name->asString() == test.name)
          out.trends =
              CompareWithBaseline(out.table, t, options_.baselinePoints, options_.regressDb);
  }
  reportTrends(test, out);
  collectNotes(out);
  if (out.measured) writeTestFiles(test, out);
  out.seconds = (p_.ticks.nowMs() - t0) / 1000.0;
  std::string line = "test '" + test.name + "': ";
  line += out.incomplete ? "INCOMPLETE (" + out.error + ")"
                         : std::string(VerdictText(out.table.overall));
  line += ", " + std::to_string(out.table.rows.size()) + " peaks";
  p_.progress.Phase(line);
}

bool PlanRunner::configure(const PlanTest& test) {
  Program& program = p_.program;
  const MeasurementState& state = program.state();
  if (test.highRange && *test.highRange != state.highRange) {
    p_.progress.Phase(std::string("range change to ") + (*test.highRange ? "HIGH" : "LOW"));
    program.Execute(*test.highRange ? Command::Button16 : Command::Button8);
    if (!WaitFor(
            [&] {
              return state.highRange == *test.highRange && !program.model().rangeDelayVisible;
            },
            60000))
      return false;
  }
  if (test.startHz) {
    p_.prompts.Expect(Mhz(*test.startHz));
    p_.prompts.Expect(Mhz(test.stopHz.value_or(state.finishFrequencyHz)));
    program.Execute(Command::Button6);
  } else if (test.stopHz) {
    p_.prompts.Expect(Mhz(*test.stopHz));
    program.Execute(Command::Button7);
  }
  if (test.steps) program.SelectSteps(*test.steps == 500 ? 0 : *test.steps == 250 ? 1 : 2);
  if (test.input) {
    if (test.distanceM) p_.prompts.Expect(std::to_string(static_cast<int>(*test.distanceM)));
    program.Execute(*test.input);
    if (*test.input == Command::LISN1) {
      LisnValues lisn = program.Lisn();
      lisn.source = test.lisnSource.value_or(lisn.source);
      lisn.lossIndex = test.lisnLossIndex.value_or(lisn.lossIndex);
      program.ApplyLisn(lisn);
    }
  }
  switch (test.limit.kind) {
    case PlanLimitKind::Catalogue:
      program.Execute(test.limit.entry);
      break;
    case PlanLimitKind::User: {
      const auto names = program.userLimitChoice().ListUserLimits();
      for (std::size_t i = 0; i < names.size(); ++i)
        if (Lower(names[i]) == Lower(test.limit.name)) {
          program.userLimitChoice().UserLimitChosen(static_cast<int>(i));
          break;
        }
      program.userLimitChoice().UserLimitListClosed();
      break;
    }
    case PlanLimitKind::None:
      program.Execute(NoLimitEntry());
      break;
    case PlanLimitKind::Unchanged:
      break;
  }
  if (program.limits().Loaded() && program.model().limitEnabled && !program.model().showLimit)
    program.Execute(Command::limit1);
  if (test.detector) program.Execute(DetectorEntry(*test.detector));
  if (test.attenuationDb) program.SelectAttenuation(*test.attenuationDb / 10);
  if (test.preampGainDb && program.model().preampSelectorEnabled)
    program.PreampTextChanged(std::to_string(*test.preampGainDb));
  if (test.processingMode) program.Execute(ProcessingEntry(*test.processingMode));
  PeakSearchSettings& search = program.finalMeasurement().settings();
  search.maxPeaks = test.peaks;
  search.thresholdDb = test.thresholdDb;
  p_.prompts.ClearExpected();
  return !faulted();
}

bool PlanRunner::sweep(const PlanTest& test) {
  Program& program = p_.program;
  const MeasurementState& state = program.state();
  const int averaging = AveragingTarget(state.processingMode);
  const int sweeps = averaging > 0 ? averaging : test.sweeps;
  const bool running = sweeps > 1 || averaging > 0;  // RUN; else one S/SHOT
  FinalMeasurement& table = program.finalMeasurement();
  const int before = table.SweepsCompleted();
  auto done = [&] { return table.SweepsCompleted() - before; };
  bool stopSent = false;
  int lastStep = -1;
  double lastMove = p_.ticks.nowMs();
  bool stalled = false;
  auto monitor = p_.ticks.createTimer(200, [&] {
    const int percent =
        state.stepsPerScan > 0 ? std::clamp(state.stepIndex * 100 / state.stepsPerScan, 0, 100) : 0;
    p_.progress.Update("test '" + test.name + "': sweep " +
                       std::to_string(std::min(done() + 1, sweeps)) + " of " +
                       std::to_string(sweeps) + ", " + std::to_string(percent) + " %");
    if (state.stepIndex != lastStep) {
      lastStep = state.stepIndex;
      lastMove = p_.ticks.nowMs();
    } else if (p_.ticks.nowMs() - lastMove > kStallMs) {
      stalled = true;
    }
    // During a run S/SHOT is STOP (the run ends after the sweep under way) and RUN is
    // CANCEL (it ends at once). STOP goes in during the last sweep wanted, or when the run
    // is interrupted; a second interruption, or an analyser fallen silent, cancels.
    const bool last = running && averaging == 0 && done() >= sweeps - 1;
    if (!stopSent && state.runInProgress && (last || interrupted())) {
      stopSent = true;
      program.Execute(Command::Button1);
    }
    if ((stopRequests_ > 1 || stalled || faulted()) && state.runInProgress)
      program.Execute(Command::Button2);
  });
  monitor->setEnabled(true);
  p_.progress.Phase("test '" + test.name + "': " + std::to_string(sweeps) + " sweep" +
                    (sweeps > 1 ? "s" : "") + " " + Mhz(state.startFrequencyHz) + " to " +
                    Mhz(state.finishFrequencyHz) + " MHz");
  program.Execute(running ? Command::Button2 : Command::Button1);
  while (state.runInProgress && !stalled && !faulted()) p_.ticks.wait(1);
  monitor->setEnabled(false);
  if (stalled) p_.prompts.NoteLinkFault();
  return done() > 0 && !stalled;
}

void PlanRunner::measurePeaks(const PlanTest& test) {
  FinalMeasurement& f = p_.program.finalMeasurement();
  if (!f.CanMeasure()) return;
  const int rows = static_cast<int>(f.Table().rows.size());
  p_.progress.Phase("test '" + test.name + "': final measurement of " + std::to_string(rows) +
                    " peaks");
  bool stopSent = false;
  auto monitor = p_.ticks.createTimer(200, [&] {
    p_.progress.Update("test '" + test.name + "': final measurement of peak " +
                       std::to_string(std::min(f.RowsMeasured() + 1, rows)) + " of " +
                       std::to_string(rows));
    if ((interrupted() || faulted()) && !stopSent) {
      stopSent = true;
      f.StopMeasurement();
    }
  });
  monitor->setEnabled(true);
  f.MeasurePeaks();
  monitor->setEnabled(false);
}

void PlanRunner::writeTestFiles(const PlanTest& test, Outcome& out) {
  Program& program = p_.program;
  const std::string prefix = testPrefix(test);
  const auto keep = [&](const std::string& path, bool written) {
    if (written)
      out.files.push_back(path.substr(options_.outDir.size() + 1));
    else
      unwritten_.push_back("Unable to write " + path);
  };
  p_.prompts.ExpectSave(prefix + ".emc");
  program.Execute(Command::SaveAs1);
  keep(prefix + ".emc", p_.files.exists(prefix + ".emc"));
  p_.prompts.ExpectSave(prefix + ".csv");
  program.Execute(Command::ExportCSV1);
  keep(prefix + ".csv", p_.files.exists(prefix + ".csv"));
  keep(prefix + "-peaks.csv", p_.files.exists(prefix + "-peaks.csv"));
  // With a baseline, the report's peak page gives each margin's change since then.
  const PeakBaseline baseline{out.trends, options_.regressDb};
  const PeakTablePage peaks(out.table, &baseline);
  const ReportDocument report =
      options_.baseline && !out.table.rows.empty() ? program.Report(peaks) : program.Report();
  keep(prefix + ".pdf", p_.printer.PrintToPdf(report, prefix + ".pdf"));
  p_.prompts.ClearExpected();
  collectNotes(out);
}

// Each peak's margin against the baseline's, a line each.
void PlanRunner::reportTrends(const PlanTest& test, const Outcome& out) {
  for (std::size_t i = 0; i < out.trends.size() && i < out.table.rows.size(); ++i) {
    const MarginTrend& t = out.trends[i];
    const PeakRow& row = out.table.rows[i];
    const auto margin = DecidingMargin(row);
    if (!margin) continue;
    char text[128];
    std::snprintf(text, sizeof text, "%.3f MHz: margin %+.1f dB", row.peak.frequencyHz / 1e6,
                  *margin);
    std::string line = "test '" + test.name + "': " + text;
    if (t.matched) {
      std::snprintf(text, sizeof text, ", %+.1f dB in the baseline: %+.1f dB%s", t.baselineMarginDb,
                    RoundedTo(t.changeDb, 1) + 0.0, t.regressed ? ", REGRESSED" : "");
      line += text;
    } else {
      line += ", not in the baseline";
    }
    p_.progress.Phase(line);
  }
}

void PlanRunner::collectNotes(Outcome& out) {
  for (const PlanPrompts::Said& s : p_.prompts.TakeSaid()) out.notes.push_back(s.text);
}

int PlanRunner::exitCode() const {
  if (interrupted()) return kExitInterrupted;
  if (!unwritten_.empty()) return kExitPlanError;
  bool fail = false;
  for (const Outcome& o : outcomes_) {
    if (o.incomplete) return kExitLinkFault;
    fail = fail || o.table.overall == Verdict::Fail ||
           (options_.strict && o.table.overall == Verdict::Marginal) ||
           (options_.strict && std::any_of(o.trends.begin(), o.trends.end(),
                                           [](const MarginTrend& t) { return t.regressed; }));
  }
  return fail ? kExitFail : kExitPass;
}

}  // namespace tq
