#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

class QBoxLayout;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

namespace tq {

// A box of radio buttons laid out in `columns` columns, ids 0.. in the order given, the first
// checked.
QButtonGroup* RadioColumns(QWidget* parent, const char* name, const QString& title,
                           const QStringList& items, int columns, QBoxLayout* into);
// Replaces the buttons of a group made by RadioColumns (one column), the first checked.
void RefillRadios(QButtonGroup* group, const QStringList& items);
// The checked id of a group, 0 when none is checked.
int Checked(const QButtonGroup* group);
// A read-only memo without word wrap and with a vertical scroll bar.
QPlainTextEdit* Memo(QWidget* parent, const char* name);
void ShowLines(QPlainTextEdit* memo, const std::vector<std::string>& lines);
// A labelled number field with the line under it that says "Invalid entry " while its text is
// not a number.
QLineEdit* NumberField(QWidget* parent, const char* name, const QString& label, const QString& text,
                       QBoxLayout* into, const QString& unit = {});

// A window of the guide: its controls in a column and its buttons at the foot. "Continue..."
// (`OKBtn`) is the caller's to connect; "Cancel" (`CancelBtn`) hides the window.
class GuideForm : public QDialog {
 public:
  GuideForm(QWidget* parent, const char* name, const QString& caption);
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

 protected:
  // The buttons, below everything added to `layout_` so far.
  void addButtons(const QString& okText = "Continue...", const QString& cancelText = "Cancel");
  QVBoxLayout* layout_;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace tq
