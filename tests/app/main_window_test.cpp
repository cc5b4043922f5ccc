// The program put together as main() does, against the in-process simulated analyser on
// real Qt timers, with scripted answers to every question.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "SimulatedLink.h"
#include "SimulatedUsbAdapter.h"
#include "app/TEMC1.h"
#include "dialogs/Tsfsettings.h"
#include "doubles/FixedClock.h"
#include "doubles/ScriptedPrompts.h"
#include "measure/Program.h"
#include "platform/HostFiles.h"
#include "platform/qt/QtTicks.h"
#include "qt_test_app.h"

namespace tq {
namespace {

namespace fs = std::filesystem;

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    root = fs::temp_directory_path() /
           (std::string("tq_window_") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    files = std::make_unique<HostFiles>(root);
    files->installShippedData(TQ_SOURCE_DATA_DIR);
  }
  ~MainWindowTest() override {
    program.reset();
    window.reset();
    fs::remove_all(root);
  }

  void writeIni(const std::string& displaySize) {
    std::string text;
    const char* lines[] = {
        "16776960", "12632256", "16711680", "0",    "255", "16711935", "65280",        "65535", "0",
        "0",        "0",        "0",        "0",    "0",   "FALSE",    "FALSE",        "FALSE", "2",
        ";",        "30",       "0",        "TRUE", "500", "",         "c:\\tq4800\\", "FALSE"};
    for (const char* l : lines) text += std::string(l) + "\r\n";
    text += displaySize + "\r\n0\r\n0\r\nSpare\r\nSpare\r\nSpare\r\n";
    files->writeAll("C:\\tq4800\\TQ4800.INI", text);
  }

  // An unpaced line keeps these tests quick; a 3 ms step keeps each sweep longer than the
  // waits that start it, as the line would.
  void start(sim::AnalyserOptions options = {}) {
    options.sweepStepMs = 3.0;
    link = std::make_unique<sim::SimulatedLink>(ticks, options, sim::PortOptions{false});
    window = std::make_unique<TEMC1>();
    program =
        std::make_unique<Program>(Ports{link->port, ticks, prompts, *files, clock, *window, usb});
    window->attach(*program);
    window->show();
    ASSERT_TRUE(
        waitFor([&] { return program->started() && program->link().commsWarningArmed(); }, 15000));
    ASSERT_TRUE(waitFor([&] { return program->model().statusText == "Ready"; }, 8000));
  }

  bool waitFor(const std::function<bool()>& done, int ms) { return test::WaitFor(done, ms); }

  QPushButton* button(const char* name) { return window->findChild<QPushButton*>(name); }

  void screenshot(const std::string& name) {
    window->repaint();
    QApplication::processEvents();
    const QByteArray dir = qgetenv("TQ_SCREENSHOT_DIR");
    const QString path = (dir.isEmpty() ? QDir::tempPath() : QString(dir)) + "/" +
                         QString::fromStdString(name) + ".png";
    QDir().mkpath(QFileInfo(path).absolutePath());
    EXPECT_TRUE(window->grab().save(path)) << path.toStdString();
  }

