#include "dialogs/TSpanish.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tq {

namespace {
constexpr int kAlt = 11;
constexpr int kStd = 12;
}  // namespace

TSpanish::TSpanish(QWidget* parent) : QDialog(parent) {
  setObjectName("Spanish");
  setWindowTitle("Antenna Distance");
  auto* layout = new QVBoxLayout(this);
  auto* memo = new QPlainTextEdit(this);
  memo->setObjectName("Memo1");
  memo->setReadOnly(true);
  memo->setPlainText(
      "A radiated limit is given for a distance between the antenna and the equipment under "
      "test. When the antenna stands at another distance, one of the two must be corrected.\n\n"
      "STD: the limit line is moved to the measuring distance; the measured levels are shown "
      "as measured.\n\n"
      "ALT: the measured levels are moved to the distance of the limit; the limit line is "
      "shown as defined.");
  memo->setMinimumSize(360, 170);
  layout->addWidget(memo);
  auto* row = new QHBoxLayout;
  auto* alt = new QPushButton("ALT", this);
  alt->setObjectName("AltBtn");
  auto* std = new QPushButton("STD", this);
  std->setObjectName("StdBtn");
  row->addStretch();
  row->addWidget(alt);
  row->addWidget(std);
  layout->addLayout(row);
  connect(alt, &QPushButton::clicked, this, [this] { done(kAlt); });
  connect(std, &QPushButton::clicked, this, [this] { done(kStd); });
}

std::optional<bool> TSpanish::chooseAlternative() {
  const int result = exec();
  if (result == kAlt) return true;
  if (result == kStd) return false;
  return std::nullopt;
}

}  // namespace tq
