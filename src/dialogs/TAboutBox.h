#pragma once

#include <QDialog>

class QLabel;

namespace tq {

// The About box: the product, the software version and the maker.
class TAboutBox : public QDialog {
 public:
  explicit TAboutBox(QWidget* parent);

  // FormActivate: the version label shows the version stamp.
  void FormActivate();

 private:
  QLabel* version_;
};

}  // namespace tq
