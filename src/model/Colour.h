#pragma once

#include <cstdint>

namespace tq {

// Colours are 0x00BBGGRR, as the settings file stores them. (The Canvas port names the same
// type for itself, so that the ports need nothing from here.)
using Colour = std::uint32_t;

// Lamp and text colours of the status panel.
inline constexpr Colour kClGreen = 0x008000;
inline constexpr Colour kClRed = 0x0000FF;
inline constexpr Colour kClYellow = 0x00FFFF;
inline constexpr Colour kClBlue = 0xFF0000;
inline constexpr Colour kClFuchsia = 0xFF00FF;
inline constexpr Colour kClBlack = 0x000000;

}  // namespace tq
