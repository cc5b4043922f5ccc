// Sweeps at the line rate, measured end to end: tq4800-sim serves the analyser on a
// pseudo-terminal, paced at 9600 baud 8-O-1, and logs when each byte is written and read;
// the program (its core and its offscreen main window, through the real serial adapter)
// runs RUN for three sweeps of 500 steps and STOP. From the log this prints, per sweep, the
// time measured, the line time of the bytes exchanged (each data frame and its ACK), their
// ratio, the ACK delays (mean, p99, maximum) and the delay of point 0. A responder that
// only sends ACKs gives the pseudo-terminal's own delay to compare with.
//
//   tq_bench_sweep_timing [path/to/tq4800-sim] [--step-ms MS]
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numeric>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "SimulatedLink.h"
#include "app/TEMC1.h"
#include "doubles/ScriptedPrompts.h"
#include "measure/Program.h"
#include "model/CommandId.h"
#include "platform/HostFiles.h"
#include "platform/HostPorts.h"
#include "platform/NoUsbI2cIo.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/QtSerialPort.h"
#include "platform/qt/QtTicks.h"

namespace {

namespace fs = std::filesystem;

constexpr double kByteUs = 11.0 * 1e6 / 9600.0;  // 8 data bits, parity, start and stop

long long MonotonicUs() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

bool WaitFor(const std::function<bool()>& done, int ms) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

struct Stats {
  double mean = 0, p99 = 0, max = 0;
};

Stats StatsOf(std::vector<double> v) {
  Stats s;
  if (v.empty()) return s;
  std::sort(v.begin(), v.end());
  s.mean = std::accumulate(v.begin(), v.end(), 0.0) / static_cast<double>(v.size());
  s.p99 = v[std::min(v.size() - 1, static_cast<std::size_t>(0.99 * static_cast<double>(v.size())))];
  s.max = v.back();
  return s;
}

// The pseudo-terminal's own delay: a thread answers each 11-byte frame with an ACK as soon
// as it has read it; frames go out at the line's pace.
Stats PtyOwnDelay(int frames) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  ::grantpt(master);
  ::unlockpt(master);
  const int slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
  termios tio{};
  ::tcgetattr(slave, &tio);
  ::cfmakeraw(&tio);
  ::tcsetattr(slave, TCSANOW, &tio);
  std::atomic<bool> stop{false};
  std::thread responder([&] {
    std::uint8_t buffer[64];
    std::size_t have = 0;
    while (!stop) {
      pollfd p{slave, POLLIN, 0};
      if (::poll(&p, 1, 50) <= 0) continue;
      const ssize_t n = ::read(slave, buffer, sizeof buffer);
      if (n <= 0) continue;
      have += static_cast<std::size_t>(n);
      while (have >= 11) {
        const std::uint8_t ack = 0x06;
        (void)::write(slave, &ack, 1);
        have -= 11;
      }
    }
  });
  std::vector<double> delays;
  const std::uint8_t frame[11] = {0x01, 0x09, 0xD0, 0, 0x05, 0xF5, 0xE1, 0, 0x03, 0xE8, 0x04};
  for (int i = 0; i < frames; ++i) {
    const long long sent = MonotonicUs();
    (void)::write(master, frame, sizeof frame);
    pollfd p{master, POLLIN, 0};
    if (::poll(&p, 1, 100) > 0) {
      std::uint8_t ack = 0;
      (void)::read(master, &ack, 1);
      delays.push_back(static_cast<double>(MonotonicUs() - sent) / 1000.0);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(13750));
  }
  stop = true;
  responder.join();
  ::close(slave);
  ::close(master);
  return StatsOf(delays);
}

struct Logged {
  char direction;
  long long us;
  std::vector<int> bytes;
};

std::vector<Logged> ReadLog(const fs::path& path) {
  std::vector<Logged> log;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    Logged l;
    words >> l.direction >> l.us;
    for (std::string hex; words >> hex;) l.bytes.push_back(std::stoi(hex, nullptr, 16));
    log.push_back(std::move(l));
  }
  return log;
}

