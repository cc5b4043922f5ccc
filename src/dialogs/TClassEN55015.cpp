#include "dialogs/TClassEN55015.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "guide/GuideRules.h"
#include "platform/qt/QtText.h"

namespace tq {

TClassEN55015::TClassEN55015(QWidget* parent) : GuideForm(parent, "ClassEN55015", "EN55015") {
  lampgroup_ = RadioColumns(this, "lampgroup", "Lamp type",
                            {"Incandescent (No Dimmer)", "Incandescent (With Dimmer)",
                             "Fluorescent (not-self ballasted)", "Fluorescent (self-ballasted)"},
                            1, layout_);
  auto* row = new QHBoxLayout;
  auto* column = new QVBoxLayout;
  lampfreq_ = NumberField(this, "lampfreq", "Operating frequency", "50", column);
  label3_ = new QLabel(this);
  label3_->setObjectName("Label3");
  label4_ = new QLabel(this);
  label4_->setObjectName("Label4");
  column->addWidget(label3_);
  column->addWidget(label4_);
  row->addLayout(column);
  radioGroup1_ =
      RadioColumns(this, "RadioGroup1", "Operating Frequency of Lamp", {"Hz", "MHz"}, 1, row);
  layout_->addLayout(row);
  memo1_ = Memo(this, "Memo1");
  memo1_->setFixedHeight(4 * memo1_->fontMetrics().lineSpacing() + 12);
  layout_->addWidget(memo1_);
  addButtons();
  connect(lampgroup_, &QButtonGroup::idClicked, this, [this] { showFrequency(); });
  connect(radioGroup1_, &QButtonGroup::idClicked, this, [this] { showFrequency(); });
  connect(lampfreq_, &QLineEdit::textChanged, this, [this] { showFrequency(); });
  showFrequency();
  resize(memo1_->fontMetrics().horizontalAdvance(QString(66, 'n')) + 40, sizeHint().height());
}

int TClassEN55015::lampType() const {
  return Checked(lampgroup_);
}

QString TClassEN55015::frequencyText() const {
  return lampfreq_->text();
}

bool TClassEN55015::inMHz() const {
  return radioGroup1_->checkedId() == 1;
}

void TClassEN55015::showFrequency() {
  const double hz = LampFrequencyHz(ToStdString(lampfreq_->text()), inMHz()).value_or(0.0);
  label3_->setText(ToQString(LampHzText(hz)));
  label4_->setText(ToQString(LampMHzText(hz)));
  ShowLines(memo1_, En55015Memo(lampType(), hz));
}

TClassEN55025::TClassEN55025(QWidget* parent) : GuideForm(parent, "ClassEN55025", "ClassEN55025") {
  radioGroup1_ = RadioColumns(
      this, "RadioGroup1", "Category",
      {"Whole Vehicle Radiated Ignition Sytems Only", "Whole Vehicle Radiated All Other Sources",
       "Vehicle Components and Modules Conducted Power Inputs",
       "Vehicle Components and Modules Conducted Control/Signal",
       "Vehicle Components and Modules Radiated Antenna Technique",
       "Vehicle Components and Modules Radiated TEM Cell Technique"},
      1, layout_);
  auto* row = new QHBoxLayout;
  radioGroup2_ =
      RadioColumns(this, "RadioGroup2", "Interference",
                   {"Broadband Continuous", "Broadband Short Duration", "Narrowband"}, 1, row);
  radioGroup3_ =
      RadioColumns(this, "RadioGroup3", "Class", {"1", "2", "3", "4", "5", "6", "7"}, 1, row);
  row->addStretch();
  layout_->addLayout(row);
  addButtons();
  connect(radioGroup1_, &QButtonGroup::idClicked, this, [this] { RadioGroup1Click(); });
}

void TClassEN55025::RadioGroup1Click() {
  const int category = Checked(radioGroup1_);
  QStringList items;
  for (const std::string& s : En55025Interference(category)) items << ToQString(s);
  RefillRadios(radioGroup2_, items);
  QStringList classes;
  for (int k = 1; k <= En55025Classes(category); ++k) classes << QString::number(k);
  RefillRadios(radioGroup3_, classes);
}

}  // namespace tq
