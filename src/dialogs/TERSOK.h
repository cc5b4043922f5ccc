#pragma once

#include <QDialog>
#include <string>

#include "measure/ErsCalibration.h"

class QLabel;
class QPushButton;

namespace tq {

// "ERS Calibration": the 1 GHz peak was found; the attenuator may still be set before the
// sweep with the ERS unit on.
class TERSOK : public QDialog {
 public:
  explicit TERSOK(QWidget* parent);

  void FormActivate(const std::string& peakText, ErsAttenuator& attenuator);
  QLabel* peakLabel() const { return peak_; }
  QPushButton* increaseButton() const { return increase_; }
  QPushButton* decreaseButton() const { return decrease_; }

 private:
  QLabel* peak_;
  QPushButton* increase_;
  QPushButton* decrease_;
  ErsAttenuator* attenuator_ = nullptr;
};

}  // namespace tq
