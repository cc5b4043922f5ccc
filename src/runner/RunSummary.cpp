// The run's own files: summary.json with every test's settings, peaks, final readings,
// margins and verdicts, and junit.xml for a CI server.
#include <cstdio>

#include "runner/PlanRunner.h"

namespace tq {

namespace {

constexpr std::array<const char*, 5> kProcessingNames{"off", "average 8", "average 16",
                                                      "average 32", "peak hold"};
constexpr std::array<const char*, 4> kDetectorNames{"", "peak", "average", "quasi-peak"};
constexpr std::array<const char*, 5> kLisnLines{"LIVE", "NEUTRAL", "RED", "YELLOW", "BLUE"};

std::string RunVerdict(bool incomplete, Verdict worst, bool strictFail) {
  if (incomplete) return "INCOMPLETE";
  if (strictFail) return "FAIL";
  return worst == Verdict::None ? "NONE" : std::string(VerdictText(worst));
}

}  // namespace

Json PlanRunner::SettingsJson(const PlanTest& test, const Outcome& out) const {
  Json::Object s{
      {"limit", test.limit.kind == PlanLimitKind::Unchanged ? Json() : Json(test.limit.name)},
      {"start_mhz", RoundedTo(out.startHz / 1e6, 6)},
      {"stop_mhz", RoundedTo(out.stopHz / 1e6, 6)},
      {"sweeps", test.sweeps},
      {"final_measurement", test.finalMeasurement},
      {"peaks", test.peaks},
      {"threshold_db", test.thresholdDb}};
  const MeasurementState& st = out.state;
  s["range"] = st.highRange ? "HIGH" : "LOW";
  s["steps"] = st.stepsPerScan;
  s["detector"] = kDetectorNames[static_cast<std::size_t>(std::clamp(st.detector, 1, 3))];
  s["attenuation_db"] = st.attenuationDb;
  s["preamp_db"] = st.preampGainDb;
  s["processing"] = kProcessingNames[static_cast<std::size_t>(std::clamp(st.processingMode, 0, 4))];
  s["input"] = out.inputName;
  if (test.distanceM) s["distance_m"] = static_cast<double>(*test.distanceM);
  if (test.input == Command::LISN1) {
    s["lisn_line"] = kLisnLines[static_cast<std::size_t>(std::clamp(out.lisn.source, 0, 4))];
    s["lisn_attenuator_db"] = 10 * out.lisn.lossIndex;
  }
  return s;
}

void PlanRunner::writeRunFiles() {
  Json::Array tests;
  std::vector<JUnitSuite> suites;
  bool incomplete = false, strictFail = false;
  Verdict worst = Verdict::None;
  for (const Outcome& o : outcomes_) {
    const bool regressed = std::any_of(o.trends.begin(), o.trends.end(),
                                       [](const MarginTrend& t) { return t.regressed; });
    const bool failsStrict = options_.strict && (o.table.overall == Verdict::Marginal || regressed);
    incomplete = incomplete || o.incomplete;
    strictFail = strictFail || failsStrict;
    worst = Worse(worst, o.table.overall);
    Json::Array files, notes;
    for (const std::string& f : o.files) files.push_back(f);
    for (const std::string& n : o.notes) notes.push_back(n);
    tests.push_back(
        Json::Object{{"name", o.test->name},
                     {"verdict", RunVerdict(o.incomplete, o.table.overall, failsStrict)},
                     {"measured", o.measured},
                     {"incomplete", o.incomplete},
                     {"error", o.error},
                     {"seconds", RoundedTo(o.seconds, 1)},
                     {"settings", o.measured || o.configured ? SettingsJson(*o.test, o) : Json()},
                     {"peak_table", PeakTableJson(o.table, o.trends)},
                     {"margin_regressions", regressed},
                     {"files", std::move(files)},
                     {"messages", std::move(notes)}});
    suites.push_back({o.test->name, o.measured ? &o.table : nullptr, o.trends, o.incomplete,
                      o.error, options_.strict, o.seconds});
  }
  const int code = exitCode();
  const std::string verdict =
      interrupted() ? "INCOMPLETE" : RunVerdict(incomplete, worst, strictFail);
  const Json summary = Json::Object{{"program", "tq4800"},
                                    {"plan", options_.planPath},
                                    {"command", options_.commandLine},
                                    {"started", startedText_},
                                    {"complete", !incomplete && !interrupted()},
                                    {"strict", options_.strict},
                                    {"regress_db", options_.regressDb},
                                    {"baseline", options_.baseline.has_value()},
                                    {"verdict", verdict},
                                    {"exit_code", code},
                                    {"tests", std::move(tests)}};
  for (const auto& [name, text] :
       {std::pair{"summary.json", summary.Write()}, std::pair{"junit.xml", JUnitXml(suites)}})
    if (!p_.files.writeAll(outPath(name), text))
      unwritten_.push_back(WriteFailureText(p_.files, outPath(name)));
  // A run whose files are not all there has not given CI its answer, whatever the verdict.
  if (unwritten_.empty()) {
    p_.progress.Verdict("verdict: " + verdict + " (exit " + std::to_string(code) + "), files in " +
                        options_.outDir);
    return;
  }
  std::string why;
  for (const std::string& u : unwritten_) why += "; " + u;
  for (char& c : why)
    if (c == '\n') c = ' ';
  p_.progress.Verdict("verdict: " + verdict + " but not every file was written (exit " +
                      std::to_string(exitCode()) + ")" + why);
}

}  // namespace tq
