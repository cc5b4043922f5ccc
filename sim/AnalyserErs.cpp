// What the simulated analyser does for ERS calibration: the ERS unit's comb, and the
// compression reports of a sweep. The ERS sweep (0x37) and the peak search (0x81, 0x87)
// run with the other runs.
#include <algorithm>
#include <cmath>

#include "AnalyserFrames.h"
#include "SimulatedAnalyser.h"

namespace tq::sim {

namespace {

constexpr double kErsCombHz = 2e6;
// Strong enough to overdrive the input below 20 dB attenuation, and some 25 dB above the
// noise floor at 30 dB.
constexpr double kErsTopDbuv = 94.0;

}  // namespace

double SpectrumModel::ersLineDbuv(double hz) {
  return kErsTopDbuv - 10.0 * std::log10(std::max(hz, 30e6) / 30e6);
}

void SpectrumModel::addErsLines(double lowHz, double highHz, std::vector<Line>& lines) const {
  // A line every 2 MHz from 30 MHz; the top one, at 1 GHz, carries the unit's frequency
  // error.
  const long a = std::max(15L, static_cast<long>(std::ceil(lowHz / kErsCombHz)));
  const long b = std::min(499L, static_cast<long>(std::floor(highHz / kErsCombHz)));
  for (long k = a; k <= b; ++k) {
    const double hz = static_cast<double>(k) * kErsCombHz;
    lines.push_back({hz, ersLineDbuv(hz)});
  }
  if (ersPeakHz_ >= lowHz && ersPeakHz_ <= highHz)
    lines.push_back({ersPeakHz_, ersLineDbuv(ersPeakHz_)});
}

void SimulatedAnalyser::reportCompression(bool wasCompressed) {
  // A step held at a segment end reports its hold instead.
  if ((compressed_ || wasCompressed) && !holding_) send(statusFrame(statusByte()), 0.0);
}

}  // namespace tq::sim
