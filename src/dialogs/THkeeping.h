#pragma once

#include <QDialog>
#include <string>

#include "measure/Details.h"

class QLabel;
class QLineEdit;
class QTableWidget;

namespace tq {

class HelpViewer;

// The Details window: field delimiter, default path and what start-up found of the hardware
// (the analyser's version, the USB adapters, the adapter's serial identity and version).
class THkeeping : public QDialog {
 public:
  THkeeping(QWidget* parent, HelpViewer& help);

  // FormActivate: refresh the fields from the program's values.
  void FormActivate(const DetailsValues& values);
  // The fields as the user left them; the path only counts after OK.
  std::string delimiterField() const;
  std::string pathField() const;
  void HelpBtnClick();

 private:
  void Edit1Change();
  void showUsb(const UsbDetails& usb);

  QLineEdit* edit1_;
  QLineEdit* edit2_;
  QLabel* label2_;
  QLabel* label4_;
  QLabel* label5_;
  QTableWidget* grid_;
  HelpViewer& help_;
};

}  // namespace tq
