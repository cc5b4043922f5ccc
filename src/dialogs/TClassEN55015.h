#pragma once

#include "dialogs/GuideParts.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace tq {

// EN55015: the lamp type and its operating frequency, shown in both units, with the tests that
// apply to them.
class TClassEN55015 : public GuideForm {
 public:
  explicit TClassEN55015(QWidget* parent);
  int lampType() const;
  QString frequencyText() const;
  bool inMHz() const;
  QButtonGroup* lamps() const { return lampgroup_; }
  QLineEdit* frequency() const { return lampfreq_; }
  QButtonGroup* units() const { return radioGroup1_; }

 private:
  void showFrequency();

  QButtonGroup* lampgroup_;
  QLineEdit* lampfreq_;
  QButtonGroup* radioGroup1_;
  QLabel* label3_;
  QLabel* label4_;
  QPlainTextEdit* memo1_;
};

// EN55025: the category, the kind of interference and the class.
class TClassEN55025 : public GuideForm {
 public:
  explicit TClassEN55025(QWidget* parent);
  QButtonGroup* categories() const { return radioGroup1_; }
  QButtonGroup* interference() const { return radioGroup2_; }
  QButtonGroup* classes() const { return radioGroup3_; }

 private:
  void RadioGroup1Click();

  QButtonGroup* radioGroup1_;
  QButtonGroup* radioGroup2_;
  QButtonGroup* radioGroup3_;
};

}  // namespace tq
