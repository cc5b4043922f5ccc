#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/HostSystem.h"

namespace tq {

// What Com 1 .. Com 4 reach on this host, from host.ini ("COMn=device" lines,
// "COMn=simulator" for the built-in simulated analyser).
struct HostPorts {
  std::array<std::string, 4> devices = DefaultDevices(kThisHost);

  // A port without a line: /dev/ttyS0 .. /dev/ttyS3 on POSIX, COM1 .. COM4 on Windows.
  static std::array<std::string, 4> DefaultDevices(HostSystem system);
  static HostPorts Parse(std::string_view iniText, HostSystem system = kThisHost);
  // The device for port 1..4; empty for any other number.
  std::string device(int portNumber) const;
  bool isSimulator(int portNumber) const { return device(portNumber) == "simulator"; }
};

}  // namespace tq