  test::QtTestApp app;
  fs::path root;
  std::unique_ptr<HostFiles> files;
  QtTicks ticks;
  test::ScriptedPrompts prompts;
  test::FixedClock clock;
  sim::SimulatedUsbAdapter usb;
  std::unique_ptr<sim::SimulatedLink> link;
  std::unique_ptr<TEMC1> window;
  std::unique_ptr<Program> program;
};

TEST_F(MainWindowTest, StartsGreenAgainstTheSimulatorAndLaysOutEachSize) {
  writeIni("0");
  start();
  EXPECT_EQ(window->windowTitle().toStdString(), "Veltrane Instruments Ltd    Fieldmark TQ4800");
  EXPECT_EQ(
      window->findChild<QWidget*>("Panel5")->findChild<QLabel*>("Label5")->text().toStdString(),
      "Ready");
  EXPECT_EQ(program->model().detailsVersionText, "Hardware Version : 2.10");
  EXPECT_TRUE(program->model().ersMenuEnabled);
  EXPECT_EQ(link->analyser.attenuationDb(), 30);
  EXPECT_TRUE(prompts.messages().empty());

  // The frequency box shows the whole of its widest text, 1100 MHz in 4 decimals.
  program->state().measurementMode = 1;
  QMouseEvent move(QEvent::MouseMove, QPointF(619, 200), QPointF(619, 200), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(window->centralWidget(), &move);
  program->state().measurementMode = 0;
  auto* box = window->centralWidget()->findChild<QLineEdit*>("Edit1");
  EXPECT_EQ(box->text().toStdString(), "1097.8600 MHz");
  EXPECT_LE(QFontMetrics(box->font()).horizontalAdvance(box->text()), box->width() - 2);
  EXPECT_GE(QFontInfo(box->font()).pixelSize(), 8);

  // Leaving the pre-amplifier box writes the gain in width 4, and it stays so.
  auto* preamp = window->findChild<QComboBox*>("ComboBox3");
  emit preamp->lineEdit()->editingFinished();
  EXPECT_EQ(preamp->currentText().toStdString(), "   0");
  window->modelChanged();
  window->repaint();
  EXPECT_EQ(preamp->currentText().toStdString(), "   0");
  program->state().preampGainDb = 20;  // as an opened result sets it
  window->modelChanged();
  EXPECT_EQ(preamp->currentText().toStdString(), "  20");

  struct Expect {
    int size;
    int width, height;
    const char* name;
    QRect geometry;  // left, top, width, height; -1 where the value is not fixed
  };
  const Expect expects[] = {
      {0, 644, 484, "Button5", {94, -1, 36, -1}},
      {0, 644, 484, "Panel6", {346, -1, 182, -1}},
      {0, 644, 484, "Button2", {-1, 217, 83, 25}},
      {0, 644, 484, "Panel3", {372, 377, 196, -1}},
      {0, 644, 484, "Button17", {140, -1, 50, -1}},
      {0, 644, 484, "Panel7", {570, 409, 60, -1}},
      {2, 1024, 738, "Button5", {114, -1, 40, -1}},
      {2, 1024, 738, "Panel2", {864, -1, 140, -1}},
      {2, 1024, 738, "Button2", {-1, 353, 100, 40}},
      {2, 1024, 738, "Panel8", {-1, 547, 100, -1}},
      {2, 1024, 738, "BitBtn4", {966, 625, 30, -1}},
      {2, 1024, 738, "Edit1", {1, -1, 78, -1}},
      // Size 1: the normal controls, the bottom row below the larger graph.
      {1, 800, 600, "Button5", {94, -1, 36, -1}},
      {1, 800, 600, "Button3", {672, 484, 30, -1}},
      {1, 800, 600, "Panel7", {672, 516, 60, -1}},
  };
  for (const Expect& e : expects) {
    program->state().displaySize = static_cast<std::uint8_t>(e.size);
    window->applyLayout();
    EXPECT_EQ(window->width(), e.width);
    EXPECT_EQ(window->height(), e.height);
    const QRect g = window->centralWidget()->findChild<QWidget*>(e.name)->geometry();
    const QRect want = e.geometry;
    EXPECT_TRUE(want.x() < 0 || g.x() == want.x())
        << e.name << " size " << e.size << " x " << g.x();
    EXPECT_TRUE(want.y() < 0 || g.y() == want.y())
        << e.name << " size " << e.size << " y " << g.y();
    EXPECT_TRUE(want.width() < 0 || g.width() == want.width()) << e.name << " w " << g.width();
    EXPECT_TRUE(want.height() < 0 || g.height() == want.height()) << e.name << " h " << g.height();
    screenshot("main_window_size" + std::to_string(e.size));
  }
  EXPECT_EQ(window->font().pointSize(), 8);  // size 1 has the normal font
}

TEST_F(MainWindowTest, RunSweepsUntilStopAndCancelEndsAtOnce) {
  writeIni("0");
  start();
  program->state().startFrequencyHz = 100000000;
  program->state().finishFrequencyHz = 200000000;
  program->state().stepsPerScan = 100;

  button("Button2")->click();  // RUN
  EXPECT_EQ(button("Button2")->text().toStdString(), "CANCEL");
  EXPECT_EQ(button("Button1")->text().toStdString(), "STOP");
  EXPECT_FALSE(button("Button6")->isEnabled());
  ASSERT_TRUE(waitFor([&] { return program->state().scansDone >= 3; }, 20000));
  EXPECT_TRUE(program->state().runInProgress);

  button("Button1")->click();  // STOP: the sweep under way finishes, then the run ends
  EXPECT_EQ(button("Button1")->text().toStdString(), "STOPPING");
  ASSERT_TRUE(waitFor([&] { return !program->state().runInProgress; }, 10000));
  EXPECT_EQ(button("Button2")->text().toStdString(), "RUN");
  EXPECT_EQ(button("Button1")->text().toStdString(), "S/SHOT");
  EXPECT_TRUE(button("Button6")->isEnabled());
  int measured = 0;
  for (int n = 0; n <= 500; ++n) measured += program->traces().currentTrace[n] > 0;
  EXPECT_GT(measured, 450);  // 100 steps spread over the display points
  EXPECT_FLOAT_EQ(program->state().stepFrequencyHz[500], 200000000.0f);

  button("Button2")->click();
  ASSERT_TRUE(waitFor([&] { return program->state().stepIndex > 20; }, 10000));
  button("Button2")->click();  // CANCEL
  EXPECT_FALSE(program->state().runInProgress);
  EXPECT_FALSE(link->analyser.commands(0x36).empty());
  ASSERT_TRUE(waitFor([&] { return !link->analyser.sweeping(); }, 3000));
  EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(MainWindowTest, SingleShotTakesOneSweepAndAveragingStopsByItself) {
  writeIni("0");
  start();
  program->state().startFrequencyHz = 30000000;
  program->state().finishFrequencyHz = 40000000;
  program->state().stepsPerScan = 100;
  button("Button1")->click();  // S/SHOT
  ASSERT_TRUE(waitFor([&] { return !program->state().runInProgress; }, 15000));
  EXPECT_EQ(link->analyser.commands(0x34).size(), 1u);

  program->Execute(Command::Average81);
  button("Button2")->click();
  ASSERT_TRUE(waitFor([&] { return !program->state().runInProgress; }, 60000));
  EXPECT_EQ(link->analyser.commands(0x34).size(), 9u);  // one shot and eight averaged sweeps

  // A detector whose warning is cancelled leaves the one in force ticked, alone.
  prompts.answer(Answer::Cancel);
  window->findChild<QAction*>("QP1")->trigger();
  EXPECT_TRUE(window->findChild<QAction*>("PFS1")->isChecked());
  EXPECT_FALSE(window->findChild<QAction*>("QP1")->isChecked());
}

TEST_F(MainWindowTest, ClosingWritesTheSettingsAndResetsTheAnalyser) {
  writeIni("2");
  start();
  EXPECT_EQ(window->width(), 1024);
  // The Display menu chooses the size; it applies at the next paint.
  auto choose = [&](const char* item) {
    window->findChild<QAction*>(item)->trigger();
    QApplication::processEvents();
  };
  choose("Normal1");
  EXPECT_EQ(window->width(), 644);
  EXPECT_TRUE(window->findChild<QAction*>("Normal1")->isChecked());
  EXPECT_FALSE(window->findChild<QAction*>("Enlarged1")->isChecked());
  choose("N800x6001");
  EXPECT_EQ(window->width(), 800);
  screenshot("main_window_menu_size1");
  link->analyser.clearLog();
  window->close();
  EXPECT_TRUE(prompts.wasShown("Close TQ4800 ?"));
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(link->analyser.commands(0x80).empty());
  const auto saved = files->readAll("c:\\tq4800\\tq4800.ini");
  ASSERT_TRUE(saved);
  EXPECT_NE(saved->find("\r\n1\r\n0\r\n0\r\nSpare\r\n"), std::string::npos);
}

// Single frequency through the window: Single, the pick on the graph, the settings dialog,
// samples, the tune buttons clicked and held, STOP and Scan; and the tune buttons whole at
// every display size.
TEST_F(MainWindowTest, SingleFrequencyRunThroughTheWindow) {
  writeIni("0");
  start();
  QWidget* graph = window->centralWidget();
  auto mouse = [&](QEvent::Type type, int x) {
    QMouseEvent e(type, QPointF(x, 200), QPointF(x, 200), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(graph, &e);
  };
  button("Button17")->click();
  EXPECT_EQ(program->state().measurementMode, 1);
  EXPECT_TRUE(window->messageWindow()->isVisible());
  mouse(QEvent::MouseMove, 195);  // 30 MHz + 75 x 2.14 MHz
  auto* box = graph->findChild<QLineEdit*>("Edit1");
  EXPECT_EQ(box->text().toStdString(), "190.5000 MHz");

  // The dialog opens once the click is handled: instantaneous, tracking on, Fast.
  bool answered = false;
  std::function<void()> answer = [&] {
    auto* dialog = dynamic_cast<Tsfsettings*>(QApplication::activeModalWidget());
    if (!dialog) {
      QTimer::singleShot(10, answer);
      return;
    }
    EXPECT_EQ(dialog->windowTitle().toStdString(), "Single Frequency Settings");
    dialog->peakcatch()->setChecked(true);
    dialog->stylegroup()->button(0)->setChecked(true);
    dialog->findChild<QPushButton*>("OKBtn")->click();
    answered = true;
  };
  QTimer::singleShot(0, answer);
  mouse(QEvent::MouseButtonPress, 195);
  mouse(QEvent::MouseButtonRelease, 195);
  ASSERT_TRUE(waitFor([&] { return answered; }, 5000));
  EXPECT_FALSE(window->messageWindow()->isVisible());
  ASSERT_TRUE(waitFor([&] { return program->state().stepIndex >= 5; }, 10000));
  EXPECT_EQ(link->analyser.samplingValue(), 100);
  EXPECT_EQ(button("Button17")->text().toStdString(), "Scan");
  EXPECT_EQ(button("Button1")->text().toStdString(), "STOP");
  EXPECT_EQ(button("Button2")->text().toStdString(), "CANCEL");
  EXPECT_TRUE(button("Button2")->isEnabled());
  EXPECT_TRUE(box->text().endsWith(" MHz"));

  // Tune: one click, then held for a few samples.
  // (The user limit dialog has buttons of these names too.)
  QPushButton* up = graph->findChild<QPushButton*>("BitBtn1");
  QPushButton* down = graph->findChild<QPushButton*>("BitBtn2");
  ASSERT_TRUE(up->isEnabled());
  up->click();
  EXPECT_TRUE(waitFor([&] { return link->analyser.commands(0x4B).size() == 1; }, 2000));
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(down, &press);
  const int held = program->state().stepIndex;
  ASSERT_TRUE(waitFor([&] { return program->state().stepIndex >= held + 3; }, 10000));
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(down, &release);
  EXPECT_GE(link->analyser.commands(0x4C).size(), 3u);
  EXPECT_FALSE(program->single().tuneDownHeld());

  // The tune buttons show whole at every size, inside their panel.
  for (int size : {0, 1, 2}) {
    program->state().displaySize = static_cast<std::uint8_t>(size);
    window->repaint();
    QApplication::processEvents();
    for (QPushButton* b : {up, down}) {
      EXPECT_LE(QFontMetrics(b->font()).horizontalAdvance(b->text()), b->width() - 4) << size;
      EXPECT_TRUE(b->parentWidget()->rect().contains(b->geometry())) << size;
    }
    screenshot("single_frequency_size" + std::to_string(size));
  }

  button("Button1")->click();  // STOP
  EXPECT_FALSE(program->state().runInProgress);
  EXPECT_FALSE(up->isEnabled());
  EXPECT_EQ(button("Button2")->text().toStdString(), "RUN");  // waiting for Scan
  EXPECT_FALSE(button("Button2")->isEnabled());
  ASSERT_TRUE(waitFor([&] { return !link->analyser.readingsRunning(); }, 2000));
  button("Button17")->click();  // Scan
  EXPECT_EQ(program->state().measurementMode, 0);
  EXPECT_TRUE(box->text().isEmpty());
  EXPECT_EQ(button("Button17")->text().toStdString(), "Single");
  EXPECT_TRUE(button("Button2")->isEnabled());
}

}  // namespace
}  // namespace tq
