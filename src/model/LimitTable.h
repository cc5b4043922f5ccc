#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tq {

// A limit file's tables hold rows 1..100 (points) and 1..50 (vehicle bands); row 0 is unused
// so that a row keeps the number the file counts it by.
inline constexpr int kLimitPointRows = 100;
inline constexpr int kLimitBandRows = 50;
// The level that stands for "no limit here".
inline constexpr double kNoLimit = 200.0;

struct LimitPoint {
  std::int32_t frequencyHz = 0;
  std::int32_t level = 0;          // whole dB in the limit's unit
  std::uint8_t interpolation = 0;  // 1 logarithmic towards the next point, 0 linear
  bool operator==(const LimitPoint&) const = default;
};

struct LimitBand {
  std::int32_t startHz = 0;
  std::int32_t stopHz = 0;
  float level = 0.0f;
  bool operator==(const LimitBand&) const = default;
};

// One limit record as loaded from a limit file, with what the catalogue adds to it.
struct LimitTable {
  std::string name;          // at most 64 characters
  std::string description;   // at most 64
  std::string standard;      // at most 30
  std::string distanceText;  // at most 30, as found in the file
  float limitDistanceM = 3.0f;
  bool radiated = false;
  std::array<LimitPoint, kLimitPointRows + 1> points{};
  std::array<LimitBand, kLimitBandRows + 1> bands{};
  // Rows read including the END row, so n points give n + 1; 0 means no limit.
  std::int32_t entryCount = 0;
  // 0..99 built-in files, 100..199 EN55025.DEF, 201 and up the user file.
  std::int32_t recordNumber = 0;
  std::int32_t fileSelector = 1;  // 1 limit.def, 2 auslimit.def, 3 uslimit.def
  bool user = false;
  std::int32_t companionOffsetDb = 0;
  std::int32_t clickAllowanceDb = 0;
  // The companion (quasi-peak) line is the one selected.
  bool quasiPeak = false;

  // The last real point row (entry count - 1, within the table); 0 when there is none.
  int lastPointRow() const {
    const int last = entryCount - 1;
    return last < 0 ? 0 : (last > kLimitPointRows ? kLimitPointRows : last);
  }
  int lastBandRow() const {
    const int last = entryCount - 1;
    return last < 0 ? 0 : (last > kLimitBandRows ? kLimitBandRows : last);
  }
  bool operator==(const LimitTable&) const = default;
};

}  // namespace tq
