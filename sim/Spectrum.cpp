#include "Spectrum.h"

#include <algorithm>
#include <cmath>

namespace tq::sim {

namespace {

constexpr double kLowRangeTopHz = 30e6;
constexpr double kLowRbwHz = 9e3;
constexpr double kHighRbwHz = 120e3;

double log10(double x) {
  return std::log10(x);
}

double powerOf(double dbuv) {
  return std::pow(10.0, dbuv / 10.0);
}
double dbuvOf(double power) {
  return 10.0 * log10(std::max(power, 1e-3));
}

// Response of the resolution filter to a line offset from the tuned frequency: flat within
// the bin, then falling steeply, so a sweep with wide steps still catches lines inside a step.
double lineResponseDb(double offsetHz, double halfBinHz) {
  const double off = std::abs(offsetHz);
  if (off <= halfBinHz) return 0.0;
  return -40.0 * log10(off / halfBinHz);
}

bool inBand(double hz, FrontEnd fe) {
  return fe.highRange ? hz >= kLowRangeTopHz * 0.97 : hz <= kLowRangeTopHz * 1.03;
}

}  // namespace

std::uint64_t mixBits(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ULL;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
  return x ^ (x >> 31);
}

double unitFromBits(std::uint64_t bits) {
  return static_cast<double>(bits >> 11) * 0x1.0p-53;
}

SpectrumModel::SpectrumModel(std::uint64_t seed, Product product) : seed_(seed), product_(product) {
  auto draw = [this, n = std::uint64_t{0}](double lo, double hi) mutable {
    return lo + (hi - lo) * unitFromBits(mixBits(seed_ * 7919 + ++n));
  };
  // A strong local transmitter in the LOW range: overdrives the input at 0 dB attenuation.
  carriers_.push_back({std::round(draw(0.6e6, 1.4e6) / 1e3) * 1e3, draw(86.0, 90.0)});
  carriers_.push_back({std::round(draw(3e6, 9e6) / 1e3) * 1e3, draw(52.0, 64.0)});
  carriers_.push_back({std::round(draw(80e6, 300e6) / 1e4) * 1e4, draw(48.0, 62.0)});
  carriers_.push_back({std::round(draw(400e6, 950e6) / 1e4) * 1e4, draw(42.0, 55.0)});
  ersPeakHz_ = 1e9 + std::round(draw(-40e3, 40e3));
  // Single frequency: the pulsed emission sits well clear of the clock harmonics.
  double pulsedHz = std::round(draw(600e6, 700e6) / 1e4) * 1e4;
  const double offHarmonic = std::fmod(pulsedHz, kClockHz);
  if (offHarmonic < 3e6) pulsedHz += 3e6;
  if (offHarmonic > kClockHz - 3e6) pulsedHz -= 3e6;
  // A burst of 10 % duty: the average 20 log10 of it down, the quasi-peak 8 dB.
  pulsed_ = {pulsedHz, draw(60.0, 66.0), true};
  if (product_ == Product::Enclosed) {
    // The case screens the carriers' pick-up; the pulsed emissions are bursts at a few tens
    // of hertz and duties of a few per cent, clear of the clock harmonics.
    carriers_[2].dbuv -= 22.0;
    carriers_[3].dbuv -= 22.0;
    emissions_.push_back({181.25e6, draw(52.0, 53.0), true, -12.0, -30.0});
    emissions_.push_back({392.0e6, draw(50.0, 51.0), true, -11.0, -28.0});
    emissions_.push_back({872.0e6, draw(43.0, 44.0), true, -13.0, -33.0});
    // On the mains, through a LISN, the local transmitters are not seen; what is conducted
    // is the switching supply's own: harmonics of its 66 kHz switching, spiky enough to read
    // well below peak on the slow detectors, and a quieter broadband floor (see below).
    carriers_[0].dbuv = -100.0;
    carriers_[1].dbuv = -100.0;
    conducted_ = {{198e3, 52.0, true, -6.0, -15.0},
                  {660e3, 42.0, true, -6.0, -15.0},
                  {1.98e6, 35.0, true, -6.0, -15.0},
                  {4.62e6, 32.0, true, -6.0, -15.0}};
  }
}

double SpectrumModel::pulseWeightDb(const Line& line, Detector detector) {
  switch (detector) {
    case Detector::Average:
      return line.averageDb;
    case Detector::QuasiPeak:
      return line.quasiPeakDb;
    default:
      return 0.0;
  }
}

double SpectrumModel::harmonicDbuv(long n) const {
  const double dn = static_cast<double>(n);
  if (product_ == Product::Bench) return 88.0 - 20.0 * log10(dn);
  // The clock itself, conducted onto the mains through the filtered supply.
  if (n < 2) return 30.0;
  // Radiated from the case: the odd harmonics of a square clock on a 1/n slope, the even ones
  // well down.
  const double odd = 43.0 + 20.0 * log10(3.0 / dn);
  return n % 2 == 1 ? odd : odd - 15.0;
}

std::vector<SpectrumModel::Line> SpectrumModel::linesIn(double lowHz, double highHz,
                                                        FrontEnd fe) const {
  std::vector<Line> lines;
  for (const Line& c : carriers_) {
    if (c.hz >= lowHz && c.hz <= highHz && inBand(c.hz, fe)) lines.push_back(c);
  }
  if (fe.highRange && pulsed_.hz >= lowHz && pulsed_.hz <= highHz) lines.push_back(pulsed_);
  for (const Line& e : emissions_)
    if (fe.highRange && e.hz >= lowHz && e.hz <= highHz) lines.push_back(e);
  for (const Line& e : conducted_)
    if (!fe.highRange && e.hz >= lowHz && e.hz <= highHz) lines.push_back(e);
  // Clock harmonics, falling with frequency.
  const long first = std::max(1L, static_cast<long>(std::ceil(lowHz / kClockHz)));
  const long last = static_cast<long>(std::floor(highHz / kClockHz));
  for (long n = first; n <= last && n - first < 4096; ++n) {
    const double hz = static_cast<double>(n) * kClockHz;
    if (inBand(hz, fe)) lines.push_back({hz, harmonicDbuv(n)});
  }
  if (ersSource_ && fe.highRange) addErsLines(lowHz, highHz, lines);
  return lines;
}

double SpectrumModel::broadbandDbuv(double hz) const {
  // Switching noise of a mains supply: strong at the bottom of the LOW range.
  const double f = std::max(hz, 30e3);
  // The finished product's supply is filtered.
  const double filterDb = product_ == Product::Enclosed ? 30.0 : 0.0;
  return 62.0 - filterDb - 20.0 * log10(f / 150e3);
}

double SpectrumModel::signalPower(double hz, double binHalfWidthHz, FrontEnd fe,
                                  Detector detector) const {
  const double halfBin = std::max(binHalfWidthHz, (fe.highRange ? kHighRbwHz : kLowRbwHz) / 2);
  // Lines more than 1000 bins away contribute less than -120 dB: skip them.
  double power = 0.0;
  for (const Line& line : linesIn(hz - 1000 * halfBin, hz + 1000 * halfBin, fe)) {
    const double weight = line.pulsed ? pulseWeightDb(line, detector) : 0.0;
    power += powerOf(line.dbuv + weight + lineResponseDb(line.hz - hz, halfBin));
  }
  return power;
}

double SpectrumModel::noise(double hz, std::uint64_t sample, std::uint64_t salt) const {
  // Roughly normal, zero mean, unit spread (sum of three uniforms).
  const std::uint64_t key =
      mixBits(seed_ ^ mixBits(static_cast<std::uint64_t>(hz) + salt)) + sample;
  double sum = 0.0;
  for (int i = 0; i < 3; ++i) sum += unitFromBits(mixBits(key * 3 + i));
  return (sum - 1.5) * 2.0;
}

double SpectrumModel::level(double hz, double binHalfWidthHz, Detector detector, FrontEnd fe,
                            std::uint64_t sample) const {
  // Noise floor at the detector, behind the attenuator: lower on the slow detectors. The
  // program adds the attenuation back, so the floor it shows rises with it.
  double floorDb = fe.highRange ? 24.0 : 14.0;
  double broadDb = inBand(hz, fe) && !fe.highRange ? broadbandDbuv(hz) : -100.0;
  double spread = 2.0;
  switch (detector) {
    case Detector::Peak:
    case Detector::Instant:
      break;
    case Detector::QuasiPeak:
      floorDb -= 2.0;
      broadDb -= 10.0;
      spread = 0.8;
      break;
    case Detector::Average:
      floorDb -= 5.0;
      broadDb -= 20.0;
      spread = 0.4;
      break;
  }
  floorDb += spread * noise(hz, sample, 1);
  broadDb += 1.5 * spread * noise(hz, sample, 2);
  // What reaches the detector: the input less the attenuation, over the floor.
  const double input = powerOf(broadDb) + signalPower(hz, binHalfWidthHz, fe, detector);
  return dbuvOf(powerOf(floorDb) + input / powerOf(fe.attenuationDb));
}

bool SpectrumModel::compressed(double hz, double binHalfWidthHz, FrontEnd fe) const {
  double power = signalPower(hz, binHalfWidthHz, fe);
  if (!fe.highRange && inBand(hz, fe)) power += powerOf(broadbandDbuv(hz));
  return dbuvOf(power) - fe.attenuationDb > kCompressionDbuv;
}

std::optional<double> SpectrumModel::strongestLine(double lowHz, double highHz, FrontEnd fe) const {
  std::optional<double> best;
  double bestDb = -1e9;
  for (const Line& line : linesIn(lowHz, highHz, fe)) {
    if (line.dbuv > bestDb) {
      bestDb = line.dbuv;
      best = line.hz;
    }
  }
  return best;
}

}  // namespace tq::sim
