// The main window with all four traces, grabbed to PNG at display sizes 0 and 2 (written to
// $TQ_SCREENSHOT_DIR) for a look by eye, with a few pixels checked on the way.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <cmath>
#include <filesystem>

#include "app/GraphArea.h"
#include "app/TEMC1.h"
#include "app/Widgets.h"
#include "doubles/FakeSerialPort.h"
#include "doubles/FixedClock.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "graph_test_state.h"
#include "measure/Program.h"
#include "measure/ScanEngine.h"
#include "platform/HostFiles.h"
#include "platform/NoUsbI2cIo.h"
#include "qt_test_app.h"

namespace tq {
namespace {

namespace fs = std::filesystem;

// A believable picture: a noise floor with clock harmonics, an ambient Store below it, the
// Difference of the two and an older Archive.
void FillTraces(Program& program) {
  TraceData t = program.traces();
  for (std::size_t n = 0; n < kTracePoints; ++n) {
    const double x = static_cast<double>(n);
    const double floor = 32 + 4 * std::sin(x / 17.0) + 3 * std::sin(x / 3.1);
    const double harmonic = (n % 40 == 7) ? 28 : (n % 40 == 8 || n % 40 == 6) ? 12 : 0;
    t.currentTrace[n] = static_cast<std::int32_t>(floor + harmonic);
    t.storeTrace[n] = static_cast<std::int32_t>(floor - 6 + 2 * std::sin(x / 5.0));
    t.differenceTrace[n] = t.currentTrace[n] - t.storeTrace[n] + 25;
    t.archiveTrace[n] = static_cast<std::int32_t>(floor + 8 + 0.6 * harmonic);
  }
  program.LoadTraces(t);
  for (Command c : {Command::Store1, Command::Difference1, Command::Archive1}) program.Execute(c);
}

class GraphScreenshotTest : public ::testing::Test {
 protected:
  GraphScreenshotTest()
      : root(fs::temp_directory_path() /
             (std::string("tq_shot_") +
              ::testing::UnitTest::GetInstance()->current_test_info()->name())),
        files(root),
        program(Ports{port, ticks, prompts, files, clock, window, usb}) {
    MeasurementState& s = program.state();
    s.detector = 1;
    s.title = "Title";
    test::WholeHighSpanNoAttenuation(s);
    window.attach(program);
    FillTraces(program);
    graph = dynamic_cast<GraphArea*>(window.centralWidget());
    window.show();
  }
  ~GraphScreenshotTest() override { fs::remove_all(root); }

  QImage shoot(int displaySize, const char* name) {
    program.state().displaySize = static_cast<std::uint8_t>(displaySize);
    window.applyLayout();
    window.repaint();
    graph->repaintGraph();
    QApplication::processEvents();
    const QImage shot = window.grab().toImage();
    const QByteArray dir = qgetenv("TQ_SCREENSHOT_DIR");
    const QString path =
        (dir.isEmpty() ? QDir::tempPath() : QString(dir)) + "/" + QString(name) + ".png";
    QDir().mkpath(QFileInfo(path).absolutePath());
    EXPECT_TRUE(shot.save(path)) << path.toStdString();
    return shot;
  }

  QPoint inGraph(int x, int y) const { return graph->mapTo(&window, QPoint(x, y)); }

  test::QtTestApp app;
  fs::path root;
  HostFiles files;
  test::FakeSerialPort port;
  test::VirtualTicks ticks;
  test::ScriptedPrompts prompts;
  test::FixedClock clock;
  NoUsbI2cIo usb;
  TEMC1 window;
  Program program;
  GraphArea* graph = nullptr;
};

TEST_F(GraphScreenshotTest, FourTracesAtSizes0And2) {
  const QColor screen = ToQColor(kDefaultScreenColours[kScreenColour]);
  const QColor border = ToQColor(kDefaultScreenColours[kBorderColour]);

  const QImage small = shoot(0, "graph_size0");
  EXPECT_EQ(graph->image().size(), graph->size());
  EXPECT_EQ(small.pixelColor(inGraph(125, 55)), screen);
  EXPECT_EQ(small.pixelColor(inGraph(630, 365)), border);
  // The Current trace's harmonic at point 7 peaks at 60 dBuV: y = 350 - 40 * 4 = 190.
  EXPECT_EQ(small.pixelColor(inGraph(127, 190)), ToQColor(kDefaultScreenColours[kCurrentColour]));

  const QImage large = shoot(2, "graph_size2");
  EXPECT_EQ(large.size(), window.size() * window.devicePixelRatio());
  EXPECT_EQ(graph->image().size(), graph->size());
  EXPECT_EQ(large.pixelColor(inGraph(145, 75)), screen);
  EXPECT_EQ(large.pixelColor(inGraph(1000, 610)), border);
}

}  // namespace
}  // namespace tq
