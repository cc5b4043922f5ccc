// Composition root of an unattended run: the same program, link, simulator and printer as
// the window's, with a plan's answers in place of the user and standard error in place of
// the window.
#include "app/RunMain.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "SimulatedLink.h"
#include "SimulatedUsbAdapter.h"
#include "app/HostSetup.h"
#include "app/RoutingSerialPort.h"
#include "measure/Program.h"
#include "platform/HostFiles.h"
#include "platform/HostPorts.h"
#include "platform/NoUsbI2cIo.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/QtSerialPort.h"
#include "platform/qt/QtTicks.h"
#include "platform/qt/Terminal.h"
#include "runner/PlanRunner.h"

namespace tq {

namespace {

// SIGINT and SIGTERM received: the first stops the run, a second cancels it.
std::atomic<int> g_signals{0};

extern "C" void OnStopSignal(int signal) {
  ++g_signals;
  std::signal(signal, OnStopSignal);  // where delivery resets the handler
}

// Progress on standard error: a line per phase, the phase under way redrawn in place on a
// terminal (elsewhere repeated at most every few seconds); --quiet keeps the verdict only.
class StderrProgress : public RunProgress {
 public:
  StderrProgress(bool quiet, QtTicks& ticks)
      : quiet_(quiet), tty_(StderrIsTerminal()), ticks_(ticks) {}
  void Phase(const std::string& line) override {
    if (quiet_) return;
    endUpdate();
    std::cerr << "tq4800: " << line << '\n' << std::flush;
  }
  void Update(const std::string& line) override {
    if (quiet_ || line == last_) return;
    if (tty_) {
      std::cerr << "\r\033[Ktq4800: " << line << std::flush;
      updating_ = true;
    } else if (ticks_.nowMs() - lastMs_ >= 5000) {
      std::cerr << "tq4800: " << line << '\n' << std::flush;
      lastMs_ = ticks_.nowMs();
    }
    last_ = line;
  }
  void Verdict(const std::string& line) override {
    endUpdate();
    std::cerr << "tq4800: " << line << '\n' << std::flush;
  }

 private:
  void endUpdate() {
    if (updating_) std::cerr << '\n';
    updating_ = false;
    last_.clear();
  }
  bool quiet_;
  bool tty_;
  QtTicks& ticks_;
  bool updating_ = false;
  std::string last_;
  double lastMs_ = -1e9;
};

int OptionError(const std::string& text) {
  std::cerr << "tq4800: " << text << '\n';
  return kExitPlanError;
}

std::optional<std::string> ReadHostFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream s;
  s << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return s.str();
}

// A folder of its own: the one asked for, unless an earlier run wrote there; by default a
// new one under the data root named by the date and time.
std::optional<std::filesystem::path> OutputFolder(const QCommandLineParser& parser,
                                                  const std::filesystem::path& dataRoot,
                                                  std::string& error) {
  std::error_code ec;
  std::filesystem::path dir;
  if (parser.isSet("out")) {
    dir = std::filesystem::absolute(parser.value("out").toStdString(), ec);
    if (std::filesystem::exists(dir / "summary.json", ec)) {
      error = dir.string() + " holds an earlier run (summary.json); give a new folder";
      return std::nullopt;
    }
  } else {
    const std::string stamp =
        QDateTime::currentDateTime().toString("yyyy-MM-dd_HHmmss").toStdString();
    dir = dataRoot / "runs" / stamp;
    for (int n = 2; std::filesystem::exists(dir, ec); ++n)
      dir = dataRoot / "runs" / (stamp + "-" + std::to_string(n));
  }
  std::filesystem::create_directories(dir, ec);
  if (ec || !std::filesystem::is_directory(dir)) {
    error = "cannot make the output folder " + dir.string();
    return std::nullopt;
  }
  return dir;
}

// The user limits a plan names exist in the user limit file; checked before the analyser
// is spoken to.
std::optional<std::string> UnknownUserLimit(const TestPlan& plan, Program& program,
                                            const std::string& planPath) {
  std::vector<std::string> names;
  bool listed = false;
  for (const PlanTest& t : plan.tests) {
    if (t.limit.kind != PlanLimitKind::User) continue;
    if (!listed) names = program.userLimitChoice().ListUserLimits();
    listed = true;
    const auto same = [&](const std::string& n) {
      return QString::fromStdString(n).compare(QString::fromStdString(t.limit.name),
                                               Qt::CaseInsensitive) == 0;
    };
    if (std::none_of(names.begin(), names.end(), same)) {
      std::string valid;
      for (const std::string& n : names) valid += (valid.empty() ? "" : ", ") + n;
      return planPath + ":" + std::to_string(t.line) + ": test '" + t.name +
             "': unknown user limit '" + t.limit.name +
             "' (valid: " + (valid.empty() ? "none in usrlmt.def" : valid) + ")";
    }
  }
  return std::nullopt;
}

}  // namespace

