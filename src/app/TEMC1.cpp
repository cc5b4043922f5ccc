#include "app/TEMC1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/GraphArea.h"
#include "app/Widgets.h"
#include "dialogs/THkeeping.h"
#include "dialogs/Tscrncol.h"
#include "measure/Program.h"
#include "view/Geometry.h"
#include "view/GraphTexts.h"
#include "view/Layouts.h"

namespace tq {

namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

QLabel* PanelText(QFrame* panel, const QString& text) {
  auto* label = new QLabel(text, panel);
  label->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(1, 1, 1, 1);
  layout->addWidget(label);
  return label;
}

}  // namespace

TEMC1::TEMC1(QWidget* parent) : QMainWindow(parent) {
  setObjectName("EMC1");
  setWindowTitle("Veltrane Instruments Ltd    Fieldmark TQ4800");
  // Controls are laid out on a plain client area until the program exists; then the graph
  // takes them over (attach).
  client_ = new QWidget(this);
  client_->setObjectName("ClientArea");
  setCentralWidget(client_);
  scrncol_ = new Tscrncol(this);
  scrncol_->repaintMain = [this] { repaint(); };
  createMenus();
  createControls();
  createRunMenus();
  connectControls();

  // The small message window for the welcome and busy texts.
  messageWindow_ = new QWidget(this, Qt::Tool | Qt::WindowStaysOnTopHint);
  messageWindow_->setObjectName("MessageWindow");
  messageWindow_->setWindowTitle("TQ4800 Message");
  messageText_ = new QLabel(messageWindow_);
  messageText_->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(messageWindow_);
  layout->addWidget(messageText_);
  messageWindow_->resize(320, 80);

  applyLayout();
}

TEMC1::~TEMC1() = default;

QPushButton* TEMC1::button(const char* name, const QString& caption, QWidget* parent,
                           QRect geometry) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setGeometry(geometry);
  b->setFocusPolicy(Qt::TabFocus);
  return b;
}

QFrame* TEMC1::panel(const char* name, QWidget* parent, QRect geometry) {
  auto* f = new QFrame(parent);
  f->setObjectName(name);
  f->setFrameShape(QFrame::Panel);
  f->setFrameShadow(QFrame::Raised);
  f->setGeometry(geometry);
  return f;
}

void TEMC1::createMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  file->setObjectName("File1");
  auto add = [this](QMenu* menu, const char* name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
  };
  // Entries whose work is not built yet stay disabled rather than doing nothing.
  for (auto [name, caption] : std::initializer_list<std::pair<const char*, const char*>>{
           {"Open1", "&Open..."},
           {"Save1", "&Save"},
           {"SaveAs1", "Save &As..."},
           {"Print1", "&Print"},
           {"Screendump1", "Screen&dump"},
           {"PrinterSetup1", "P&rinter Setup..."},
           {"PrinterColours1", "Printer &Colours..."},
           {"Title1", "&Title..."},
           {"Notes1", "&Notes..."}}) {
    add(file, name, caption)->setEnabled(false);
  }
  file->addSeparator();
  QAction* setup = add(file, "Setup1", "Set&up...");
  connect(setup, &QAction::triggered, this, [this] {
    if (program_) Setup1Click(*this, *program_);
  });
  file->addSeparator();
  QAction* exit = add(file, "Exit1", "E&xit");
  connect(exit, &QAction::triggered, this, [this] {
    if (program_) program_->Exit1Click();
  });

  QMenu* port = menuBar()->addMenu("&Port");
  port->setObjectName("Port1");
  for (int i = 0; i < 4; ++i) {
    const std::string name = "Com" + std::to_string(i + 1) + "1";
    QAction* a = add(port, name.c_str(), QString("Com &%1").arg(i + 1));
    a->setCheckable(true);
    comItems_[static_cast<std::size_t>(i)] = a;
    connect(a, &QAction::triggered, this, [this, i] {
      if (program_) program_->link().ComClick(i + 1);
      modelChanged();
    });
  }
  port->addSeparator();
  QAction* reset = add(port, "Reset1", "Hardware &Reset");
  connect(reset, &QAction::triggered, this, [this] {
    if (program_) program_->Reset1Click();
  });

  QMenu* ers = menuBar()->addMenu("&ERS");
  ers->setObjectName("ERS1");
  installErs_ = add(ers, "InstallERSData1", "&Install ERS Data");
  clearErs_ = add(ers, "ClearERSData1", "&Clear ERS Data");
  installErs_->setEnabled(false);
  clearErs_->setEnabled(false);
  // The firmware decides whether ERS data can be used; the installer itself comes later.
  for (QAction* a : {installErs_, clearErs_}) {
    connect(a, &QAction::triggered, this, [this] {
      QMessageBox::information(this, "Information",
                               "ERS data handling is not available in this version.");
    });
  }
}

