#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tq {

// What a result file carries of the ERS calibration: the tables of both polarisations on
// the ERS grid (486 points, 30 MHz to 1 GHz in 2 MHz steps plus the grid offset).
inline constexpr std::size_t kErsPoints = 486;
struct ErsTables {
  // [0] horizontal, [1] vertical.
  std::array<std::array<float, kErsPoints>, 2> reference{};  // the ERS unit's calibrated levels
  std::array<std::array<std::int32_t, kErsPoints>, 2> correction{};  // reference - measured
  std::array<std::array<std::uint8_t, 501>, 2> valid{};     // per grid point (486 used)
  std::array<bool, 2> holdsData{};                            // calibrated or imported
  int appliedPlane = 0;  // 0 none, 1 horizontal, 2 vertical
  std::int32_t gridOffsetHz = 0;
  bool archived = false;  // restored from a result file
  bool operator==(const ErsTables&) const = default;
};

// What a result file carries of the single-frequency measurement.
struct SingleFrequencyRecord {
  std::int32_t frequencyHz = 0;
  std::int32_t samplingValue = 0;  // 1000, 500 or 100; 0 before one is chosen
  std::array<std::string, 6> timeLabels;  // "h:nn:ss", labels 1..6 of the time axis
  bool archiveAvailable = false;          // a loaded result holds single-frequency data
  bool operator==(const SingleFrequencyRecord&) const = default;
};

}  // namespace tq
