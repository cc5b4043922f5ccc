// The user guide's screenshots: the real main window and its dialogs against the in-process
// simulated analyser, driven as a user would (buttons, menus, the graph). Run under Xvfb by
// tools/screenshots.sh:  tq4800_screenshots OUTDIR
// Exits 1 when a step could not be done, so that it also serves as a smoke test.
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>

#include "SimulatedLink.h"
#include "SimulatedUsbAdapter.h"
#include "app/TEMC1.h"
#include "dialogs/HelpWindow.h"
#include "doubles/ScriptedPrompts.h"
#include "measure/Program.h"
#include "model/HelpTopics.h"
#include "platform/HostFiles.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/QtTicks.h"

namespace tq {
namespace {

namespace fs = std::filesystem;

bool WaitFor(const std::function<bool()>& done, int ms) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

// Runs a step for each modal window as it opens, in the order given, by the window's name.
class ModalScript {
 public:
  void then(const char* name, std::function<void(QDialog&)> step) {
    steps_.push_back({name, std::move(step)});
    if (steps_.size() == 1) poll();
  }
  bool finished() const { return steps_.empty(); }

 private:
  void poll() {
    if (steps_.empty()) return;
    auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (modal && modal->isVisible() && modal->objectName() == steps_.front().first) {
      auto step = std::move(steps_.front().second);
      steps_.pop_front();
      // Let the window lay itself out and paint before it is grabbed.
      QTimer::singleShot(150, modal, [modal, step] { step(*modal); });
    }
    QTimer::singleShot(20, [this] { poll(); });
  }
  std::deque<std::pair<QString, std::function<void(QDialog&)>>> steps_;
};

class Shooter {
 public:
  Shooter(QString out, const fs::path& root) : out_(std::move(out)), files_(root) {
    files_.installShippedData(TQ_SOURCE_DATA_DIR);
    files_.installSimulatedDisk(TQ_SOURCE_DATA_DIR);
    sim::AnalyserOptions options;
    options.sweepStepMs = 3.0;
    options.product = sim::Product::Enclosed;  // the finished product, as with --simulate
    link_ = std::make_unique<sim::SimulatedLink>(ticks_, options, sim::PortOptions{false});
    window_ = std::make_unique<TEMC1>();
    program_ = std::make_unique<Program>(
        Ports{link_->port, ticks_, prompts_, files_, clock_, *window_, usb_});
    window_->attach(*program_);
    printer_ = std::make_unique<QtPrinter>(window_.get());
    window_->setGuidePrinter(*printer_);
    window_->setHelpFolder(QString(TQ_SOURCE_DATA_DIR) + "/help");
    window_->show();
  }
  ~Shooter() {
    printer_.reset();
    program_.reset();
    window_.reset();
  }

  int run() {
    check(WaitFor([&] { return program_->model().statusText == "Ready"; }, 30000), "start");
    trigger("Enlarged1");
    firstSweep();
    radiated();
    peakTable();
    singleFrequency();
    dialogs();
    guideToConducted();
    help();
    std::printf("%d screenshots, %d failures\n", shots_, failures_);
    return failures_ == 0 ? 0 : 1;
  }

 private:
  void check(bool ok, const char* what) {
    if (ok) return;
    ++failures_;
    std::fprintf(stderr, "tq4800_screenshots: %s failed\n", what);
  }
  void shoot(QWidget& w, const char* name) {
    w.repaint();
    QApplication::processEvents();
    const QString path = out_ + "/" + name + ".png";
    check(w.grab().save(path), name);
    ++shots_;
  }
  QPushButton* button(QWidget& in, const char* name) { return in.findChild<QPushButton*>(name); }
  QPushButton* button(const char* name) { return button(*window_->centralWidget(), name); }
  void click(QWidget& in, const char* name) {
    QPushButton* b = button(in, name);
    check(b && b->isEnabled(), name);
    if (b && b->isEnabled()) b->click();
  }
  void choose(QWidget& in, const char* group, int id) {
    for (auto* g : in.findChildren<QButtonGroup*>())
      if (g->parent()->objectName() == group && g->button(id)) return g->button(id)->click();
    check(false, group);
  }
  void trigger(const char* name) {
    auto* a = window_->findChild<QAction*>(name);
    check(a && a->isEnabled(), name);
    if (a && a->isEnabled()) a->trigger();
  }
  // A selector of the window, chosen as a user does.
  void select(const char* name, int index) {
    auto* box = window_->centralWidget()->findChild<QComboBox*>(name);
    check(box != nullptr, name);
    if (!box) return;
    box->setCurrentIndex(index);
    emit box->activated(index);
  }
  QDialog* form(const char* name) { return window_->findChild<QDialog*>(name); }
  void sweep() {
    click(*window_->centralWidget(), "Button1");
    check(WaitFor([&] { return !program_->state().runInProgress; }, 120000), "sweep");
  }
  // A modal window opened by `open`, grabbed and closed.
  void shootModal(const char* name, const char* file, const std::function<void()>& open) {
    ModalScript script;
    script.then(name, [&](QDialog& d) {
      shoot(d, file);
      d.reject();
    });
    open();
    check(WaitFor([&] { return script.finished(); }, 5000), file);
  }

