#pragma once

#include <QDialog>
#include <string>

#include "measure/Details.h"

class QLabel;
class QLineEdit;

namespace tq {

// The Details window: field delimiter, default path and what start-up found of the hardware.
class THkeeping : public QDialog {
 public:
  explicit THkeeping(QWidget* parent);

  // FormActivate: refresh the fields from the program's values.
  void FormActivate(const DetailsValues& values);
  // The fields as the user left them; the path only counts after OK.
  std::string delimiterField() const;
  std::string pathField() const;

 private:
  QLineEdit* edit1_;
  QLineEdit* edit2_;
  QLabel* label2_;
  QLabel* label4_;
  QLabel* label5_;
};

}  // namespace tq
