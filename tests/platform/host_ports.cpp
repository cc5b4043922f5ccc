#include <gtest/gtest.h>

#include <string>

#include "platform/HostFiles.h"
#include "platform/HostPorts.h"

namespace tq {
namespace {

TEST(HostPorts, PortsWithoutALineUseTheHostsSerialDevices) {
  const HostPorts ports = HostPorts::Parse("", HostSystem::Posix);
  EXPECT_EQ(ports.device(1), "/dev/ttyS0");
  EXPECT_EQ(ports.device(4), "/dev/ttyS3");
  EXPECT_EQ(ports.device(0), "");
  EXPECT_EQ(ports.device(5), "");
  EXPECT_EQ(ports.device(-1), "");
  EXPECT_FALSE(ports.isSimulator(1));
  EXPECT_FALSE(ports.isSimulator(9));
  // On Windows the ports of those names, unless host.ini sends one elsewhere.
  const HostPorts windows = HostPorts::Parse("COM2=COM7\r\n", HostSystem::Windows);
  EXPECT_EQ(windows.devices, (std::array<std::string, 4>{"COM1", "COM7", "COM3", "COM4"}));
  EXPECT_EQ(HostPorts{}.devices, HostPorts::DefaultDevices(kThisHost));
}

TEST(HostPorts, ReadsDevicesAndTheSimulatorSkippingCommentsAndBadLines) {
  const HostPorts ports = HostPorts::Parse(
      "; serial devices\r\n"
      "# another comment\r\n"
      ";COM4=/dev/commented\r\n"
      "  com2 = /dev/ttyUSB0  \r\n"
      "COM1=Simulator\r\n"
      "COM3=/dev/pts/4\n"
      "COM5=/dev/ttyS9\n"
      "COM0=/dev/ttyS9\n"
      "COM10=/dev/ttyS9\n"
      "COMX=/dev/ttyS9\n"
      "COM4\n"
      "COM4=\n"
      "=COM4\n"
      "garbage line without equals",
      HostSystem::Posix);
  EXPECT_EQ(ports.device(1), "simulator");
  EXPECT_TRUE(ports.isSimulator(1));
  EXPECT_EQ(ports.device(2), "/dev/ttyUSB0");
  EXPECT_EQ(ports.device(3), "/dev/pts/4");
  EXPECT_EQ(ports.device(4), "/dev/ttyS3");
  EXPECT_FALSE(ports.isSimulator(2));
}

TEST(HostPorts, LaterLinesWinAndTheLastLineNeedsNoEnd) {
  const HostPorts ports = HostPorts::Parse("COM2=/dev/a\nCOM2=/dev/b");
  EXPECT_EQ(ports.device(2), "/dev/b");
  // A device path is taken as written, case included.
  EXPECT_EQ(HostPorts::Parse("COM3=/dev/ttyACM0").device(3), "/dev/ttyACM0");
  EXPECT_FALSE(HostPorts::Parse("COM3=/dev/simulator").isSimulator(3));
}

TEST(HostPorts, TheDefaultHostIniChangesNoPort) {
  const auto root = std::filesystem::temp_directory_path() / "tq_host_ports_default";
  for (const HostSystem system : {HostSystem::Posix, HostSystem::Windows}) {
    std::filesystem::remove_all(root);
    HostFiles files(root, system);
    files.ensureHostIni();
    const std::string text = files.readAll(Utf8Path(files.hostIniPath())).value_or("");
    std::filesystem::remove_all(root);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(HostPorts::Parse(text, system).devices, HostPorts::DefaultDevices(system));
  }
}

}  // namespace
}  // namespace tq
