#pragma once

#include <optional>

#include "dialogs/GuideParts.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;

namespace tq {

// The guide's modal questions. Each is accepted by its "Continue..." only.

// EN55013 antenna terminal test: the EUT and the signal measured.
class Tselectvcr : public GuideForm {
 public:
  explicit Tselectvcr(QWidget* parent);
  QButtonGroup* eutTypes() const { return radioGroup1_; }
  QButtonGroup* sources() const { return radioGroup2_; }

 private:
  QButtonGroup* radioGroup1_;
  QButtonGroup* radioGroup2_;
};

// EN55013 disturbance radiation: what is measured.
class TselectRad : public GuideForm {
 public:
  explicit TselectRad(QWidget* parent);
  QButtonGroup* inputs() const { return radioGroup1_; }

 private:
  QButtonGroup* radioGroup1_;
};

// "Click Status": the click rate and the instantaneous switching; "Ignore" rejects.
class Tclicker : public GuideForm {
 public:
  explicit Tclicker(QWidget* parent);
  QLineEdit* rate() const { return edit1_; }
  QCheckBox* switching() const { return checkBox2_; }

 private:
  QLineEdit* edit1_;
  QCheckBox* checkBox2_;
};

// "Line Select": advice on the first line to measure with the current probe.
class Tlineselect : public GuideForm {
 public:
  explicit Tlineselect(QWidget* parent);
  QButtonGroup* singlePhase() const { return phase1_; }
  QButtonGroup* threePhase() const { return phase3_; }

 private:
  QButtonGroup* phase1_;
  QButtonGroup* phase3_;
};

}  // namespace tq