// One data frame of a sweep: when its last byte reached the program and when the ACK for
// it came back.
struct Point {
  long long frameUs = 0;
  long long ackUs = 0;
  std::uint32_t hz = 0;
};

std::vector<std::vector<Point>> SweepsOf(const std::vector<Logged>& log) {
  std::vector<std::vector<Point>> sweeps;
  Point* waiting = nullptr;
  std::uint32_t lastHz = 0;
  for (const Logged& l : log) {
    if (l.direction == 'W' && l.bytes.size() == 11 && l.bytes[2] == 0xD0) {
      const std::uint32_t hz = static_cast<std::uint32_t>(l.bytes[4] << 24 | l.bytes[5] << 16 |
                                                          l.bytes[6] << 8 | l.bytes[7]);
      if (sweeps.empty() || hz < lastHz) sweeps.emplace_back();  // a new sweep starts low
      lastHz = hz;
      sweeps.back().push_back({l.us, 0, hz});
      waiting = &sweeps.back().back();
    } else if (l.direction == 'R' && waiting) {
      if (std::find(l.bytes.begin(), l.bytes.end(), 0x06) != l.bytes.end()) {
        waiting->ackUs = l.us;
        waiting = nullptr;
      }
    }
  }
  return sweeps;
}

// --simulate: the in-process simulated analyser, paced at the line rate on the program's
// own Qt timers. Returns, for three 500-step sweeps after the first, the time from the
// analyser's start of the sweep (0x34) to the ACK of its last point, ms.
std::vector<double> SimulatedSweepsMs(const fs::path& root) {
  tq::HostFiles files(root / "simulate");
  files.installShippedData(TQ_SOURCE_DATA_DIR);
  tq::QtTicks ticks;
  tq::QtClock clock;
  tq::NoUsbI2cIo usb;
  tq::test::ScriptedPrompts prompts;
  tq::sim::SimulatedLink link(ticks);
  tq::TEMC1 window;
  tq::Program program(tq::Ports{link.port, ticks, prompts, files, clock, window, usb});
  window.attach(program);
  if (!qEnvironmentVariableIsSet("TQ_HIDDEN")) window.show();
  std::vector<double> sweeps;
  if (!WaitFor([&] { return program.model().statusText == "Ready"; }, 20000)) return sweeps;
  program.Execute(tq::Command::Button2);
  WaitFor([&] { return program.state().scansDone >= 2; }, 20000);
  link.analyser.clearLog();
  WaitFor([&] { return program.state().scansDone >= 5; }, 40000);
  program.Execute(tq::Command::Button2);  // CANCEL
  WaitFor([&] { return !program.state().runInProgress; }, 5000);
  double start = -1;
  int acks = 0;
  for (const auto& c : link.analyser.log()) {
    if (!c.singleByte && c.code == 0x34) {
      start = c.atMs;
      acks = 0;
    } else if (c.singleByte && c.code == 0x06 && start >= 0 && ++acks == 501) {
      sweeps.push_back(c.atMs - start);
      start = -1;
    }
  }
  return sweeps;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::string simPath = (fs::path(argv[0]).parent_path().parent_path() / "tq4800-sim").string();
  std::string stepMs = "0.1";
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--step-ms" && i + 1 < argc)
      stepMs = argv[++i];
    else
      simPath = arg;
  }

  const fs::path root = fs::temp_directory_path() / "tq_sweep_timing";
  fs::remove_all(root);
  fs::create_directories(root);
  const fs::path logPath = root / "sim.log";
  const std::string command =
      simPath + " --step-ms " + stepMs + " --log " + logPath.string() + " & echo $!";
  FILE* sim = ::popen(command.c_str(), "r");
  char line[256] = {};
  if (!sim || !std::fgets(line, sizeof line, sim)) {
    std::fprintf(stderr, "cannot start %s\n", simPath.c_str());
    return 1;
  }
  const long simPid = std::strtol(line, nullptr, 10);
  // tq4800-sim prints its terminal's path first.
  std::string pty;
  for (int tries = 0; tries < 100 && pty.empty(); ++tries) {
    if (std::fgets(line, sizeof line, sim)) pty = std::string(line, std::strcspn(line, "\n"));
  }

  tq::HostFiles files(root);
  files.installShippedData(TQ_SOURCE_DATA_DIR);
  files.writeAll((root / "host.ini").string(), "COM2=" + pty + "\n");
  const tq::HostPorts ports = tq::HostPorts::Parse("COM2=" + pty + "\n");
  tq::QtTicks ticks;
  tq::QtClock clock;
  tq::NoUsbI2cIo usb;
  tq::test::ScriptedPrompts prompts;
  tq::TEMC1 window;
  tq::QtSerialPort serial(ports);
  tq::Program program(tq::Ports{serial, ticks, prompts, files, clock, window, usb});
  window.attach(program);
  window.show();
  const bool ready = WaitFor([&] { return program.model().statusText == "Ready"; }, 20000);
  const Stats own = PtyOwnDelay(300);
  bool swept = false;
  if (ready) {
    program.Execute(tq::Command::Button2);  // RUN
    swept = WaitFor([&] { return program.state().scansDone >= 4; }, 60000);
    program.Execute(tq::Command::Button1);  // STOP after the sweep under way
    WaitFor([&] { return !program.state().runInProgress; }, 20000);
  }
  ::kill(static_cast<pid_t>(simPid), SIGTERM);
  ::pclose(sim);
  if (!ready || !swept) {
    std::fprintf(stderr, "the run did not complete (status \"%s\")\n",
                 program.model().statusText.c_str());
    return 1;
  }

  std::printf("pseudo-terminal's own ACK delay: mean %.3f ms, p99 %.3f ms, max %.3f ms\n", own.mean,
              own.p99, own.max);
  std::printf("%-6s %10s %10s %7s %10s %10s %10s %10s %10s\n", "sweep", "measured", "line",
              "ratio", "ack mean", "ack p99", "ack max", "point 0", "sim late");
  const auto sweeps = SweepsOf(ReadLog(logPath));
  for (std::size_t s = 0; s < sweeps.size() && s < 3; ++s) {
    const auto& points = sweeps[s];
    if (points.size() < 2 || points.back().ackUs == 0) continue;
    std::vector<double> delays;
    for (const Point& p : points)
      if (p.ackUs > 0) delays.push_back(static_cast<double>(p.ackUs - p.frameUs) / 1000.0);
    const Stats d = StatsOf(delays);
    // The simulator's own lateness: from reading an ACK to writing the next frame's last
    // byte, beyond the ACK's and the frame's byte times and its settling.
    std::vector<double> late;
    for (std::size_t i = 1; i < points.size(); ++i)
      if (points[i - 1].ackUs > 0)
        late.push_back(static_cast<double>(points[i].frameUs - points[i - 1].ackUs) / 1000.0 -
                       12.0 * kByteUs / 1000.0 - std::stod(stepMs));
    const Stats l = StatsOf(late);
    // From the first byte of the first frame to the last byte of the last ACK.
    const double measured =
        static_cast<double>(points.back().ackUs - points.front().frameUs) / 1000.0 +
        (11.0 + 1.0) * kByteUs / 1000.0;
    const double lineMs = static_cast<double>(points.size()) * 12.0 * kByteUs / 1000.0;
    std::printf("%-6zu %8.1f ms %7.1f ms %7.4f %7.3f ms %7.3f ms %7.3f ms %7.3f ms %7.3f ms\n",
                s + 1, measured, lineMs, measured / lineMs, d.mean, d.p99, d.max, delays.front(),
                l.mean);
  }
  const double lineMs = 501 * 12.0 * kByteUs / 1000.0;
  for (double ms : SimulatedSweepsMs(root))
    std::printf("--simulate: a 500-step sweep took %.1f ms, %.4f of the line time (%.1f ms)\n", ms,
                ms / lineMs, lineMs);
  fs::remove_all(root);
  return 0;
}
