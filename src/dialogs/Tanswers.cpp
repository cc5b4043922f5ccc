#include "dialogs/Tanswers.h"

#include <QGridLayout>
#include <QLabel>
#include <string_view>

#include "platform/qt/QtText.h"

namespace tq {

Tanswers::Tanswers(QWidget* parent, ValuesWindowOwner& owner)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), owner_(owner) {
  setObjectName("answers");
  setWindowTitle("Values dBuV");
  setAttribute(Qt::WA_ShowWithoutActivating);
  auto* grid = new QGridLayout(this);
  auto value = [this, grid](const char* name, const char* caption, int row) {
    grid->addWidget(new QLabel(caption, this), row, 0);
    auto* l = new QLabel(this);
    l->setObjectName(name);
    l->setMinimumWidth(70);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(l, row, 1);
    return l;
  };
  label10_ = value("Label10", "Frequency", 0);
  label5_ = value("Label5", "Current", 1);
  label6_ = value("Label6", "Difference", 2);
  label7_ = value("Label7", "Store", 3);
  label8_ = value("Label8", "Archive", 4);
  grid->addWidget(new QLabel("(ESC to clear)", this), 5, 0, 1, 2);
  grid->addWidget(new QLabel(QString::fromUtf8("ALT + \u2190\u2192 to move"), this), 6, 0, 1, 2);
}

QLabel* Tanswers::label(const char* name) const {
  const std::string_view n(name);
  if (n == "Label10") return label10_;
  if (n == "Label5") return label5_;
  if (n == "Label6") return label6_;
  if (n == "Label7") return label7_;
  if (n == "Label8") return label8_;
  return nullptr;
}

void Tanswers::showValues(const ValueTexts& v) {
  label10_->setText(ToQString(v.frequency));
  label5_->setText(ToQString(v.current));
  label6_->setText(ToQString(v.difference));
  label7_->setText(ToQString(v.store));
  label8_->setText(ToQString(v.archive));
}

void Tanswers::reject() {
  QDialog::reject();
  // Esc or the close box: the cursor goes with the window.
  owner_.valuesWindowClosed();
}

}  // namespace tq
