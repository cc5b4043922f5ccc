#include <gtest/gtest.h>

#include <cmath>

#include "GraphFixture.h"
#include "corrections/LimitLevel.h"

namespace tq::test {
namespace {

using Call = RecordingCanvas::Call;

// An input with a code and a measuring distance of its own.
struct Input : FakeInputs {
  int code = 5;  // a LISN
  float metres = 3.0f;
  int InputCode() const override { return code; }
  float MeasuringDistanceM() const override { return metres; }
};

LimitTable Line(std::initializer_list<LimitPoint> points, int record = 26, int file = 1) {
  LimitTable t;
  int r = 1;
  for (const LimitPoint& p : points) t.points[static_cast<std::size_t>(r++)] = p;
  t.entryCount = r;
  t.recordNumber = record;
  t.fileSelector = file;
  t.name = "Line";
  return t;
}

class GraphLimitTest : public GraphTest {
 protected:
  GraphLimitTest()
      : painter(state_, model_, traces_.data(),
                GraphSources{input, features_.limit, features_.ers, features_.single}) {
    model_.showLimit = true;
  }
  std::vector<Call> limitLines() const { return canvas_.linesIn(colour(kLimitColour)); }
  // Where the line runs, as the painter maps it: y includes the companion offset.
  std::pair<int, int> at(double hz, double level) const {
    const GraphScale s = painter.scale();
    return {s.FreqToX(hz), s.LimitToY(level)};
  }
  void draw(const LimitTable& line) {
    canvas_.clear();
    painter.DrawLimit(canvas_, painter.scale(), line);
  }
  void expectPath(const std::vector<std::pair<double, double>>& path) {
    const auto lines = limitLines();
    ASSERT_EQ(lines.size(), path.size() - 1);
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
      EXPECT_EQ(std::pair(lines[i].x0, lines[i].y0), at(path[i].first, path[i].second)) << i;
      EXPECT_EQ(std::pair(lines[i].x1, lines[i].y1), at(path[i + 1].first, path[i + 1].second))
          << i;
      EXPECT_EQ(lines[i].penWidth, 2);
    }
  }

