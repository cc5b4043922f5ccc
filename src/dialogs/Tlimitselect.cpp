#include "dialogs/Tlimitselect.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tq {

Tlimitselect::Tlimitselect(QWidget* parent) : QDialog(parent) {
  setObjectName("limitselect");
  setWindowTitle("Select Limit");
  limitlist_ = new QListWidget(this);
  limitlist_->setObjectName("limitlist");
  limitlist_->setMinimumSize(320, 220);
  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
  buttons->button(QDialogButtonBox::Help)->setObjectName("HelpBtn");
  // Help topic 26 comes with the help window.
  buttons->button(QDialogButtonBox::Help)->setEnabled(false);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(limitlist_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(limitlist_);
  layout->addWidget(buttons);
}

std::optional<int> Tlimitselect::Choose(const std::vector<std::string>& names) {
  limitlist_->clear();
  for (const std::string& name : names) limitlist_->addItem(QString::fromStdString(name));
  if (!names.empty()) limitlist_->setCurrentRow(0);
  if (exec() != QDialog::Accepted) return std::nullopt;
  return limitlist_->currentRow();
}

}  // namespace tq
