#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "Spectrum.h"
#include "platform/Ticks.h"

namespace tq::sim {

struct AnalyserOptions {
  int versionMajor = 2;  // hardware version major.minor, reported by the version frame
  int versionMinor = 10;
  bool startHighRange = true;  // the range the analyser comes up in
  bool nx91Attached = false;   // an NX91 pre-selector answers on the accessory bus
  bool nx91Automatic = true;   // its front switch on automatic band selection
  int nx91Position = 0;        // 0 Through .. 8
  bool ersSourceOn = false;    // an ERS unit radiating into the input
  std::uint64_t seed = 1;      // spectrum and reading noise

  // What is under test: the bare board, or the finished product in its case.
  Product product = Product::Bench;
  // ACK each command that has no answer frame of its own: this is what releases the
  // program's queued commands one by one while the analyser is busy.
  bool acknowledgeCommands = true;
  // The analyser's own pace (independent of the line rate).
  double replyDelayMs = 2.0;  // from a command's last byte to the answer
  // Settling per sweep step, from the previous step's ACK to the next data frame. At 0.1 ms
  // a 500-step peak sweep takes 0.7 % longer than the 6.875 s its frames and ACKs need on
  // the line; keep it below 0.27 ms to stay within 2 %.
  double sweepStepMs = 0.1;
  double resetMs = 1500.0;      // "Resetting" after 0x80
  double peakSearchMs = 400.0;  // 0x87
};

// One frame or signal byte received from the program, as the analyser understood it.
struct ReceivedCommand {
  std::uint8_t code = 0;   // command code, or ACK/NAK/ENQ for a single byte
  std::int32_t value = 0;  // big-endian data bytes
  int dataBytes = 0;
  bool accessory = false;  // went to the accessory bus (RTS low, codes 0x22/0x14/0x13)
  bool singleByte = false;
  double atMs = 0.0;
};

enum class Activity { Idle, Sweep, Readings, PeakSearch, Resetting };

// The analyser's side of the serial protocol, written from the frame definitions alone: it
// shares no code with the program so that a fault on either side shows up in the other.
// Bytes come in through receive(); everything it sends goes to the transmitter.
class SimulatedAnalyser {
 public:
  using Transmitter = std::function<void(std::vector<std::uint8_t>)>;

  explicit SimulatedAnalyser(Ticks& ticks, AnalyserOptions options = {});
  ~SimulatedAnalyser();
  SimulatedAnalyser(const SimulatedAnalyser&) = delete;
  SimulatedAnalyser& operator=(const SimulatedAnalyser&) = delete;

  void setTransmitter(Transmitter transmitter) { transmit_ = std::move(transmitter); }
  void receive(std::span<const std::uint8_t> bytes);
  // RTS from the program: low routes frames to the accessory bus; a report waits for high.
  void setRts(bool high);

  // The user turns the NX91's band switch: it reports at once.
  void turnNx91Switch(int position, bool automatic);
  void setErsSource(bool on) { spectrum_.setErsSource(on); }

  const std::vector<ReceivedCommand>& log() const { return log_; }
  void clearLog() { log_.clear(); }
  // Commands (not single bytes) with this code, oldest first.
  std::vector<ReceivedCommand> commands(std::uint8_t code) const;

  Activity activity() const { return activity_; }
  bool sweeping() const { return activity_ == Activity::Sweep; }
  bool holdingAtSegmentEnd() const { return holding_; }
  bool readingsRunning() const { return activity_ == Activity::Readings; }
  int attenuationDb() const { return attenuationDb_; }
  bool highRange() const { return highRange_; }
  std::int32_t startHz() const { return startHz_; }
  std::int32_t finishHz() const { return finishHz_; }
  int steps() const { return steps_; }
  bool logAxis() const { return logAxis_; }
  int stepIndex() const { return step_; }
  std::int32_t segmentEndHz() const { return segmentEndHz_; }
  std::int32_t tunedHz() const { return tunedHz_; }
  Detector detector() const { return detector_; }
  int samplingValue() const { return samplingValue_; }
  bool peakTracking() const { return peakTracking_; }
  int preselectorValue() const { return preselectorValue_; }
  int nx91Position() const { return options_.nx91Position; }
  std::uint8_t statusByte() const;
  int stateCode() const;
  const SpectrumModel& spectrum() const { return spectrum_; }
  const AnalyserOptions& options() const { return options_; }

  // Frequency of sweep step i for the current start, finish, steps and axis.
  std::int32_t sweepStepHz(int step) const;

  // Single frequency: the next `readings` readings also carry these step status bits (0x40
  // lost peak, 4 invalid frequency, 1 to 3 tuning faults), whatever the tuning says.
  void injectReadingStatus(std::uint8_t status, int readings = 1);

 private:
  void parse();
  void handleFrame(std::uint8_t code, std::int32_t value, int dataBytes,
                   std::span<const std::uint8_t> data);
  void handleCommand(std::uint8_t code, std::int32_t value);
  void handleAccessory(std::uint8_t code, std::span<const std::uint8_t> data);
  void onAck();
  void send(std::vector<std::uint8_t> bytes, double delayMs);
  void sendFrame(std::vector<std::uint8_t> frame, double delayMs);
  void sendNx91Report();
  void afterReply(double delayMs, std::function<void()> fn);
  void stopActivity();
  FrontEnd frontEnd() const { return {highRange_, attenuationDb_}; }

  // Sweeps.
  void startSweep(bool segmented, bool ers);
  void sweepStep();
  void sweepProceed();
  void continueSegment(bool lastSegment);
  double binHalfWidthHz(int step) const;

  // Single-frequency readings and the peak search.
  void tune(std::int32_t hz);
  void tuneBy(int direction);
  void startReadings(Detector detector);
  void reading();
  double readingIntervalMs() const;
  std::uint8_t withInjectedStatus(std::uint8_t status);
  void startPeakSearch();
  void peakFound();

  // ERS calibration's needs: a status frame before each compressed sweep point and after
  // the last, so that the program can tell which points were compressed.
  void reportCompression(bool wasCompressed);

  Ticks& ticks_;
  AnalyserOptions options_;
  SpectrumModel spectrum_;
  Transmitter transmit_;
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);

  std::vector<std::uint8_t> rx_;
  std::uint64_t rxGeneration_ = 0;
  std::vector<std::uint8_t> lastFrame_;
  std::vector<ReceivedCommand> log_;
  bool rtsHigh_ = true;

  Activity activity_ = Activity::Idle;
  std::uint64_t generation_ = 0;  // bumped whenever the activity changes: stale steps drop
  bool awaitingAck_ = false;
  bool compressed_ = false;
  std::uint64_t sampleCounter_ = 0;

  int attenuationDb_ = 0;
  bool highRange_ = false;
  int preselectorValue_ = 8;

  std::int32_t startHz_ = 10000;
  std::int32_t finishHz_ = 30000000;
  int steps_ = 500;
  bool logAxis_ = false;
  int step_ = 0;
  bool segmented_ = false;
  bool ersSweep_ = false;
  bool segmentArmed_ = false;
  bool holding_ = false;
  std::int32_t segmentEndHz_ = 0;

  std::int32_t tunedHz_ = 10000000;
  Detector detector_ = Detector::Peak;
  int samplingValue_ = 100;
  bool peakTracking_ = false;
  int readingCount_ = 0;
  std::uint8_t tuneFault_ = 0;
  std::uint8_t injectedStatus_ = 0;
  int injectedReadings_ = 0;

  bool accessorySequence_ = false;
  bool nx91Queried_ = false;
  bool reportPending_ = false;
};

}  // namespace tq::sim
