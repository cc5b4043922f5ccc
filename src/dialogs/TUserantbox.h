#pragma once

#include <QDialog>

#include "corrections/UserAntennaEditor.h"

class QCheckBox;
class QLineEdit;
class QTableWidget;

namespace tq {

// "Enter User Antenna Factor": the editor of a user antenna's title, flag, change-over and
// up to 100 frequency / factor rows. Its rules are the core editor's; the dialog shows the
// editor's fields and hands every change back.
class TUserantbox : public QDialog {
 public:
  explicit TUserantbox(QWidget* parent);

  // Shows the dialog modally over the editor (FormActivate first); true after OK.
  bool run(UserAntennaEditor& editor);
  // The same steps without the modal loop, for a look at the dialog.
  void begin(UserAntennaEditor& editor);

  QLineEdit* titleEdit() const { return edit1_; }
  QLineEdit* changeoverEdit() const { return edit2_; }
  QCheckBox* radiatedBox() const { return checkBox1_; }
  QTableWidget* grid() const { return grid_; }
  void Load1Click();
  void Save1Click();
  void OKBtnClick();

 private:
  void showEditor();

  UserAntennaEditor* editor_ = nullptr;
  QLineEdit* edit1_;
  QLineEdit* edit2_;
  QCheckBox* checkBox1_;
  QTableWidget* grid_;
  bool filling_ = false;
};

}  // namespace tq
