#pragma once

#include <array>
#include <string>
#include <string_view>

#include "corrections/AntennaFile.h"
#include "corrections/Transducer.h"
#include "platform/Files.h"
#include "platform/Prompts.h"

namespace tq {

// The grid of the user antenna editor: rows 1 to 100 as the user typed them.
struct AntennaGridRow {
  std::string frequency;
  std::string factor;
  bool operator==(const AntennaGridRow&) const = default;
};
using AntennaGrid = std::array<AntennaGridRow, kAntennaPairs>;

// The rules of the user antenna editor: what it shows when it opens, Open..., Save... and OK.
// The dialog shows the fields below and writes back what the user types.
class UserAntennaEditor {
 public:
  UserAntennaEditor(Transducer& transducer, Prompts& prompts, Files& files);

  static constexpr const char* kFilter = "Antenna files (*.ANT)|*.ANT";
  static constexpr const char* kStartDir = "c:\\tq4800";

  // The dialog opens: empty description, the change-over in MHz, "0.0" in every cell.
  void FormActivate();
  // Edit1 (or Edit2) changed: the description follows the title.
  void Edit1Change();
  // File / Open...: false when cancelled or unreadable.
  bool Load1Click();
  // File / Save...: false when cancelled or not written.
  bool Save1Click();
  // OK: applies the valid rows and offers to save them when they were not saved.
  void OKBtnClick();

  // The controls' contents.
  std::string title;           // Edit1
  std::string changeoverText;  // Edit2
  bool radiated = false;       // CheckBox1
  AntennaGrid grid;
  bool saved() const { return saved_; }

 private:
  Transducer& transducer_;
  Prompts& prompts_;
  Files& files_;
  bool saved_ = false;
};

}  // namespace tq
