#pragma once

#include <QDialog>

#include "measure/InputSelection.h"

class QButtonGroup;

namespace tq {

class HelpViewer;

// "LISN Settings": the LISN's source line and insertion loss.
class TLisndlg : public QDialog {
 public:
  TLisndlg(QWidget* parent, HelpViewer& help);

  // FormActivate: the groups show the current source and insertion loss.
  void FormActivate(const LisnValues& values);
  LisnValues values() const;
  QButtonGroup* sourceGroup() const { return source_; }
  QButtonGroup* lossGroup() const { return loss_; }

 private:
  QButtonGroup* source_;
  QButtonGroup* loss_;
};

}  // namespace tq
