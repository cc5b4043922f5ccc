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

#include "doubles/SimProcess.h"

namespace {

using tq::test::SimProcess;
using tq::test::simulatorBinary;

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
  // Ready, HIGH range, no attenuation: the state the analyser comes up in.
  EXPECT_EQ(readFor(fd, 5, 3000), (std::vector<std::uint8_t>{0x01, 0x03, 0xC0, 0x04, 0x04}));

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
