#include "dialogs/TBtnBottomDlg2.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtPrompts.h"

namespace tq {

namespace {
constexpr std::array<const char*, 6> kCaptions{"Grid",       "Current", "Store",
                                               "Difference", "Archive", "Limit"};
}  // namespace

TBtnBottomDlg2::TBtnBottomDlg2(QWidget* parent) : QDialog(parent) {
  setObjectName("BtnBottomDlg2");
  setWindowTitle("Printer Colours");
  auto* grid = new QGridLayout;
  for (int i = 0; i < 6; ++i) {
    auto* b = new QPushButton(kCaptions[static_cast<std::size_t>(i)], this);
    b->setObjectName(QString("ColorDialog%1").arg(i + 1));
    b->setMinimumWidth(110);
    connect(b, &QPushButton::clicked, this, [this, i] { colourClick(i); });
    buttons_[static_cast<std::size_t>(i)] = b;
    grid->addWidget(b, i % 3, i / 3);
  }
  auto* defaults = new QPushButton("Default", this);
  defaults->setObjectName("Button6");
  connect(defaults, &QPushButton::clicked, this, [this] { Button6Click(); });
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("OKBtn");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("CancelBtn");
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* row = new QHBoxLayout;
  row->addWidget(defaults);
  row->addStretch();
  row->addWidget(ok);
  row->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(row);
}

std::optional<Colour> TBtnBottomDlg2::chooseColour(Colour current, const QString& title) {
  const QColor c = QColorDialog::getColor(QtCanvas::ToQColor(current), this, title);
  if (!c.isValid()) return std::nullopt;
  return static_cast<Colour>(c.red() | (c.green() << 8) | (c.blue() << 16));
}

void TBtnBottomDlg2::FormActivate(const std::array<Colour, 6>& printerColours) {
  colours_ = printerColours;
  showSwatches();
}

void TBtnBottomDlg2::Button6Click() {
  QtPrompts prompts(this);
  if (prompts.message(MessageKind::Confirmation, "Set all printing colours to BLACK ?",
                      Buttons::YesNo) != Answer::Yes)
    return;
  colours_.fill(kClBlack);
  showSwatches();
}

void TBtnBottomDlg2::colourClick(int index) {
  const auto i = static_cast<std::size_t>(index);
  if (const auto chosen = chooseColour(colours_[i], kCaptions[i])) colours_[i] = *chosen & 0xFFFFFF;
  showSwatches();
}

void TBtnBottomDlg2::showSwatches() {
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const QColor c = QtCanvas::ToQColor(colours_[i]);
    const QColor text = c.lightness() < 128 ? Qt::white : Qt::black;
    buttons_[i]->setStyleSheet(
        QString("background-color: %1; color: %2;").arg(c.name(), text.name()));
  }
}

bool PrinterColours1Click(TBtnBottomDlg2& dialog, std::array<Colour, 6>& printerColours) {
  dialog.FormActivate(printerColours);
  if (dialog.exec() != QDialog::Accepted) return false;
  printerColours = dialog.colours();
  return true;
}

}  // namespace tq
