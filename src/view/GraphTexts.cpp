#include "view/GraphTexts.h"

#include <algorithm>
#include <cstdio>

namespace tq {

std::string ProcessingLabel(const MeasurementState& state, const SingleFrequency& single) {
  if (state.measurementMode == 2) {
    switch (single.Detector()) {
      case 1:
        return "Average";
      case 2:
        return "Quasi Pk";
      default:
        return "Instant";
    }
  }
  switch (state.processingMode) {
    case 1:
      return "Av. of 8";
    case 2:
      return "Av. of 16";
    case 3:
      return "Av. of 32";
    case 4:
      return "Peak Hold";
    default:
      return "No Process";
  }
}

std::array<std::string, 11> LinearFrequencyLabels(std::int32_t startHz, std::int32_t finishHz) {
  const double span = static_cast<double>(finishHz) - startHz;
  int decimals = span > 100000000 ? 0 : span > 10000000 ? 1 : 2;
  if (finishHz > 999999999) decimals = 0;
  std::array<std::string, 11> labels;
  const double startMhz = startHz / 1e6;
  labels[0] = FormatFixed(startMhz, 5, decimals);
  for (int i = 1; i <= 10; ++i)
    labels[static_cast<std::size_t>(i)] = FormatFixed(i * span / 1e7 + startMhz, 5, decimals);
  labels[9] += " MHz";
  return labels;
}

std::string CursorFrequencyText(double hz) {
  if (hz >= 10e6) return FormatFixed(hz / 1e6, 0, 2) + " MHz";
  if (hz >= 1e6) return FormatFixed(hz / 1e6, 0, 3) + " MHz";
  if (hz >= 100e3) return FormatFixed(hz / 1e6, 0, 4) + " MHz";
  return FormatFixed(hz / 1000, 0, 0) + " KHz";
}

InkExtent InkOf(Canvas& canvas, std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  const int left = first > 0 ? canvas.textExtent(text.substr(0, first)).width : 0;
  return {left, canvas.textExtent(text.substr(0, last + 1)).width - left};
}

void FitLabels(std::span<int> xs, std::span<const int> widths, int lo, int hi, int gap) {
  const std::size_t n = std::min(xs.size(), widths.size());
  if (n == 0) return;
  // Push right what runs into its left neighbour, then pull left what runs past the end.
  xs[0] = std::max(xs[0], lo);
  for (std::size_t i = 1; i < n; ++i) xs[i] = std::max(xs[i], xs[i - 1] + widths[i - 1] + gap);
  xs[n - 1] = std::min(xs[n - 1], hi - widths[n - 1]);
  for (std::size_t i = n - 1; i-- > 0;) xs[i] = std::min(xs[i], xs[i + 1] - gap - widths[i]);
}

GraphCaptions CaptionsFor(const MeasurementState& state) {
  GraphCaptions c;
  c.logButton = state.logFrequencyAxis ? "Lin" : "Log";
  c.unitsButton = state.dbmUnits ? "dBuV" : "dBm";
  c.detectorLabel = state.detector == 2   ? "AVERAGE"
                    : state.detector == 3 ? "QUASI-PEAK"
                                          : "PEAK (FS)";
  c.processingEnabled = state.measurementMode != 2;
  c.averagingEnabled = state.detector == 1;
  return c;
}

}  // namespace tq
