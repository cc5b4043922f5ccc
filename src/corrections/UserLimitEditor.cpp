#include "corrections/UserLimitEditor.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "corrections/LimitReader.h"
#include "model/Numbers.h"

namespace tq {

namespace {

bool IsTrue(std::string_view text) {
  if (text.size() != 4) return false;
  return std::equal(text.begin(), text.end(), "TRUE", [](char a, char b) {
    return std::toupper(static_cast<unsigned char>(a)) == b;
  });
}

std::string Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

std::string Unquoted(std::string text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
    return text.substr(1, text.size() - 2);
  return text;
}

std::string PointLine(const UsableRow& row) {
  return std::to_string(row.frequencyHz) + "," + std::to_string(row.level) + "," +
         (row.logarithmic ? "LOG" : "LINEAR");
}

std::string DistanceLine(const UserLimitForm& form) {
  return "DISTANCE " + Trimmed(form.distance);
}

std::string KindLine(const UserLimitForm& form) {
  return form.radiated ? "RADIATED" : "MAINS";
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines, bool skipEmpty) {
  std::string text;
  for (const std::string& line : lines)
    if (!skipEmpty || !line.empty()) text += line + "\r\n";
  return text;
}

}  // namespace

std::optional<UsableRow> UsableUserLimitRow(const UserLimitRow& row) {
  double f = 0, level = 0;
  if (!ParseLimitDecimal(row.frequency, f) || !(f >= 0 && f < 1100000000.0)) return std::nullopt;
  if (!ParseLimitDecimal(row.level, level) || !(std::abs(level) < 1.0e6)) return std::nullopt;
  // A row left at frequency 0 is an empty row, whichever way the limit is saved.
  const std::int32_t hz = RoundHalfEven(f);
  if (hz == 0) return std::nullopt;
  return UsableRow{hz, RoundHalfEven(level), IsTrue(row.logInterpolation)};
}

std::vector<std::string> NewUserLimitBlock(const UserLimitForm& form) {
  std::vector<std::string> block{";",
                                 "LIMIT \"" + form.title + "\"",
                                 "DESCRIPTION \"" + form.description + "\"",
                                 "STANDARD Not Used",
                                 "IDENTIFICATION Not Used",
                                 DistanceLine(form),
                                 KindLine(form)};
  for (const UserLimitRow& row : form.rows)
    if (const auto usable = UsableUserLimitRow(row)) block.push_back(PointLine(*usable));
  block.push_back("END");
  block.push_back(";");
  return block;
}

ModifyResult ModifyUserLimitLines(std::vector<std::string>& lines, int record,
                                  const UserLimitForm& form) {
  std::vector<std::string> out = lines;
  int count = 200;
  std::size_t header = out.size();
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (out[i].rfind("LIMIT", 0) == 0 && ++count == record) {
      header = i;
      break;
    }
  }
  if (header == out.size()) return ModifyResult::NotFound;

  const std::array<std::string, 6> head{"LIMIT \"" + form.title + "\"",
                                        "DESCRIPTION  " + form.description,
                                        "STANDARD Not Used",
                                        "IDENTIFICATION Not Used",
                                        DistanceLine(form),
                                        KindLine(form)};
  // A block cut short at the end of the file gets its missing lines back.
  if (out.size() < header + head.size()) out.resize(header + head.size());
  std::copy(head.begin(), head.end(), out.begin() + static_cast<std::ptrdiff_t>(header));

  const std::size_t firstPoint = header + head.size();
  std::size_t end = firstPoint;
  while (end < out.size() && out[end] != "END") ++end;
  if (end == out.size()) out.push_back("END");
  for (std::size_t i = firstPoint; i < end; ++i) out[i].clear();

  std::size_t at = firstPoint - 1;
  for (const UserLimitRow& row : form.rows) {
    const auto usable = UsableUserLimitRow(row);
    if (!usable) continue;
    ++at;
    if (at == end) {
      out.insert(out.begin() + static_cast<std::ptrdiff_t>(end), std::string());
      ++end;
    }
    out[at] = PointLine(*usable);
  }
  if (out.size() > kUserLimitFileLines) return ModifyResult::TooLong;
  lines = std::move(out);
  return ModifyResult::Modified;
}

