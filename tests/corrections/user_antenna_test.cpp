// User antenna files and their editor: the layout, reading bad files, the grid's row rules,
// and a table that goes out through Save... and comes back through the reader unchanged.
#include <gtest/gtest.h>

#include "corrections/TransducerFixture.h"
#include "corrections/UserAntennaEditor.h"
#include "doubles/ScriptedPrompts.h"

namespace tq {
namespace {

class UserAntennaTest : public test::TransducerFixture {
 protected:
  UserAntennaTest() { editor.FormActivate(); }

  void fill(std::initializer_list<AntennaGridRow> rows) {
    std::size_t i = 0;
    for (const AntennaGridRow& r : rows) editor.grid[i++] = r;
  }

  test::ScriptedPrompts prompts;
  UserAntennaEditor editor{transducer, prompts, files};
};

TEST(AntennaFileText, NumbersAreWrittenInScientificNotationAndReadInAnyDecimalForm) {
  EXPECT_EQ(ScientificText(1000000), "1.00000000000000E+0006");
  EXPECT_EQ(ScientificText(-2.5), "-2.50000000000000E+0000");
  EXPECT_EQ(ScientificText(0.0123), "1.23000000000000E-0002");
  struct Case {
    const char* text;
    std::optional<double> leading, whole;
  };
  const Case cases[] = {
      {"1.00000000000000E+0006", 1e6, 1e6},
      {"  30000000 ", 3e7, 3e7},
      {"+5.5", 5.5, 5.5},
      {"-3", -3.0, -3.0},
      {"12 dB", 12.0, std::nullopt},
      {"abc", std::nullopt, std::nullopt},
      {"", std::nullopt, std::nullopt},
      {"nan", std::nullopt, std::nullopt},
      {"1e999", std::nullopt, std::nullopt},
      {"+-1", std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LeadingNumber(c.text), c.leading) << c.text;
    EXPECT_EQ(WholeNumber(c.text), c.whole) << c.text;
  }
}

TEST(AntennaFileText, ShortLongAndBrokenFilesReadWhatIsValid) {
  std::string longFile = "Long\r\nTRUE\r\n200\r\n\r\n\r\n";
  for (int i = 1; i <= 150; ++i) longFile += std::to_string(i * 1000000) + "\r\n1.5\r\n";
  struct Case {
    const char* what;
    std::string text;
    const char* title;
    bool radiated;
    AntennaPair first, last;
  };
  const Case cases[] = {
      {"empty", "", "", false, {}, {}},
      {"head only", "Probe\r\nFALSE\r\n", "Probe", false, {}, {}},
      {"lower-case flag", "Probe\ntrue\n\n\n\n1e6\n2\n", "Probe", false, {1e6, 2}, {}},
      {"a factor that is no number",
       "P\r\nTRUE\r\n\r\n\r\n\r\n1e6\r\nbad\r\n",
       "P",
       true,
       {1e6, 0},
       {}},
      {"more pairs than the table", longFile, "Long", true, {1e6, 1.5}, {100e6, 1.5}},
      {"a long title", std::string(80, 'T') + "\r\n", "", false, {}, {}},
  };
  for (const Case& c : cases) {
    const AntennaFile f = ReadAntennaFile(c.text);
    if (*c.title) {
      EXPECT_EQ(f.title, c.title) << c.what;
    }
    EXPECT_LE(f.title.size(), kTitleLength) << c.what;
    EXPECT_EQ(f.radiated, c.radiated) << c.what;
    EXPECT_EQ(f.pairs.front(), c.first) << c.what;
    EXPECT_EQ(f.pairs.back(), c.last) << c.what;
  }
}

TEST_F(UserAntennaTest, OpensWithTheChangeoverAndAnEmptyGrid) {
  transducer.SetDescription("old");
  editor.FormActivate();
  EXPECT_EQ(editor.changeoverText, "200.0");
  EXPECT_EQ(editor.grid[0], (AntennaGridRow{"0.0", "0.0"}));
  EXPECT_EQ(editor.grid[99], (AntennaGridRow{"0.0", "0.0"}));
  EXPECT_EQ(transducer.Description(), "");
  EXPECT_FALSE(editor.saved());
  editor.title = "Horn";
  editor.Edit1Change();
  EXPECT_EQ(transducer.Description(), "Horn");
}

TEST_F(UserAntennaTest, OnlyRowsThatAreNumbersInRangeAreSavedOrApplied) {
  fill({{"30000000", "12.5"},
        {"1100000000", "3"},
        {"-1", "3"},
        {"abc", "3"},
        {"50000000", "x"},
        {" 1099999999 ", " -4 "}});
  EXPECT_TRUE(GridRowValue("0", "0"));
  prompts.fileName("C:\\tq4800\\horn.ant");
  editor.radiated = true;
  editor.changeoverText = "200.0";
  editor.title = "Horn";
  editor.Edit1Change();
  ASSERT_TRUE(editor.Save1Click());
  const std::string text = *files.readAll("C:\\tq4800\\horn.ant");
  EXPECT_EQ(text.substr(0, 26), "Horn\r\nTRUE\r\n200.0\r\n\r\n\r\n3.0");
  EXPECT_EQ(TextLines(text).size(), 5u + 2 * 96u);  // 4 valid rows of 100, "0.0" rows too

  transducer.ResetTransducer();
  editor.OKBtnClick();
  EXPECT_EQ(transducer.table()[1], (FactorRow{30000000, 12.5f, 0}));
  EXPECT_EQ(transducer.table()[2], FactorRow{});
  EXPECT_EQ(transducer.table()[6], (FactorRow{1099999999, -4.0f, 0}));
  // Saved already: OK does not ask again.
  EXPECT_FALSE(prompts.wasShown("Save these antenna parameters "));
}

TEST_F(UserAntennaTest, OkOffersToSaveAnUnsavedTable) {
  fill({{"30000000", "1"}});
  prompts.answer(Answer::Yes);
  prompts.fileName("C:\\tq4800\\a.ant");
  editor.OKBtnClick();
  EXPECT_TRUE(prompts.wasShown("Save these antenna parameters "));
  EXPECT_TRUE(files.exists("C:\\tq4800\\a.ant"));
  EXPECT_TRUE(editor.saved());

  // A write that fails is reported and does not count as saved.
  editor.FormActivate();
  files.failWrites = true;
  prompts.fileName("C:\\tq4800\\b.ant");
  EXPECT_FALSE(editor.Save1Click());
  EXPECT_FALSE(editor.saved());
  EXPECT_TRUE(prompts.wasShown("Unable to write C:\\tq4800\\b.ant"));
  // A cancelled save dialog writes nothing.
  files.failWrites = false;
  const int writes = files.writes;
  prompts.fileName(std::nullopt);
  EXPECT_FALSE(editor.Save1Click());
  EXPECT_EQ(files.writes, writes);
}

TEST_F(UserAntennaTest, ATableSavedAndOpenedAgainGivesTheSameCorrections) {
  // A zero row between valid rows is applied and ends the table there.
  fill({{"30000000", "-3.25"}, {"300000000", "7.125"}, {"0.0", "0.0"}, {"900000000", "9"}});
  editor.title = "Bicon";
  editor.Edit1Change();
  editor.radiated = true;
  editor.changeoverText = "180.5";
  prompts.fileName("C:\\tq4800\\bicon.ant");
  ASSERT_TRUE(editor.Save1Click());
  editor.OKBtnClick();
  const FactorTable applied = transducer.table();
  EXPECT_EQ(transducer.FactorDb(950e6), 0.0f);

  // Through the editor's Open...
  editor.FormActivate();
  prompts.fileName("C:\\tq4800\\bicon.ant");
  ASSERT_TRUE(editor.Load1Click());
  EXPECT_EQ(editor.grid[1], (AntennaGridRow{"   300000000", "      7.1250"}));
  EXPECT_EQ(editor.title, "Bicon");
  EXPECT_TRUE(editor.radiated);
  EXPECT_EQ(editor.changeoverText, "180.5");
  EXPECT_EQ(transducer.Description(), "Bicon");
  transducer.ResetTransducer();
  editor.OKBtnClick();
  EXPECT_EQ(transducer.table(), applied);

  // ... and through the reader of Select User Antenna.
  transducer.ResetTransducer();
  transducer.SetUserRows(ReadAntennaFile(*files.readAll("C:\\tq4800\\bicon.ant")).pairs);
  EXPECT_EQ(transducer.table(), applied);
  for (double hz : {10e6, 30e6, 100e6, 299e6, 301e6, 1e9})
    EXPECT_EQ(FactorAt(transducer.table(), hz), FactorAt(applied, hz)) << hz;
}

}  // namespace
}  // namespace tq
