#include "dialogs/GuideStandardForms.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tq {

TClassEN55011::TClassEN55011(QWidget* parent) : GuideForm(parent, "ClassEN55011", "EN55011") {
  edit1_ =
      NumberField(this, "Edit1", "Fundamental Frequency (0 to ignore) ", "0.0", layout_, "MHz");
  auto* row = new QHBoxLayout;
  class1_ = RadioColumns(this, "Class1", "CLASS", {"Class A", "Class B"}, 1, row);
  group1_ = RadioColumns(this, "Group1", "GROUP", {"Group 1", "Group 2"}, 1, row);
  layout_->addLayout(row);
  addButtons();
}

TClassEN55013::TClassEN55013(QWidget* parent) : GuideForm(parent, "ClassEN55013", "ClassEN55013") {
  radioGroup1_ =
      RadioColumns(this, "RadioGroup1", "Select Test Type",
                   {"Clause 3.2    Mains Terminal Disturbance Voltage",
                    "Clause 3.3    Antenna Terminal Disturbance Voltage",
                    "Clause 3.4    Disturbance Radiation", "Clause 3.5    Disturbance Power"},
                   1, layout_);
  addButtons();
}

TClassEn55014::TClassEn55014(QWidget* parent) : GuideForm(parent, "ClassEn55014", "EN55014") {
  group1_ = RadioColumns(this, "Group1", "Equipment",
                         {"Tools: Rated motor power (Excluding any heater power) <700W",
                          "Tools: Rated motor power (Excluding any heater power>700W and <1kW",
                          "Tools: Rated motor power (Excluding any heater power>1kW",
                          "Household appliances etc  (incorporating semiconductor devices)",
                          "Load terminals on either type of product"},
                         1, layout_);
  group1_->button(4)->setChecked(true);
  group2_ =
      RadioColumns(this, "Group2", "Interference type",
                   {"Continuous or periodic", "Discontinuous (transients/clicks)"}, 1, layout_);
  addButtons();
}

TClassEN55022::TClassEN55022(QWidget* parent) : GuideForm(parent, "ClassEN55022", "EN55022") {
  group1_ = RadioColumns(this, "group1", "Class", {"Class A", "Class B"}, 1, layout_);
  addButtons();
}

TClassEN60945::TClassEN60945(QWidget* parent) : GuideForm(parent, "ClassEN60945", "EN60945") {
  radioGroup1_ = RadioColumns(
      this, "RadioGroup1", "Select Test",
      {"Radiated", "Conducted with Current Probe", "Conducted with LISN or Voltage Probe"}, 1,
      layout_);
  button1_ = new QPushButton("More Info", this);
  button1_->setObjectName("Button1");
  button1_->setEnabled(false);
  layout_->addWidget(button1_, 0, Qt::AlignLeft);
  addButtons();
  connect(radioGroup1_, &QButtonGroup::idToggled, this,
          [this](int, bool) { button1_->setEnabled(radioGroup1_->checkedId() == 1); });
}

TEN50081a::TEN50081a(QWidget* parent) : GuideForm(parent, "EN50081a", "EN50081-1") {
  auto* row = new QHBoxLayout;
  radioGroup1_ =
      RadioColumns(this, "RadioGroup1", "Select Test Range", {"Radiated", "Conducted"}, 1, row);
  radiogroup2_ = RadioColumns(this, "radiogroup2", "Conducted emissions",
                              {"Continuous", "Include transients"}, 1, row);
  layout_->addLayout(row);
  radioGroup3_ =
      RadioColumns(this, "RadioGroup3", "Select Limit",
                   {"Appliances", "Tools <700W", "Tools 700-1kW", "Tools >1kW"}, 2, layout_);
  addButtons();
}

TEN50081b::TEN50081b(QWidget* parent) : GuideForm(parent, "EN50081b", "EN50081-2") {
  auto* label = new QLabel("For both conducted and radiated emissions EN55011 will apply.", this);
  label->setObjectName("Label1");
  layout_->addWidget(label);
  auto* row = new QHBoxLayout;
  radioGroup1_ =
      RadioColumns(this, "RadioGroup1", "Select Test Range", {"Radiated", "Conducted"}, 1, row);
  radiogroup2_ = RadioColumns(this, "Radiogroup2", "Conducted emissions",
                              {"Continuous", "Include transients"}, 1, row);
  layout_->addLayout(row);
  addButtons();
}

}  // namespace tq
