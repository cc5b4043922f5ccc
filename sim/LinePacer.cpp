#include "LinePacer.h"

#include <algorithm>

namespace tq::sim {

double LinePacer::book(std::size_t byteCount) {
  if (!paced_) return 0.0;
  const double now = ticks_.nowMs();
  freeAtMs_ = std::max(freeAtMs_, now) + static_cast<double>(byteCount) * kByteMs;
  return freeAtMs_ - now;
}

}  // namespace tq::sim