void TEMC1::createControls() {
  QWidget* c = client_;
  // Top bar.
  button("Button5", "dBm", c, {94, 6, 36, 22});
  button("Button11", "Curr.", c, {136, 6, 36, 22});
  button("Button12", "Store", c, {178, 6, 36, 22});
  button("Button13", "Diff.", c, {220, 6, 36, 22});
  button("Button15", "Arch.", c, {262, 6, 36, 22});
  button("Button14", "Limit", c, {304, 6, 36, 22});
  panel6Text_ = PanelText(panel("Panel6", c, {346, 6, 182, 22}), "Title");
  panel2Text_ = PanelText(panel("Panel2", c, {534, 6, 100, 22}), "");

  // Left column.
  panel10Text_ = PanelText(panel("Panel10", c, {5, 5, 83, 25}), "TQ4800");
  button("BitBtn6", "Information", c, {5, 35, 83, 25});
  button("Button4", "RiduDudoruvo", c, {5, 65, 83, 25});
  panel5_ = new ClickPanel(c);
  panel5_->setObjectName("Panel5");
  panel5_->setFrameShape(QFrame::Panel);
  panel5_->setFrameShadow(QFrame::Sunken);
  panel5_->setGeometry(5, 95, 83, 55);
  panel5_->onClick = [this] {
    if (program_) program_->link().Panel5Click();
  };
  shape1_ = new Lamp(panel5_);
  shape1_->setObjectName("Shape1");
  shape1_->setGeometry(4, 4, 16, 16);
  label5_ = new QLabel(panel5_);
  label5_->setObjectName("Label5");
  label5_->setGeometry(2, 22, 79, 30);
  label5_->setAlignment(Qt::AlignCenter);
  label5_->setWordWrap(true);
  button("button18", "> STORE", c, {5, 155, 83, 25});
  button("Button1", "S/SHOT", c, {5, 185, 83, 25});
  button("Button2", "RUN", c, {5, 217, 83, 25});

  QFrame* panel4 = panel("Panel4", c, {5, 249, 83, 50});
  (new QLabel("Pre-Amp dB", panel4))->setGeometry(4, 2, 75, 16);
  comboBox3_ = new QComboBox(panel4);
  comboBox3_->setObjectName("ComboBox3");
  comboBox3_->setEditable(true);
  comboBox3_->addItems({"0", "10", "20", "30", "40"});
  comboBox3_->setGeometry(4, 20, 75, 24);

  QFrame* panel1 = panel("Panel1", c, {5, 304, 83, 50});
  (new QLabel("Atten. dB", panel1))->setGeometry(4, 2, 75, 16);
  comboBox1_ = new QComboBox(panel1);
  comboBox1_->setObjectName("ComboBox1");
  comboBox1_->addItems({"0", "10", "20", "30"});
  comboBox1_->setGeometry(4, 20, 75, 24);

  QFrame* panel9 = panel("Panel9", c, {5, 359, 83, 60});
  PanelText(panel9, "TQ4804");
  panel9->hide();
  QFrame* panel8 = panel("Panel8", c, {5, 359, 83, 60});
  label2_ = PanelText(panel8, "HIGH RANGE");
  label2_->setObjectName("Label2");
  label10_ = new QLabel("PEAK (FS)", panel8);
  label10_->setObjectName("Label10");
  label10_->setAlignment(Qt::AlignCenter);
  panel8->layout()->addWidget(label10_);
  auto* label17 = new QLabel(c);
  label17->setObjectName("Label17");
  label17->hide();

  // Bottom row.
  button("BitBtn7", QString::fromUtf8("\u25B2"), c, {92, 377, 25, 27});
  button("BitBtn8", QString::fromUtf8("\u25BC"), c, {92, 406, 25, 27});
  button("BitBtn3", QString::fromUtf8("\u25C4"), c, {117, 377, 25, 27});
  button("BitBtn5", QString::fromUtf8("\u25BA"), c, {117, 406, 25, 27});
  button("BitBtn4", QString::fromUtf8("\u25BA\u25BA"), c, {604, 377, 30, 27});
  button("Button3", "Log", c, {570, 377, 30, 28});
  QFrame* panel11 = panel("Panel11", c, {144, 377, 72, 56});
  (new QLabel("Steps", panel11))->setGeometry(4, 2, 64, 16);
  comboBox2_ = new QComboBox(panel11);
  comboBox2_->setObjectName("ComboBox2");
  comboBox2_->addItems({"500", "250", "100"});
  comboBox2_->setGeometry(4, 22, 64, 24);
  panel("ftpanel", c, {218, 377, 80, 56});
  QFrame* freqp = panel("freqp", c, {300, 377, 69, 56});
  (new QLabel("MHz", freqp))->setGeometry(4, 2, 60, 16);
  edit1_ = new QLineEdit(freqp);
  edit1_->setObjectName("Edit1");
  edit1_->setGeometry(4, 22, 60, 24);
  QFrame* panel3 = panel("Panel3", c, {372, 377, 196, 56});
  button("Button8", "Low", panel3, {4, 4, 36, 23});
  button("Button16", "High", panel3, {42, 4, 36, 23});
  button("Button6", "Start", panel3, {4, 29, 36, 23});
  button("Button7", "Finish", panel3, {42, 29, 36, 23});
  button("Button10", "Min.", panel3, {86, 16, 50, 23});
  button("Button17", "Single", panel3, {140, 16, 50, 23});
  panel7Text_ = PanelText(panel("Panel7", c, {570, 409, 60, 22}), "");

  // Controls whose work is not built yet are disabled rather than dead.
  for (const char* name : {"BitBtn6", "Button4", "BitBtn7", "BitBtn8", "Button3", "Button17"}) {
    if (auto* w = c->findChild<QWidget*>(name)) w->setEnabled(false);
  }
  edit1_->setReadOnly(true);
}

