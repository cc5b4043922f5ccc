// Runs tq4800-sim as its own process and talks to it through the terminal it prints.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::filesystem::path simulatorBinary() {
  if (const char* env = std::getenv("TQ4800_SIM")) return env;
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  // Tests live in <build>/tests, the simulator in <build>.
  return self.parent_path().parent_path() / "tq4800-sim";
}

// A child process with its stdout on a pipe; killed and reaped on destruction.
class SimProcess {
 public:
  explicit SimProcess(const std::filesystem::path& binary, std::vector<std::string> args) {
    int fds[2];
    if (::pipe(fds) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(fds[1], STDOUT_FILENO);
      ::close(fds[0]);
      ::close(fds[1]);
      std::vector<char*> argv{const_cast<char*>(binary.c_str())};
      for (auto& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      ::execv(binary.c_str(), argv.data());
      ::_exit(127);
    }
    ::close(fds[1]);
    out_ = fds[0];
  }
  ~SimProcess() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0) ::close(out_);
  }
  int terminate() {
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return status;
  }
  std::string readLine(int timeoutMs) {
    std::string line;
    char c = 0;
    while (line.size() < 256) {
      pollfd p{out_, POLLIN, 0};
      if (::poll(&p, 1, timeoutMs) <= 0 || ::read(out_, &c, 1) != 1 || c == '\n') break;
      line += c;
    }
    return line;
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
};

std::vector<std::uint8_t> readFor(int fd, std::size_t want, int timeoutMs) {
  std::vector<std::uint8_t> got;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (got.size() < want && std::chrono::steady_clock::now() < deadline) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 50) <= 0) continue;
    std::uint8_t buffer[64];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) got.insert(got.end(), buffer, buffer + n);
  }
  return got;
}

TEST(SimulatorProcess, AnswersAStatusRequestThroughItsTerminal) {
  const auto binary = simulatorBinary();
  if (binary.empty() || !std::filesystem::exists(binary)) {
    GTEST_SKIP() << "tq4800-sim not built";
  }
  SimProcess sim(binary, {"--version", "1.23", "--seed", "7"});
  const std::string path = sim.readLine(5000);
  ASSERT_FALSE(path.empty());
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(fd, 0) << path;
  termios tio{};
  ::tcgetattr(fd, &tio);
  ::cfmakeraw(&tio);
  ::tcsetattr(fd, TCSANOW, &tio);

  const std::uint8_t status[] = {0x01, 0x02, 0x20, 0x04};
  ASSERT_EQ(::write(fd, status, sizeof status), 4);
  EXPECT_EQ(readFor(fd, 5, 3000), (std::vector<std::uint8_t>{0x01, 0x03, 0xC0, 0x00, 0x04}));

  const std::uint8_t version[] = {0x01, 0x02, 0x21, 0x04};
  ASSERT_EQ(::write(fd, version, sizeof version), 4);
  EXPECT_EQ(readFor(fd, 6, 3000), (std::vector<std::uint8_t>{0x01, 0x04, 0xC1, 0x01, 0x17, 0x04}));
  ::close(fd);

  const int exit = sim.terminate();
  EXPECT_TRUE(WIFEXITED(exit) && WEXITSTATUS(exit) == 0);
}

TEST(SimulatorProcess, RejectsUnknownOptions) {
  const auto binary = simulatorBinary();
  if (binary.empty() || !std::filesystem::exists(binary)) {
    GTEST_SKIP() << "tq4800-sim not built";
  }
  const std::string cmd = binary.string() + " --bogus >/dev/null 2>&1";
  const int status = std::system(cmd.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2);
}

}  // namespace