UserLimitEditor::UserLimitEditor(const MeasurementState& state, Files& files, Prompts& prompts,
                                 LimitFiles& limits)
    : state_(state), files_(files), prompts_(prompts), limits_(limits) {}

std::string UserLimitEditor::path() const {
  return state_.defaultPath + std::string(LimitFiles::kUserFile);
}

void UserLimitEditor::loadFailure(int record) {
  prompts_.message(MessageKind::Warning,
                   "File Number " + std::to_string(record) +
                       " Not Found on user File. Check Default Path under File|Setup",
                   Buttons::Ok);
}

UserLimitForm UserLimitEditor::Activate(std::string distanceShown) {
  editing_ = false;
  buffer_.clear();
  UserLimitForm form;
  form.distance = std::move(distanceShown);
  return form;
}

bool UserLimitEditor::BeginSelect() {
  buffer_.clear();
  if (const auto text = files_.readAll(path())) {
    std::vector<std::string> lines = SplitLines(*text);
    // More lines than the editor holds: the load fails as the list's own load (record -1)
    // would.
    if (lines.size() > kUserLimitFileLines) {
      loadFailure(-1);
      return false;
    }
    buffer_ = std::move(lines);
  }
  return true;
}

std::optional<UserLimitForm> UserLimitEditor::Select(int listIndex) {
  limits_.UserLimitChosen(listIndex);
  const LimitTable& t = limits_.Table();
  // Only a limit actually read from the user file can be edited.
  if (!t.user || t.recordNumber != listIndex + 201) return std::nullopt;
  editing_ = true;
  record_ = t.recordNumber;
  UserLimitForm form;
  form.title = t.name;
  // A new limit's description is written in quotes, a changed one after two blanks: taking
  // both off here keeps the text from gaining a blank at every edit.
  form.description = Unquoted(Trimmed(t.description));
  form.radiated = t.radiated;
  form.distance = Trimmed(t.distanceText);
  for (int r = 1; r <= kUserLimitGridRows; ++r) {
    const LimitPoint& p = t.points[static_cast<std::size_t>(r)];
    UserLimitRow& row = form.rows[static_cast<std::size_t>(r - 1)];
    row.frequency = std::to_string(p.frequencyHz);
    row.level = std::to_string(p.level);
    row.logInterpolation = p.interpolation == 1 ? "TRUE" : "FALSE";
  }
  return form;
}

UserLimitEditor::SaveResult UserLimitEditor::Save(const UserLimitForm& form) {
  return editing_ ? modify(form) : add(form);
}

UserLimitEditor::SaveResult UserLimitEditor::add(const UserLimitForm& form) {
  if (prompts_.message(MessageKind::Confirmation, "Add this limit to list on file ?",
                       Buttons::YesNo) != Answer::Yes)
    return SaveResult::Nothing;
  std::string text;
  if (files_.exists(path())) {
    const auto existing = files_.readAll(path());
    if (!existing) {
      prompts_.message(MessageKind::Error, "Unable to read " + path(), Buttons::Ok);
      return SaveResult::Nothing;
    }
    text = *existing;
    if (!text.empty() && text.back() != '\n') text += "\r\n";
  }
  text += JoinLines(NewUserLimitBlock(form), false);
  if (!files_.writeAll(path(), text)) {
    prompts_.message(MessageKind::Error, WriteFailureText(files_, path()), Buttons::Ok);
    return SaveResult::Nothing;
  }
  prompts_.message(MessageKind::Information, "New limit added.", Buttons::Ok);
  return SaveResult::Added;
}

UserLimitEditor::SaveResult UserLimitEditor::modify(const UserLimitForm& form) {
  switch (ModifyUserLimitLines(buffer_, record_, form)) {
    case ModifyResult::NotFound:
    case ModifyResult::TooLong:
      loadFailure(record_);
      return SaveResult::Nothing;
    case ModifyResult::Modified:
      break;
  }
  if (!files_.writeAll(path(), JoinLines(buffer_, true))) {
    prompts_.message(MessageKind::Error, WriteFailureText(files_, path()), Buttons::Ok);
    return SaveResult::Nothing;
  }
  std::erase(buffer_, std::string());
  prompts_.message(MessageKind::Information, "Limit Modified.", Buttons::Ok);
  return SaveResult::Modified;
}

}  // namespace tq
