#include "corrections/UserAntennaEditor.h"

#include <vector>

#include "model/Numbers.h"

namespace tq {

UserAntennaEditor::UserAntennaEditor(Transducer& transducer, Prompts& prompts, Files& files)
    : transducer_(transducer), prompts_(prompts), files_(files) {}

void UserAntennaEditor::FormActivate() {
  transducer_.SetDescription("");
  title.clear();
  changeoverText = FormatFixed(transducer_.ChangeoverFrequencyHz() / 1000000.0, 0, 1);
  radiated = false;
  for (AntennaGridRow& row : grid) row = {"0.0", "0.0"};
  saved_ = false;
}

void UserAntennaEditor::Edit1Change() {
  transducer_.SetDescription(title);
}

bool UserAntennaEditor::Load1Click() {
  const auto name = prompts_.openFileName("Select Antenna File", kFilter, kStartDir);
  if (!name) return false;
  const auto text = files_.readAll(*name);
  if (!text) {
    prompts_.message(MessageKind::Error, "Unable to read " + *name, Buttons::Ok);
    return false;
  }
  const AntennaFile file = ReadAntennaFile(*text);
  transducer_.SetDescription(file.title);
  // The title, flag and change-over go back into their fields too, so that saving an
  // opened file again keeps them.
  title = file.title;
  radiated = file.radiated;
  changeoverText = file.changeoverText;
  for (std::size_t k = 0; k < kAntennaPairs; ++k) {
    grid[k].frequency = FormatFixed(file.pairs[k].frequencyHz, 12, 0);
    grid[k].factor = FormatFixed(file.pairs[k].factorDb, 12, 4);
  }
  return true;
}

bool UserAntennaEditor::Save1Click() {
  const auto name = prompts_.saveFileName("Save Antenna File", kFilter, kStartDir, "ANT");
  if (!name) return false;
  std::vector<AntennaPair> pairs;
  pairs.reserve(kAntennaPairs);
  for (const AntennaGridRow& row : grid)
    if (const auto pair = GridRowValue(row.frequency, row.factor)) pairs.push_back(*pair);
  if (!files_.writeAll(
          *name, WriteAntennaFile(transducer_.Description(), radiated, changeoverText, pairs))) {
    prompts_.message(MessageKind::Error, WriteFailureText(files_, *name), Buttons::Ok);
    return false;
  }
  // Only a table that reached a file counts as saved, so OK still offers to save it.
  saved_ = true;
  return true;
}

void UserAntennaEditor::OKBtnClick() {
  transducer_.SetDescription(title);
  for (std::size_t k = 0; k < kAntennaPairs; ++k)
    if (const auto pair = GridRowValue(grid[k].frequency, grid[k].factor))
      transducer_.SetRow(k + 1, *pair);
  if (saved_) return;
  if (prompts_.message(MessageKind::Confirmation, "Save these antenna parameters ",
                       Buttons::YesNo) == Answer::Yes)
    Save1Click();
}

}  // namespace tq
