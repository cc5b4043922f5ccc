#include "dialogs/Tscrncol.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/QtCanvas.h"

namespace tq {

namespace {
constexpr std::array<const char*, 8> kCaptions{"Screen", "Border",     "Grid",    "Current",
                                               "Store",  "Difference", "Archive", "Limit Line"};
}  // namespace

Tscrncol::Tscrncol(QWidget* parent, MainView& main) : QDialog(parent), main_(main) {
  setObjectName("scrncol");
  setWindowTitle("Screen Colours");
  auto* grid = new QGridLayout;
  for (int i = 0; i < 8; ++i) {
    auto* b = new QPushButton(kCaptions[static_cast<std::size_t>(i)], this);
    b->setObjectName(QString("ColorDialog%1").arg(i + 1));
    b->setMinimumWidth(110);
    connect(b, &QPushButton::clicked, this, [this, i] { colourClick(i); });
    buttons_[static_cast<std::size_t>(i)] = b;
    grid->addWidget(b, i % 4, i / 4);
  }
  auto* defaults = new QPushButton("Default", this);
  defaults->setObjectName("Button9");
  connect(defaults, &QPushButton::clicked, this, [this] { Button9Click(); });
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

std::optional<Colour> Tscrncol::chooseColour(Colour current, const QString& title) {
  const QColor c = QColorDialog::getColor(QtCanvas::ToQColor(current), this, title);
  if (!c.isValid()) return std::nullopt;
  return static_cast<Colour>(c.red() | (c.green() << 8) | (c.blue() << 16));
}

void Tscrncol::FormActivate(const std::array<Colour, 8>& screenColours) {
  colours_ = screenColours;
  showSwatches();
}

void Tscrncol::Button9Click() {
  colours_ = kScreenColourDefaults;
  showSwatches();
}

void Tscrncol::colourClick(int index) {
  const auto i = static_cast<std::size_t>(index);
  if (const auto chosen = chooseColour(colours_[i], kCaptions[i])) colours_[i] = *chosen & 0xFFFFFF;
  showSwatches();
  main_.repaint();
}

void Tscrncol::showSwatches() {
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const QColor c = QtCanvas::ToQColor(colours_[i]);
    const QColor text = c.lightness() < 128 ? Qt::white : Qt::black;
    buttons_[i]->setStyleSheet(
        QString("background-color: %1; color: %2;").arg(c.name(), text.name()));
  }
}

bool Colours1Click(Tscrncol& dialog, std::array<Colour, 8>& screenColours) {
  dialog.FormActivate(screenColours);
  if (dialog.exec() != QDialog::Accepted) return false;
  screenColours = dialog.colours();
  return true;
}

}  // namespace tq
