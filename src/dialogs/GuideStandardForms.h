#pragma once

#include "dialogs/GuideParts.h"

class QButtonGroup;
class QLineEdit;

namespace tq {

// The per-standard forms of the guide: each asks what its standard needs to classify the
// product. "Continue..." is the guide windows' to connect; the answers are read from here.

class TClassEN55011 : public GuideForm {
 public:
  explicit TClassEN55011(QWidget* parent);
  QLineEdit* frequency() const { return edit1_; }
  QButtonGroup* classes() const { return class1_; }
  QButtonGroup* groups() const { return group1_; }

 private:
  QLineEdit* edit1_;
  QButtonGroup* class1_;
  QButtonGroup* group1_;
};

class TClassEN55013 : public GuideForm {
 public:
  explicit TClassEN55013(QWidget* parent);
  QButtonGroup* clauses() const { return radioGroup1_; }

 private:
  QButtonGroup* radioGroup1_;
};

class TClassEn55014 : public GuideForm {
 public:
  explicit TClassEn55014(QWidget* parent);
  QButtonGroup* equipment() const { return group1_; }
  QButtonGroup* interference() const { return group2_; }

 private:
  QButtonGroup* group1_;
  QButtonGroup* group2_;
};

class TClassEN55022 : public GuideForm {
 public:
  explicit TClassEN55022(QWidget* parent);
  QButtonGroup* classes() const { return group1_; }

 private:
  QButtonGroup* group1_;
};

class TClassEN60945 : public GuideForm {
 public:
  explicit TClassEN60945(QWidget* parent);
  QButtonGroup* tests() const { return radioGroup1_; }
  QPushButton* moreInfoButton() const { return button1_; }

 private:
  QButtonGroup* radioGroup1_;
  QPushButton* button1_;
};

class TEN50081a : public GuideForm {
 public:
  explicit TEN50081a(QWidget* parent);
  QButtonGroup* range() const { return radioGroup1_; }
  QButtonGroup* emissions() const { return radiogroup2_; }
  QButtonGroup* limits() const { return radioGroup3_; }

 private:
  QButtonGroup* radioGroup1_;
  QButtonGroup* radiogroup2_;
  QButtonGroup* radioGroup3_;
};

class TEN50081b : public GuideForm {
 public:
  explicit TEN50081b(QWidget* parent);
  QButtonGroup* range() const { return radioGroup1_; }
  QButtonGroup* emissions() const { return radiogroup2_; }

 private:
  QButtonGroup* radioGroup1_;
  QButtonGroup* radiogroup2_;
};

}  // namespace tq
