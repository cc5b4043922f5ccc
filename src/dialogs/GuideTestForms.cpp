#include "dialogs/GuideTestForms.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tq {

namespace {

constexpr int kKvpPa76 = 3;
constexpr int kThreePhase = 1;

}  // namespace

TTDtestac::TTDtestac(QWidget* parent) : GuideForm(parent, "TDtestac", "Test Type A") {
  auto* row = new QHBoxLayout;
  inputs_ =
      RadioColumns(this, "inputs", "Inputs", {"KM902", "Other LISN", "KVP", "KVP + PA76"}, 1, row);
  auto* middle = new QVBoxLayout;
  phases_ = RadioColumns(this, "Phases", "Phases", {"Single Phase", "Three Phase"}, 1, middle);
  button1_ = new QPushButton("More Info", this);
  button1_->setObjectName("Button1");
  button1_->setEnabled(false);
  middle->addWidget(button1_);
  middle->addStretch();
  row->addLayout(middle);
  preamp1_ = RadioColumns(this, "Preamp1", "Pre Amps",
                          {"None", "10dB", "20dB (TQ4820)", "30dB (PA76)"}, 1, row);
  layout_->addLayout(row);
  addButtons();
  connect(inputs_, &QButtonGroup::idClicked, this, [this](int id) { inputsClick(id); });
  connect(phases_, &QButtonGroup::idToggled, this,
          [this](int, bool) { button1_->setEnabled(phases_->checkedId() == kThreePhase); });
}

void TTDtestac::inputsClick(int input) {
  // The PA76 is the pre-amplifier of that input: no other may be chosen with it.
  const bool pa76 = input == kKvpPa76;
  if (pa76) preamp1_->button(0)->setChecked(true);
  static_cast<QWidget*>(preamp1_->parent())->setEnabled(!pa76);
}

TTDtestB::TTDtestB(QWidget* parent) : GuideForm(parent, "TDtestB", "Test Type B") {
  ersgroup_ =
      RadioColumns(this, "ersgroup", "Site calibration", {"With ERS", "Without ERS"}, 1, layout_);
  addButtons();
}

bool TTDtestB::withErs() const {
  return ersgroup_->checkedId() == 0;
}

TTDtestD::TTDtestD(QWidget* parent) : GuideForm(parent, "TDtestD", "Test Type D") {
  auto* label = new QLabel(
      "Disturbance power is measured with the NX40 absorbing clamp on the mains lead.", this);
  label->setObjectName("Label1");
  layout_->addWidget(label);
  addButtons("Continue...", "");
}

TTDtestE::TTDtestE(QWidget* parent) : GuideForm(parent, "TDtestE", "Test Type E (Insertion Loss)") {
  sourcegroup_ = RadioColumns(this, "sourcegroup", "Signal source type",
                              {"Broadband noise", "Swept sine"}, 1, layout_);
  addButtons();
}

TTdtestF::TTdtestF(QWidget* parent)
    : GuideForm(parent, "TdtestF", "Test Type F  ( Large Loop Antenna)") {
  auto* label = new QLabel("In these test, each axis is measured in turn.", this);
  label->setObjectName("Label1");
  layout_->addWidget(label);
  antgroup_ =
      RadioColumns(this, "Antgroup", "Antenna type",
                   {"NX30 (Veltrane Instruments)", "Other large loop antenna (2m dia)",
                    "Other large loop antenna (3m dia)", "Other large loop antenna (4m dia)"},
                   1, layout_);
  addButtons();
}

}  // namespace tq
