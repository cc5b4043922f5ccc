#include "SimulatedAnalyser.h"

#include <algorithm>
#include <utility>

#include "AnalyserFrames.h"

namespace tq::sim {

namespace {

constexpr std::uint8_t kNx91Device = 0x33;
// A partial frame older than this is dropped, so a lost byte cannot wedge the receiver.
constexpr double kPartialFrameTimeoutMs = 500.0;

bool isAccessoryCode(std::uint8_t code) {
  return code == 0x22 || code == 0x14 || code == 0x13;
}

}  // namespace

SimulatedAnalyser::SimulatedAnalyser(Ticks& ticks, AnalyserOptions options)
    : ticks_(ticks), options_(options), spectrum_(options.seed, options.product) {
  highRange_ = options_.startHighRange;
  options_.nx91Position = std::clamp(options_.nx91Position, 0, 8);
  spectrum_.setErsSource(options_.ersSourceOn);
}

SimulatedAnalyser::~SimulatedAnalyser() = default;

std::vector<ReceivedCommand> SimulatedAnalyser::commands(std::uint8_t code) const {
  std::vector<ReceivedCommand> found;
  for (const ReceivedCommand& c : log_) {
    if (!c.singleByte && c.code == code) found.push_back(c);
  }
  return found;
}

void SimulatedAnalyser::receive(std::span<const std::uint8_t> bytes) {
  rx_.insert(rx_.end(), bytes.begin(), bytes.end());
  parse();
  if (rx_.empty()) return;
  const std::uint64_t generation = ++rxGeneration_;
  std::weak_ptr<int> alive = alive_;
  ticks_.post(kPartialFrameTimeoutMs, [this, alive, generation] {
    if (alive.expired() || generation != rxGeneration_) return;
    rx_.clear();
  });
}

void SimulatedAnalyser::parse() {
  while (!rx_.empty()) {
    const std::uint8_t first = rx_.front();
    if (first != kSoh) {
      rx_.erase(rx_.begin());
      if (first == kAck || first == kNak || first == kEnq) {
        log_.push_back({first, 0, 0, false, true, ticks_.nowMs()});
      }
      if (first == kAck) {
        onAck();
      } else if (first == kNak) {
        // The program did not take our last frame: say it again.
        if (!lastFrame_.empty()) send(lastFrame_, options_.replyDelayMs);
      } else if (first == kEnq) {
        send({kAck}, options_.replyDelayMs);
      }
      // Any other byte is line noise between frames: skip it.
      continue;
    }
    if (rx_.size() < 2) return;
    const int n = rx_[1];
    if (n < 2 || n > kMaxFrameN) {
      rx_.clear();
      send({kNak}, options_.replyDelayMs);
      return;
    }
    if (rx_.size() < static_cast<std::size_t>(n) + 2) return;
    if (rx_[n + 1] != kEot) {
      rx_.clear();
      send({kNak}, options_.replyDelayMs);
      return;
    }
    const std::uint8_t code = rx_[2];
    const std::vector<std::uint8_t> data(rx_.begin() + 3, rx_.begin() + n + 1);
    rx_.erase(rx_.begin(), rx_.begin() + n + 2);
    std::uint32_t value = 0;
    for (std::uint8_t b : data) value = (value << 8) | b;
    handleFrame(code, static_cast<std::int32_t>(value), static_cast<int>(data.size()), data);
  }
}

void SimulatedAnalyser::handleFrame(std::uint8_t code, std::int32_t value, int dataBytes,
                                    std::span<const std::uint8_t> data) {
  // Codes 0x22/0x14/0x13 go to the accessory bus even with RTS high: a pseudo-terminal
  // carries no modem lines, and the analyser has no commands of its own with these codes.
  const bool accessory = !rtsHigh_ || isAccessoryCode(code);
  log_.push_back({code, value, dataBytes, accessory, false, ticks_.nowMs()});
  if (accessory) {
    handleAccessory(code, data);
    return;
  }
  if (dataBytes > 4) {
    send({kNak}, options_.replyDelayMs);
    return;
  }
  handleCommand(code, value);
}

void SimulatedAnalyser::handleCommand(std::uint8_t code, std::int32_t value) {
  const double reply = options_.replyDelayMs;
  switch (code) {
    case 0x20:
      afterReply(reply, [this] { sendFrame(statusFrame(statusByte()), 0.0); });
      return;
    case 0x21:
      sendFrame(versionFrame(options_.versionMajor, options_.versionMinor), reply);
      return;
    default:
      break;
  }
  // Everything else is acknowledged; settings apply at once, runs start after the ACK.
  bool known = true;
  std::function<void()> effect;
  switch (code) {
    case 0x10:
      // The attenuator has 10 dB steps up to 30 dB.
      attenuationDb_ = std::clamp(value / 10, 0, 3) * 10;
      break;
    case 0x12:
      preselectorValue_ = value;
      if (options_.nx91Attached && options_.nx91Automatic) {
        options_.nx91Position = value >= 0 && value < 8 ? value + 1 : 0;
      }
      break;
    case 0x30:
      startHz_ = value;
      break;
    case 0x31:
      finishHz_ = value;
      break;
    case 0x33:
      logAxis_ = (value & 0x10000) != 0;
      steps_ = std::clamp(value & 0xFFFF, 1, 1000);
      break;
    case 0x34:
      effect = [this] { startSweep(false, false); };
      break;
    case 0x36:
      stopActivity();
      break;
    case 0x37:
      effect = [this] { startSweep(false, true); };
      break;
    case 0x38:
      segmentEndHz_ = value;
      segmentArmed_ = true;
      break;
    case 0x39:
      effect = [this] { startSweep(true, false); };
      break;
    case 0x3A:
    case 0x3B:
      effect = [this, code] { continueSegment(code == 0x3B); };
      break;
    case 0x40:
      tune(value);
      break;
    case 0x41:
    case 0x45:
      samplingValue_ = value;
      break;
    case 0x42:
      effect = [this] { startReadings(Detector::Instant); };
      break;
    case 0x46:
      effect = [this] { startReadings(Detector::Average); };
      break;
    case 0x48:
      effect = [this] { startReadings(Detector::QuasiPeak); };
      break;
    case 0x4A:
      if (activity_ == Activity::Readings) stopActivity();
      break;
    case 0x4B:
      tuneBy(+1);
      break;
    case 0x4C:
      tuneBy(-1);
      break;
    case 0x4D:
      peakTracking_ = value != 0;
      break;
    case 0x80:
      stopActivity();
      segmentArmed_ = false;
      peakTracking_ = false;
      samplingValue_ = 100;
      activity_ = Activity::Resetting;
      {
        const std::uint64_t generation = generation_;
        afterReply(options_.resetMs, [this, generation] {
          if (generation != generation_ || activity_ != Activity::Resetting) return;
          activity_ = Activity::Idle;
          // Announce that it is ready again: releases anything the program queued meanwhile.
          sendFrame(statusFrame(statusByte()), 0.0);
        });
      }
      break;
    case 0x81:
      // Leaves the ERS peak search, ready for the next.
      if (activity_ == Activity::PeakSearch) stopActivity();
      break;
    case 0x83:
      if (highRange_ != (value != 0)) stopActivity();
      highRange_ = value != 0;
      break;
    case 0x87:
      effect = [this] { startPeakSearch(); };
      break;
    default:
      known = false;
      break;
  }
  if (!known) {
    send({kNak}, reply);
  } else if (options_.acknowledgeCommands) {
    send({kAck}, reply);
  }
  if (effect) afterReply(reply, std::move(effect));
}

void SimulatedAnalyser::handleAccessory(std::uint8_t code, std::span<const std::uint8_t> data) {
  switch (code) {
    case 0x22:  // bus reset: a new enquiry begins
      accessorySequence_ = true;
      nx91Queried_ = false;
      break;
    case 0x14:
      if (accessorySequence_ && !data.empty() && data[0] == kNx91Device) nx91Queried_ = true;
      break;
    case 0x13:  // end of the enquiry: an attached NX91 reports its switch
      if (accessorySequence_ && nx91Queried_ && options_.nx91Attached) {
        reportPending_ = true;
        if (rtsHigh_) sendNx91Report();
      }
      accessorySequence_ = false;
      nx91Queried_ = false;
      break;
    default:
      break;
  }
}

void SimulatedAnalyser::setRts(bool high) {
  rtsHigh_ = high;
  if (high && reportPending_) sendNx91Report();
}

void SimulatedAnalyser::turnNx91Switch(int position, bool automatic) {
  options_.nx91Position = std::clamp(position, 0, 8);
  options_.nx91Automatic = automatic;
  if (!options_.nx91Attached) return;
  reportPending_ = true;
  if (rtsHigh_) sendNx91Report();
}

void SimulatedAnalyser::sendNx91Report() {
  reportPending_ = false;
  sendFrame(accessoryFrame(kNx91Device, options_.nx91Position, options_.nx91Automatic),
            options_.replyDelayMs);
}

void SimulatedAnalyser::send(std::vector<std::uint8_t> bytes, double delayMs) {
  std::weak_ptr<int> alive = alive_;
  ticks_.post(delayMs, [this, alive, bytes = std::move(bytes)]() mutable {
    if (alive.expired()) return;
    if (bytes.size() > 1) lastFrame_ = bytes;
    if (transmit_) transmit_(std::move(bytes));
  });
}

void SimulatedAnalyser::sendFrame(std::vector<std::uint8_t> frame, double delayMs) {
  send(std::move(frame), delayMs);
}

void SimulatedAnalyser::afterReply(double delayMs, std::function<void()> fn) {
  std::weak_ptr<int> alive = alive_;
  ticks_.post(delayMs, [alive, fn = std::move(fn)] {
    if (!alive.expired()) fn();
  });
}

void SimulatedAnalyser::stopActivity() {
  activity_ = Activity::Idle;
  ++generation_;
  awaitingAck_ = false;
  holding_ = false;
  compressed_ = false;
}

void SimulatedAnalyser::onAck() {
  if (!awaitingAck_) return;
  awaitingAck_ = false;
  if (activity_ == Activity::Sweep) {
    sweepProceed();
  } else if (activity_ == Activity::Readings) {
    const std::uint64_t generation = generation_;
    afterReply(readingIntervalMs(), [this, generation] {
      if (generation == generation_ && activity_ == Activity::Readings) reading();
    });
  } else if (activity_ == Activity::PeakSearch) {
    stopActivity();
  }
}

int SimulatedAnalyser::stateCode() const {
  switch (activity_) {
    case Activity::Idle:
      return 0;
    case Activity::Resetting:
      return 1;
    case Activity::Sweep:
      if (holding_) return 2;
      return ersSweep_ ? 3 : 4;
    case Activity::Readings:
      if (detector_ == Detector::Average) return 6;
      return detector_ == Detector::QuasiPeak ? 7 : 5;
    case Activity::PeakSearch:
      return 9;
  }
  return 0;
}

std::uint8_t SimulatedAnalyser::statusByte() const {
  int status = (attenuationDb_ / 10) & 0x03;
  if (highRange_) status |= 0x04;
  const bool measuring = activity_ == Activity::Sweep || activity_ == Activity::Readings;
  if (measuring && compressed_) status |= 0x08;
  status |= stateCode() << 4;
  return static_cast<std::uint8_t>(status);
}

}  // namespace tq::sim
