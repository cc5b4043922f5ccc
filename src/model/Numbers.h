#pragma once

#include <cstdint>
#include <string>

namespace tq {

// The nearest integer, halves to even; NaN gives 0 and values outside 32 bits saturate.
std::int32_t RoundHalfEven(double value);

// ln(x) * 0.434294: the program's base-10 logarithm.
double Log10(double x);

// value with `decimals` decimals, right-aligned in `width` characters.
std::string FormatFixed(double value, int width, int decimals);

// Level of what remains of a over the ambient b, in voltage terms (K = 8.68588).
std::int32_t EmissionsDifference(std::int32_t a, std::int32_t b);

}  // namespace tq
