#include "dialogs/GuideQuestions.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tq {

Tselectvcr::Tselectvcr(QWidget* parent) : GuideForm(parent, "selectvcr", "EN55013/1053") {
  radioGroup1_ = RadioColumns(
      this, "RadioGroup1", "Select EUT Type",
      {"TV and  VCR", "FM Radio Receivers", "FM Car Radios", "AM Radio Receivers"}, 1, layout_);
  radioGroup2_ =
      RadioColumns(this, "RadioGroup2", "Select Source", {"Local Oscillator", "Other"}, 1, layout_);
  addButtons("Continue...", "");
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}

TselectRad::TselectRad(QWidget* parent) : GuideForm(parent, "selectRad", "EN55013/1053") {
  radioGroup1_ =
      RadioColumns(this, "RadioGroup1", "Select Input",
                   {"Radiated Harmonics TV and VCR and FM Radio - Local oscillator",
                    "Radiated Harmonics TV and VCR and FM Radio - Other",
                    "Radiated Fundamental TV and VCR - Fundamental < 300 MHz",
                    "Radiated Fundamental TV and VCR - Fundamental > 300 MHz", "FM Radio"},
                   1, layout_);
  addButtons("Continue...", "");
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}

Tclicker::Tclicker(QWidget* parent) : GuideForm(parent, "clicker", "Click Status") {
  layout_->addWidget(new QLabel("Enter click rate expressed as clicks per minute", this));
  edit1_ = NumberField(this, "Edit1", "", "10", layout_);
  layout_->addWidget(new QLabel("(For definition of click rate see EN55014)", this));
  checkBox2_ = new QCheckBox("Clicks due to instantaneous switching shorter than 10 ms", this);
  checkBox2_->setObjectName("CheckBox2");
  layout_->addWidget(checkBox2_);
  addButtons("Continue...", "Ignore");
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}

Tlineselect::Tlineselect(QWidget* parent) : GuideForm(parent, "lineselect", "Line Select") {
  layout_->addWidget(new QLabel("Select first line to be measured.", this));
  layout_->addWidget(
      new QLabel("If known, pick the line likely to give the  worst case emissions.", this));
  phase1_ = RadioColumns(this, "phase1", "Single Phase", {"Live", "Neutral"}, 2, layout_);
  phase3_ =
      RadioColumns(this, "phase3", "Three Phase", {"Red", "Blue", "Yellow", "Neutral"}, 4, layout_);
  addButtons("Continue...", "");
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace tq
