#pragma once

#include <QDialog>
#include <optional>

namespace tq {

// "Antenna Distance": chooses the alternative (ALT) or the standard (STD) distance method.
class TSpanish : public QDialog {
 public:
  explicit TSpanish(QWidget* parent);

  // Shows the dialog modally: true for ALT, false for STD, nullopt when closed otherwise.
  std::optional<bool> chooseAlternative();
};

}  // namespace tq
