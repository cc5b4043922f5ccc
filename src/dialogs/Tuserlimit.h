#pragma once

#include <QDialog>

#include "corrections/UserLimitEditor.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tq {

class Tlimitselect;

// "Enter User Limit Lines": the user limit editor. The rules are the editor's; the dialog
// shows its form and hands back what was typed.
class Tuserlimit : public QDialog {
 public:
  Tuserlimit(QWidget* parent, UserLimitEditor& editor, Tlimitselect& select);

  // FormActivate: a fresh form for a new limit.
  void FormActivate();
  void BitBtn1Click();  // Save New or Modified Limit Line
  void BitBtn2Click();  // Select and Edit User Limit Line

  UserLimitForm form() const;
  void showForm(const UserLimitForm& form);

 private:
  void radiatedClick();

  UserLimitEditor& editor_;
  Tlimitselect& select_;
  QLineEdit* title_;
  QLineEdit* descript_;
  QCheckBox* radiated_;
  QLineEdit* limitad_;
  QLabel* label3_;
  QTableWidget* grid_;
};

}  // namespace tq
