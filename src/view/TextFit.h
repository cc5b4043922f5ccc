#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tq {

// How wide a text is drawn, in pixels.
using TextWidth = std::function<int(std::string_view)>;

// Which end of a text gives way when it does not fit: a file name keeps its end (the name
// itself), any other text its start.
enum class Elide { Start, End };

// The side a panel text gives way on: a file name ("run1.emc") its start, other texts
// ("12.0 - 30.0 MHz", "TQ4800") their end.
Elide PanelElision(std::string_view text);

// The text as it fits `room`: whole when it fits; otherwise whole characters go from the
// given side and "…" stands where they were, so that no text is cut without a sign.
std::string FitText(std::string_view text, int room, Elide side, const TextWidth& width);

// A text for a label that wraps at blanks: whole while each word fits the room, otherwise
// fitted to one line, its end giving way.
std::string FitWrappedText(std::string_view text, int room, const TextWidth& width);

}  // namespace tq
