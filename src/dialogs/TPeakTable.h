#pragma once

#include <QDialog>
#include <array>

#include "measure/FinalMeasurement.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace tq {

// "Peak Table": the peaks of the last sweep with their readings, limits, margins and
// verdicts, the overall verdict, and the final measurement's buttons and progress. A row
// picked puts the graph's marker and the values window at its frequency. It shows what the
// program's table says and asks for nothing else.
class TPeakTable : public QDialog {
 public:
  TPeakTable(QWidget* parent, PeakTableControl& control);

  // Shows the window, no wider than maxWidth.
  void open(int maxWidth);
  // Brings the window in line with the table and the measurement (cheap when nothing
  // changed: it is called whenever the main window's model changes).
  void refresh();

  QTableWidget* grid() const { return grid_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  enum Column {
    kFrequency,
    kRead,
    kCorrection,
    kSweep,
    kFinal,
    kAverage,
    kDetector,
    kLimit,
    kMargin,
    kQpLimit,
    kQpMargin,
    kLisn,
    kVerdict,
    kColumns
  };
  void fill();
  void fillRow(int row, const PeakRow& r);
  // True when the set of columns shown changed.
  bool showColumns();
  void fitWidth();
  void updateButtons();
  void rowPicked();

  PeakTableControl& control_;
  QLabel* heading_;
  QTableWidget* grid_;
  QLabel* overall_;
  QProgressBar* progress_;
  QPushButton* measure_;
  QPushButton* stop_;
  int shownRevision_ = -1;
  int maxWidth_ = 620;
  bool filling_ = false;
  std::array<bool, 4> shownColumns_{};
};

}  // namespace tq
