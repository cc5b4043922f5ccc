#include "link/Link.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

namespace tq {

Link::Link(MeasurementState& state, WindowModel& model, MainView& view, SerialPort& port,
           Ticks& ticks, Prompts& prompts, LinkClient& client)
    : state_(state),
      model_(model),
      view_(view),
      port_(port),
      ticks_(ticks),
      prompts_(prompts),
      client_(client) {
  statusTimer_ = ticks_.createTimer(3000, [this] { statusTimer(); });
  nacko_ = ticks_.createTimer(1000, [this] { nackoTimer(); });
  port_.setBytesAvailableHandler([this](std::size_t count) { OnTriggerAvail(count); });
  port_.setLineErrorHandler([this] { OnTriggerLineError(); });
}

Link::~Link() {
  port_.setBytesAvailableHandler({});
  port_.setLineErrorHandler({});
}

void Link::writeBytes(std::span<const std::uint8_t> bytes) {
  if (port_.isOpen()) port_.write(bytes);
}

void Link::SendCommand(std::uint8_t code, std::int32_t value, std::uint8_t minDataBytes) {
  if (!state_.linkEnabled || state_.sendingBlocked) return;
  // A frame a caller left in the buffer goes out instead of a new one.
  if (outgoing_.empty()) {
    outgoing_ = BuildFrame(code, value, minDataBytes);
    lastFrame_ = outgoing_;
  }
  if (!state_.queueMode) {
    if (port_.dsr()) {
      writeBytes(outgoing_.view());
      outgoing_ = Frame{};
    } else if (state_.linkEnabled) {
      // A stop that cannot reach the analyser goes once it is back.
      if (code == 0x36 || code == 0x4A) stopOnConnect_ = code;
      lostLink();
      // What the lost-link procedure could not send must not go out later in place of the
      // next command.
      outgoing_ = Frame{};
    }
    return;
  }
  queueCount_ = std::min(queueCount_ + 1, 10);
  queue_[static_cast<std::size_t>(queueCount_ - 1)] = outgoing_;
  outgoing_ = Frame{};
}

void Link::SendRawFrame(std::uint8_t code, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3,
                        std::uint8_t b4) {
  SetStatusTimerEnabled(false);
  const std::array<std::uint8_t, 8> frame{kSoh, 0x06, code, b1, b2, b3, b4, kEot};
  writeBytes(frame);
  SetStatusTimerEnabled(true);
  lastAccessoryValue_ = b1;
  state_.linkEnabled = true;
}

void Link::sendFirstQueued() {
  if (queueCount_ <= 0) return;
  const Frame first = queue_[0];
  std::move(queue_.begin() + 1, queue_.end(), queue_.begin());
  queue_.back() = Frame{};
  --queueCount_;
  writeBytes(first.view());
}

bool Link::OpenPort() {
  if (port_.isOpen()) return true;
  return port_.open(state_.portNumber);
}

void Link::ClosePort() {
  statusTimer_->setEnabled(false);
  nacko_->setEnabled(false);
  port_.close();
}

void Link::SetStatusTimerEnabled(bool enabled) {
  statusTimer_->setEnabled(enabled);
}
bool Link::StatusTimerEnabled() const {
  return statusTimer_->enabled();
}
bool Link::watchdogEnabled() const {
  return nacko_->enabled();
}

void Link::SetStatus(const std::string& text, Colour lamp) {
  model_.statusText = text;
  model_.lampColour = lamp;
  lastStatusText_ = text.substr(0, 64);
  view_.modelChanged();
}

void Link::ConnectLink() {
  OpenPort();
  outgoing_ = Frame{};
  SetStatusTimerEnabled(false);
  state_.linkEnabled = true;
  state_.sendingBlocked = false;
  rxSize_ = 0;
  model_.lampColour = kClGreen;
  view_.modelChanged();
  if (model_.checkedPort >= 1 && model_.checkedPort <= 4) state_.portNumber = model_.checkedPort;

  port_.setDtr(false);
  ticks_.wait(2);
  port_.setDtr(true);
  port_.setBaudRate(9600);
  ticks_.wait(2);

  if (stopOnConnect_ != 0) {
    SendCommand(std::exchange(stopOnConnect_, std::uint8_t{0}), 0, 0);
    ticks_.wait(1);
  }
  SendCommand(0x20, 0, 0);
  ticks_.wait(3);
  SendCommand(0x10, state_.attenuationDb, 1);
  if (state_.instrumentHighRange != state_.highRange) client_.RangeMismatch();

  SetStatusTimerEnabled(true);
  state_.measurementMode = 0;
  view_.repaint();
  state_.portConnected = true;
}

void Link::dropRtsAndSendInitFrames(bool withWaits) {
  state_.linkEnabled = false;
  ticks_.wait(1);
  port_.setRts(false);
  ticks_.wait(2);
  SendRawFrame(0x22, 0x00, 0x00, 0x00, 0x00);
  if (withWaits) ticks_.wait(10);
  SendRawFrame(0x14, 0x33, 0x00, 0x00, 0x00);
  if (withWaits) ticks_.wait(10);
  SendRawFrame(0x13, 0x00, 0x00, 0x00, 0x00);
  if (withWaits) ticks_.wait(10);
  ticks_.wait(2);
  port_.setRts(true);
  state_.linkEnabled = true;
  if (withWaits) ticks_.wait(10);
}

void Link::FirmwareAdviceCheck() {
  const long hundredths = std::lround(state_.hardwareVersion * 100.0f);
  if (hundredths > 0 && hundredths < 201 && !firmwareAdviceShown_) {
    firmwareAdviceShown_ = true;
    prompts_.message(
        MessageKind::Warning,
        "Contact Veltrane Instruments Ltd for Upgraded Firmware to Improve Performance",
        Buttons::Ok);
  }
}

void Link::InitPreselectorLines() {
  FirmwareAdviceCheck();
  commsWarningArmed_ = false;
  SetStatusTimerEnabled(false);
  dropRtsAndSendInitFrames(true);
  SetStatusTimerEnabled(true);
  commsWarningArmed_ = true;
}

void Link::SendAccessoryFrameRtsLow(std::uint8_t code, std::uint8_t b1) {
  state_.linkEnabled = false;
  ticks_.wait(1);
  port_.setRts(false);
  ticks_.wait(2);
  SendRawFrame(code, b1, 0x00, 0x00, 0x00);
  ticks_.wait(2);
  port_.setRts(true);
  state_.linkEnabled = true;
}

void Link::OnTriggerAvail(std::size_t count) {
  if (!port_.cts()) {
    const int pre = client_.PreselectorState();
    if (pre >= 3 && pre <= 5) dropRtsAndSendInitFrames(false);
  }
  while (count > 0) {
    // Keep room for the read; a buffer this full holds only a stuck partial frame.
    if (rxSize_ == rx_.size()) rxSize_ = 0;
    const std::size_t room = std::min(count, rx_.size() - rxSize_);
    const std::size_t got = port_.read({rx_.data() + rxSize_, room});
    if (got == 0) break;
    rxSize_ += got;
    count -= std::min(count, got);
    processBuffer();
  }
  if (state_.runActive && !nacko_->enabled()) nacko_->setEnabled(true);
}

void Link::removeFront(std::size_t n) {
  n = std::min(n, rxSize_);
  std::memmove(rx_.data(), rx_.data() + n, rxSize_ - n);
  rxSize_ -= n;
}

// Takes every complete message off the front of the buffer. Each is removed before it is
// acted on, so a handler that waits (and lets this run nested) never sees it twice.
void Link::processBuffer() {
  while (rxSize_ > 0) {
    switch (rx_[0]) {
      case kSoh: {
        if (rxSize_ >= 2) lastN_ = rx_[1];
        const std::size_t n = lastN_;
        if (n > 9 || (rxSize_ >= 2 && n < 2)) {
          SendNak();
          rxSize_ = 0;
          lastN_ = 0;
          return;
        }
        if (rxSize_ < 2 || rxSize_ < n + 2) return;  // wait for the rest
        nacko_->setEnabled(false);
        std::array<std::uint8_t, kMaxFrame> frame{};
        std::copy_n(rx_.begin(), n + 2, frame.begin());
        removeFront(n + 2);
        lastN_ = 0;
        sendFirstQueued();
        dispatchFrame(frame);
        break;
      }
      case kEnq:
        removeFront(1);
        break;
      case kAck:
        removeFront(1);
        sendFirstQueued();
        break;
      case kNak:
        removeFront(1);
        // One box at a time: the receive goes on under it, and a NAK meanwhile only counts.
        if (commsWarningArmed_ && !nakBoxOpen_) {
          nakBoxOpen_ = true;
          prompts_.message(MessageKind::Warning, "Invalid Comms Signal", Buttons::Ok);
          nakBoxOpen_ = false;
        }
        ++state_.stepIndex;
        break;
      default:
        rxSize_ = 0;
        break;
    }
  }
}

void Link::dispatchFrame(const std::array<std::uint8_t, kMaxFrame>& frame) {
  switch (frame[2]) {
    case 0xD0: {
      handlingDataFrame_ = true;
      state_.stepIndex = std::clamp(state_.stepIndex, 0, 500);
      const DataFrame data = DecodeDataFrame(frame);
      client_.DataFrameReceived(data);
      handlingDataFrame_ = false;
      break;
    }
    case 0xC0:
      handleStatusFrame(frame[3]);
      break;
    case 0xC1:
      handleVersionFrame(frame[3], frame[4]);
      break;
    case 0xC2:
      if (frame[3] == 0x33 && frame[4] <= 8)
        client_.PreselectorReport(frame[4], (frame[6] & 1) != 0);
      break;
    default:
      break;
  }
}

void Link::handleStatusFrame(std::uint8_t status) {
  state_.instrumentAttenuationDb = ((status & 1) + 2 * ((status >> 1) & 1)) * 10;
  state_.instrumentHighRange = (status & 0x04) != 0;
  state_.instrumentCompression = (status & 0x08) != 0;
  const bool peakSearch = client_.ErsPeakSearch();
  if (status & 0x08) {
    if (peakSearch)
      SetStatus("Finding Peak", kClFuchsia);
    else
      SetStatus("COMPRESSION", kClRed);
    return;
  }
  state_.queueMode = true;
  const int code = status >> 4;
  switch (code) {
    case 0:
      state_.queueMode = false;
      if (peakSearch) {
        SetStatus("Pausing", kClFuchsia);
      } else {
        SetStatus("Ready", kClGreen);
        state_.instrumentReady = true;
      }
      break;
    case 1:
      SetStatus("Resetting", kClYellow);
      break;
    case 2:
      client_.SegmentStep();
      break;
    case 3:
    case 11:
      SetStatus("Setting ERS", kClFuchsia);
      break;
    case 5:
      SetStatus("S/F Instant", kClBlue);
      break;
    case 6:
      SetStatus("S/F Average", kClBlue);
      break;
    case 7:
      SetStatus("S/F Quasi Peak", kClBlue);
      break;
    case 9:
      SetStatus("Finding Peak", kClFuchsia);
      break;
    case 4:
    case 12:
    case 13:
    case 14:
    case 15:
      SetStatus("Scanning", kClBlue);
      break;
    default:
      break;  // 8 and 10 leave the panel as it is
  }
}

void Link::handleVersionFrame(std::uint8_t major, std::uint8_t minor) {
  state_.hardwareVersion = static_cast<float>(major) + static_cast<float>(minor) / 100.0f;
  char text[64];
  std::snprintf(text, sizeof text, "Hardware Version : %4.2f",
                static_cast<double>(state_.hardwareVersion));
  model_.detailsVersionText = text;
  // Compared in hundredths so that 1.22 is not taken as just above 1.22.
  if (major * 100 + minor > 122) {
    model_.ersMenuEnabled = true;
    view_.modelChanged();
    view_.repaint();
  } else {
    view_.modelChanged();
  }
}

void Link::OnTriggerLineError() {
  nacko_->setEnabled(true);
}

void Link::nackoTimer() {
  SendNak();
  rxSize_ = 0;
  lastN_ = 0;
  nacko_->setEnabled(false);
}

void Link::statusTimer() {
  if (state_.runInProgress) return;
  SendCommand(0x20, 0, 0);
  client_.StatusPolled();
}

void Link::lostLink() {
  if (state_.runInProgress)
    stopOnConnect_ =
        state_.measurementMode == 2 || state_.detector == 2 || state_.detector == 3 ? 0x4A : 0x36;
  // Nothing queued for the analyser that went away goes out once it is back, and the queue
  // does not wait for an answer to it.
  queue_.fill(Frame{});
  queueCount_ = 0;
  state_.queueMode = false;
  state_.runInProgress = false;
  state_.portConnected = false;
  state_.linkEnabled = false;
  if (lostLinkAsking_) return;
  lostLinkAsking_ = true;
  const Answer answer =
      prompts_.message(MessageKind::Error, "TQ4800 Not Responding. End Program ?", Buttons::YesNo);
  lostLinkAsking_ = false;
  if (answer == Answer::Yes) {
    view_.closeMainWindow();
    return;
  }
  SetStatus("Click to enable", kClRed);
  if (port_.dsr()) {
    ConnectLink();
    client_.ResetPreselector();
    InitPreselectorLines();
  }
  view_.repaint();
}

void Link::Panel5Click() {
  // Whenever commands cannot be sent (not connected, or a Com change to a silent port left
  // the link disabled), the click tries to connect again.
  if (!state_.portConnected || !state_.linkEnabled || state_.sendingBlocked) {
    OpenPort();
    if (port_.dsr()) {
      ConnectLink();
    } else {
      prompts_.message(MessageKind::Error, "TQ4800 Still not Responding", Buttons::Ok);
      state_.linkEnabled = false;
    }
    return;
  }
  SendCommand(0x20, 0, 0);
  ticks_.wait(1);
}

void Link::ComClick(int portNumber) {
  if (portNumber < 1 || portNumber > 4) return;
  model_.checkedPort = 0;
  port_.close();
  state_.portNumber = portNumber;
  port_.open(portNumber);
  model_.lampColour = port_.dsr() ? kClGreen : kClRed;
  model_.checkedPort = portNumber;
  view_.modelChanged();
  ConnectLink();
  state_.sendingBlocked = false;
  rxSize_ = 0;
}

}  // namespace tq
