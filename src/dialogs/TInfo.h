#pragma once

#include <QDialog>
#include <array>

#include "view/Information.h"

class QLabel;
class QPlainTextEdit;
class QWidget;

namespace tq {

class TSpanish;

// "Veltrane Instruments Ltd Fieldmark TQ4800  Information": a one-page summary of the
// measurement set-up with the input's factor curve, the limit line and the ERS corrections.
// It changes only the antenna distance method, through a right click on the factor curve.
class TInfo : public QDialog {
 public:
  TInfo(QWidget* parent, TSpanish& spanish);

  // Takes the values to show from the program (again after every change it makes).
  void FormActivate(InformationSource& source);
  // The factor box's mouse button released.
  void afboxMouseUp(Qt::MouseButton button);

  const InfoView& info() const { return info_; }
  QWidget* afbox() const { return afbox_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void showValues();

  TSpanish& spanish_;
  InformationSource* source_ = nullptr;
  InfoView info_;
  QWidget* afbox_;
  QWidget* limitbox_;
  QWidget* ersbox_;
  QLabel* label13_;
  QLabel* label15_;
  QLabel* label24_;
  std::array<QLabel*, 2> factorLabels_{};
  std::array<QLabel*, 2> limitLabels_{};
  QPlainTextEdit* memo1_;
};

}  // namespace tq
