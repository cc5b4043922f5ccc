#include "dialogs/TCellform.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tq {

TCellform::TCellform(QWidget* parent) : QDialog(parent) {
  setObjectName("Cellform");
  setWindowTitle("TQ4800 - Ostrocell Characteristics");
  auto* layout = new QVBoxLayout(this);
  auto* box = new QGroupBox("Select Cell Type", this);
  box->setObjectName("RadioGroup1");
  auto* boxLayout = new QVBoxLayout(box);
  type_ = new QButtonGroup(box);
  const char* types[] = {"OC 300", "OC 300/2", "OC 600"};
  for (int i = 0; i < 3; ++i) {
    auto* b = new QRadioButton(types[i], box);
    type_->addButton(b, i);
    boxLayout->addWidget(b);
  }
  layout->addWidget(box);
  auto* form = new QFormLayout;
  edit1_ = new QLineEdit(this);
  edit1_->setObjectName("SerialEdit");
  edit1_->setMaxLength(5);
  form->addRow("Cell Serial Number", edit1_);
  layout->addLayout(form);
  usb_ = new QLabel(this);
  usb_->setObjectName("UsbLabel");
  layout->addWidget(usb_);

  auto* row = new QHBoxLayout;
  auto* accept = new QPushButton("Accept", this);
  accept->setObjectName("AcceptBtn");
  accept->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("CancelBtn");
  row->addStretch();
  row->addWidget(accept);
  row->addWidget(cancel);
  layout->addLayout(row);
  connect(accept, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TCellform::FormActivate(const CellValues& values) {
  if (auto* b = type_->button(values.type)) b->setChecked(true);
  edit1_->setText(QString::number(values.serial));
  usb_->setText(QString::fromStdString(values.usbText));
  usb_->setVisible(!values.usbText.empty());
}

int TCellform::cellType() const {
  return std::max(type_->checkedId(), 0);
}

std::string TCellform::serialText() const {
  return edit1_->text().toStdString();
}

}  // namespace tq
