// The main window's controls: where each sits, and what its events do.
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/TEMC1.h"
#include "app/Widgets.h"
#include "dialogs/DialogParts.h"
#include "measure/Program.h"
#include "model/HelpTopics.h"

namespace tq {

namespace {

QLabel* PanelText(QFrame* panel, const QString& text) {
  auto* label = new QLabel(text, panel);
  label->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(1, 1, 1, 1);
  layout->addWidget(label);
  return label;
}

}  // namespace

QPushButton* TEMC1::button(Command command, QWidget* parent, QRect geometry) {
  const std::size_t row = rowOf(command);
  const CommandEntry& e = CommandTable()[row];
  auto* b = new QPushButton(QString::fromUtf8(e.caption.data(), e.caption.size()), parent);
  b->setObjectName(QString::fromUtf8(e.objectName.data(), e.objectName.size()));
  b->setGeometry(geometry);
  b->setFocusPolicy(Qt::TabFocus);
  // A caption wider than its button ("RiduDudoruvo") takes a smaller font, never a cut.
  QFont font = b->font();
  while (QFontMetrics(font).horizontalAdvance(b->text()) > geometry.width() - 8 &&
         font.pointSizeF() > 7.0)
    font.setPointSizeF(font.pointSizeF() - 0.5);
  b->setFont(font);
  commandWidgets_[row].button = b;
  placed_[std::string(e.objectName)] = b;
  connect(b, &QPushButton::clicked, this, [this, command] { dispatch(command); });
  return b;
}

QFrame* TEMC1::panel(const char* name, QWidget* parent, QRect geometry) {
  auto* f = new QFrame(parent);
  f->setObjectName(name);
  f->setFrameShape(QFrame::Panel);
  f->setFrameShadow(QFrame::Raised);
  f->setGeometry(geometry);
  placed_[name] = f;
  return f;
}

void TEMC1::createControls() {
  using C = Command;
  QWidget* c = client_;
  // Top bar.
  button(C::Button5, c, {94, 6, 36, 22});
  button(C::Button11, c, {136, 6, 36, 22});
  button(C::Button12, c, {178, 6, 36, 22});
  button(C::Button13, c, {220, 6, 36, 22});
  button(C::Button15, c, {262, 6, 36, 22});
  button(C::Button14, c, {304, 6, 36, 22});
  panel6_ = panel("Panel6", c, {346, 6, 182, 22});
  panel6_->installEventFilter(this);
  panel6Text_ = PanelText(panel6_, "Title");
  panel2Text_ = PanelText(panel("Panel2", c, {534, 6, 100, 22}), "");

  // Left column.
  panel10Text_ = PanelText(panel("Panel10", c, {5, 5, 83, 25}), "TQ4800");
  button(C::BitBtn6, c, {5, 35, 83, 25});
  button(C::Button4, c, {5, 65, 83, 25});
  panel5_ = panel("Panel5", c, {5, 95, 83, 55});
  panel5_->setFrameShadow(QFrame::Sunken);
  panel5_->installEventFilter(this);
  shape1_ = new Lamp(panel5_);
  shape1_->setObjectName("Shape1");
  shape1_->setGeometry(4, 4, 16, 16);
  label5_ = new QLabel(panel5_);
  label5_->setObjectName("Label5");
  label5_->setGeometry(2, 22, 79, 30);
  label5_->setAlignment(Qt::AlignCenter);
  label5_->setWordWrap(true);
  button(C::button18, c, {5, 155, 83, 25});
  button(C::Button1, c, {5, 185, 83, 25});
  button(C::Button2, c, {5, 217, 83, 25});

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

  panel9_ = panel("Panel9", c, {5, 359, 83, 60});
  PanelText(panel9_, "TQ4804");
  panel9_->hide();
  // The input panel: the input's three labels over the range and the detector.
  QFrame* panel8 = panel("Panel8", c, {5, 359, 83, 96});
  panel8_ = panel8;
  panel8->installEventFilter(this);
  auto* panel8Layout = new QVBoxLayout(panel8);
  panel8Layout->setContentsMargins(1, 1, 1, 1);
  panel8Layout->setSpacing(0);
  const char* inputLabelNames[] = {"Label12", "Label13", "Label15"};
  for (std::size_t i = 0; i < inputLabels_.size(); ++i) {
    auto* l = new QLabel(panel8);
    l->setObjectName(inputLabelNames[i]);
    l->setAlignment(Qt::AlignCenter);
    // "4GHz BROAD BAND" takes two lines in the narrow column.
    l->setWordWrap(true);
    panel8Layout->addWidget(l);
    inputLabels_[i] = l;
  }
  label2_ = new QLabel("HIGH RANGE", panel8);
  label2_->setObjectName("Label2");
  label2_->setAlignment(Qt::AlignCenter);
  panel8Layout->addWidget(label2_);
  label10_ = new QLabel("PEAK (FS)", panel8);
  label10_->setObjectName("Label10");
  label10_->setAlignment(Qt::AlignCenter);
  panel8Layout->addWidget(label10_);
  label17_ = new QLabel(c);
  label17_->setObjectName("Label17");
  label17_->hide();

  // Bottom row.
  button(C::BitBtn7, c, {92, 377, 25, 27});
  button(C::BitBtn8, c, {92, 406, 25, 27});
  button(C::BitBtn3, c, {117, 377, 25, 27})->setToolTip("Step the span down by half");
  button(C::BitBtn5, c, {117, 406, 25, 27})->setToolTip("Step the span up by half");
  button(C::BitBtn4, c, {604, 377, 30, 27})->setToolTip("Whole range");
  button(C::Button3, c, {570, 377, 30, 28});
  QFrame* panel11 = panel("Panel11", c, {144, 377, 72, 56});
  (new QLabel("Steps", panel11))->setGeometry(4, 2, 64, 16);
  comboBox2_ = new QComboBox(panel11);
  comboBox2_->setObjectName("ComboBox2");
  comboBox2_->addItems({"500", "250", "100"});
  comboBox2_->setGeometry(4, 22, 64, 24);
  // Single frequency: the tune buttons, down then up as the frequency axis runs. A click
  // tunes once; held down, every sample tunes again.
  QFrame* ftpanel = panel("ftpanel", c, {218, 377, 80, 56});
  auto* ftLayout = new QGridLayout(ftpanel);
  ftLayout->setContentsMargins(2, 2, 2, 4);
  ftLayout->setHorizontalSpacing(2);
  ftLayout->setVerticalSpacing(2);
  ftLayout->addWidget(new QLabel("Tune", ftpanel), 0, 0, 1, 2);
  QPushButton* tuneDown = button(C::BitBtn2, ftpanel, {4, 22, 35, 26});
  QPushButton* tuneUp = button(C::BitBtn1, ftpanel, {41, 22, 35, 26});
  tuneDown->setToolTip("Tune down");
  tuneUp->setToolTip("Tune up");
  for (QPushButton* b : {tuneDown, tuneUp}) {
    b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    b->setMinimumSize(20, 20);
  }
  ftLayout->addWidget(tuneDown, 1, 0);
  ftLayout->addWidget(tuneUp, 1, 1);
  connect(tuneUp, &QPushButton::pressed, this, [this] {
    if (program_) program_->BitBtn1MouseDown();
  });
  connect(tuneUp, &QPushButton::released, this, [this] {
    if (program_) program_->BitBtn1MouseUp();
  });
  connect(tuneDown, &QPushButton::pressed, this, [this] {
    if (program_) program_->BitBtn2MouseDown();
  });
  connect(tuneDown, &QPushButton::released, this, [this] {
    if (program_) program_->BitBtn2MouseUp();
  });
  QFrame* freqp = panel("freqp", c, {300, 377, 69, 56});
  (new QLabel("MHz", freqp))->setGeometry(4, 2, 60, 16);
  edit1_ = new QLineEdit(freqp);
  edit1_->setObjectName("Edit1");
  edit1_->setGeometry(1, 22, 67, 24);
  edit1_->setReadOnly(true);
  // A flat box: every pixel of its width goes to the frequency and its unit.
  edit1_->setFrame(false);
  edit1_->setTextMargins(1, 0, 0, 0);
  placed_["Edit1"] = edit1_;
  QFrame* panel3 = panel("Panel3", c, {372, 377, 196, 56});
  button(C::Button8, panel3, {4, 4, 36, 23});
  button(C::Button16, panel3, {42, 4, 36, 23});
  button(C::Button6, panel3, {4, 29, 36, 23});
  button(C::Button7, panel3, {42, 29, 36, 23});
  button(C::Button10, panel3, {86, 16, 50, 23});
  button(C::Button17, panel3, {140, 16, 50, 23});
  panel7Text_ = PanelText(panel("Panel7", c, {570, 409, 60, 22}), "");

  commandWidgets_[rowOf(C::ComboBox1)].control = comboBox1_;
  commandWidgets_[rowOf(C::ComboBox2)].control = comboBox2_;
  commandWidgets_[rowOf(C::ComboBox3)].control = comboBox3_;
}

void TEMC1::connectControls() {
  connect(comboBox1_, &QComboBox::activated, this, [this](int index) {
    if (program_) program_->SelectAttenuation(index);
    modelChanged();
  });
  connect(comboBox2_, &QComboBox::activated, this, [this](int index) {
    if (program_) program_->SelectSteps(index);
    modelChanged();
  });
  connect(comboBox3_, &QComboBox::editTextChanged, this, [this](const QString& text) {
    if (program_ && comboBox3_->hasFocus()) program_->PreampTextChanged(text.toStdString());
  });
  // Leaving the box rewrites it as the value in width 4; it stays so until the value
  // changes.
  connect(comboBox3_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
    if (!program_) return;
    comboBox3_->setEditText(QString::fromStdString(program_->PreampBoxText()));
    shown_.preampGain = program_->state().preampGainDb;
  });
}

void TEMC1::createRangeDelay() {
  rangeDelay_ = new QWidget(this, Qt::Tool | Qt::WindowStaysOnTopHint);
  rangeDelay_->setObjectName("RangeDelay");
  rangeDelay_->setWindowTitle("Range Change Delay");
  SetHelpTopic(rangeDelay_, help::kSweep);
  auto* layout = new QVBoxLayout(rangeDelay_);
  layout->addWidget(new QLabel("Analyser reconfiguring   Please wait", rangeDelay_));
  progressBar1_ = new QProgressBar(rangeDelay_);
  progressBar1_->setObjectName("ProgressBar1");
  progressBar1_->setRange(0, 30);
  layout->addWidget(progressBar1_);
  rangeDelay_->resize(300, 80);
}

}  // namespace tq
