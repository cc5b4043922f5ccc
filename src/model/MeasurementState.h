#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/Colour.h"
#include "model/Trace.h"

namespace tq {

inline constexpr std::int32_t kHighStartHz = 30000000;
inline constexpr std::int32_t kHighFinishHz = 1100000000;
inline constexpr std::int32_t kLowStartHz = 10000;
inline constexpr std::int32_t kLowFinishHz = 30000000;

enum ScreenColourIndex : int {
  kScreenColour = 0,
  kBorderColour,
  kGridColour,
  kCurrentColour,
  kStoreColour,
  kDifferenceColour,
  kArchiveColour,
  kLimitColour,
};

// The screen colours of a fresh installation (settings lines 1 to 8).
inline constexpr std::array<Colour, 8> kDefaultScreenColours{16776960, 12632256, 16711680, 0,
                                                             255,      16711935, 65280,    65535};

// The one record of span, resolution, front end, mode, display and link settings.
struct MeasurementState {
  std::int32_t startFrequencyHz = 0;
  std::int32_t finishFrequencyHz = 0;
  std::int32_t stepsPerScan = 0;
  bool highRange = false;
  std::int32_t attenuationDb = 0;
  std::int32_t preampGainDb = 0;
  std::int32_t detector = 0;         // 1 peak, 2 average, 3 quasi-peak
  std::int32_t measurementMode = 0;  // 0 sweep, 2 single frequency
  std::int32_t processingMode = 0;   // 0 off, 1..3 average 8/16/32, 4 peak hold
  std::int32_t scansDone = 0;
  bool logFrequencyAxis = false;
  std::int32_t logSpanIndex = 0;  // 1 LOW span, 2 HIGH span, 4 widest span
  bool dbmUnits = false;
  std::string delimiter = ";";
  std::string defaultPath;
  std::string ersSerialNumber;
  std::string title;
  std::array<Colour, 8> screenColours{};
  std::array<Colour, 6> printerColours{};
  bool antennaDistanceAlt = false;
  std::uint8_t displaySize = 0;
  std::uint16_t usbSearch = 0;
  std::uint8_t ostrocellSelection = 0;
  std::int32_t lisnInsertionLossDb = 0;
  std::int32_t levelOffsetDb = 0;
  bool differenceInsertionLoss = false;
  float hardwareVersion = 0.0f;
  // The TQ4804 variant: fixed attenuator, variant panel shown. Nothing reports it yet.
  bool tq4804Variant = false;

  // Serial port number 1..4 and the check mark of the Com 1 menu item (settings line 17).
  std::int32_t portNumber = 2;
  bool com1Checked = false;

  // Link and run flags.
  bool portConnected = false;
  bool linkEnabled = false;
  bool sendingBlocked = false;
  bool runInProgress = false;
  bool runActive = false;
  bool queueMode = false;
  bool instrumentReady = false;
  bool instrumentHighRange = false;
  std::int32_t instrumentAttenuationDb = 0;
  bool instrumentCompression = false;  // the last status frame reported compression
  bool usbHardware = false;
  bool usbLinkOk = false;
  std::int32_t usbDeviceHandle = 0;
  std::int32_t stepIndex = 0;

  // Frequency of each step of the current sweep, Hz.
  FrequencyGrid stepFrequencyHz{};

  void clearLinkFlags();
  bool operator==(const MeasurementState&) const = default;
};

}  // namespace tq
