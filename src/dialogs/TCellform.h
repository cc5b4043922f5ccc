#pragma once

#include <QDialog>
#include <string>

#include "measure/InputSelection.h"

class QButtonGroup;
class QLabel;
class QLineEdit;

namespace tq {

// "TQ4800 - Ostrocell Characteristics": the cell type and serial number.
class TCellform : public QDialog {
 public:
  explicit TCellform(QWidget* parent);

  // FormActivate: the stored type and serial number, and the USB state line.
  void FormActivate(const CellValues& values);
  int cellType() const;
  std::string serialText() const;
  QLineEdit* serialEdit() const { return edit1_; }
  QButtonGroup* typeGroup() const { return type_; }
  QLabel* usbLabel() const { return usb_; }

 private:
  QButtonGroup* type_;
  QLineEdit* edit1_;
  QLabel* usb_;
};

}  // namespace tq
