#include "dialogs/TERSOK.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tq {

TERSOK::TERSOK(QWidget* parent) : QDialog(parent) {
  setObjectName("ERSOK");
  setWindowTitle("ERS Calibration");
  auto* layout = new QVBoxLayout(this);
  peak_ = new QLabel(this);
  peak_->setObjectName("Label1");
  layout->addWidget(peak_);
  auto* wait =
      new QLabel("Please Leave ERS Unit ON and Wait a Few Minutes for a Full Trace.", this);
  wait->setObjectName("Label2");
  wait->setWordWrap(true);
  wait->setMinimumWidth(300);
  layout->addWidget(wait);
  auto* row = new QHBoxLayout;
  increase_ = new QPushButton("Increase Attenuator Setting", this);
  increase_->setObjectName("IncreaseBtn");
  decrease_ = new QPushButton("Decrease Attenuator Setting", this);
  decrease_->setObjectName("DecreaseBtn");
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("OKBtn");
  ok->setDefault(true);
  row->addWidget(increase_);
  row->addWidget(decrease_);
  row->addStretch();
  row->addWidget(ok);
  layout->addLayout(row);
  connect(increase_, &QPushButton::clicked, this, [this] {
    if (attenuator_) attenuator_->StepAttenuator(+1);
  });
  connect(decrease_, &QPushButton::clicked, this, [this] {
    if (attenuator_) attenuator_->StepAttenuator(-1);
  });
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TERSOK::FormActivate(const std::string& peakText, ErsAttenuator& attenuator) {
  peak_->setText(QString::fromStdString(peakText));
  attenuator_ = &attenuator;
}

}  // namespace tq
