#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tq {

// What Com 1 .. Com 4 reach on this host, from <data root>/host.ini ("COMn=device" lines,
// "COMn=simulator" for the built-in simulated analyser).
struct HostPorts {
  std::array<std::string, 4> devices{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};

  static HostPorts Parse(std::string_view iniText);
  // The device for port 1..4; empty for any other number.
  std::string device(int portNumber) const;
  bool isSimulator(int portNumber) const { return device(portNumber) == "simulator"; }
};

}  // namespace tq