void AddRunOptions(QCommandLineParser& parser) {
  parser.addOption(
      {"run", "Runs a test plan without a window and exits with its verdict.", "PLAN"});
  parser.addOption(
      {"out", "Folder for the run's files (default: a new one under DIR/runs).", "DIR"});
  parser.addOption({"strict", "MARGINAL and a regressed margin fail the run."});
  parser.addOption(
      {"baseline", "An earlier run's summary.json to compare margins with.", "SUMMARY"});
  parser.addOption(
      {"regress-db", "A margin shrinking by more than this is flagged (default 3).", "DB"});
  parser.addOption({"quiet", "Only the verdict line on standard error."});
}

bool AsksForRun(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i)
    if (std::string_view(argv[i]) == "--run" || std::string_view(argv[i]).starts_with("--run="))
      return true;
  return false;
}

int RunPlan(const QCommandLineParser& parser, const std::filesystem::path& shippedDataDir) {
  const std::string planPath = parser.value("run").toStdString();
  const auto planText = ReadHostFile(planPath);
  if (!planText) return OptionError(planPath + ": cannot read the plan");
  auto read = ReadTestPlan(*planText, planPath);
  if (auto* e = std::get_if<PlanError>(&read)) return OptionError(e->text);
  TestPlan plan = std::move(std::get<TestPlan>(read));

  RunOptions options;
  options.planPath = planPath;
  options.strict = parser.isSet("strict");
  options.commandLine = QCoreApplication::arguments().join(' ').toStdString();
  if (parser.isSet("regress-db")) {
    bool ok = false;
    options.regressDb = parser.value("regress-db").toDouble(&ok);
    if (!ok || options.regressDb < 0)
      return OptionError("--regress-db takes a number of dB, not '" +
                         parser.value("regress-db").toStdString() + "'");
  }
  if (parser.isSet("baseline")) {
    const std::string path = parser.value("baseline").toStdString();
    const auto text = ReadHostFile(path);
    options.baseline = text ? ParseJson(*text) : std::nullopt;
    if (!options.baseline || !options.baseline->find("tests"))
      return OptionError(path + ": not a summary.json of an earlier run");
  }

  const bool simulate = parser.isSet("simulate");
  HostFiles files(DataRootOf(parser));
  PrepareDataRoot(files, shippedDataDir, simulate);
  std::string error;
  const auto out = OutputFolder(parser, files.dataRoot(), error);
  if (!out) return OptionError(error);
  options.outDir = Utf8Path(*out);

  const HostPorts hostPorts =
      HostPorts::Parse(files.readAll(Utf8Path(files.hostIniPath())).value_or(std::string{}));
  QtTicks ticks;
  QtClock clock;
  PlanPrompts prompts;
  HeadlessView view;
  QtSerialPort device(hostPorts);
  // The same finished product as the window's --simulate measures.
  sim::SimulatedLink simulator(ticks, {.product = sim::Product::Enclosed});
  RoutingSerialPort serial(hostPorts, simulate, device, simulator.port, std::cerr);
  NoUsbI2cIo noAdapterLibrary;
  sim::SimulatedUsbAdapter simulatedAdapter;
  UsbI2cIo& usb = simulate ? static_cast<UsbI2cIo&>(simulatedAdapter) : noAdapterLibrary;
  Program program(Ports{serial, ticks, prompts, files, clock, view, usb});
  if (auto unknown = UnknownUserLimit(plan, program, planPath)) return OptionError(*unknown);

  QtPrinter printer(nullptr);
  StderrProgress progress(parser.isSet("quiet"), ticks);
  PlanRunner runner({program, prompts, view, ticks, files, printer, clock, progress},
                    std::move(plan), options);
  std::signal(SIGINT, OnStopSignal);
  std::signal(SIGTERM, OnStopSignal);
  QTimer signalPoll;
  int signalsSeen = 0;
  QObject::connect(&signalPoll, &QTimer::timeout, [&] {
    for (; signalsSeen < g_signals; ++signalsSeen) runner.RequestStop();
  });
  signalPoll.start(100);
  int code = kExitPlanError;
  QTimer::singleShot(0, [&] {
    code = runner.Run();
    QCoreApplication::exit(code);
  });
  QCoreApplication::exec();
  return code;
}

}  // namespace tq
