// Any user limit file taken through the editor's modify path: read for editing, a limit
// chosen from its list, its rows changed and the file written back. Never a crash or a file
// longer than the editor holds; a refused edit leaves the file as it was, and a modified
// record keeps the rows the form gave it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "corrections/LimitFiles.h"
#include "corrections/LimitReader.h"
#include "corrections/UserLimitEditor.h"
#include "doubles/MemoryFiles.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"

namespace {

struct Client : tq::LimitClient {
  void RefreshLimitTrace() override {}
  float MeasuringDistanceM() const override { return 3.0f; }
};

constexpr const char* kPath = "c:\\tq4800\\usrlmt.def";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(at, end - at));
    if (!lines.back().empty() && lines.back().back() == '\r') lines.back().pop_back();
    at = end + 1;
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // The first byte: which list entry is edited, and how many rows the form gains or loses.
  const int choice = data[0] & 7;
  const int grow = (data[0] >> 3) % 7 - 3;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  tq::MeasurementState state;
  state.defaultPath = "c:\\tq4800\\";
  tq::WindowModel model;
  tq::test::RecordingView view;
  tq::test::MemoryFiles files;
  tq::test::ScriptedPrompts prompts;
  Client client;
  tq::LimitFiles limits(state, model, view, files, prompts, client);
  tq::UserLimitEditor editor(state, files, prompts, limits);
  files.put(kPath, text);

  editor.Activate("3.0");
  if (!editor.BeginSelect()) {
    if (Lines(text).size() <= tq::kUserLimitFileLines) __builtin_trap();
    return 0;
  }
  const auto names = editor.UserLimitNames();
  if (names.empty()) return 0;
  auto form = editor.Select(choice % static_cast<int>(names.size()));
  if (!form) return 0;
  int usable = 0;
  for (auto& row : form->rows) usable += tq::UsableUserLimitRow(row).has_value();
  for (int k = 0; k < grow && usable < tq::kUserLimitGridRows; ++k, ++usable)
    for (auto& row : form->rows)
      if (!tq::UsableUserLimitRow(row)) {
        row = {std::to_string(1000000 * (usable + 1)), "40", "TRUE"};
        break;
      }
  for (int k = 0; k > grow && usable > 0; --k, --usable)
    for (auto it = form->rows.rbegin(); it != form->rows.rend(); ++it)
      if (tq::UsableUserLimitRow(*it)) {
        *it = {};
        break;
      }

  const int record = limits.Table().recordNumber;
  const auto result = editor.Save(*form);
  const std::string after = files.readAll(kPath).value_or("");
  if (result != tq::UserLimitEditor::SaveResult::Modified) {
    if (after != text) __builtin_trap();
    return 0;
  }
  const auto lines = Lines(after);
  if (lines.size() > tq::kUserLimitFileLines) __builtin_trap();
  // The modified block: its header, five lines, then exactly the usable rows and END.
  std::size_t at = 0;
  for (int count = 200; at < lines.size(); ++at)
    if (lines[at].rfind("LIMIT", 0) == 0 && ++count == record) break;
  if (at == lines.size() || lines[at] != "LIMIT \"" + form->title + "\"") __builtin_trap();
  std::size_t end = at + 6;
  while (end < lines.size() && lines[end] != "END") ++end;
  if (end == lines.size() || end - at - 6 != static_cast<std::size_t>(usable)) __builtin_trap();
  return 0;
}
