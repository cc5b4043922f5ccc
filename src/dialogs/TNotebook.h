#pragma once

#include <QDialog>
#include <string>

class QPlainTextEdit;

namespace tq {

// "Notes": the user's notes for the report and the result files, at most 540 characters.
// The text is the program's; the window shows it and gives back what the user left.
class TNotebook : public QDialog {
 public:
  explicit TNotebook(QWidget* parent);

  void FormActivate(const std::string& text);
  std::string text() const;
  QPlainTextEdit* memo() const { return memo1_; }

 private:
  void keepWithinLength();

  QPlainTextEdit* memo1_;
};

}  // namespace tq
