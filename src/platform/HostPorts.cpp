#include "platform/HostPorts.h"

#include <cctype>

namespace tq {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

}  // namespace

std::array<std::string, 4> HostPorts::DefaultDevices(HostSystem system) {
  if (system == HostSystem::Windows) return {"COM1", "COM2", "COM3", "COM4"};
  return {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
}

HostPorts HostPorts::Parse(std::string_view text, HostSystem system) {
  HostPorts ports{DefaultDevices(system)};
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    std::string_view key = Trim(line.substr(0, eq));
    std::string_view value = Trim(line.substr(eq + 1));
    if (key.size() != 4 || value.empty()) continue;
    if (std::toupper(static_cast<unsigned char>(key[0])) != 'C' ||
        std::toupper(static_cast<unsigned char>(key[1])) != 'O' ||
        std::toupper(static_cast<unsigned char>(key[2])) != 'M' || key[3] < '1' || key[3] > '4')
      continue;
    std::string device(value);
    bool isSim = device.size() == 9;
    for (std::size_t i = 0; isSim && i < device.size(); ++i)
      isSim = std::tolower(static_cast<unsigned char>(device[i])) == "simulator"[i];
    ports.devices[static_cast<std::size_t>(key[3] - '1')] = isSim ? "simulator" : device;
  }
  return ports;
}

std::string HostPorts::device(int portNumber) const {
  if (portNumber < 1 || portNumber > 4) return {};
  return devices[static_cast<std::size_t>(portNumber - 1)];
}

}  // namespace tq
