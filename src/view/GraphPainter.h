#pragma once

#include <array>
#include <optional>
#include <string>

#include "measure/MeasurementState.h"
#include "measure/WindowModel.h"
#include "platform/Canvas.h"
#include "traces/TraceSet.h"
#include "view/GraphHooks.h"
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

// Paints the measurement picture on a canvas: frame, texts, legend, plot, axes, limits and
// traces, and the single segments of a running sweep. It keeps no state between paints
// beyond the sweep marker's place and the run status a compression report replaced.
class GraphPainter {
 public:
  GraphPainter(MeasurementState& state, WindowModel& model, TraceSet& traces, MainView& view);

  GraphHooks& hooks() { return hooks_; }
  const GraphHooks& hooks() const { return hooks_; }
  const MeasurementState& state() const { return state_; }
  const TraceSet& traces() const { return traces_; }

  // The mappings for the state as it is now.
  GraphScale scale() const { return MakeScale(state_, hooks_); }
  // The canvas font of the window's display size.
  int fontSize() const { return state_.displaySize == 2 ? 9 : 8; }

  void DrawGraph(Canvas& canvas);
  void DrawAxes(Canvas& canvas, const GraphScale& scale);
  // The unit label and the plot outline (the end of DrawAxes, and of every limit line).
  void DrawUnitLabelAndOutline(Canvas& canvas, const GraphScale& scale);

  // Draws the segment of one trace from point n - 1 to n as the point arrives (kinds
  // 1..5); for the Current trace of a running sweep also the sweep marker, the
  // compression report and the status strip.
  void PlotPoint(Canvas& canvas, int kind, int n);

  // On the logarithmic axis the span is the fixed one of logSpanIndex.
  void ApplyLogSpan();

 private:
  void drawStatusTexts(Canvas& canvas);
  void drawLegend(Canvas& canvas);
  void drawTraces(Canvas& canvas, const GraphScale& scale);
  using PointXs = std::array<int, kTracePoints>;
  void drawTrace(Canvas& canvas, const GraphScale& scale, const PointXs& xs, int kind, int first,
                 int last);
  void drawFrequencyLabels(Canvas& canvas, const GraphScale& scale);
  void drawLevelLabels(Canvas& canvas, const GraphScale& scale);
  void drawStoredSingleLevel(Canvas& canvas, const GraphScale& scale);
  // Moves to point n - 1 and draws to n unless the frequency stepped backwards; returns
  // the two x positions.
  std::pair<int, int> segment(Canvas& canvas, const GraphScale& scale, int kind, int n,
                              const PointXs* xs = nullptr);
  void singleFrequencySegment(Canvas& canvas, const GraphScale& scale, int n);
  void sweepProgress(Canvas& canvas, const GraphScale& scale, int n, int x0, int x1);
  void readOut(Canvas& canvas, const GraphScale& scale, int n);
  void text(Canvas& canvas, int x, int y, const std::string& s, Colour colour, Colour back);
  Colour colour(int index) const;

  MeasurementState& state_;
  WindowModel& model_;
  TraceSet& traces_;
  MainView& view_;
  GraphHooks hooks_;
  std::optional<int> markerX_;
  struct RunStatus {
    std::string text;
    Colour lamp;
  };
  std::optional<RunStatus> replacedStatus_;
};

}  // namespace tq
