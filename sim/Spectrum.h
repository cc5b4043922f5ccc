#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace tq::sim {

enum class Detector { Peak, Instant, Average, QuasiPeak };

// The analyser's front end as it affects what it sees.
struct FrontEnd {
  bool highRange = false;
  int attenuationDb = 0;
};

// Bench: the bare board on the bench, every line well clear of the floor. Enclosed: the
// finished product in its case, whose radiated emissions seen by the NX20 antenna at 3 m lie
// about the EN55022 class B line: a clock harmonic just under it, three low-rate pulsed
// emissions over it on the peak detector only, and the pulsed emission of the bench over it
// on every detector. On the mains (LOW range, through the LISN with its 10 dB attenuator) the
// enclosed product's filtered supply conducts switching harmonics over the EN55022 class B
// average line on the peak detector that pass on quasi-peak and average.
enum class Product { Bench, Enclosed };

// A believable product under test: noise floor, clock harmonics, a few carriers, broadband
// noise at low frequencies, optionally an ERS comb. The same seed gives the same spectrum.
class SpectrumModel {
 public:
  explicit SpectrumModel(std::uint64_t seed, Product product = Product::Bench);

  // Level in dBuV seen at hz by a detector whose bin spans hz +- binHalfWidthHz, behind the
  // attenuator (the analyser reports it so); `sample` selects the noise of one reading, so
  // repeated readings differ but are reproducible.
  double level(double hz, double binHalfWidthHz, Detector detector, FrontEnd frontEnd,
               std::uint64_t sample) const;
  // True when the input at hz would overdrive the mixer with this attenuation.
  bool compressed(double hz, double binHalfWidthHz, FrontEnd frontEnd) const;
  // Frequency of the strongest narrowband line in [lowHz, highHz], if any.
  std::optional<double> strongestLine(double lowHz, double highHz, FrontEnd frontEnd) const;

  void setErsSource(bool on) { ersSource_ = on; }
  bool ersSource() const { return ersSource_; }
  // Where the ERS comb's 1 GHz line actually sits (its frequency error is seeded).
  double ersPeakHz() const { return ersPeakHz_; }
  // ERS: the level of the unit's comb line at hz as the input sees it, dBuV.
  static double ersLineDbuv(double hz);

  struct Line {
    double hz;
    double dbuv;  // the peak level
    bool pulsed = false;
    // A pulsed line as the slow detectors weight it below its peak: the quasi-peak by its
    // repetition rate, the average by its duty cycle.
    double quasiPeakDb = -8.0;
    double averageDb = -20.0;
  };
  const std::vector<Line>& carriers() const { return carriers_; }
  // Single frequency: a pulsed emission in the HIGH range (a burst of 10 % duty), which the
  // average and quasi-peak detectors weight below its peak.
  const Line& pulsedLine() const { return pulsed_; }
  static double pulseWeightDb(const Line& line, Detector detector);
  // The enclosed product's low-rate pulsed emissions (none on the bench).
  const std::vector<Line>& pulsedEmissions() const { return emissions_; }

  static constexpr double kClockHz = 16e6;
  static constexpr double kCompressionDbuv = 80.0;

 private:
  double signalPower(double hz, double binHalfWidthHz, FrontEnd frontEnd,
                     Detector detector = Detector::Peak) const;
  double broadbandDbuv(double hz) const;
  double harmonicDbuv(long n) const;
  double noise(double hz, std::uint64_t sample, std::uint64_t salt) const;
  std::vector<Line> linesIn(double lowHz, double highHz, FrontEnd frontEnd) const;
  // ERS: the unit's comb lines in [lowHz, highHz].
  void addErsLines(double lowHz, double highHz, std::vector<Line>& lines) const;

  std::uint64_t seed_;
  Product product_;
  std::vector<Line> carriers_;
  std::vector<Line> emissions_;
  std::vector<Line> conducted_;
  bool ersSource_ = false;
  double ersPeakHz_ = 1e9;
  Line pulsed_{};
};

// Reproducible pseudo-random numbers from a key (splitmix64).
std::uint64_t mixBits(std::uint64_t x);
double unitFromBits(std::uint64_t bits);  // [0, 1)

}  // namespace tq::sim
