#pragma once

#include <QDialog>

class QButtonGroup;
class QLabel;
class QPushButton;
class QTabBar;

namespace tq {

// "Ridu Dudoruvo": the standard and the region.
class TTestDir : public QDialog {
 public:
  explicit TTestDir(QWidget* parent);

  int tab() const;
  // 1 European, 2 Australian/NZ.
  int region() const;
  QTabBar* tabs() const { return tabControl1_; }
  QButtonGroup* regions() const { return radioGroup1_; }
  QPushButton* moreInformationButton() const { return button1_; }
  QPushButton* continueButton() const { return button4_; }

 private:
  void TabControl1Change();
  void RadioGroup1Click();

  QTabBar* tabControl1_;
  QLabel* label2_;
  QButtonGroup* radioGroup1_;
  QPushButton* button1_;
  QPushButton* button4_;
  QPushButton* button2_;
};

}  // namespace tq
