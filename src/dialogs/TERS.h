#pragma once

#include <QDialog>

#include "measure/ErsCalibration.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QBoxLayout;

namespace tq {

class HelpViewer;

// "ERS Calibration (Full Range)": the ERS unit's serial number and the plane to calibrate.
// The zoomed dialog adds the span and its start.
class TERS : public QDialog {
 public:
  TERS(QWidget* parent, HelpViewer& help);

  // FormActivate: the serial number (or that the ERS data are missing, which leaves OK
  // disabled) and the last choices.
  virtual void FormActivate(const ErsDialogValues& values);
  int polarisation() const;
  QLabel* serialLabel() const { return serial_; }
  QButtonGroup* polarGroup() const { return polar_; }
  QPushButton* okButton() const { return ok_; }

 protected:
  TERS(QWidget* parent, HelpViewer& help, const char* name, const char* caption, int topic);
  // Where a derived dialog adds its controls, above the buttons.
  QBoxLayout* body() const { return body_; }

 private:
  QLabel* serial_;
  QButtonGroup* polar_;
  QPushButton* ok_;
  QBoxLayout* body_;
};

// "ERS Calibration (Zoom Mode)": also the zoom span and the start frequency.
class TERSzoomform : public TERS {
 public:
  TERSzoomform(QWidget* parent, HelpViewer& help);

  void FormActivate(const ErsDialogValues& values) override;
  ErsChoice choice() const;
  QButtonGroup* spanGroup() const { return span_; }
  QLineEdit* startEdit() const { return start_; }

 private:
  QButtonGroup* span_;
  QLineEdit* start_;
};

}  // namespace tq
