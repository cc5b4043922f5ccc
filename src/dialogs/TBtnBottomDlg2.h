#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <optional>

#include "model/Colour.h"

class QPushButton;

namespace tq {

// "Printer Colours": six colour buttons (Grid, Current, Store, Difference, Archive, Limit),
// "Default", OK and Cancel. The colours go back to the caller only on OK.
class TBtnBottomDlg2 : public QDialog {
 public:
  explicit TBtnBottomDlg2(QWidget* parent);

  // Asks for a colour starting from `current`; nullopt when cancelled. A test gives its own
  // answer instead of the colour dialog.
  virtual std::optional<Colour> chooseColour(Colour current, const QString& title);

  void FormActivate(const std::array<Colour, 6>& printerColours);
  // "Default": all six black, once the user has agreed.
  void Button6Click();
  const std::array<Colour, 6>& colours() const { return colours_; }
  // ColorDialog1..6: the button of colour `index`.
  QPushButton* colourButton(int index) const { return buttons_[static_cast<std::size_t>(index)]; }

 private:
  void colourClick(int index);
  void showSwatches();

  std::array<Colour, 6> colours_{};
  std::array<QPushButton*, 6> buttons_{};
};

// File|Printer Colours: the dialog modally over the printer colours; OK copies them back.
// True when they were taken.
bool PrinterColours1Click(TBtnBottomDlg2& dialog, std::array<Colour, 6>& printerColours);

}  // namespace tq
