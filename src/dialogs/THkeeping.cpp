#include "dialogs/THkeeping.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "measure/Details.h"

namespace tq {

THkeeping::THkeeping(QWidget* parent) : QDialog(parent) {
  setObjectName("Hkeeping");
  setWindowTitle("Details");
  auto* form = new QFormLayout;
  edit1_ = new QLineEdit(";", this);
  edit1_->setObjectName("Edit1");
  edit1_->setMaxLength(1);
  edit2_ = new QLineEdit("Path", this);
  edit2_->setObjectName("Edit2");
  edit2_->setMaxLength(128);
  form->addRow("File Delimitor", edit1_);
  form->addRow("Default Path", edit2_);
  label2_ = new QLabel("Hardware Version", this);
  label2_->setObjectName("Label2");
  label4_ = new QLabel("USB Serial", this);
  label4_->setObjectName("Label4");
  label5_ = new QLabel("USB Hardware", this);
  label5_->setObjectName("Label5");
  auto* grid = new QTableWidget(10, 3, this);
  grid->setObjectName("StringGrid1");
  grid->setHorizontalHeaderLabels({"", "Handle", "Description"});
  grid->setMinimumHeight(120);

  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
  buttons->button(QDialogButtonBox::Help)->setObjectName("HelpBtn");
  buttons->button(QDialogButtonBox::Help)->setEnabled(false);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(edit1_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (IsInvalidDelimiterField(text.toStdString()))
      QMessageBox::warning(this, "Warning", "Invalid delimitor");
  });

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(label2_);
  layout->addWidget(new QLabel("USB Devices Detected", this));
  layout->addWidget(grid);
  layout->addWidget(label4_);
  layout->addWidget(label5_);
  layout->addWidget(buttons);
}

void THkeeping::FormActivate(const DetailsValues& values) {
  edit2_->setText(QString::fromStdString(values.defaultPath));
  const std::string& version = values.versionText;
  label2_->setText(version.empty() ? "Hardware Version" : QString::fromStdString(version));
}

std::string THkeeping::delimiterField() const {
  return edit1_->text().toStdString();
}

std::string THkeeping::pathField() const {
  return edit2_->text().toStdString();
}

}  // namespace tq