  Input input;
  GraphPainter painter;
};

TEST_F(GraphLimitTest, PointsOnTheirOwnAxisAreStraightSegmentsWithTheDistanceCorrection) {
  LimitTable t =
      Line({{30000000, 40, 0}, {230000000, 40, 0}, {230000001, 47, 0}, {1000000000, 47, 0}}, 23);
  t.radiated = true;
  t.limitDistanceM = 10.0f;
  const double up = 20 * Log10(10.0 / 3.0);
  draw(t);
  expectPath({{30e6, 40 + up}, {230e6, 40 + up}, {230000001, 47 + up}, {1000e6, 47 + up}});
  // A point past the finish frequency ends at the limit's level at the finish.
  state_.finishFrequencyHz = 500000000;
  t.companionOffsetDb = 10;
  draw(t);
  expectPath({{30e6, 50 + up}, {230e6, 50 + up}, {230000001, 57 + up}, {500e6, 57 + up}});
  // The level window and the pen go back to the outline afterwards.
  EXPECT_EQ(canvas_.calls().back().penWidth, 1);
}

TEST_F(GraphLimitTest, InterpolationAgainstTheAxisIsDrawnInTenSteps) {
  state_.startFrequencyHz = 10000;
  state_.finishFrequencyHz = 30000000;
  const LimitTable t = Line({{150000, 66, 1}, {500000, 56, 0}, {5000000, 56, 0}});
  const DistanceSetting d{3.0f, false};
  draw(t);  // linear axis: the logarithmic segment bends, the linear one does not
  std::vector<std::pair<double, double>> path{{150000, 66}};
  const double q = std::pow(500000.0 / 150000.0, 0.1);
  for (int k = 1; k <= 10; ++k) {
    const double f = RoundHalfEven(150000 * std::pow(q, k));
    path.push_back({f, LimitAt(t, f, d)});
  }
  path.push_back({5000000, 56});
  expectPath(path);

  state_.logFrequencyAxis = true;
  draw(t);  // log axis: now the linear segment is the one in steps
  path = {{150000, 66}, {500000, 56}};
  for (int k = 1; k <= 10; ++k) {
    const double f = 500000 + RoundHalfEven(k * 4500000.0 / 10);
    path.push_back({f, LimitAt(t, f, d)});
  }
  expectPath(path);
}

TEST_F(GraphLimitTest, TheLightingBaseLineStartsAtItsFifthPoint) {
  state_.startFrequencyHz = 9000;
  state_.finishFrequencyHz = 30000000;
  state_.logFrequencyAxis = true;
  state_.logSpanIndex = 4;
  LimitTable t = Line({{9000, 100, 0},
                       {49999, 100, 0},
                       {50000, 80, 1},
                       {149999, 70, 0},
                       {150000, 56, 1},
                       {500000, 46, 1}},
                      17);
  draw(t);
  ASSERT_FALSE(limitLines().empty());
  EXPECT_EQ(canvas_.ofKind(RecordingCanvas::Kind::MoveTo).front().x0, at(150000, 0).first);
  t.quasiPeak = true;
  t.companionOffsetDb = 10;
  draw(t);
  const Call start = canvas_.ofKind(RecordingCanvas::Kind::MoveTo).front();
  EXPECT_EQ(std::pair(start.x0, start.y0), at(9000, 110));
}

TEST_F(GraphLimitTest, TheInputDecidesWhatIsDrawn) {
  const LimitTable points = Line({{30000000, 40, 0}, {230000000, 40, 0}});
  LimitTable bands;
  bands.recordNumber = 108;
  bands.entryCount = 3;
  bands.bands[1] = {30000000, 54000000, 55.0f};
  bands.bands[2] = {76000000, 108000000, 49.5f};
  struct Case {
    int inputCode, file, record;
    std::size_t lines;  // 1 for the points below, 2 for the bands
  };
  const Case cases[] = {
      {5, 1, 26, 1},  {8, 1, 26, 0},  {8, 1, 38, 0},  {8, 1, 39, 1},  {8, 1, 43, 1}, {8, 2, 34, 1},
      {8, 2, 39, 1},  {8, 2, 40, 0},  {8, 3, 39, 0},  {1, 1, 39, 0},  {1, 1, 26, 0}, {8, 1, 203, 0},
      {5, 1, 203, 1}, {8, 0, 108, 2}, {1, 0, 108, 2}, {5, 0, 108, 2},
  };
  for (const Case& c : cases) {
    input.code = c.inputCode;
    LimitTable t = c.record == 108 ? bands : points;
    t.recordNumber = c.record;
    t.fileSelector = c.file;
    draw(t);
    EXPECT_EQ(limitLines().size(), c.lines) << c.inputCode << " " << c.file << "/" << c.record;
  }
  const auto drawn = limitLines();
  EXPECT_EQ(std::pair(drawn[1].x0, drawn[1].y0), at(76e6, 49.5));
  EXPECT_EQ(std::pair(drawn[1].x1, drawn[1].y1), at(108e6, 49.5));
}

TEST_F(GraphLimitTest, SingleFrequencyModeDrawsOneLevelAcrossThePlot) {
  state_.measurementMode = 2;
  features_.single.hz = 273861;
  draw(Line({{150000, 66, 1}, {500000, 56, 0}}));
  expectPath({{0, 61}, {2e9, 61}});  // from the left edge to the right edge
  LimitTable bands;
  bands.recordNumber = 117;
  bands.entryCount = 3;
  bands.bands[1] = {150000, 300000, 70.0f};
  bands.bands[2] = {530000, 2000000, 66.0f};
  draw(bands);
  expectPath({{0, 70}, {2e9, 70}});
  features_.single.hz = 400000;  // between bands: no limit
  draw(bands);
  expectPath({{0, 200}, {2e9, 200}});
}

TEST_F(GraphLimitTest, ALongLimitNameStopsShortOfTheStatusTexts) {
  features_.limit.loaded = true;
  features_.limit.name = "EN55025 Radiated Antenna Technique Broadband Class 5 Peak";
  model_.showStore = model_.showDifference = true;
  painter.DrawGraph(canvas_);
  const Call* processing = canvas_.findText("No Process");
  ASSERT_NE(processing, nullptr);
  const auto texts = canvas_.textCalls();
  const auto name = std::find_if(texts.begin(), texts.end(),
                                 [](const Call& c) { return c.text.starts_with("EN55025"); });
  ASSERT_NE(name, texts.end());
  EXPECT_TRUE(name->text.ends_with("..."));
  EXPECT_LE(name->x1, processing->x0);
  model_.showStore = model_.showDifference = false;
  features_.limit.name = "EN55022 Class B Mains";
  canvas_.clear();
  painter.DrawGraph(canvas_);
  EXPECT_TRUE(canvas_.hasText("EN55022 Class B Mains"));
}

TEST_F(GraphLimitTest, TheGraphDrawsBothLinesAndNamesTheLimit) {
  features_.limit.loaded = true;
  features_.limit.name = "EN55022 Class B Mains";
  features_.limit.base = Line({{30000000, 40, 0}, {230000000, 40, 0}});
  features_.limit.companion = features_.limit.base;
  features_.limit.companion.companionOffsetDb = 10;
  painter.DrawGraph(canvas_);
  const auto lines = limitLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].y0 - lines[1].y0, 40);  // 10 dB above
  const Call* legend = canvas_.findText(" Limit : ");
  ASSERT_NE(legend, nullptr);
  EXPECT_EQ(legend->fontColour, colour(kLimitColour));
  EXPECT_EQ(canvas_.findText("EN55022 Class B Mains")->fontColour, kClBlack);
  // Single frequency draws both lines whatever its detector.
  state_.measurementMode = 2;
  features_.single.hz = 100000000;
  for (int detector : {0, 1, 2}) {
    features_.single.detector = detector;
    canvas_.clear();
    painter.DrawGraph(canvas_);
    ASSERT_EQ(limitLines().size(), 2u) << detector;
    EXPECT_EQ(limitLines()[0].y0 - limitLines()[1].y0, 40) << detector;
  }
  state_.measurementMode = 0;
  canvas_.clear();
  model_.showLimit = false;
  painter.DrawGraph(canvas_);
  EXPECT_TRUE(limitLines().empty());
  EXPECT_FALSE(canvas_.hasText(" Limit : "));
}

}  // namespace
}  // namespace tq::test
