#include "results/Notes.h"

#include "results/ResultFile.h"

namespace tq {

NotesLines SplitNotes(std::string_view text) {
  std::string cut = CutCharacters(text, kNotesLength);
  std::string_view rest(cut);
  NotesLines notes;
  for (std::string& line : notes.lines) {
    const std::size_t end = rest.find('\n');
    std::string_view l = rest.substr(0, end);
    if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
    line = std::string(l);
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
  }
  notes.rest = std::string(rest);
  return notes;
}

std::string JoinNotes(const NotesLines& notes) {
  std::string text;
  for (std::size_t k = 0; k < notes.lines.size(); ++k) {
    if (k > 0) text.push_back('\n');
    text.append(notes.lines[k]);
  }
  if (!notes.rest.empty()) return text.append("\n").append(notes.rest);
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

}  // namespace tq
