// tq4800-sim: serves the simulated analyser on a pseudo-terminal so that the program can be
// run through a real tty. Prints the terminal's path, then runs until SIGTERM or SIGINT.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "LinePacer.h"
#include "PollTicks.h"
#include "SimulatedAnalyser.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void onSignal(int) {
  stopRequested = 1;
}

struct CommandLine {
  // The enclosed product, as the program's --simulate has it; --bench the bare board.
  tq::sim::AnalyserOptions analyser{.product = tq::sim::Product::Enclosed};
  bool paced = true;
  std::string logPath;  // every byte written and read, with its time, for timing runs
  bool ok = true;
};

// Microseconds on the monotonic clock, which another process on this machine reads alike.
long long MonotonicUs() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// "W <us> <hex>" when bytes are written to the program (their last byte has just crossed
// the line), "R <us> <hex>" when bytes from the program are read.
void LogBytes(std::FILE* log, char direction, const std::uint8_t* bytes, std::size_t n) {
  if (!log) return;
  std::fprintf(log, "%c %lld", direction, MonotonicUs());
  for (std::size_t i = 0; i < n; ++i) std::fprintf(log, " %02X", bytes[i]);
  std::fputc('\n', log);
}

bool parseVersion(std::string_view text, tq::sim::AnalyserOptions& options) {
  const std::string s(text);
  int major = 0;
  int minor = 0;
  char dot = 0;
  int consumed = 0;
  if (std::sscanf(s.c_str(), "%d%c%d%n", &major, &dot, &minor, &consumed) != 3 || dot != '.' ||
      consumed != static_cast<int>(s.size()) || major < 0 || major > 255 || minor < 0 ||
      minor > 99) {
    return false;
  }
  // "2.1" means 2.10, as the version is shown with two decimals.
  const std::size_t decimals = s.size() - s.find('.') - 1;
  options.versionMajor = major;
  options.versionMinor = decimals == 1 ? minor * 10 : minor;
  return true;
}

CommandLine parseArguments(int argc, char** argv) {
  CommandLine cl;
  for (int i = 1; i < argc && cl.ok; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--version" && hasValue) {
      cl.ok = parseVersion(argv[++i], cl.analyser);
    } else if (arg == "--nx91") {
      cl.analyser.nx91Attached = true;
    } else if (arg == "--unpaced") {
      cl.paced = false;
    } else if (arg == "--log" && hasValue) {
      cl.logPath = argv[++i];
    } else if (arg == "--step-ms" && hasValue) {
      char* end = nullptr;
      cl.analyser.sweepStepMs = std::strtod(argv[++i], &end);
      cl.ok = end && *end == '\0' && cl.analyser.sweepStepMs >= 0.0;
    } else if (arg == "--bench") {
      cl.analyser.product = tq::sim::Product::Bench;
    } else if (arg == "--seed" && hasValue) {
      char* end = nullptr;
      cl.analyser.seed = std::strtoull(argv[++i], &end, 10);
      cl.ok = end && *end == '\0';
    } else {
      cl.ok = false;
    }
  }
  return cl;
}

int openPseudoTerminal(int& slaveFd, std::string& slavePath) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0) return -1;
  if (::grantpt(master) != 0 || ::unlockpt(master) != 0) {
    ::close(master);
    return -1;
  }
  const char* name = ::ptsname(master);
  if (!name) {
    ::close(master);
    return -1;
  }
  slavePath = name;
  // Holding the slave open keeps the master readable between the program's sessions.
  slaveFd = ::open(name, O_RDWR | O_NOCTTY);
  termios tio{};
  if (slaveFd >= 0 && ::tcgetattr(slaveFd, &tio) == 0) {
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    tio.c_cflag |= PARENB | PARODD | CLOCAL | CREAD;
    ::tcsetattr(slaveFd, TCSANOW, &tio);
  }
  ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
  return master;
}

void writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      return;  // nobody draining the terminal: the bytes are lost, as on an open line
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const CommandLine cl = parseArguments(argc, argv);
  if (!cl.ok) {
    std::fprintf(
        stderr,
        "usage: %s [--version X.YY] [--nx91] [--unpaced] [--bench] [--seed N] [--step-ms MS] "
        "[--log FILE]\n",
        argv[0]);
    return 2;
  }
  int slaveFd = -1;
  std::string slavePath;
  const int master = openPseudoTerminal(slaveFd, slavePath);
  if (master < 0) {
    std::fprintf(stderr, "tq4800-sim: cannot open a pseudo-terminal: %s\n", std::strerror(errno));
    return 1;
  }

  struct sigaction action {};
  action.sa_handler = onSignal;
  ::sigemptyset(&action.sa_mask);
  ::sigaction(SIGTERM, &action, nullptr);
  ::sigaction(SIGINT, &action, nullptr);
  ::signal(SIGPIPE, SIG_IGN);

  tq::sim::PollTicks ticks;
  tq::sim::SimulatedAnalyser analyser(ticks, cl.analyser);
  tq::sim::LinePacer toProgram(ticks, cl.paced);
  tq::sim::LinePacer toAnalyser(ticks, cl.paced);

  std::FILE* log = cl.logPath.empty() ? nullptr : std::fopen(cl.logPath.c_str(), "w");
  analyser.setTransmitter([&](std::vector<std::uint8_t> bytes) {
    const double delay = toProgram.book(bytes.size());
    ticks.post(delay, [master, log, bytes = std::move(bytes)] {
      writeAll(master, bytes);
      LogBytes(log, 'W', bytes.data(), bytes.size());
    });
  });
  ticks.watchReadable(master, [&] {
    std::uint8_t buffer[256];
    const ssize_t n = ::read(master, buffer, sizeof buffer);
    if (n < 0 && errno == EIO) ::poll(nullptr, 0, 50);  // no terminal open: do not spin
    if (n <= 0) return;
    LogBytes(log, 'R', buffer, static_cast<std::size_t>(n));
    std::vector<std::uint8_t> bytes(buffer, buffer + n);
    const double delay = toAnalyser.book(bytes.size());
    ticks.post(delay, [&analyser, bytes = std::move(bytes)] { analyser.receive(bytes); });
  });

  std::printf("%s\n", slavePath.c_str());
  std::fflush(stdout);
  ticks.run(stopRequested);

  if (log) std::fclose(log);
  if (slaveFd >= 0) ::close(slaveFd);
  ::close(master);
  return 0;
}
