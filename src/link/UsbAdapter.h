#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/AdapterRing.h"
#include "model/Features.h"
#include "model/MeasurementState.h"
#include "platform/Files.h"
#include "platform/Prompts.h"
#include "platform/Ticks.h"
#include "platform/UsbI2cIo.h"

namespace tq {

inline constexpr std::string_view kUsbDeviceListName = "VeltraneUSB.TXT";

// One adapter type of the device list: the identity its I/O port reading gives, and its name.
struct UsbDeviceType {
  std::uint8_t identity = 0;
  std::string name;
};

// The device list file: three header lines, then "identity,name" lines (identity decimal).
// Lines whose identity is not a number 0 to 255 are passed over; at most 21 types are kept.
std::vector<UsbDeviceType> ParseUsbDeviceList(std::string_view text);

// The bytes of a frame written as two-digit hexadecimal pairs separated by commas.
I2cTransaction HexFrameRecord(std::string_view text);

// What the start-up search found, for the Details window.
struct UsbDeviceRow {
  int instance = 0;
  std::int32_t handle = 0;
  std::string description;  // the device list's name, when the type is listed
};
struct UsbDetails {
  std::vector<UsbDeviceRow> devices;
  std::string serialText;    // "Hardware ID : ..." once read
  std::string hardwareText;  // "USB Hardware Version m.n" once the adapter reported it
};

// What the adapter asks of the measurement above it.
class AdapterClient {
 public:
  virtual ~AdapterClient() = default;
  // The relay contradicts its last command: the run is abandoned.
  virtual void StopRun() = 0;
};

// The USB-I2C/IO adapter and the Ostrocell range relay it drives: identification at start-up,
// frames out, replies in through the ring buffer, the relay check and the adapter's faults.
class UsbAdapter : public OstrocellRelay {
 public:
  UsbAdapter(MeasurementState& state, UsbI2cIo& io, Ticks& ticks, Prompts& prompts, Files& files,
             const InputCorrections& inputs, AdapterClient& client);
  UsbAdapter(const UsbAdapter&) = delete;
  UsbAdapter& operator=(const UsbAdapter&) = delete;

  // The device list in the default path.
  std::string DeviceListPath() const {
    return state_.defaultPath + std::string(kUsbDeviceListName);
  }
  void DetectUsbAdapter();
  void WriteHexFrame(std::string_view text);
  void PollAdapter();
  void SetOstrocellRelay(std::int32_t frequencyHz);
  void ReportAdapterFault(int code);
  void relayfaultTimer();

  // OstrocellRelay
  bool InUse() const override;
  void SetForFrequency(std::int32_t frequencyHz) override { SetOstrocellRelay(frequencyHz); }
  void PresetForRun(std::int32_t startFrequencyHz) override {
    relayLow_ = startFrequencyHz > SwitchFrequencyHz();
  }
  // The cell's changeover frequency, as its cell file gives it.
  std::int32_t SwitchFrequencyHz() const override { return inputs_.ChangeoverFrequencyHz(); }

  const UsbDetails& details() const { return details_; }
  bool relayLow() const { return relayLow_; }
  int faultCount() const { return usbFaultCount_; }
  bool relayFaultPending() const { return relayFault_->enabled(); }
  const AdapterRing& ring() const { return ring_; }

 private:
  void handleMessage(const AdapterMessage& message);
  void checkRelay(std::uint8_t report);
  void commandRelay(bool low);

  MeasurementState& state_;
  UsbI2cIo& io_;
  Ticks& ticks_;
  Prompts& prompts_;
  Files& files_;
  const InputCorrections& inputs_;
  AdapterClient& client_;
  std::unique_ptr<Timer> relayFault_;

  AdapterRing ring_;
  UsbDetails details_;
  std::int32_t usbFaultCount_ = 0;
  bool relayLow_ = false;
};

}  // namespace tq
