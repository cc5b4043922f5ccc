#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tq {

// The notes window's text: at most 540 characters, of which lines 1 to 8 go into result
// files and reports.
inline constexpr std::size_t kNotesLength = 540;
inline constexpr std::string_view kInitialNotes = ">\n\n\n\n\n\n\n\n\n\n\n.end";

struct NotesLines {
  std::array<std::string, 8> lines;  // lines 1 to 8
  std::string rest;                  // what follows line 8, without its line break
  bool operator==(const NotesLines&) const = default;
};

// The window's text (cut to 540 characters) as its lines 1 to 8 and the rest.
NotesLines SplitNotes(std::string_view text);
// The window's text again; without a rest, empty lines at the end are left out.
std::string JoinNotes(const NotesLines& notes);

}  // namespace tq
