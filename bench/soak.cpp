// A long run of the program as --simulate puts it together (the offscreen main window, the
// core, the in-process simulated analyser), unpaced on virtual time: 1000 sweeps of 500
// steps cycling average 8, 16, 32 and peak hold, > STORE every 100 sweeps and a result file
// every 50, the window painted after each sweep; then a single frequency of 2000 samples
// (four scrolls). Prints the resident memory at sweeps 100 and 1000 and at samples 500 and
// 2000, the time taken and every message box shown.
//
//   tq_bench_soak [SWEEPS] [SAMPLES]          (tools/soak.sh runs it)
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "SimulatedLink.h"
#include "app/GraphArea.h"
#include "app/TEMC1.h"
#include "doubles/FixedClock.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "measure/Program.h"
#include "platform/HostFiles.h"
#include "platform/NoUsbI2cIo.h"

namespace {

namespace fs = std::filesystem;
using tq::Command;

// VmRSS of /proc/self/status, in kB.
long ResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    long kb = 0;
    if (key == "VmRSS:" && status >> kb) return kb;
    status.ignore(1 << 10, '\n');
  }
  return -1;
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

struct Soak {
  explicit Soak(const fs::path& root) : files(root) {
    fs::remove_all(root);
    files.installShippedData(TQ_SOURCE_DATA_DIR);
    link = std::make_unique<tq::sim::SimulatedLink>(ticks, tq::sim::AnalyserOptions{},
                                                    tq::sim::PortOptions{false});
    program = std::make_unique<tq::Program>(
        tq::Ports{link->port, ticks, prompts, files, clock, window, usb});
    window.attach(*program);
    window.show();
    ticks.advance(1500);
    run([&] { return program->model().statusText == "Ready"; }, 10000);
  }

  // Virtual time until done; false after maxMs.
  bool run(const std::function<bool()>& done, double maxMs) {
    for (double t = 0; t < maxMs && !done(); t += 5) ticks.advance(5);
    return done();
  }
  // The window repaints what changed, as its event loop would between sweeps.
  void paint() {
    window.graph()->update();
    QApplication::processEvents();
  }

  tq::HostFiles files;
  tq::test::VirtualTicks ticks;
  tq::test::ScriptedPrompts prompts;
  tq::test::FixedClock clock;
  tq::TEMC1 window;
  tq::NoUsbI2cIo usb;
  std::unique_ptr<tq::sim::SimulatedLink> link;
  std::unique_ptr<tq::Program> program;
};

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int sweepsWanted = argc > 1 ? std::atoi(argv[1]) : 1000;
  const int samplesWanted = argc > 2 ? std::atoi(argv[2]) : 2000;
  const fs::path root = fs::temp_directory_path() / "tq_soak";
  Soak s(root);
  tq::Program& p = *s.program;
  const auto started = std::chrono::steady_clock::now();

  const Command modes[] = {Command::Average81, Command::Average161, Command::Average321,
                           Command::Peak1};
  int sweeps = 0, inRun = 0, lastScans = p.state().scansDone;
  long rssAt100 = 0;
  bool stopAsked = false, watching = true;
  // A run's sweeps follow one another inside RUN's handler, so each sweep's end is seen from
  // the event loop, as a user would see it, every 5 ms of virtual time.
  std::function<void()> watch = [&] {
    const int scans = p.state().scansDone;
    if (scans < lastScans) inRun = 0;  // a new run counts from 1 again
    if (scans < lastScans) lastScans = scans;
    for (; lastScans < scans && sweeps < sweepsWanted; ++lastScans) {
      ++sweeps;
      ++inRun;
      s.link->analyser.clearLog();
      s.paint();
      if (sweeps % 100 == 0) p.Execute(Command::button18);  // > STORE
      if (sweeps % 50 == 0) {
        s.prompts.fileName("C:\\tq4800\\soak" + std::to_string(sweeps / 50 % 2) + ".emc");
        p.Execute(Command::SaveAs1);
      }
      if (sweeps == 100) rssAt100 = ResidentKb();
      if (sweeps % 100 == 0)
        std::printf("%5d  %-10d %7ld  %7.1f\n", sweeps, p.state().processingMode, ResidentKb(),
                    Seconds(started));
    }
    if (!p.state().runInProgress) stopAsked = false;
    const bool enough = sweeps >= sweepsWanted || (p.state().processingMode == 4 && inRun >= 8);
    if (p.state().runInProgress && !stopAsked && enough) {
      stopAsked = true;
      p.Execute(Command::Button1);  // STOP after the sweep under way
    }
    if (watching) s.ticks.post(5, watch);
  };
  s.ticks.post(5, watch);
  int modeIndex = 0;
  std::printf("sweep  mode        rss_kB  seconds\n");
  while (sweeps < sweepsWanted) {
    p.Execute(modes[modeIndex++ % 4]);
    p.Execute(Command::Button2);  // RUN: averaging ends by itself, peak hold is stopped
    if (!s.run([&] { return !p.state().runInProgress; }, 3600000)) {
      std::printf("stalled at sweep %d\n", sweeps);
      return 1;
    }
  }
  watching = false;
  s.ticks.advance(10);
  const long rssAt1000 = ResidentKb();
  std::printf("sweeps %d in %.1f s: resident %ld kB at sweep 100, %ld kB at sweep %d (%+ld kB)\n",
              sweeps, Seconds(started), rssAt100, rssAt1000, sweeps, rssAt1000 - rssAt100);

  // Single frequency: 2000 samples, the window scrolling every 100 past 500.
  const auto singleStarted = std::chrono::steady_clock::now();
  p.Execute(Command::Button17);
  p.single().FrequencyPicked(150000000);
  // Its settings dialog opens from the event loop; the user accepts it as it stands.
  QTimer::singleShot(0, [] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->accept();
  });
  QApplication::processEvents();
  int samples = 0;
  long rssAt500 = 0;
  while (samples < samplesWanted) {
    const std::size_t acks = s.link->analyser.log().size();
    if (!s.run([&] { return s.link->analyser.log().size() != acks; }, 10000)) {
      std::printf("single frequency stalled at sample %d\n", samples);
      return 1;
    }
    samples = samples + 1;
    if (samples % 100 == 0) {
      s.link->analyser.clearLog();
      s.paint();
    }
    if (samples == 500) rssAt500 = ResidentKb();
  }
  const bool measuring = p.state().measurementMode == 2 && p.state().runInProgress;
  const int windowAt = p.state().stepIndex;
  p.Execute(Command::Button1);  // Stop
  const long rssAt2000 = ResidentKb();
  std::printf("single frequency %s at its end, its window at sample %d\n",
              measuring ? "measuring" : "NOT measuring", windowAt);
  std::printf(
      "samples %d in %.1f s: resident %ld kB at sample 500, %ld kB at sample %d (%+ld kB)\n",
      samples, Seconds(singleStarted), rssAt500, rssAt2000, samples, rssAt2000 - rssAt500);

  std::printf("message boxes: %zu\n", s.prompts.messages().size());
  for (const std::string& m : s.prompts.messages()) std::printf("  %s\n", m.c_str());
  fs::remove_all(root);
  return s.prompts.messages().empty() ? 0 : 2;
}
