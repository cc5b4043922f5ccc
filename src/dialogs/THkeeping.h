#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace tq {

class Program;

// The Details window: field delimiter, default path and what start-up found of the hardware.
class THkeeping : public QDialog {
 public:
  THkeeping(QWidget* parent, Program& program);

  // FormActivate: refresh the fields from the program.
  void FormActivate();
  void OKBtnClick();

 private:
  Program& program_;
  QLineEdit* edit1_;
  QLineEdit* edit2_;
  QLabel* label2_;
  QLabel* label4_;
  QLabel* label5_;
};

// File|Setup...: shows the Details window modally and takes its delimiter.
void Setup1Click(QWidget& parent, Program& program);

}  // namespace tq
