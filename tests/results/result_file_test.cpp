// The result file format: the writer against a file made from the format table, and the
// reader's lenient rules line by line.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "results/ImportOptions.h"
#include "results/Notes.h"
#include "results/ResultFile.h"

namespace tq {
namespace {

// The content of tests/results/data/golden.emc.
struct GoldenContent {
  ResultHeader header;
  ResultColumns columns;
  ErsTables ers;
  GoldenContent() {
    ResultHeader& h = header;
    h.dateText = "3 Feb 2026 14:05";
    h.title = "Bench A";
    h.startFrequencyHz = 10000;
    h.finishFrequencyHz = 30000000;
    h.stepsPerScan = 500;
    h.dbmUnits = true;
    h.inputCode = 9;
    h.delimiter = ";";
    h.attenuationDb = 20;
    h.showCurrent = h.showDifference = h.showLimit = true;
    h.notes = {">", "line two", "", "", "", "", "", "    eight"};
    h.ersSerialNumber = "ERS123";
    h.samplingValue = 500;
    h.limitNumber = 21;
    h.singleFrequencyHz = 15000000;
    h.timeLabels = {"1:02:03", "1:03:03", "", "", ""};
    h.detector = 3;
    h.differenceInsertionLoss = true;
    h.lisnInsertionLossDb = 20;
    h.lisnSource = 1;
    h.processingMode = 4;
    h.limitFileSelector = 2;
    h.ersPlane = 2;
    h.preampGainDb = 10;
    for (int n = 0; n < 501; ++n) {
      const auto i = static_cast<std::size_t>(n);
      columns.frequenciesHz[i] = static_cast<float>(10000 + 59980 * n);
      columns.current[i] = (n * 7) % 100 + 20;
      columns.store[i] = (n * 3) % 50 + 10;
      columns.limit[i] = n < 10 ? 200 : 60 - n / 50;
      columns.single[i] = n % 5 - 2;
    }
    for (int k = 0; k < 486; ++k) {
      ers.correction[1][static_cast<std::size_t>(k)] = k - 200;
      ers.valid[1][static_cast<std::size_t>(k)] = k % 3 == 0;
    }
    ers.correction[0].fill(77);  // the plane not in use is not written
  }
};

std::string Golden() {
  std::ifstream in(std::string(TQ_SOURCE_DIR) + "/tests/results/data/golden.emc", std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(ResultFileTest, TheWriterMatchesTheFormatToTheByte) {
  const GoldenContent g;
  const std::string golden = Golden();
  ASSERT_EQ(golden.size(), 25792u);
  EXPECT_EQ(FormatResultFile(g.header, g.columns, g.ers), golden);
}

TEST(ResultFileTest, WithoutAnErsPlaneTheFileEndsAfterTheDataAndReadsBackWhole) {
  GoldenContent g;
  g.header.ersPlane = 0;
  const std::string text = FormatResultFile(g.header, g.columns, g.ers);
  const ResultLines lines(text, kResultFileLines);
  EXPECT_EQ(lines.size(), 47u + 501u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");

  const HeaderRead read = ReadResultHeader(lines);
  EXPECT_EQ(read.failedLine, 0);
  EXPECT_EQ(read.header, g.header);
  ResultColumns buffers;
  ReadResultData(lines, kResultHeaderLines, ';', buffers);
  EXPECT_EQ(buffers, g.columns);
  ErsTables ers = g.ers;
  EXPECT_FALSE(ReadErsBlock(lines, 47 + 501, ';', 0, ers));
  EXPECT_EQ(ers, g.ers);

  // Lines ended by CR or LF alone read the same; a CR never stays inside a line.
  for (const char* end : {"\r", "\n"}) {
    std::string other = text;
    for (std::size_t at = 0; (at = other.find("\r\n", at)) != std::string::npos;)
      other.replace(at, 2, end);
    EXPECT_EQ(ReadResultHeader(ResultLines(other, kResultFileLines)).header, g.header);
  }
}

TEST(ResultFileTest, DelimitersThatWouldRunIntoTheNumbersAreWrittenAsSemicolons) {
  EXPECT_EQ(ResultDelimiter(" ,"), ";");
  EXPECT_EQ(ResultDelimiter(""), ";");
  EXPECT_EQ(ResultDelimiter("1"), ";");
  EXPECT_EQ(ResultDelimiter("-"), ";");
  EXPECT_EQ(ResultDelimiter(",;"), ",");
  EXPECT_EQ(ResultDelimiter("\t"), "\t");
  GoldenContent g;
  g.header.delimiter = " ";
  g.header.ersPlane = 0;
  const std::string text = FormatResultFile(g.header, g.columns, g.ers);
  const ResultLines lines(text, kResultFileLines);
  EXPECT_EQ(lines[11], ";");
  EXPECT_EQ(lines[46], "FREQUENCY   ; CURR ; STORE; LIMIT;SINGLE");
}

// One header line changed from the golden file, and what the read then says.
struct HeaderCase {
  int line;
  const char* text;
  int failedLine;
  void (*check)(const HeaderRead&);
};

TEST(ResultFileTest, HeaderLinesAreReadLeniently) {
  static const std::string kLongLine(200, 'T');
  const HeaderCase cases[] = {
      {39, "      21", 0,
       [](const HeaderRead& r) {
         EXPECT_TRUE(r.lisnRead);
         EXPECT_EQ(r.header.lisnInsertionLossDb, 20);
         EXPECT_EQ(r.header.lisnSource, 1);
       }},
      {39, "      45", 0, [](const HeaderRead& r) { EXPECT_FALSE(r.lisnRead); }},
      {39, "abc", 0, [](const HeaderRead& r) { EXPECT_FALSE(r.lisnRead); }},
      {39, " 3.5", 0, [](const HeaderRead& r) { EXPECT_EQ(r.header.lisnSource, 4); }},
      {40, "Off", 0, [](const HeaderRead& r) { EXPECT_FALSE(r.processingModeRead); }},
      {41, "x", 0, [](const HeaderRead& r) { EXPECT_EQ(r.header.limitFileSelector, 1); }},
      {42, "", 0, [](const HeaderRead& r) { EXPECT_FALSE(r.ersPlaneRead); }},
      {43, "ten", 0, [](const HeaderRead& r) { EXPECT_EQ(r.header.preampGainDb, 0); }},
      {10, "TRUE ", 0, [](const HeaderRead& r) { EXPECT_FALSE(r.header.dbmUnits); }},
      {14, "true", 0, [](const HeaderRead& r) { EXPECT_FALSE(r.header.showCurrent); }},
      {12, "", 0, [](const HeaderRead& r) { EXPECT_FALSE(r.delimiterRead); }},
      {12, ",;", 0, [](const HeaderRead& r) { EXPECT_EQ(r.header.delimiter, ","); }},
      {3, kLongLine.c_str(), 0,
       [](const HeaderRead& r) { EXPECT_EQ(r.header.title, std::string(30, 'T')); }},
      {6, "  +12 ", 0, [](const HeaderRead& r) { EXPECT_EQ(r.header.startFrequencyHz, 12); }},
      // A number line without an integer stops the read: what came before it stands.
      {8, "abc", 8,
       [](const HeaderRead& r) {
         EXPECT_EQ(r.header.finishFrequencyHz, 30000000);
         EXPECT_EQ(r.header.stepsPerScan, 0);
         EXPECT_FALSE(r.header.dbmUnits);
       }},
      {37, "1.5", 37, [](const HeaderRead& r) { EXPECT_EQ(r.header.timeLabels[1], "1:03:03"); }},
      {31, "99999999999", 31, [](const HeaderRead&) {}},
      {11, "", 11, [](const HeaderRead&) {}},
  };
  const GoldenContent g;
  const std::string golden = FormatResultFile(g.header, g.columns, g.ers);
  for (const HeaderCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "line " << c.line << " \"" << c.text << "\"");
    std::vector<std::string> lines;
    std::stringstream in(golden);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    lines[static_cast<std::size_t>(c.line - 1)] = c.text;
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    const HeaderRead read = ReadResultHeader(ResultLines(text, kResultFileLines));
    EXPECT_EQ(read.failedLine, c.failedLine);
    c.check(read);
  }
}

TEST(ResultFileTest, DataLinesKeepWhatDoesNotConvert) {
  ResultColumns b;
  b.frequenciesHz[0] = 5.0f;
  b.current.fill(9);
  b.store.fill(8);
  const std::string text =
      "    1000.4;  abc;  30;  40;  50;  60\n"    // a bad level keeps the buffer's
      "2000;21.5;22;23\n"                         // fields missing keep theirs too
      + std::string(200, ' ') + "3000;1;2;3;4\n"  // only 128 characters count
      + "    4000,  41,  42,  43,  44\n";         // another delimiter: one field
  const ResultLines lines(text, kResultFileLines);
  ReadResultData(lines, 0, ';', b);
  EXPECT_EQ(b.frequenciesHz[0], 1000.0f);
  EXPECT_EQ(b.current[0], 9);
  EXPECT_EQ(b.store[0], 30);
  EXPECT_EQ(b.single[0], 50);
  EXPECT_EQ(b.frequenciesHz[1], 2000.0f);
  EXPECT_EQ(b.current[1], 22);  // 21.5 rounds to even
  EXPECT_EQ(b.single[1], 0);
  EXPECT_EQ(b.store[2], 8);
  EXPECT_EQ(b.frequenciesHz[3], 0.0f);
  EXPECT_EQ(b.current[3], 9);
}

TEST(ResultFileTest, BlankDelimitedLinesThatCannotBeReadHaveNoLevels) {
  ResultColumns b;
  b.current.fill(9);
  const std::string text =
      "  1e3  10 20 30 40 extra\n"
      "  2000  10 x 30 40\n"
      "  ???  10 20 30 40\n"
      "  4000  1 2\n";
  ReadResultData(ResultLines(text, kResultFileLines), 0, ' ', b);
  EXPECT_EQ(b.frequenciesHz[0], 1000.0f);
  EXPECT_EQ(b.limit[0], 30);
  EXPECT_EQ(b.frequenciesHz[1], 2000.0f);
  EXPECT_EQ(b.current[1], 0);
  EXPECT_EQ(b.frequenciesHz[2], 2000.0f);  // the point before it
  EXPECT_EQ(b.current[2], 0);
  EXPECT_EQ(b.frequenciesHz[3], 4000.0f);
  EXPECT_EQ(b.store[3], 0);
  EXPECT_EQ(b.current[500], 0);  // past the end of the text
}

TEST(ResultFileTest, ErsBlocksGoBackIntoTheirPlane) {
  const GoldenContent g;
  const std::string golden = Golden();
  const ResultLines lines(golden, kResultFileLines);
  ErsTables ers;
  ers.correction[0].fill(5);
  ers.holdsData = {true, false};
  ers.appliedPlane = 2;
  ASSERT_TRUE(ReadErsBlock(lines, 47 + 501, ';', 2, ers));
  EXPECT_EQ(ers.correction[1], g.ers.correction[1]);
  EXPECT_EQ(ers.valid[1], g.ers.valid[1]);
  EXPECT_EQ(ers.correction[0][0], 0);  // cleared: the import overwrites all ERS data
  EXPECT_EQ(ers.holdsData, (std::array<bool, 2>{false, true}));
  EXPECT_EQ(ers.appliedPlane, 0);
  EXPECT_TRUE(ers.archived);

  // A block of unknown layout: field 1 horizontal, field 2 vertical.
  ASSERT_TRUE(ReadErsBlock(ResultLines("  3, 4.4\n", 10), 0, ';', 0, ers));
  EXPECT_EQ(ers.correction[0][0], 3);
  EXPECT_EQ(ers.correction[1][0], 4);
  EXPECT_EQ(ers.correction[1][1], 0);
  EXPECT_EQ(ers.holdsData, (std::array<bool, 2>{true, true}));
  EXPECT_EQ(ErsField("   12;x;7", 2, ';'), 0.0f);
  EXPECT_EQ(ErsField("   12;x;7", 3, ';'), 7.0f);
  EXPECT_EQ(ErsField("12", 4, ';'), 0.0f);
}

TEST(ImportOptionsTest, TheWindowsRules) {
  const ImportOptions start;
  ImportChange c = ChooseImportAs(start, 2, ImportAs::Current);
  EXPECT_EQ(c.warning, kInvalidSelection);
  EXPECT_EQ(c.options.storeAs, ImportAs::DoNotImport);
  EXPECT_EQ(c.options.currentAs, ImportAs::Current);

  c = ChooseImportAs(start, 1, ImportAs::Archive);
  EXPECT_TRUE(c.warning.empty());
  c = SetDifferenceAsArchive(c.options, true);
  EXPECT_EQ(c.warning, kInvalidSelection);
  EXPECT_FALSE(c.options.differenceAsArchive);

  c = SetDifferenceAsArchive(start, true);
  c = ChooseImportAs(c.options, 2, ImportAs::Archive);
  EXPECT_EQ(c.warning, kInvalidSelection);
  EXPECT_EQ(c.options.storeAs, ImportAs::DoNotImport);
  EXPECT_TRUE(ChooseImportAs(c.options, 2, ImportAs::DoNotImport).warning.empty());

  EXPECT_EQ(SetImportErs(start, true, true).warning, kErsOverwriteWarning);
  EXPECT_TRUE(SetImportErs(start, true, true).options.importErs);
  EXPECT_TRUE(SetImportErs(start, true, false).warning.empty());
  ImportOptions o = SetAllData(SetImportErs(start, true, false).options, false);
  EXPECT_FALSE(o.importErs);
  EXPECT_FALSE(o.importErsEnabled);
  EXPECT_FALSE(SetImportErs(o, true, false).options.importErs);
  o = SetAllData(o, true);
  EXPECT_TRUE(o.importErsEnabled);
  EXPECT_FALSE(OptionsOnOpening(SetImportErs(o, true, false).options).importErs);
}

TEST(NotesTest, TheWindowsTextIsCutAt540Characters) {
  EXPECT_EQ(JoinNotes(SplitNotes("a\r\nb")), "a\nb");
  const std::string longer(600, 'n');
  EXPECT_EQ(SplitNotes(longer).lines[0].size(), 540u);
  EXPECT_EQ(CutCharacters("\xC3\xBC\xC3\xBC\xC3\xBC", 2), "\xC3\xBC\xC3\xBC");
}

}  // namespace
}  // namespace tq
