#include "dialogs/TLisndlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

#include "dialogs/DialogParts.h"
#include "model/HelpTopics.h"

namespace tq {

TLisndlg::TLisndlg(QWidget* parent, HelpViewer& help) : QDialog(parent) {
  setObjectName("Lisndlg");
  setWindowTitle("LISN Settings");
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel("Adjust settings in this panel to suit LISN instrument", this);
  intro->setWordWrap(true);
  layout->addWidget(intro);
  auto* groups = new QHBoxLayout;
  source_ = RadioGroup(this, "RadioGroup1", "Source", {"Live", "Neutral", "Red", "Yellow", "Blue"},
                       groups);
  loss_ = RadioGroup(this, "RadioGroup2", "Insertion Loss",
                     {"0 dB (Other LISN)", "10 dB (KM902 - Veltrane)", "20 dB (KM902 - Veltrane)",
                      "30 dB (KM902 - Marlowe)"},
                     groups);
  layout->addLayout(groups);
  auto* preamp =
      new QLabel("If using pre-amplifier, use pre-amp window to input pre-amp gain.", this);
  preamp->setWordWrap(true);
  layout->addWidget(preamp);

  auto* buttons = OkCancelHelp(this, help, help::kLisn);
  layout->addWidget(buttons);

  connect(loss_, &QButtonGroup::idClicked, this, [this](int id) {
    if (id == 0) QMessageBox::warning(this, "Warning", kZeroLisnWarning);
  });
}

void TLisndlg::FormActivate(const LisnValues& values) {
  if (auto* b = source_->button(values.source)) b->setChecked(true);
  if (auto* b = loss_->button(values.lossIndex)) b->setChecked(true);
}

LisnValues TLisndlg::values() const {
  return {std::max(source_->checkedId(), 0), std::max(loss_->checkedId(), 0)};
}

}  // namespace tq
