#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tq {

// One row of a transducer factor table. Row 0 is never written and stands for 0 Hz, 0 dB;
// a frequency of 0 ends the table.
struct FactorRow {
  std::int32_t frequencyHz = 0;
  float factorDb = 0.0f;
  std::uint8_t logarithmic = 0;  // 1: logarithmic towards the next row, 0: linear
  bool operator==(const FactorRow&) const = default;
};

inline constexpr std::size_t kFactorRows = 500;
using FactorTable = std::array<FactorRow, kFactorRows>;

// The level between two points at f, logarithmic or linear; 0 where the points give no
// scale (equal frequencies, or a zero frequency on the logarithmic rule).
double InterpolateBetween(double x1, double y1, double x2, double y2, double f, bool logarithmic);

// The factor at f: interpolated towards the first row above f (from row 0 below the first
// row); 0 at or above the last row and for an empty table.
float FactorAt(const FactorTable& table, double frequencyHz);

// Fills the rows of the built-in table for an input code (no rows for the codes that have
// none). The table is expected to be empty.
void FillBuiltInFactors(FactorTable& table, int inputCode);

}  // namespace tq
