// The graph widget: back buffer, live points, mouse zoom and the value cursor through real
// Qt events, and the two small dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <set>

#include "app/GraphArea.h"
#include "dialogs/Tanswers.h"
#include "dialogs/Tscrncol.h"
#include "doubles/FakeSerialPort.h"
#include "doubles/FixedClock.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "graph_test_state.h"
#include "measure/Program.h"
#include "measure/ScanEngine.h"
#include "platform/HostFiles.h"
#include "platform/NoUsbI2cIo.h"
#include "platform/qt/QtCanvas.h"
#include "qt_test_app.h"

namespace tq {
namespace {

namespace fs = std::filesystem;

// A main window that only forwards repaints and the values window to the graph, and counts
// the full paints.
class GraphView : public MainView, public GraphAreaOwner {
 public:
  GraphArea* graph = nullptr;
  int repaints = 0;
  int renders = 0;
  void modelChanged() override {}
  void repaint() override {
    ++repaints;
    if (graph) graph->repaintGraph();
  }
  void showMessageWindow(const std::string&) override {}
  void hideMessageWindow() override {}
  void placeMessageWindow() override {}
  void closeMainWindow() override {}
  void plotPoint(int kind, int n) override { graph->plotPoint(kind, n); }
  void showValuesWindow() override { graph->showValuesWindow(); }
  void hideValuesWindow() override { graph->hideValuesWindow(); }
  void showValues(const ValueTexts& v) override { graph->answers().showValues(v); }
  void aboutToRender() override { ++renders; }
};

// A screen colours dialog that answers without the colour dialog.
class ScriptedColours : public Tscrncol {
 public:
  using Tscrncol::Tscrncol;
  std::optional<Colour> chooseColour(Colour current, const QString& title) override {
    if (title == "Archive") return std::nullopt;
    return current ^ 0x00FFFFFF;
  }
};

QColor Rgb(Colour c) {
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

class GraphAreaTest : public ::testing::Test {
 protected:
  GraphAreaTest()
      : root(fs::temp_directory_path() /
             (std::string("tq_graph_") +
              ::testing::UnitTest::GetInstance()->current_test_info()->name())),
        files(root),
        program(Ports{port, ticks, prompts, files, clock, view, usb}) {
    MeasurementState& s = program.state();
    s.preampGainDb = 0;
    s.levelOffsetDb = 0;
    test::WholeHighSpanNoAttenuation(s);
    top.resize(644, 484);
    graph = new GraphArea(&top, program, view);
    graph->setGeometry(0, 0, 644, 484);
    view.graph = graph;
    top.show();
    QApplication::processEvents();
  }
  ~GraphAreaTest() override { fs::remove_all(root); }

  void mouse(QEvent::Type type, int x, int y) {
    QMouseEvent e(type, QPointF(x, y), graph->mapToGlobal(QPointF(x, y)), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(graph, &e);
  }
  void key(int k, Qt::KeyboardModifiers mods) {
    QKeyEvent e(QEvent::KeyPress, k, mods);
    QApplication::sendEvent(&top, &e);
  }
  QColor pixel(int x, int y) const { return graph->image().pixelColor(x, y); }

  test::QtTestApp app;
  fs::path root;
  HostFiles files;
  test::FakeSerialPort port;
  test::VirtualTicks ticks;
  test::ScriptedPrompts prompts;
  test::FixedClock clock;
  NoUsbI2cIo usb;
  GraphView view;
  Program program;
  QWidget top;
  GraphArea* graph = nullptr;
  int& renders = view.renders;
};

TEST_F(GraphAreaTest, BackBufferHoldsTheGraphAtTheAreaSize) {
  graph->renderGraph();
  EXPECT_EQ(graph->image().size(), graph->size());
  EXPECT_EQ(pixel(300, 100), Rgb(kDefaultScreenColours[kScreenColour]));
  EXPECT_EQ(pixel(100, 365), Rgb(kDefaultScreenColours[kBorderColour]));
  graph->resize(800, 600);
  graph->repaint();
  EXPECT_EQ(graph->image().size(), QSize(800, 600));
}

// Drawn in one call, a trace differs from segments drawn one by one at most at the points
// where segments meet (the rasteriser decides there which segment owns the pixel).
TEST_F(GraphAreaTest, JoinedSegmentsDifferFromSingleOnesOnlyAtTheirJoints) {
  for (Command c : {Command::Store1, Command::Difference1, Command::Archive1}) program.Execute(c);
  TraceData t = program.traces();
  for (std::size_t n = 0; n < kTracePoints; ++n) {
    t.currentTrace[n] = static_cast<std::int32_t>(30 + (n * 7919) % 37);
    t.storeTrace[n] = static_cast<std::int32_t>(25 + (n / 9) % 11);
    t.differenceTrace[n] = static_cast<std::int32_t>(60 + (n * 31) % 29);
    t.archiveTrace[n] = static_cast<std::int32_t>(n % 90);
  }
  program.LoadTraces(t);
  // A step backwards leaves a gap in the middle of every trace.
  program.state().stepFrequencyHz[250] = 40e6f;
  for (int size : {0, 2}) {
    program.state().displaySize = static_cast<std::uint8_t>(size);
    QImage joined(1024, 738, QImage::Format_RGB32);
    QImage single(1024, 738, QImage::Format_RGB32);
    GraphArea::Render(joined, program, Qt::gray);
    single.fill(Qt::gray);
    {
      QPainter p(&single);
      QtCanvas canvas(&p);
      program.DrawGraph(canvas);
    }
    const GraphScale scale = MakeScale(program.state(), program.transducer());
    std::set<std::pair<int, int>> joints;
    for (const Trace* trace :
         {&t.currentTrace, &t.storeTrace, &t.differenceTrace, &t.archiveTrace}) {
      for (std::size_t n = 0; n < kTracePoints; ++n)
        joints.emplace(scale.FreqToX(program.state().stepFrequencyHz[n]),
                       scale.LevelToY((*trace)[n]));
    }
    int differ = 0;
    for (int y = 0; y < joined.height(); ++y) {
      for (int x = 0; x < joined.width(); ++x) {
        if (joined.pixel(x, y) == single.pixel(x, y)) continue;
        ++differ;
        EXPECT_TRUE(joints.count({x, y})) << x << "," << y << " size " << size;
      }
    }
    EXPECT_LT(differ, 200) << "size " << size;
  }
}

TEST_F(GraphAreaTest, LivePointsDrawIntoTheBufferWithoutAFullRepaint) {
  TraceData t = program.traces();
  t.currentTrace.fill(45);  // y 250
  t.stepStatus.fill(1);     // as the scan engine marks measured points
  program.LoadTraces(t);
  graph->renderGraph();
  const int before = renders;
  program.state().runInProgress = true;
  for (int n = 0; n <= 100; ++n) graph->plotPoint(kCurrentKind, n);
  EXPECT_EQ(renders, before);
  EXPECT_EQ(pixel(150, 250), Rgb(kDefaultScreenColours[kCurrentColour]));
  EXPECT_EQ(pixel(150, 355), QColor(0, 255, 0));  // status strip: measured
  EXPECT_EQ(pixel(220, 352), QColor(255, 0, 0));  // the sweep marker at point 100
  EXPECT_NE(pixel(219, 352), QColor(255, 0, 0));  // erased behind it
  QApplication::processEvents();
  EXPECT_EQ(renders, before);
}

TEST_F(GraphAreaTest, MouseDragZoomsAndRepaints) {
  graph->renderGraph();
  mouse(QEvent::MouseButtonPress, 150, 200);
  ticks.advance(600);
  mouse(QEvent::MouseMove, 175, 200);
  // The zoom line is in the buffer, in not-xor over the screen colour.
  EXPECT_NE(pixel(175, 200), Rgb(kDefaultScreenColours[kScreenColour]));
  mouse(QEvent::MouseButtonRelease, 175, 200);
  EXPECT_EQ(program.state().startFrequencyHz, 147700000);
  QApplication::processEvents();
  graph->repaint();
  EXPECT_EQ(pixel(175, 200), Rgb(kDefaultScreenColours[kScreenColour]));
}

TEST_F(GraphAreaTest, AltArrowsDriveTheValueCursorAndEscClearsIt) {
  graph->renderGraph();
  TraceData t = program.traces();
  t.currentTrace[2] = 41;
  program.LoadTraces(t);
  const int repaints = view.repaints;
  key(Qt::Key_Up, Qt::AltModifier);
  ASSERT_TRUE(graph->answers().isVisible());
  EXPECT_EQ(graph->answers().windowTitle(), "Values dBuV");
  key(Qt::Key_Right, Qt::AltModifier);
  key(Qt::Key_Right, Qt::AltModifier);
  EXPECT_EQ(program.pointer().valueCursorX(), 122);
  EXPECT_EQ(graph->answers().label("Label10")->text(), "34.28 MHz");
  EXPECT_EQ(graph->answers().label("Label5")->text(), "41");
  key(Qt::Key_Right, Qt::ControlModifier | Qt::AltModifier);  // not Alt alone
  EXPECT_EQ(program.pointer().valueCursorX(), 122);
  key(Qt::Key_Escape, Qt::NoModifier);
  EXPECT_FALSE(graph->answers().isVisible());
  EXPECT_EQ(view.repaints - repaints, 1);
}

TEST_F(GraphAreaTest, AdoptedControlsKeepTheirPlacesAndVisibility) {
  QWidget old;
  auto* shown = new QPushButton("RUN", &old);
  shown->setObjectName("Button2");
  shown->setGeometry(5, 217, 83, 25);
  auto* hidden = new QLabel(&old);
  hidden->setObjectName("Label17");
  hidden->hide();
  graph->adoptChildrenOf(&old);
  ASSERT_EQ(graph->findChild<QPushButton*>("Button2"), shown);
  EXPECT_EQ(shown->geometry(), QRect(5, 217, 83, 25));
  EXPECT_TRUE(shown->isVisible());
  EXPECT_EQ(graph->findChild<QLabel*>("Label17"), hidden);
  EXPECT_TRUE(hidden->isHidden());
  EXPECT_TRUE(old.findChildren<QWidget*>().isEmpty());
}

TEST_F(GraphAreaTest, ScreenColoursDialog) {
  ScriptedColours dialog(&top, view);
  EXPECT_EQ(dialog.windowTitle(), "Screen Colours");
  const int before = view.repaints;
  std::array<Colour, 8> colours = kDefaultScreenColours;  // Archive 0x00FF00 here
  dialog.FormActivate(colours);
  dialog.findChild<QPushButton*>("ColorDialog4")->click();  // Current
  dialog.findChild<QPushButton*>("ColorDialog7")->click();  // Archive, cancelled
  EXPECT_EQ(dialog.colours()[kCurrentColour], 0xFFFFFFu);
  EXPECT_EQ(dialog.colours()[kArchiveColour], 0x00FF00u);
  EXPECT_EQ(view.repaints - before, 2);
  dialog.findChild<QPushButton*>("Button9")->click();
  EXPECT_EQ(dialog.colours(), kScreenColourDefaults);
  EXPECT_EQ(colours, kDefaultScreenColours);  // nothing copied back yet

  // OK copies all eight back; Cancel changes nothing.
  QTimer::singleShot(0, &dialog, [&] {
    dialog.findChild<QPushButton*>("ColorDialog1")->click();
    dialog.findChild<QPushButton*>("OKBtn")->click();
  });
  EXPECT_TRUE(Colours1Click(dialog, colours));
  EXPECT_EQ(colours[kScreenColour], 0x0000FFu);
  QTimer::singleShot(0, &dialog, [&] {
    dialog.findChild<QPushButton*>("Button9")->click();
    dialog.findChild<QPushButton*>("CancelBtn")->click();
  });
  EXPECT_FALSE(Colours1Click(dialog, colours));
  EXPECT_EQ(colours[kScreenColour], 0x0000FFu);
}

}  // namespace
}  // namespace tq
