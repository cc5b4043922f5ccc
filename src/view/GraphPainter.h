#pragma once

#include <array>
#include <optional>
#include <string>

#include "model/Features.h"
#include "model/LimitTable.h"
#include "model/MeasurementState.h"
#include "model/PeakTable.h"
#include "model/Trace.h"
#include "model/WindowModel.h"
#include "platform/Canvas.h"
#include "traces/TraceSet.h"
#include "view/GraphScale.h"

namespace tq {

enum TraceKind : int {
  kCurrentKind = 1,
  kStoreKind = 2,
  kDifferenceKind = 3,
  kArchiveKind = 4,
  kSingleFrequencyKind = 5,
};

inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kMarkerRed = 0x0000FF;
inline constexpr Colour kStripGreen = 0x00FF00;

// What the graph draws besides the state and the traces, read-only.
struct GraphSources {
  const InputCorrections& inputs;
  const ActiveLimit& limit;
  const ErsCorrection& ers;
  const SingleFrequency& single;
};

inline GraphSources SourcesOf(const Features& f) {
  return {f.inputs, f.limit, f.ers, f.single};
}

// Paints the measurement picture on any canvas (the window, the printer page, a recording in
// the tests): frame, texts, legend, plot, axes, limits and traces, and the single segments
// of a running sweep. It only reads what it draws; all it keeps between calls is where it
// drew the sweep marker, so that the next point can erase it.
class GraphPainter {
 public:
  GraphPainter(const MeasurementState& state, const WindowModel& model, const TraceData& traces,
               GraphSources sources);

  // The mappings for the state as it is now.
  GraphScale scale() const { return MakeScale(state_, sources_.inputs); }
  // The canvas font of the window's display size.
  int fontSize() const { return state_.displaySize == 2 ? 9 : 8; }

  void DrawGraph(Canvas& canvas);
  void DrawAxes(Canvas& canvas, const GraphScale& scale) const;
  // The unit label and the plot outline (the end of DrawAxes, and of every limit line).
  void DrawUnitLabelAndOutline(Canvas& canvas, const GraphScale& scale) const;

  // Single frequency: time text k (1..5) under the time axis.
  void DrawSampleTime(Canvas& canvas, const GraphScale& scale, int k) const;

  // Draws one limit line (the base or the companion line) by the rules of the input in use.
  void DrawLimit(Canvas& canvas, const GraphScale& scale, const LimitTable& line) const;

  // Draws the segment of one trace from point n - 1 to n as the point arrives (kinds
  // 1..5); for the Current trace of a running sweep also the sweep marker and the status
  // strip; for single-frequency samples 1, 100, 200, 300 and 400 also their time text.
  void PlotPoint(Canvas& canvas, int kind, int n);

  // The peak table's marker, drawn above the Current trace at its frequency while shown.
  void FollowMarker(const PeakMarker& marker) { peakMarker_ = &marker; }

 private:
  void drawPeakMarker(Canvas& canvas, const GraphScale& scale) const;
  // Returns the left end of the status texts, which the legend must not reach.
  int drawStatusTexts(Canvas& canvas) const;
  void drawLegend(Canvas& canvas, int rightLimit) const;
  // The ERS validity bar below the plot: white where the applied plane's grid point is
  // flagged, black elsewhere, from 30 MHz to the stop frequency.
  void drawErsStrip(Canvas& canvas, const GraphScale& scale) const;
  void drawTraces(Canvas& canvas, const GraphScale& scale) const;
  using PointXs = std::array<int, kTracePoints>;
  void drawTrace(Canvas& canvas, const GraphScale& scale, const PointXs& xs, int kind, int first,
                 int last) const;
  void drawFrequencyLabels(Canvas& canvas, const GraphScale& scale) const;
  void drawLevelLabels(Canvas& canvas, const GraphScale& scale) const;
  void drawStoredSingleLevel(Canvas& canvas, const GraphScale& scale) const;
  // Moves to point n - 1 and draws to n unless the frequency stepped backwards; returns
  // the two x positions.
  std::pair<int, int> segment(Canvas& canvas, const GraphScale& scale, int kind, int n,
                              const PointXs* xs = nullptr) const;
  void singleFrequencySegment(Canvas& canvas, const GraphScale& scale, int n) const;
  void sweepProgress(Canvas& canvas, const GraphScale& scale, int n, int x0, int x1);
  void readOut(Canvas& canvas, const GraphScale& scale, int n) const;
  void text(Canvas& canvas, int x, int y, const std::string& s, Colour colour, Colour back) const;
  Colour colour(int index) const;

  const MeasurementState& state_;
  const WindowModel& model_;
  const TraceData& traces_;
  GraphSources sources_;
  std::optional<int> markerX_;
  const PeakMarker* peakMarker_ = &kNoPeakMarker;
};

}  // namespace tq
