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

#include "dialogs/DialogParts.h"
#include "model/HelpTopics.h"

namespace tq {

Tsfsettings::Tsfsettings(QWidget* parent, HelpViewer& help) : QDialog(parent) {
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

  auto* buttons = OkCancelHelp(this, help, help::kSingleFrequencySettings);
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
