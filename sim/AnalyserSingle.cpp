// Single-frequency readings of the simulated analyser: faults a test asks for.
#include <algorithm>

#include "SimulatedAnalyser.h"

namespace tq::sim {

void SimulatedAnalyser::injectReadingStatus(std::uint8_t status, int readings) {
  injectedStatus_ = status;
  injectedReadings_ = std::max(readings, 0);
}

std::uint8_t SimulatedAnalyser::withInjectedStatus(std::uint8_t status) {
  if (injectedReadings_ <= 0) return status;
  --injectedReadings_;
  // A frequency fault of its own replaces the one the tuning gave; the lost-peak bit adds.
  const std::uint8_t fault = (injectedStatus_ & 0x0F) != 0 ? injectedStatus_ & 0x0F : status & 0x0F;
  return static_cast<std::uint8_t>((status & 0x40) | (injectedStatus_ & 0x40) | fault);
}

}  // namespace tq::sim
