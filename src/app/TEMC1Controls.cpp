// The main window's run controls, menus of the trace set and the scan engine, and how the
// window mirrors their state.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/TEMC1.h"
#include "app/Widgets.h"
#include "measure/Program.h"

namespace tq {

QAction* TEMC1::action(const char* name) const {
  return findChild<QAction*>(name);
}
QMenu* TEMC1::menu(const char* name) const {
  return findChild<QMenu*>(name);
}

void TEMC1::createRunMenus() {
  auto add = [this](QMenu* m, const char* name, const QString& caption, auto handler,
                    bool checkable = false) {
    QAction* a = m->addAction(caption);
    a->setObjectName(name);
    a->setCheckable(checkable);
    connect(a, &QAction::triggered, this, [this, handler] {
      if (program_) handler(*program_);
    });
    return a;
  };
  // Menus in the window's order: File, Display, Processing, Detector, Inputs, Port, ERS.
  QAction* beforePort = menu("Port1")->menuAction();

  auto* display = new QMenu("&Display", this);
  display->setObjectName("Display1");
  add(
      display, "current1", "&Current", [](Program& p) { p.traces().current1Click(); }, true);
  add(
      display, "Store1", "&Store", [](Program& p) { p.traces().Store1Click(); }, true);
  add(
      display, "Difference1", "&Difference", [](Program& p) { p.traces().Difference1Click(); },
      true);
  add(
      display, "Archive1", "&Archive", [](Program& p) { p.traces().Archive1Click(); }, true);
  add(
      display, "limit1", "&Limit", [](Program& p) { p.traces().limit1Click(); }, true);
  display->addSeparator();
  add(
      display, "Diffemit", "Difference : &Emissions",
      [](Program& p) { p.traces().SetDifferenceMode(false); }, true);
  add(
      display, "Diffil", "Difference : &Insertion Loss",
      [](Program& p) { p.traces().SetDifferenceMode(true); }, true);
  display->addSeparator();
  add(display, "Clear1", "Cl&ear ", [](Program& p) { p.traces().ClearTraces(); });
  display->addSeparator();
  QAction* values = display->addAction("&Values");
  values->setObjectName("Values1");
  values->setEnabled(false);
  QAction* colours = display->addAction("Screen &Colours...");
  colours->setObjectName("Colours1");
  colours->setEnabled(false);
  menuBar()->insertMenu(beforePort, display);

  auto* processing = new QMenu("P&rocessing", this);
  processing->setObjectName("Processing1");
  add(
      processing, "Off1", "&Off", [](Program& p) { p.traces().SetProcessingMode(0); }, true);
  add(
      processing, "Average81", "Average &8", [](Program& p) { p.traces().SetProcessingMode(1); },
      true);
  add(
      processing, "Average161", "Average &16",
      [](Program& p) {
        p.traces().SetProcessingMode(2);
        p.model().runEnabled = false;
      },
      true);
  add(
      processing, "Average321", "Average &32", [](Program& p) { p.traces().SetProcessingMode(3); },
      true);
  add(
      processing, "Peak1", "&Peak Hold", [](Program& p) { p.traces().SetProcessingMode(4); }, true);
  processing->addSeparator();
  add(processing, "ResetCalculation1", "&Reset Calculation",
      [](Program& p) { p.traces().ResetCalculation(); });
  menuBar()->insertMenu(beforePort, processing);

  auto* detector = new QMenu("De&tector", this);
  detector->setObjectName("Detector1");
  add(
      detector, "PFS1", "&Peak (Fast scan)", [](Program& p) { p.scan().PFS1Click(); }, true);
  add(
      detector, "Average1", "&Average", [](Program& p) { p.scan().Average1Click(); }, true);
  add(
      detector, "QP1", "&Quasi-Peak", [](Program& p) { p.scan().QP1Click(); }, true);
  menuBar()->insertMenu(beforePort, detector);

  auto* inputs = new QMenu("&Inputs", this);
  inputs->setObjectName("Inputs1");
  add(
      inputs, "NX90PreSelector1", "NX90 Pre-Selector",
      [](Program& p) { p.scan().NX90PreSelector1Click(); }, true);
  add(
      inputs, "NX91PreSelector1", "NX91 Pre-Selector",
      [](Program& p) { p.scan().NX91PreSelector1Click(); }, true);
  menuBar()->insertMenu(beforePort, inputs);
}

void TEMC1::connectControls() {
  auto on = [this](const char* name, auto handler) {
    auto* b = client_->findChild<QPushButton*>(name);
    b->setEnabled(true);
    connect(b, &QPushButton::clicked, this, [this, handler] {
      if (program_) handler(*program_);
      modelChanged();
    });
  };
  on("Button2", [](Program& p) { p.scan().Button2Click(); });
  on("Button1", [](Program& p) { p.scan().Button1Click(); });
  on("Button6", [](Program& p) { p.scan().Button6Click(); });
  on("Button7", [](Program& p) { p.scan().Button7Click(); });
  on("Button10", [](Program& p) { p.scan().Button10Click(); });
  on("Button8", [](Program& p) { p.scan().Button8Click(); });
  on("Button16", [](Program& p) { p.scan().Button16Click(); });
  on("BitBtn3", [](Program& p) { p.scan().StepSpan(-1); });
  on("BitBtn5", [](Program& p) { p.scan().StepSpan(+1); });
  on("BitBtn4", [](Program& p) { p.scan().WholeRange(); });
  on("button18", [](Program& p) { p.traces().StoreCurrent(); });
  on("Button5", [](Program& p) { p.traces().ToggleUnits(); });
  on("Button11", [](Program& p) { p.traces().current1Click(); });
  on("Button12", [](Program& p) { p.traces().Store1Click(); });
  on("Button13", [](Program& p) { p.traces().Difference1Click(); });
  on("Button15", [](Program& p) { p.traces().Archive1Click(); });
  on("Button14", [](Program& p) { p.traces().limit1Click(); });
  client_->findChild<QPushButton*>("BitBtn3")->setToolTip("Step the span down by half");
  client_->findChild<QPushButton*>("BitBtn5")->setToolTip("Step the span up by half");
  client_->findChild<QPushButton*>("BitBtn4")->setToolTip("Whole range");

  comboBox1_->setEnabled(true);
  comboBox2_->setEnabled(true);
  comboBox3_->setEnabled(true);
  connect(comboBox1_, &QComboBox::activated, this, [this](int index) {
    if (program_) program_->scan().ComboBox1Change(index);
  });
  connect(comboBox2_, &QComboBox::activated, this, [this](int index) {
    if (program_) program_->scan().ComboBox2Change(index);
  });
  connect(comboBox3_, &QComboBox::editTextChanged, this, [this](const QString& text) {
    if (program_ && comboBox3_->hasFocus()) program_->scan().ComboBox3Change(text.toStdString());
  });
  connect(comboBox3_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
    if (program_) comboBox3_->setEditText(QString::fromStdString(program_->scan().ComboBox3Exit()));
  });

  rangeDelay_ = new QWidget(this, Qt::Tool | Qt::WindowStaysOnTopHint);
  rangeDelay_->setObjectName("RangeDelay");
  rangeDelay_->setWindowTitle("Range Change Delay");
  auto* layout = new QVBoxLayout(rangeDelay_);
  layout->addWidget(new QLabel("Analyser reconfiguring   Please wait", rangeDelay_));
  auto* progress = new QProgressBar(rangeDelay_);
  progress->setObjectName("ProgressBar1");
  progress->setRange(0, 30);
  layout->addWidget(progress);
  rangeDelay_->resize(300, 80);
}

void TEMC1::showRangeDelay() {
  const WindowModel& m = program_->model();
  rangeDelay_->findChild<QProgressBar*>("ProgressBar1")->setValue(m.rangeDelaySeconds);
  if (m.rangeDelayVisible && !rangeDelay_->isVisible()) {
    rangeDelay_->move(pos() + QPoint(120, 120));
    rangeDelay_->show();
  } else if (!m.rangeDelayVisible && rangeDelay_->isVisible()) {
    rangeDelay_->hide();
  }
}

}  // namespace tq
