#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dialogs/GuideParts.h"

class QButtonGroup;
class QPlainTextEdit;

namespace tq {

// "Ridu Dudoruvo Information": the disclaimer and every information text of the guide.
class TTDinfo : public GuideForm {
 public:
  explicit TTDinfo(QWidget* parent, const char* name = "TDinfo",
                   const QString& caption = "Ridu Dudoruvo Information");
  // Shows the text modally; true when closed with OK.
  bool Inform(const QString& caption, const std::vector<std::string>& lines);

 private:
  QPlainTextEdit* moreinfo_;
};

// The conducted test's note on wiring single-phase LISNs to a three-phase supply.
class Tphaseinfo : public TTDinfo {
 public:
  explicit Tphaseinfo(QWidget* parent) : TTDinfo(parent, "phaseinfo", "Phase Information") {}
};

// "Test Type": Conducted or Radiated.
class Ttesttype : public GuideForm {
 public:
  explicit Ttesttype(QWidget* parent);
  // Item 0 is "Conducted", or "Insertion Loss" for one kind of lamp.
  void setFirstItem(const QString& caption);
  // Asks modally; the index chosen, or nothing when "Back" or the window's close was used.
  std::optional<int> Ask();
  QButtonGroup* choices() const { return testchoice_; }

 private:
  QButtonGroup* testchoice_;
};

// "Ridu Dudoruvo Instruction": the instruction text with Cancel, Print and Set Analyser.
class TTDinstruct : public QDialog {
 public:
  explicit TTDinstruct(QWidget* parent);
  void setLines(const std::vector<std::string>& lines);
  QPushButton* printButton() const { return print_; }
  QPushButton* setAnalyserButton() const { return setAnalyser_; }
  QPushButton* cancelButton() const { return cancel_; }

 private:
  QPlainTextEdit* instruct_;
  QPushButton* cancel_;
  QPushButton* print_;
  QPushButton* setAnalyser_;
};

}  // namespace tq