  void firstSweep() {
    sweep();
    shoot(*window_, "first-sweep");
  }

  // The NX20 antenna at 3 m against EN55022 Class B.
  void radiated() {
    trigger("NX201");
    trigger("ClassBRadiated1");
    select("ComboBox1", 0);  // no attenuation: the noise floor well under the limit
    sweep();
    shoot(*window_, "radiated-en55022");
  }

  // The peaks of that sweep, then their final readings.
  void peakTable() {
    trigger("PeakTable1");
    QDialog* table = form("PeakTable");
    check(WaitFor([&] { return table && table->isVisible(); }, 5000), "peak table");
    if (!table) return;
    WaitFor([] { return false; }, 300);
    shoot(*table, "peak-table");
    click(*table, "MeasureBtn");  // returns when every row is measured
    check(WaitFor([&] { return !program_->peakTable().Measuring(); }, 120000), "Measure Peaks");
    WaitFor([] { return false; }, 300);
    shoot(*table, "peak-table-final");
    click(*table, "CloseBtn");
  }

  // The x of the graph whose frequency (as the frequency box shows it under the pointer) is
  // nearest to `hz`.
  int xOf(double hz) {
    QWidget* graph = window_->centralWidget();
    auto* box = graph->findChild<QLineEdit*>("Edit1");
    int best = 0;
    double bestError = 1e12;
    for (int x = 0; x < graph->width(); ++x) {
      QMouseEvent move(QEvent::MouseMove, QPointF(x, 200), QPointF(x, 200), Qt::NoButton,
                       Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(graph, &move);
      bool ok = false;
      const double mhz = box->text().section(' ', 0, 0).toDouble(&ok);
      if (ok && std::abs(mhz * 1e6 - hz) < bestError) {
        bestError = std::abs(mhz * 1e6 - hz);
        best = x;
      }
    }
    return best;
  }

  // The strongest emission away from the edge of the span, measured on quasi-peak.
  void singleFrequency() {
    const TraceData& t = program_->traces();
    const auto top = std::max_element(t.currentTrace.begin() + 25, t.currentTrace.end() - 1);
    const double hz = program_->state().stepFrequencyHz[top - t.currentTrace.begin()];
    click(*window_->centralWidget(), "Button17");
    const int x = xOf(hz);
    ModalScript script;
    script.then("sfsettings", [&](QDialog& d) {
      // The analyser finds the top of the emission near the frequency picked.
      if (auto* track = d.findChild<QCheckBox*>("Peakcatch")) track->setChecked(true);
      choose(d, "Stylegroup", 2);
      shoot(d, "single-frequency-settings");
      click(d, "OKBtn");
    });
    QWidget* graph = window_->centralWidget();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent e(type, QPointF(x, 200), QPointF(x, 200), Qt::LeftButton,
                    type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                    Qt::NoModifier);
      QApplication::sendEvent(graph, &e);
    }
    check(WaitFor([&] { return script.finished(); }, 5000), "single frequency settings");
    check(WaitFor([&] { return program_->state().stepIndex >= 150; }, 60000), "samples");
    shoot(*window_, "single-frequency");
    click(*graph, "Button1");  // STOP
    check(WaitFor([&] { return !program_->state().runInProgress; }, 10000), "stop");
    click(*graph, "Button17");  // Scan
  }

  void dialogs() {
    shootModal("Hkeeping", "details", [&] { trigger("Setup1"); });
    shootModal("Info", "information", [&] { click(*window_->centralWidget(), "BitBtn6"); });
    prompts_.fileName("C:\\tq4800\\RADIATED.EMC");
    trigger("SaveAs1");
    prompts_.fileName("C:\\tq4800\\RADIATED.EMC");
    shootModal("Import", "import-options", [&] { trigger("Open1"); });
    prompts_.input("SIM4800");
    trigger("InstallERSdata1");
    shootModal("ERS", "ers-calibration", [&] { trigger("FullRange1"); });
  }

