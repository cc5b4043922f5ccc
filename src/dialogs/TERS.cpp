#include "dialogs/TERS.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

#include "dialogs/DialogParts.h"
#include "model/HelpTopics.h"

namespace tq {

namespace {

void Check(QButtonGroup* group, int id) {
  if (auto* b = group->button(std::clamp(id, 0, 1))) b->setChecked(true);
}

}  // namespace

TERS::TERS(QWidget* parent, HelpViewer& help)
    : TERS(parent, help, "ERS", "ERS Calibration (Full Range)", help::kErsCalibration) {}

TERS::TERS(QWidget* parent, HelpViewer& help, const char* name, const char* caption, int topic)
    : QDialog(parent) {
  setObjectName(name);
  setWindowTitle(caption);
  auto* layout = new QVBoxLayout(this);
  serial_ = new QLabel("ERS Serial No", this);
  serial_->setObjectName("Label1");
  serial_->setWordWrap(true);
  serial_->setMinimumWidth(260);
  layout->addWidget(serial_);
  body_ = new QVBoxLayout;
  layout->addLayout(body_);
  polar_ = RadioGroup(this, "Polar1", "Polarisation", {"Horizontal", "Vertical"}, body_);

  auto* buttons = OkCancelHelp(this, help, topic);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  layout->addWidget(buttons);
}

void TERS::FormActivate(const ErsDialogValues& values) {
  serial_->setText(QString::fromStdString(values.serialText));
  Check(polar_, values.polarisation);
  // Without reference levels a calibration would only measure the site against nothing.
  ok_->setEnabled(values.dataPresent);
}

int TERS::polarisation() const {
  return std::max(polar_->checkedId(), 0);
}

TERSzoomform::TERSzoomform(QWidget* parent, HelpViewer& help)
    : TERS(parent, help, "ERSzoomform", "ERS Calibration (Zoom Mode)", help::kErsZoomed) {
  span_ = RadioGroup(this, "RadioGroup1", "Zoom Span", {"100 MHz", "200 MHz"}, body());
  auto* form = new QFormLayout;
  start_ = new QLineEdit("30.0", this);
  start_->setObjectName("Edit1");
  form->addRow("Start Frequency (MHz)", start_);
  body()->addLayout(form);
}

void TERSzoomform::FormActivate(const ErsDialogValues& values) {
  TERS::FormActivate(values);
  Check(span_, values.zoomSpan);
  start_->setText(QString::fromStdString(values.startText));
}

ErsChoice TERSzoomform::choice() const {
  return {polarisation(), std::max(span_->checkedId(), 0), start_->text().toStdString()};
}

}  // namespace tq
