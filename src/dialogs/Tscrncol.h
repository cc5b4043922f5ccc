#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <optional>

#include "model/Colour.h"
#include "model/WindowModel.h"

class QPushButton;

namespace tq {

// "Default" column of the screen colours: Screen, Border, Grid, Current, Store, Difference,
// Archive, Limit Line.
inline constexpr std::array<Colour, 8> kScreenColourDefaults{
    0xFFFF00, 0xC0C0C0, 0xFF0000, 0x000000, 0x0000FF, 0xFF00FF, 0x008000, 0x00FFFF};

// The "Screen Colours" dialog: eight colour buttons, "Default", OK and Cancel. The colours
// it holds go back to the caller only on OK.
class Tscrncol : public QDialog {
 public:
  // Each colour button repaints `main` after its colour dialog closes.
  Tscrncol(QWidget* parent, MainView& main);

  // Asks for a colour starting from `current`; nullopt when cancelled. A test gives its own
  // answer instead of the colour dialog.
  virtual std::optional<Colour> chooseColour(Colour current, const QString& title);

  void FormActivate(const std::array<Colour, 8>& screenColours);
  void Button9Click();
  const std::array<Colour, 8>& colours() const { return colours_; }
  // ColorDialog1..8: the button of colour `index`.
  QPushButton* colourButton(int index) const { return buttons_[static_cast<std::size_t>(index)]; }

 private:
  void colourClick(int index);
  void showSwatches();

  MainView& main_;
  std::array<Colour, 8> colours_{};
  std::array<QPushButton*, 8> buttons_{};
};

// Display|Colours: shows the dialog modally over the state's colours; OK copies them back.
// True when they were taken.
bool Colours1Click(Tscrncol& dialog, std::array<Colour, 8>& screenColours);

}  // namespace tq
