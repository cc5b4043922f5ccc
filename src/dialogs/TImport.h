#pragma once

#include <QDialog>
#include <string>

#include "results/ImportOptions.h"

class QButtonGroup;
class QCheckBox;
class QLabel;

namespace tq {

class HelpViewer;

// "Import File Options": where an opened result file's traces go and which of its parts are
// applied. Its rules are the core's; the window keeps its choices from one opening to the
// next, except ERS import.
class TImport : public QDialog {
 public:
  TImport(QWidget* parent, HelpViewer& help);

  // Before each showing: the chosen file, and whether an ERS import would overwrite data.
  void FormActivate(const std::string& fileName, bool ersHoldsData);
  const ImportOptions& options() const { return options_; }

  QButtonGroup* currentGroup() const { return group1_; }
  QButtonGroup* storeGroup() const { return group2_; }

 private:
  void apply(const ImportChange& change);
  void showOptions();

  QLabel* label1_;
  QButtonGroup* group1_;
  QButtonGroup* group2_;
  QCheckBox* alldata_;
  QCheckBox* singledata_;
  QCheckBox* importErs_;
  QCheckBox* checkBox1_;
  ImportOptions options_;
  bool ersHoldsData_ = false;
};

}  // namespace tq
