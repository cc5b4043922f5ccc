#include <fcntl.h>
#include <gtest/gtest.h>

#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>
#include <algorithm>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "app/RoutingSerialPort.h"
#include "app/qt_test_app.h"
#include "doubles/FakeSerialPort.h"
#include "platform/qt/ParityMarkDecoder.h"
#include "platform/qt/QtSerialPort.h"
#include "platform/qt/QtTicks.h"

namespace tq {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(ParityMarkDecoder, UndoesTheMarkingAndCountsLineErrors) {
  ParityMarkDecoder decoder;
  Bytes out;
  EXPECT_EQ(decoder.decode(Bytes{0x01, 0xFF, 0xFF, 0x02}, out), 0);
  EXPECT_EQ(out, (Bytes{0x01, 0xFF, 0x02}));

  // A damaged byte is kept and counted; a break is counted and carries no data.
  out.clear();
  EXPECT_EQ(decoder.decode(Bytes{0xFF, 0x00, 0x41, 0x42, 0xFF, 0x00, 0x00, 0x43}, out), 2);
  EXPECT_EQ(out, (Bytes{0x41, 0x42, 0x43}));

  // Markers split across reads.
  out.clear();
  EXPECT_EQ(decoder.decode(Bytes{0x10, 0xFF}, out), 0);
  EXPECT_EQ(decoder.decode(Bytes{0x00}, out), 0);
  EXPECT_EQ(decoder.decode(Bytes{0x55, 0xFF}, out), 1);
  EXPECT_EQ(decoder.decode(Bytes{0xFF}, out), 0);
  EXPECT_EQ(out, (Bytes{0x10, 0x55, 0xFF}));

  // Anything else after FF is passed on whole rather than lost.
  out.clear();
  EXPECT_EQ(decoder.decode(Bytes{0xFF, 0x07}, out), 0);
  EXPECT_EQ(out, (Bytes{0xFF, 0x07}));
}

// A pseudo-terminal pair: the port opens the slave, the test plays the far end on the master.
class Pty {
 public:
  Pty() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
    const char* name = ::ptsname(master_);
    if (name) slave_ = name;
    termios tio{};
    if (::tcgetattr(master_, &tio) == 0) {
      ::cfmakeraw(&tio);
      ::tcsetattr(master_, TCSANOW, &tio);
    }
  }
  ~Pty() { hangUp(); }
  // The far end goes away, as an analyser unplugged with its adapter.
  void hangUp() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }
  Pty(const Pty&) = delete;
  Pty& operator=(const Pty&) = delete;

  const std::string& slave() const { return slave_; }
  void send(const Bytes& bytes) {
    ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  // What the port wrote, up to count bytes or until nothing comes for timeoutMs.
  Bytes receive(std::size_t count, int timeoutMs = 1000) {
    Bytes got;
    while (got.size() < count) {
      pollfd p{master_, POLLIN, 0};
      if (::poll(&p, 1, timeoutMs) <= 0) break;
      std::uint8_t buf[256];
      const ssize_t n = ::read(master_, buf, sizeof buf);
      if (n <= 0) break;
      got.insert(got.end(), buf, buf + n);
    }
    return got;
  }

 private:
  int master_ = -1;
  std::string slave_;
};

class QtSerialPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(pty_.slave().empty()) << "no pseudo-terminal";
    ports_.devices[2] = pty_.slave();
    ports_.devices[0] = "simulator";
    ports_.devices[1] = "/dev/tq-no-such-device";
  }

  // Lets the event loop run until cond holds or about a second has passed.
  template <typename Cond>
  bool waitFor(Cond cond) {
    for (int i = 0; i < 20 && !cond(); ++i) ticks_.wait(1);
    return cond();
  }

  test::QtTestApp app_;
  QtTicks ticks_;
  Pty pty_;
  HostPorts ports_;
};

TEST_F(QtSerialPortTest, OpensAPseudoTerminalAt9600OddParityWithItsModemLinesHigh) {
  QtSerialPort port(ports_);
  int lineErrors = 0;
  port.setLineErrorHandler([&] { ++lineErrors; });
  ASSERT_TRUE(port.open(3));
  EXPECT_TRUE(port.isOpen());
  EXPECT_EQ(port.portNumber(), 3);
  EXPECT_FALSE(port.hasModemLines());
  port.setDtr(true);
  port.setRts(true);
  port.setDtr(false);
  EXPECT_TRUE(port.dsr());
  EXPECT_TRUE(port.cts());
  ticks_.wait(1);
  EXPECT_EQ(lineErrors, 0);
  EXPECT_TRUE(port.isOpen());

  const int fd = ::open(pty_.slave().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd >= 0) {
    termios tio{};
    ASSERT_EQ(::tcgetattr(fd, &tio), 0);
    ::close(fd);
    EXPECT_EQ(::cfgetospeed(&tio), B9600);
    // A pseudo-terminal clears PARENB whatever is asked; PARODD shows what was.
    EXPECT_NE(tio.c_cflag & PARODD, 0u);
    // Damaged bytes are marked for the port to report, not dropped.
    EXPECT_NE(tio.c_iflag & PARMRK, 0u);
    EXPECT_EQ(tio.c_iflag & IGNPAR, 0u);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & CSTOPB, 0u);
    EXPECT_EQ(tio.c_cflag & CRTSCTS, 0u);
  }

  port.close();
  EXPECT_FALSE(port.isOpen());
  EXPECT_FALSE(port.dsr());
}

