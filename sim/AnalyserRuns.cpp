// Sweeps, single-frequency readings and the ERS peak search of the simulated analyser.
#include <algorithm>
#include <cmath>

#include "AnalyserFrames.h"
#include "SimulatedAnalyser.h"

namespace tq::sim {

namespace {

constexpr std::int32_t kMinHz = 10000;
constexpr std::int32_t kLowTopHz = 30000000;
constexpr std::int32_t kMaxHz = 1100000000;

constexpr std::uint8_t kSegmentEndBit = 0x20;
constexpr std::uint8_t kLostPeakBit = 0x40;
constexpr std::uint8_t kMinNotReached = 1;
constexpr std::uint8_t kMaxNotReached = 2;
constexpr std::uint8_t kInvalidFrequency = 4;

}  // namespace

std::int32_t SimulatedAnalyser::sweepStepHz(int step) const {
  const double start = startHz_;
  const double finish = finishHz_;
  const double t = static_cast<double>(step) / steps_;
  double hz = start + (finish - start) * t;
  if (logAxis_ && start > 0 && finish > 0) hz = start * std::pow(finish / start, t);
  return static_cast<std::int32_t>(std::lround(hz));
}

double SimulatedAnalyser::binHalfWidthHz(int step) const {
  const double a = sweepStepHz(std::max(step - 1, 0));
  const double b = sweepStepHz(std::min(step + 1, steps_));
  return std::abs(b - a) / 4.0;
}

void SimulatedAnalyser::startSweep(bool segmented, bool ers) {
  stopActivity();
  activity_ = Activity::Sweep;
  segmented_ = segmented;
  ersSweep_ = ers;
  step_ = 0;
  const std::uint64_t generation = generation_;
  afterReply(options_.sweepStepMs, [this, generation] {
    if (generation == generation_ && activity_ == Activity::Sweep) sweepStep();
  });
}

void SimulatedAnalyser::sweepStep() {
  const std::int32_t hz = sweepStepHz(step_);
  std::uint8_t stepStatus = 0;
  // The last step never holds: the sweep ends there anyway.
  if (segmented_ && segmentArmed_ && hz >= segmentEndHz_ && step_ < steps_) {
    stepStatus |= kSegmentEndBit;
    segmentArmed_ = false;
    holding_ = true;
  }
  if (hz < kMinHz || hz > kMaxHz) stepStatus |= kInvalidFrequency;
  const double half = binHalfWidthHz(step_);
  const bool wasCompressed = compressed_;
  compressed_ = spectrum_.compressed(hz, half, frontEnd());
  reportCompression(wasCompressed);
  const double dbuv = spectrum_.level(hz, half, Detector::Peak, frontEnd(), ++sampleCounter_);
  awaitingAck_ = true;
  lastFrame_.clear();  // a NAK before this frame goes out has nothing to repeat
  send(dataFrame(stepStatus, hz, rawLevel(dbuv)), 0.0);
}

void SimulatedAnalyser::sweepProceed() {
  if (holding_ || awaitingAck_) return;
  if (step_ >= steps_) {
    stopActivity();
    return;
  }
  ++step_;
  const std::uint64_t generation = generation_;
  afterReply(options_.sweepStepMs, [this, generation] {
    if (generation == generation_ && activity_ == Activity::Sweep) sweepStep();
  });
}

void SimulatedAnalyser::continueSegment(bool lastSegment) {
  if (lastSegment) segmentArmed_ = false;
  if (activity_ != Activity::Sweep || !holding_) return;
  holding_ = false;
  sweepProceed();
}

void SimulatedAnalyser::tune(std::int32_t hz) {
  tunedHz_ = hz;
  tuneFault_ = 0;
  readingCount_ = 0;  // the slow detectors start charging again
}

void SimulatedAnalyser::tuneBy(int direction) {
  const std::int32_t stepHz = highRange_ ? 10000 : 1000;
  const std::int32_t low = highRange_ ? kLowTopHz : kMinHz;
  const std::int32_t high = highRange_ ? kMaxHz : kLowTopHz;
  const std::int64_t wanted = static_cast<std::int64_t>(tunedHz_) + direction * stepHz;
  tune(static_cast<std::int32_t>(std::clamp<std::int64_t>(wanted, low, high)));
  if (wanted < low) tuneFault_ = kMinNotReached;
  if (wanted > high) tuneFault_ = kMaxNotReached;
}

double SimulatedAnalyser::readingIntervalMs() const {
  // The sampling value paces the readings; the slow detectors take longer per reading.
  const double base = std::max(20, samplingValue_);
  return detector_ == Detector::Instant ? base : base * 2.5;
}

void SimulatedAnalyser::startReadings(Detector detector) {
  stopActivity();
  activity_ = Activity::Readings;
  detector_ = detector;
  readingCount_ = 0;
  const std::uint64_t generation = generation_;
  afterReply(readingIntervalMs(), [this, generation] {
    if (generation == generation_ && activity_ == Activity::Readings) reading();
  });
}

void SimulatedAnalyser::reading() {
  std::uint8_t stepStatus = tuneFault_;
  if (peakTracking_) {
    // Half a step of a whole-range sweep and more: a peak picked from the sweep is caught.
    const double window = highRange_ ? 1.5e6 : 50e3;
    const auto peak = spectrum_.strongestLine(tunedHz_ - window, tunedHz_ + window, frontEnd());
    if (peak) {
      tunedHz_ = static_cast<std::int32_t>(std::lround(*peak));
    } else {
      stepStatus |= kLostPeakBit;
    }
  }
  const bool inRange = highRange_ ? tunedHz_ >= kLowTopHz && tunedHz_ <= kMaxHz
                                  : tunedHz_ >= kMinHz && tunedHz_ <= kLowTopHz;
  if (!inRange)
    stepStatus = static_cast<std::uint8_t>((stepStatus & kLostPeakBit) | kInvalidFrequency);
  stepStatus = withInjectedStatus(stepStatus);
  ++readingCount_;
  compressed_ = spectrum_.compressed(tunedHz_, 0.0, frontEnd());
  const double target = spectrum_.level(tunedHz_, 0.0, detector_, frontEnd(), ++sampleCounter_);
  double dbuv = target;
  if (detector_ == Detector::Average || detector_ == Detector::QuasiPeak) {
    // The detector charges from nothing after a start or a retune, settled by ~20 readings.
    const double tau = detector_ == Detector::Average ? 3.0 : 4.0;
    dbuv = target - (target - 20.0) * std::exp(-readingCount_ / tau);
  }
  awaitingAck_ = true;
  lastFrame_.clear();
  send(dataFrame(stepStatus, tunedHz_, rawLevel(dbuv)), 0.0);
}

void SimulatedAnalyser::startPeakSearch() {
  stopActivity();
  activity_ = Activity::PeakSearch;
  const std::uint64_t generation = generation_;
  afterReply(options_.peakSearchMs, [this, generation] {
    if (generation == generation_ && activity_ == Activity::PeakSearch) peakFound();
  });
}

void SimulatedAnalyser::peakFound() {
  // Searches +-1 MHz around 1 GHz; with nothing there it drifts down and stops on a noise
  // peak near the bottom of its window.
  const FrontEnd fe{true, attenuationDb_};
  const auto line = spectrum_.strongestLine(999e6, 1001e6, fe);
  const double hz =
      line ? *line : 999e6 + 3e5 * unitFromBits(mixBits(options_.seed + ++sampleCounter_));
  const std::int32_t rounded = static_cast<std::int32_t>(std::lround(hz));
  const double dbuv = spectrum_.level(hz, 0.0, Detector::Peak, fe, ++sampleCounter_);
  tunedHz_ = rounded;
  awaitingAck_ = true;
  lastFrame_.clear();
  send(dataFrame(0, rounded, rawLevel(dbuv)), 0.0);
}

}  // namespace tq::sim