void TEMC1::attach(Program& program) {
  program_ = &program;
  graph_ = new GraphArea(this, program);
  graph_->setObjectName("Graph");
  graph_->adoptChildrenOf(client_);
  takeCentralWidget()->deleteLater();
  setCentralWidget(graph_);
  client_ = graph_;
  graph_->beforeRender = [this] {
    applyLayout();
    modelChanged();
  };
  ScanHooks& scan = program.scan().hooks();
  scan.plotPoint = [this](int kind, int n) { graph_->plotPoint(kind, n); };
  scan.eraseRunLine = [this] { graph_->repaintGraph(); };
  graph_->pointer().hooks().updateSpanDisplay = [&program] { program.scan().UpdateSpanButtons(); };
  graph_->painter().hooks().pointCompressed = [&program] {
    return program.state().instrumentCompression;
  };
  for (const char* name : {"BitBtn7", "BitBtn8", "Button3"})
    client_->findChild<QWidget*>(name)->setEnabled(true);
  auto on = [this](const char* name, std::function<void()> handler) {
    connect(client_->findChild<QPushButton*>(name), &QPushButton::clicked, this, [this, handler] {
      handler();
      modelChanged();
    });
  };
  on("BitBtn7", [this] { graph_->pointer().BitBtn7Click(); });
  on("BitBtn8", [this] { graph_->pointer().BitBtn8Click(); });
  on("Button3", [this] { graph_->pointer().Button3Click(); });
  connect(action("Values1"), &QAction::triggered, this, [this] { graph_->Values1Click(); });
  connect(action("Colours1"), &QAction::triggered, this, [this] {
    Colours1Click(*scrncol_, program_->state().screenColours);
    repaint();
  });
  action("Values1")->setEnabled(true);
  action("Colours1")->setEnabled(true);
  modelChanged();
}

void TEMC1::applyLayout() {
  const int size = program_ ? program_->state().displaySize : 0;
  const WindowLayout layout = LayoutForDisplaySize(size);
  if (layout.fontSize > 0 && font().pointSize() != layout.fontSize) {
    QFont f = font();
    f.setPointSize(layout.fontSize);
    setFont(f);
  }
  if (width() != layout.width || height() != layout.height) resize(layout.width, layout.height);
  if (layout.moveToOrigin && size != appliedSize_) move(0, 0);
  for (const ControlPlacement& p : layout.controls) {
    auto* w = client_->findChild<QWidget*>(
        QString::fromUtf8(p.name.data(), static_cast<int>(p.name.size())));
    if (!w) continue;
    QRect r = w->geometry();
    if (p.left != kKeep) r.moveLeft(p.left);
    if (p.top != kKeep) r.moveTop(p.top);
    if (p.width != kKeep) r.setWidth(p.width);
    if (p.height != kKeep) r.setHeight(p.height);
    if (r != w->geometry()) w->setGeometry(r);
  }
  appliedSize_ = size;

  // The TQ4804 has a fixed attenuator and its own antenna.
  const bool variant = program_ && program_->state().tq4804Variant;
  client_->findChild<QWidget*>("Panel9")->setVisible(variant);
  comboBox1_->setEnabled(!variant);
  if (variant && program_) program_->state().attenuationDb = 0;
  client_->findChild<QWidget*>("Label17")->hide();
}

