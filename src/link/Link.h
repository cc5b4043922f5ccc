#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "link/Frame.h"
#include "link/LinkClient.h"
#include "model/MeasurementState.h"
#include "model/WindowModel.h"
#include "platform/Prompts.h"
#include "platform/SerialPort.h"
#include "platform/Ticks.h"

namespace tq {

// The serial link to the analyser: frames out, framing and dispatch in, the queue and the
// supervision of the link. Every call runs on the user-interface thread; waits inside keep
// events flowing, so the receive path may run nested within any of these calls.
class Link {
 public:
  Link(MeasurementState& state, WindowModel& model, MainView& view, SerialPort& port, Ticks& ticks,
       Prompts& prompts, LinkClient& client);
  ~Link();
  Link(const Link&) = delete;
  Link& operator=(const Link&) = delete;

  void SendCommand(std::uint8_t code, std::int32_t value, std::uint8_t minDataBytes);
  void SendRawFrame(std::uint8_t code, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3,
                    std::uint8_t b4);
  // Single signal bytes go straight out, whatever the link flags.
  void SendAck() { writeByte(kAck); }
  void SendNak() { writeByte(kNak); }

  void ConnectLink();
  void InitPreselectorLines();
  // Advises a firmware upgrade for an old analyser, once per run.
  void FirmwareAdviceCheck();
  // The RTS-low framing of a single accessory frame (NX91 menu).
  void SendAccessoryFrameRtsLow(std::uint8_t code, std::uint8_t b1);

  void OnTriggerAvail(std::size_t count);
  void OnTriggerLineError();
  void nackoTimer();
  void statusTimer();
  void Panel5Click();
  // Com 1 .. Com 4 of the Port menu.
  void ComClick(int portNumber);

  // Opens the configured port (start-up); true when it opened.
  bool OpenPort();
  void ClosePort();
  void ClearReceiveBuffer() { rxSize_ = 0; }
  bool portOpen() const { return port_.isOpen(); }
  void SetStatusTimerEnabled(bool enabled);
  bool StatusTimerEnabled() const;
  void SetStatus(const std::string& text, Colour lamp);

  // State kept by the link, for the rest of the program and for tests.
  bool commsWarningArmed() const { return commsWarningArmed_; }
  bool watchdogEnabled() const;
  int queueCount() const { return queueCount_; }
  const Frame& queuedFrame(int slot) const { return queue_[static_cast<std::size_t>(slot)]; }
  const Frame& lastFrameSent() const { return lastFrame_; }
  std::size_t receiveBufferSize() const { return rxSize_; }
  std::uint8_t lastAccessoryValue() const { return lastAccessoryValue_; }
  // A data frame is being handled (set on dispatch, for the receiver's use).
  bool handlingDataFrame() const { return handlingDataFrame_; }
  const std::string& lastStatusText() const { return lastStatusText_; }

 private:
  void writeBytes(std::span<const std::uint8_t> bytes);
  void writeByte(std::uint8_t b) { writeBytes({&b, 1}); }
  void sendFirstQueued();
  void processBuffer();
  void removeFront(std::size_t count);
  void dispatchFrame(const std::array<std::uint8_t, kMaxFrame>& frame);
  void handleStatusFrame(std::uint8_t status);
  void handleVersionFrame(std::uint8_t major, std::uint8_t minor);
  void lostLink();
  void dropRtsAndSendInitFrames(bool withWaits);

  MeasurementState& state_;
  WindowModel& model_;
  MainView& view_;
  SerialPort& port_;
  Ticks& ticks_;
  Prompts& prompts_;
  LinkClient& client_;

  // Received bytes not yet dispatched. A frame is at most 11 bytes, so this never holds
  // more than a partial frame plus one read.
  std::array<std::uint8_t, 1024> rx_{};
  std::size_t rxSize_ = 0;
  std::uint8_t lastN_ = 0;

  Frame outgoing_;
  Frame lastFrame_;
  std::array<Frame, 10> queue_{};
  int queueCount_ = 0;

  bool commsWarningArmed_ = false;
  bool firmwareAdviceShown_ = false;
  bool handlingDataFrame_ = false;
  bool lostLinkAsking_ = false;
  // The stop of a run the link was lost in (0x36 a sweep, 0x4A readings), sent when the
  // link is made again: the analyser may still be in it, waiting for an ACK.
  std::uint8_t stopOnConnect_ = 0;
  bool nakBoxOpen_ = false;
  std::uint8_t lastAccessoryValue_ = 0;
  std::string lastStatusText_;

  std::unique_ptr<Timer> statusTimer_;
  std::unique_ptr<Timer> nacko_;
};

}  // namespace tq
