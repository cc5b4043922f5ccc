#include <string>
#include <vector>

#include "corrections/LimitFixture.h"
#include "corrections/UserLimitEditor.h"

namespace tq {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

class UserLimitEditorTest : public test::LimitTest {
 protected:
  UserLimitEditorTest() : editor_(state_, files_, prompts_, limits_) {}

  // A form with these rows, the rest left as the grid starts.
  static UserLimitForm Form(const std::string& title,
                            std::vector<std::array<std::string, 3>> rows) {
    UserLimitForm f;
    f.title = title;
    f.description = "desc " + title;
    f.radiated = false;
    for (std::size_t i = 0; i < rows.size(); ++i) f.rows[i] = {rows[i][0], rows[i][1], rows[i][2]};
    return f;
  }
  static std::vector<std::array<std::string, 3>> Rows(int n) {
    std::vector<std::array<std::string, 3>> rows;
    for (int i = 1; i <= n; ++i)
      rows.push_back({std::to_string(i * 100000), std::to_string(40 + i), "FALSE"});
    return rows;
  }
  void add(const UserLimitForm& form) {
    editor_.Activate("3.0");
    ASSERT_EQ(editor_.Save(form), UserLimitEditor::SaveResult::Added);
  }
  // Select and Edit with list line `index`, then the form it gives.
  UserLimitForm select(int index) {
    EXPECT_TRUE(editor_.BeginSelect());
    editor_.UserLimitNames();
    auto form = editor_.Select(index);
    EXPECT_TRUE(form.has_value());
    return form.value_or(UserLimitForm{});
  }

  UserLimitEditor editor_;
};

TEST_F(UserLimitEditorTest, AddingAppendsAFramedBlockTheLoaderReadsBack) {
  UserLimitForm form = Form("Quiet", {{"150000", "66", "true"},
                                      {"bad", "1", "TRUE"},  // not a number: skipped
                                      {"500000.4", "55.6", "FALSE"},
                                      {"1100000000", "1", ""},  // out of range
                                      {"30000000", "50", "x"}});
  form.radiated = true;
  form.distance = "10";
  prompts_.answer(Answer::No);
  editor_.Activate("3.0");
  EXPECT_EQ(editor_.Save(form), UserLimitEditor::SaveResult::Nothing);
  EXPECT_FALSE(files_.exists("c:\\tq4800\\usrlmt.def"));

  add(form);
  EXPECT_EQ(prompts_.messages(),
            (std::vector<std::string>{"Add this limit to list on file ?",
                                      "Add this limit to list on file ?", "New limit added."}));
  EXPECT_EQ(Lines(read("usrlmt.def")),
            (std::vector<std::string>{";", "LIMIT \"Quiet\"", "DESCRIPTION \"desc Quiet\"",
                                      "STANDARD Not Used", "IDENTIFICATION Not Used", "DISTANCE 10",
                                      "RADIATED", "150000,66,LOG", "500000,56,LINEAR",
                                      "30000000,50,LINEAR", "END", ";"}));
  add(Form("Second", Rows(2)));
  limits_.UserLimitChosen(0);
  EXPECT_EQ(table().name, "Quiet");
  EXPECT_EQ(table().entryCount, 4);
  EXPECT_EQ(table().points[1], (LimitPoint{150000, 66, 1}));
  EXPECT_TRUE(table().radiated);
  EXPECT_FLOAT_EQ(table().limitDistanceM, 10.0f);
  // The added limit is the last record: 200 + the number of records.
  limits_.UserLimitChosen(1);
  EXPECT_EQ(table().recordNumber, 202);
  EXPECT_EQ(table().name, "Second");
}

TEST_F(UserLimitEditorTest, ModifyingRewritesOnlyItsBlockAndLeavesNoEmptyLines) {
  add(Form("A", Rows(5)));
  add(Form("B", Rows(2)));
  const std::vector<std::string> before = Lines(read("usrlmt.def"));

  UserLimitForm form = select(0);
  EXPECT_EQ(form.title, "A");
  EXPECT_EQ(form.description, "desc A");
  EXPECT_EQ(form.rows[4].frequency, "500000");
  EXPECT_EQ(form.rows[5].frequency, "0");
  form.rows[5] = {"600000", "46", "true"};
  form.rows[6] = {"700000", "47", "False"};
  prompts_.clear();
  EXPECT_EQ(editor_.Save(form), UserLimitEditor::SaveResult::Modified);
  EXPECT_EQ(prompts_.messages(), std::vector<std::string>{"Limit Modified."});
  std::vector<std::string> after = Lines(read("usrlmt.def"));
  ASSERT_EQ(after.size(), before.size() + 2);
  EXPECT_EQ(after[2], "DESCRIPTION  desc A");
  EXPECT_EQ(after[12], "600000,46,LOG");
  EXPECT_EQ(after[13], "700000,47,LINEAR");
  EXPECT_EQ(after[14], "END");
  // The record after it is as it was.
  EXPECT_TRUE(std::equal(before.begin() + 14, before.end(), after.begin() + 16));

  // Seven points back to five.
  editor_.Activate("3.0");
  form = select(0);
  EXPECT_EQ(form.description, "desc A");  // no blank creeps in at each edit
  form.rows[5] = form.rows[6] = UserLimitRow{};
  ASSERT_EQ(editor_.Save(form), UserLimitEditor::SaveResult::Modified);
  after = Lines(read("usrlmt.def"));
  EXPECT_EQ(after.size(), before.size());
  EXPECT_EQ(std::count(after.begin(), after.end(), std::string()), 0);
  limits_.UserLimitChosen(0);
  EXPECT_EQ(table().entryCount, 6);
  limits_.UserLimitChosen(1);
  EXPECT_EQ(table().name, "B");
  EXPECT_EQ(table().entryCount, 3);
}

TEST_F(UserLimitEditorTest, AFileTooLongToEditIsRefused) {
  add(Form("A", Rows(3)));
  std::string text = read("usrlmt.def");
  for (int i = 0; i < 1000; ++i) text += "; padding\r\n";
  write("usrlmt.def", text);
  prompts_.clear();
  EXPECT_FALSE(editor_.BeginSelect());
  EXPECT_EQ(prompts_.messages(),
            std::vector<std::string>{
                "File Number -1 Not Found on user File. Check Default Path under File|Setup"});

  // Growing a file past the editor's lines is refused too, and nothing is written.
  std::vector<std::string> lines(995, "; padding");
  lines.insert(lines.begin(), {"LIMIT \"Z\"", "D", "S", "I", "DISTANCE 3", "MAINS", "END"});
  const std::vector<std::string> kept = lines;
  EXPECT_EQ(ModifyUserLimitLines(lines, 201, Form("Z", Rows(3))), ModifyResult::TooLong);
  EXPECT_EQ(lines, kept);
  EXPECT_EQ(ModifyUserLimitLines(lines, 202, Form("Z", Rows(3))), ModifyResult::NotFound);
  // A selection that loads nothing leaves the editor adding: a save can then never
  // overwrite the user limit loaded before.
  remove("usrlmt.def");
  add(Form("Only", Rows(1)));
  limits_.UserLimitChosen(0);
  EXPECT_TRUE(editor_.BeginSelect());
  EXPECT_FALSE(editor_.Select(-1));
  EXPECT_FALSE(editor_.editing());
}

}  // namespace
}  // namespace tq
