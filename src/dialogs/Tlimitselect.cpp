#include "dialogs/Tlimitselect.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/DialogParts.h"
#include "model/HelpTopics.h"

namespace tq {

Tlimitselect::Tlimitselect(QWidget* parent, HelpViewer& help) : QDialog(parent) {
  setObjectName("limitselect");
  setWindowTitle("Select Limit");
  limitlist_ = new QListWidget(this);
  limitlist_->setObjectName("limitlist");
  limitlist_->setMinimumSize(320, 220);
  auto* buttons = OkCancelHelp(this, help, help::kLimitSelect);
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
