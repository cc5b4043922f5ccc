#pragma once

#include <QDialog>

#include "measure/SingleFrequency.h"

class QButtonGroup;
class QCheckBox;

namespace tq {

class HelpViewer;

// "Single Frequency Settings": peak tracking, detector, sampling rate and ERS correction.
class Tsfsettings : public QDialog {
 public:
  Tsfsettings(QWidget* parent, HelpViewer& help);

  // FormActivate: the controls show the current settings.
  void FormActivate(const SingleFrequencySettings& settings);
  SingleFrequencySettings values() const;
  QCheckBox* peakcatch() const { return peakcatch_; }
  QButtonGroup* stylegroup() const { return style_; }
  QButtonGroup* intervalgroup() const { return interval_; }
  QCheckBox* ersBox() const { return ers_; }

 private:
  QCheckBox* peakcatch_;
  QButtonGroup* style_;
  QButtonGroup* interval_;
  QCheckBox* ers_;
};

}  // namespace tq