void TEMC1::modelChanged() {
  if (!program_) return;
  const WindowModel& m = program_->model();
  label5_->setText(Q(m.statusText));
  shape1_->setColour(ToQColor(m.lampColour));
  for (int i = 0; i < 4; ++i)
    comItems_[static_cast<std::size_t>(i)]->setChecked(m.checkedPort == i + 1);
  installErs_->setEnabled(m.ersMenuEnabled);
  clearErs_->setEnabled(m.ersMenuEnabled);
  panel10Text_->setText(Q(m.modelPanelText));
  panel7Text_->setText(Q(m.stepPanelText));
  panel2Text_->setText(Q(m.dateText));
  panel6Text_->setText(Q(program_->state().title));
  label2_->setText(Q(m.rangeLabelText));
  edit1_->setText(Q(m.frequencyBoxText));
  const MeasurementState& s = program_->state();
  comboBox1_->setCurrentIndex(std::clamp(s.attenuationDb / 10, 0, 3));
  comboBox3_->setEditText(QString::number(s.preampGainDb));
  comboBox2_->setCurrentIndex(s.stepsPerScan == 250 ? 1 : s.stepsPerScan == 100 ? 2 : 0);

  const GraphCaptions captions = CaptionsFor(s);
  label10_->setText(Q(captions.detectorLabel));

  // Run controls.
  auto widget = [this](const char* name) { return client_->findChild<QWidget*>(name); };
  auto caption = [this](const char* name, const std::string& text) {
    client_->findChild<QPushButton*>(name)->setText(Q(text));
  };
  caption("Button1", m.button1Caption);
  caption("Button2", m.button2Caption);
  caption("Button17", m.button17Caption);
  caption("Button3", s.logFrequencyAxis ? "Lin" : "Log");
  caption("Button5", s.dbmUnits ? "dBuV" : "dBm");
  widget("Button2")->setEnabled(m.runEnabled);
  for (const char* name : {"Button10", "Button6", "Button7", "Button8", "Button16", "button18",
                           "BitBtn3", "BitBtn5", "BitBtn4"})
    widget(name)->setEnabled(m.runControlsEnabled);
  comboBox2_->setEnabled(m.runControlsEnabled);
  comboBox3_->setEnabled(m.runControlsEnabled && m.preampSelectorEnabled);
  for (const char* name : {"File1", "Inputs1", "Processing1", "Detector1", "Port1"})
    menu(name)->setEnabled(m.runControlsEnabled);
  if (s.measurementMode == 2) {
    menu("Processing1")->setEnabled(false);
    menu("Detector1")->setEnabled(false);
  }
  setCursor(m.busyCursor ? Qt::WaitCursor : Qt::ArrowCursor);

  // Check marks that follow the state.
  const char* processingItems[] = {"Off1", "Average81", "Average161", "Average321", "Peak1"};
  for (int i = 0; i < 5; ++i) {
    action(processingItems[i])->setChecked(s.processingMode == i);
    if (i > 0) action(processingItems[i])->setEnabled(s.detector == 1);
  }
  action("PFS1")->setChecked(s.detector == 1);
  action("Average1")->setChecked(s.detector == 2);
  action("QP1")->setChecked(s.detector == 3);
  action("Diffil")->setChecked(s.differenceInsertionLoss);
  action("Diffemit")->setChecked(!s.differenceInsertionLoss);
  action("current1")->setChecked(m.showCurrent);
  action("Store1")->setChecked(m.showStore);
  action("Difference1")->setChecked(m.showDifference);
  action("Difference1")->setEnabled(m.differenceEnabled || m.showDifference);
  action("Archive1")->setChecked(m.showArchive);
  action("limit1")->setChecked(m.showLimit);
  action("limit1")->setEnabled(m.limitEnabled);
  widget("Button14")->setEnabled(m.limitEnabled);
  const int pre = program_->scan().preselectorState;
  action("NX90PreSelector1")->setChecked(pre == 1);
  action("NX91PreSelector1")->setChecked(pre >= 2 && pre <= 4);
  showRangeDelay();
}

void TEMC1::repaint() {
  modelChanged();
  if (graph_) graph_->repaintGraph();
}

void TEMC1::showMessageWindow(const std::string& text) {
  messageText_->setText(Q(text));
  messageWindow_->show();
  messageWindow_->raise();
  messageWindow_->repaint();
}

void TEMC1::hideMessageWindow() {
  messageWindow_->hide();
}

void TEMC1::placeMessageWindow() {
  messageWindow_->move(pos() + QPoint(10, 10));
}

void TEMC1::closeMainWindow() {
  close();
}

void TEMC1::closeEvent(QCloseEvent* event) {
  if (program_ && !program_->CloseQuery()) {
    event->ignore();
    return;
  }
  messageWindow_->hide();
  event->accept();
}

}  // namespace tq
