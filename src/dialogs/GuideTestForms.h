#pragma once

#include "dialogs/GuideParts.h"

class QButtonGroup;

namespace tq {

// The test-method forms: how the test is set up. Their "Continue..." is the guide windows' to
// connect; the instruction text is written from their answers.

// The conducted test: input, phases and pre-amplifier. Its caption is set by the caller.
class TTDtestac : public GuideForm {
 public:
  explicit TTDtestac(QWidget* parent);
  QButtonGroup* inputs() const { return inputs_; }
  QButtonGroup* phases() const { return phases_; }
  QButtonGroup* preamps() const { return preamp1_; }
  QPushButton* moreInfoButton() const { return button1_; }

 private:
  void inputsClick(int input);

  QButtonGroup* inputs_;
  QButtonGroup* phases_;
  QButtonGroup* preamp1_;
  QPushButton* button1_;
};

class TTDtestB : public GuideForm {
 public:
  explicit TTDtestB(QWidget* parent);
  bool withErs() const;
  QButtonGroup* ers() const { return ersgroup_; }

 private:
  QButtonGroup* ersgroup_;
};

class TTDtestD : public GuideForm {
 public:
  explicit TTDtestD(QWidget* parent);
};

class TTDtestE : public GuideForm {
 public:
  explicit TTDtestE(QWidget* parent);
  QButtonGroup* sources() const { return sourcegroup_; }

 private:
  QButtonGroup* sourcegroup_;
};

class TTdtestF : public GuideForm {
 public:
  explicit TTdtestF(QWidget* parent);
  QButtonGroup* antennas() const { return antgroup_; }

 private:
  QButtonGroup* antgroup_;
};

}  // namespace tq