TEST_F(QtSerialPortTest, PortsThatCannotBeOpenedReturnFalse) {
  QtSerialPort port(ports_);
  EXPECT_FALSE(port.open(2));  // missing device
  EXPECT_FALSE(port.isOpen());
  EXPECT_FALSE(port.open(1));  // the simulator is not a device
  EXPECT_FALSE(port.open(5));
  EXPECT_FALSE(port.open(0));
  EXPECT_FALSE(port.dsr());
  port.write(Bytes{1, 2, 3});  // harmless on a closed port
  Bytes dest(4);
  EXPECT_EQ(port.read(dest), 0u);
}

TEST_F(QtSerialPortTest, WritesAndReceivesEveryByteValue) {
  QtSerialPort port(ports_);
  std::vector<std::size_t> announced;
  int lineErrors = 0;
  port.setBytesAvailableHandler([&](std::size_t n) { announced.push_back(n); });
  port.setLineErrorHandler([&] { ++lineErrors; });
  ASSERT_TRUE(port.open(3));

  const Bytes frame{0x01, 0x09, 0xFF, 0x00, 0xFF, 0xFF, 0x7F, 0x80, 0x04};
  port.write(frame);
  EXPECT_EQ(pty_.receive(frame.size()), frame);

  pty_.send(frame);
  ASSERT_TRUE(waitFor([&] { return port.bytesAvailable() >= frame.size(); }));
  EXPECT_EQ(port.bytesAvailable(), frame.size());
  Bytes got(32);
  got.resize(port.read(got));
  EXPECT_EQ(got, frame);
  EXPECT_FALSE(announced.empty());
  EXPECT_EQ(lineErrors, 0);
}

// A handler that waits (as one that sends a command and waits a tick or two) is called
// again, within its wait, for the bytes that arrive meanwhile.
TEST_F(QtSerialPortTest, BytesArrivingWhileTheHandlerWaitsAreHandledDuringTheWait) {
  QtSerialPort port(ports_);
  Bytes received;
  int calls = 0;
  int depth = 0;
  int deepest = 0;
  port.setBytesAvailableHandler([&](std::size_t n) {
    ++calls;
    ++depth;
    deepest = std::max(deepest, depth);
    Bytes chunk(n);
    chunk.resize(port.read(chunk));
    received.insert(received.end(), chunk.begin(), chunk.end());
    if (calls == 1) {
      pty_.send(Bytes{0x06, 0x07});
      ticks_.wait(3);
      EXPECT_EQ(received.size(), 5u);  // handled within the wait
    }
    --depth;
  });
  ASSERT_TRUE(port.open(3));
  pty_.send(Bytes{0x01, 0x02, 0x03});
  ASSERT_TRUE(waitFor([&] { return received.size() >= 5; }));
  EXPECT_EQ(received, (Bytes{0x01, 0x02, 0x03, 0x06, 0x07}));
  EXPECT_EQ(deepest, 2);
}

// A device that goes away under the port is a line error, not a crash or a hang.
TEST_F(QtSerialPortTest, AVanishingDeviceIsALineError) {
  QtSerialPort port(ports_);
  int lineErrors = 0;
  port.setBytesAvailableHandler([&](std::size_t n) {
    Bytes chunk(n);
    port.read(chunk);
  });
  port.setLineErrorHandler([&] { ++lineErrors; });
  ASSERT_TRUE(port.open(3));
  pty_.hangUp();
  waitFor([&] { return lineErrors > 0; });
  EXPECT_GE(lineErrors, 1);
  port.close();
  EXPECT_FALSE(port.isOpen());
}

TEST_F(QtSerialPortTest, BytesLeftUnreadAreNotAnnouncedForever) {
  QtSerialPort port(ports_);
  int calls = 0;
  port.setBytesAvailableHandler([&](std::size_t) { ++calls; });
  ASSERT_TRUE(port.open(3));
  pty_.send(Bytes{0x01, 0x02});
  ASSERT_TRUE(waitFor([&] { return calls > 0; }));
  ticks_.wait(2);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(port.bytesAvailable(), 2u);

  // Reopening starts with an empty buffer.
  ASSERT_TRUE(port.open(3));
  EXPECT_EQ(port.bytesAvailable(), 0u);
}

// A silent analyser: one line names the Com port and host device tried, once a silence.
TEST(RoutingSerialPortTest, SaysWhichPortAndDeviceDidNotAnswer) {
  test::FakeSerialPort device, simulator;
  std::ostringstream report;
  RoutingSerialPort port(HostPorts{}, false, device, simulator, report);
  device.openSucceeds = false;
  EXPECT_FALSE(port.open(2) || port.dsr() || port.dsr());
  EXPECT_EQ(report.str(),
            "TQ4800 not answering on Com 2 (/dev/ttyS1, which could not be opened)\n");
}

}  // namespace
}  // namespace tq
