#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/Json.h"
#include "analysis/RunResults.h"
#include "measure/Program.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Printer.h"
#include "platform/Ticks.h"
#include "runner/Headless.h"
#include "runner/TestPlan.h"

namespace tq {

// Exit codes of an unattended run.
inline constexpr int kExitPass = 0;
inline constexpr int kExitFail = 1;
inline constexpr int kExitPlanError = 2;  // also: the run's files could not all be written
inline constexpr int kExitLinkFault = 3;
inline constexpr int kExitInterrupted = 130;

// Where the run's progress goes: one line per phase, and the line of the phase under way
// redrawn as it moves on (sweep percentage, peak k of n).
class RunProgress {
 public:
  virtual ~RunProgress() = default;
  virtual void Phase(const std::string& line) = 0;
  virtual void Update(const std::string& line) = 0;
  // The run's last line: its verdict and where its files are.
  virtual void Verdict(const std::string& line) = 0;
};

struct RunOptions {
  std::string planPath;          // as given, for the summary
  std::string outDir;            // a host folder that exists and holds no earlier run
  bool strict = false;           // MARGINAL, and a regressed margin, fail the run
  std::optional<Json> baseline;  // an earlier run's summary.json
  double regressDb = 3.0;
  int baselinePoints = 5;  // how far apart, in display points, a peak may have moved
  std::string commandLine;
};

// A plan run through the program as a user would run it from the window: the same
// commands, the same sweeps, the same final measurement, the same files. It waits on the
// program's events through the event loop; nothing here measures or judges on its own.
class PlanRunner {
 public:
  struct Parts {
    Program& program;
    PlanPrompts& prompts;
    HeadlessView& view;
    Ticks& ticks;
    Files& files;
    Printer& printer;
    Clock& clock;
    RunProgress& progress;
  };
  PlanRunner(Parts parts, TestPlan plan, RunOptions options);

  // Runs the whole plan and writes its outputs; the exit code.
  int Run();
  // SIGINT or SIGTERM: the run ends as STOP ends it (after the sweep under way), with what
  // was measured written; a second request ends it at once, as CANCEL does.
  void RequestStop() { ++stopRequests_; }

  // Waits, keeping the event loop going, until `done` holds; false on a timeout, a link
  // fault or a stop request.
  bool WaitFor(const std::function<bool()>& done, double timeoutMs);

 private:
  struct Outcome {
    const PlanTest* test = nullptr;
    bool configured = false;  // the program took its settings
    bool measured = false;    // its sweeps completed
    bool incomplete = false;  // the link failed or the run was stopped before the end
    std::string error;
    PeakTable table;
    std::vector<MarginTrend> trends;
    std::vector<std::string> notes;  // what the program said
    std::vector<std::string> files;
    double seconds = 0;
    std::int32_t startHz = 0, stopHz = 0;
    // The settings as the program took them.
    MeasurementState state;
    std::string inputName;
    LisnValues lisn;
  };

  bool connect();
  void applyRunSettings();
  void runTest(const PlanTest& test, Outcome& out);
  bool configure(const PlanTest& test);
  bool sweep(const PlanTest& test);
  void measurePeaks(const PlanTest& test);
  void writeTestFiles(const PlanTest& test, Outcome& out);
  void writeRunFiles();
  Json SettingsJson(const PlanTest& test, const Outcome& out) const;
  int exitCode() const;
  bool interrupted() const { return stopRequests_ > 0; }
  bool faulted() const;
  void collectNotes(Outcome& out);
  void reportTrends(const PlanTest& test, const Outcome& out);
  std::string outPath(const std::string& name) const;
  std::string testPrefix(const PlanTest& test) const;

  Parts p_;
  TestPlan plan_;
  RunOptions options_;
  std::vector<Outcome> outcomes_;
  std::atomic<int> stopRequests_{0};
  std::vector<std::string> unwritten_;  // the outputs that could not be written, and why
  bool connected_ = false;
  std::string startedText_;
};

// A test's name as a file name: letters, digits, '-' and '_' kept, anything else '_'.
std::string FileStem(const std::string& name);

}  // namespace tq
