#include "corrections/FactorTable.h"

#include <cmath>
#include <span>
#include <utility>

namespace tq {

namespace {

using Point = std::pair<std::int32_t, float>;

constexpr Point kNx20[] = {{30000000, 0},   {50000000, -2},  {90000000, -9},  {130000000, -9},
                           {150000000, -7}, {210000000, -5}, {230000000, -1}, {280000000, -5},
                           {330000000, -1}, {470000000, 3},  {500000000, 5},  {1000000000, 8},
                           {1100000000, 8}};
constexpr Point kNx30[] = {{10000, 1},     {50000, -8},     {100000, -15},   {500000, -27},
                           {2500000, -29}, {11000000, -24}, {27000000, -28}, {30000000, -28}};
constexpr Point kNx40[] = {{10000, 2},      {30000000, 9},   {100000000, -4},
                           {200000000, -5}, {260000000, -7}, {380000000, -7},
                           {620000000, -2}, {900000000, -2}, {1000000000, -4}};
constexpr Point kKvp[] = {{10000, 5}, {30000, 1}, {8000000, 1}, {300000000, 5}, {500000000, 5}};
constexpr Point kDirect[] = {{10000, 0}, {30000000, 0}, {1100000000, 0}};

std::span<const Point> BuiltInRows(int inputCode) {
  switch (inputCode) {
    case 2:
      return kNx20;
    case 3:
      return kNx30;
    case 4:
      return kNx40;
    case 6:
    case 7:
      return kKvp;
    case 8:
      return kDirect;
    default:
      return {};
  }
}

}  // namespace

double InterpolateBetween(double x1, double y1, double x2, double y2, double f, bool logarithmic) {
  if (logarithmic) {
    // Equal frequencies would divide by ln 1 = 0.
    if (x1 == 0 || x2 == 0 || f == 0 || x1 == x2) return 0.0;
    return y1 + (y2 - y1) * std::log(f / x1) / std::log(x2 / x1);
  }
  if (x1 == x2) return 0.0;
  return y1 + (y2 - y1) * (f - x1) / (x2 - x1);
}

float FactorAt(const FactorTable& table, double frequencyHz) {
  // The first row above f, or the row that ends the table. A full table has no end row:
  // past its last row the factor is 0 as after any last row.
  std::size_t i = 1;
  while (i < kFactorRows && table[i].frequencyHz != 0 &&
         !(static_cast<double>(table[i].frequencyHz) > frequencyHz))
    ++i;
  if (i == kFactorRows || table[i].frequencyHz == 0) return 0.0f;
  const FactorRow& lo = table[i - 1];
  const FactorRow& hi = table[i];
  return static_cast<float>(InterpolateBetween(lo.frequencyHz, lo.factorDb, hi.frequencyHz,
                                               hi.factorDb, frequencyHz, lo.logarithmic == 1));
}

void FillBuiltInFactors(FactorTable& table, int inputCode) {
  std::size_t row = 1;
  for (const Point& p : BuiltInRows(inputCode)) {
    table[row].frequencyHz = p.first;
    table[row].factorDb = p.second;
    table[row].logarithmic = 0;
    ++row;
  }
}

}  // namespace tq
