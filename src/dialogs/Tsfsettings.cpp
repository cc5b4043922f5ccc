#include "dialogs/Tsfsettings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tq {

namespace {

QButtonGroup* RadioGroup(QWidget* parent, const char* name, const QString& title,
                         const QStringList& items, QBoxLayout* into) {
  auto* box = new QGroupBox(title, parent);
  box->setObjectName(name);
  auto* layout = new QVBoxLayout(box);
  auto* group = new QButtonGroup(box);
  for (int i = 0; i < items.size(); ++i) {
    auto* b = new QRadioButton(items[i], box);
    group->addButton(b, i);
    layout->addWidget(b);
  }
  into->addWidget(box);
  return group;
}

}  // namespace

Tsfsettings::Tsfsettings(QWidget* parent) : QDialog(parent) {
  setObjectName("sfsettings");
  setWindowTitle("Single Frequency Settings");
  auto* layout = new QVBoxLayout(this);
  peakcatch_ = new QCheckBox("Auto Peak Tracking On", this);
  peakcatch_->setObjectName("Peakcatch");
  layout->addWidget(peakcatch_);
  auto* groups = new QHBoxLayout;
  style_ = RadioGroup(this, "Stylegroup", "Detector",
                      {"Instantaneous", "Average", "True Quasi Peak"}, groups);
  interval_ =
      RadioGroup(this, "Intervalgroup", "Sampling Rate", {"Slow", "Medium", "Fast"}, groups);
  layout->addLayout(groups);
  ers_ = new QCheckBox("Use ERS Correction", this);
  ers_->setObjectName("CheckBox1");
  layout->addWidget(ers_);

  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
  buttons->button(QDialogButtonBox::Help)->setObjectName("HelpBtn");
  // The help topic opens once the help window exists.
  buttons->button(QDialogButtonBox::Help)->setEnabled(false);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  FormActivate({});
}

void Tsfsettings::FormActivate(const SingleFrequencySettings& settings) {
  peakcatch_->setChecked(settings.autoPeak);
  if (auto* b = style_->button(std::clamp(settings.detector, 0, 2))) b->setChecked(true);
  if (auto* b = interval_->button(std::clamp(settings.rate, 0, 2))) b->setChecked(true);
  ers_->setChecked(settings.useErs);
}

SingleFrequencySettings Tsfsettings::values() const {
  return {peakcatch_->isChecked(), std::max(style_->checkedId(), 0),
          interval_->checkedId() < 0 ? 2 : interval_->checkedId(), ers_->isChecked()};
}

}  // namespace tq
