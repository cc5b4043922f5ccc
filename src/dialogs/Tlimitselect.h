#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

class QListWidget;

namespace tq {

class HelpViewer;

// "Select Limit": the list of the user file's limits.
class Tlimitselect : public QDialog {
 public:
  Tlimitselect(QWidget* parent, HelpViewer& help);

  // Shows the names modally; after OK the selected row (-1 when none is), after Cancel
  // nothing.
  std::optional<int> Choose(const std::vector<std::string>& names);
  QListWidget* list() const { return limitlist_; }

 private:
  QListWidget* limitlist_;
};

}  // namespace tq
