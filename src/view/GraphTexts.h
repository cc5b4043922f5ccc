#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "model/Features.h"
#include "model/MeasurementState.h"
#include "model/Numbers.h"
#include "platform/Canvas.h"

namespace tq {

// The processing label of the graph: the processing mode, or in single-frequency mode the
// single-frequency detector.
std::string ProcessingLabel(const MeasurementState& state, const SingleFrequency& single);

// Labels 0..10 under a linear frequency axis; label 9 carries the unit.
std::array<std::string, 11> LinearFrequencyLabels(std::int32_t startHz, std::int32_t finishHz);

// The grid frequencies of the logarithmic axis of a log span (1 to 4), MHz.
std::span<const double> LogGridMhz(int logSpanIndex);

// The value cursor's frequency text: MHz with 2, 3 or 4 decimals, or whole KHz.
std::string CursorFrequencyText(double hz);

// The inked part of a text drawn at x = 0 on a canvas: leading and trailing blanks take room
// but show nothing.
struct InkExtent {
  int left = 0;
  int width = 0;
};
InkExtent InkOf(Canvas& canvas, std::string_view text);

// Moves labels (their left ends xs and widths, in order along the axis) the least needed
// so that each ends at least `gap` pixels before the next starts and all lie within lo..hi.
// Labels that fit keep their places.
void FitLabels(std::span<int> xs, std::span<const int> widths, int lo, int hi, int gap);

// Captions and labels the paint brings in line with the state.
struct GraphCaptions {
  std::string logButton;          // Button3
  std::string unitsButton;        // Button5
  std::string detectorLabel;      // Label10
  bool processingEnabled = true;  // the Processing and Detector menus
  bool averagingEnabled = true;   // Average81, Average161, Average321, Peak1
};
GraphCaptions CaptionsFor(const MeasurementState& state);

}  // namespace tq