  // RiduDudoruvo from EN55022 Class B to Set Analyser for the conducted test with the
  // KM902, then the conducted sweep it sets up.
  void guideToConducted() {
    ModalScript script;
    script.then("TDinfo", [&](QDialog& d) { click(d, "OKBtn"); });
    click(*window_->centralWidget(), "Button4");
    QDialog* testDir = form("TestDir");
    check(WaitFor([&] { return testDir && testDir->isVisible(); }, 5000), "RiduDudoruvo");
    if (!testDir) return;
    testDir->findChild<QTabBar*>("TabControl1")->setCurrentIndex(4);
    WaitFor([] { return false; }, 200);
    shoot(*testDir, "ridududoruvo");
    click(*testDir, "Button4");
    QDialog* en55022 = form("ClassEN55022");
    check(en55022 && en55022->isVisible(), "EN55022 form");
    if (!en55022) return;
    choose(*en55022, "group1", 1);
    shoot(*en55022, "guide-en55022");
    script.then("testtype", [&](QDialog& d) {
      choose(d, "testchoice", 0);
      click(d, "Button1");
    });
    click(*en55022, "OKBtn");
    QDialog* testac = form("TDtestac");
    check(WaitFor([&] { return testac && testac->isVisible(); }, 5000), "test type form");
    if (!testac) return;
    shoot(*testac, "guide-test-type-a");
    script.then("TDinstruct", [&](QDialog& d) {
      shoot(d, "guide-instructions");
      click(d, "Button3");  // Set Analyser
    });
    click(*testac, "OKBtn");
    check(WaitFor([&] { return script.finished(); }, 10000), "Set Analyser");
    QWidget* delay = window_->findChild<QWidget*>("RangeDelay");
    if (delay && WaitFor([&] { return delay->isVisible(); }, 5000)) {
      WaitFor([] { return false; }, 3000);
      shoot(*delay, "range-change");
    }
    check(WaitFor([&] { return !program_->model().rangeDelayVisible; }, 60000), "range change");
    // The line measured first: Live; the simulated LISN's attenuator stands at 10 dB.
    ModalScript lisn;
    lisn.then("Lisndlg", [&](QDialog& d) {
      choose(d, "RadioGroup1", 0);
      choose(d, "RadioGroup2", 1);
      shoot(d, "lisn");
      click(d, "OKBtn");
    });
    window_->openLisnDialog();
    check(WaitFor([&] { return lisn.finished(); }, 5000), "LISN Settings");
    select("ComboBox1", 1);
    click(*window_->centralWidget(), "BitBtn8");  // the scale 10 dB down: both lines in view
    sweep();
    shoot(*window_, "conducted-en55022");
  }

  void help() {
    HelpWindow* help = window_->helpWindow();
    help->ShowHelpTopic(help::kContents);
    WaitFor([] { return false; }, 200);
    shoot(*help, "help-contents");
    // The Search tab as a user fills it, and the best topic found.
    help->findChild<QTabWidget*>()->setCurrentIndex(1);
    help->findChild<QLineEdit*>("SearchEdit")->setText("quasi-peak pre-scan");
    auto* results = help->findChild<QListWidget*>("SearchResults");
    check(results && results->count() > 0, "help search");
    if (results && results->count() > 0) {
      results->setCurrentRow(0);
      emit results->itemClicked(results->item(0));
    }
    check(help->currentTopic() == help::kDetectors, "help search result");
    WaitFor([] { return false; }, 200);
    shoot(*help, "help-detectors");
  }

  QString out_;
  HostFiles files_;
  QtTicks ticks_;
  QtClock clock_;
  test::ScriptedPrompts prompts_;
  sim::SimulatedUsbAdapter usb_;
  std::unique_ptr<sim::SimulatedLink> link_;
  std::unique_ptr<TEMC1> window_;
  std::unique_ptr<Program> program_;
  std::unique_ptr<QtPrinter> printer_;
  int shots_ = 0;
  int failures_ = 0;
};

}  // namespace
}  // namespace tq

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
    return 2;
  }
  QDir().mkpath(argv[1]);
  QTemporaryDir root;
  tq::Shooter shooter(QDir(argv[1]).absolutePath(), root.path().toStdString());
  return shooter.run();
}
