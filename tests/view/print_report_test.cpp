// The printed report on the recording printer: the layout in proportion on A4 and Letter, an
// empty graph, the settings block's rules, and traces, limit and grid on the paper mapping;
// the information window's summary and curve scales.
#include <gtest/gtest.h>

#include "GraphFixture.h"
#include "doubles/RecordingPrinter.h"
#include "view/Information.h"
#include "view/PaperScale.h"
#include "view/PrintReport.h"

namespace tq::test {
namespace {

using Call = RecordingCanvas::Call;
constexpr int kA4W = 4958, kA4H = 7017, kLetterW = 5100, kLetterH = 6600;

class PrintReportTest : public GraphTest {
 protected:
  PrintReportTest() {
    state_.printerColours = {11, 12, 13, 14, 15, 16};
    state_.title = "Title";
    model_.checkedPort = 2;
    edit([](TraceData& d) {
      for (std::size_t n = 0; n < kTracePoints; ++n) {
        d.currentTrace[n] = 40 + static_cast<std::int32_t>(n % 30);
        d.storeTrace[n] = 30;
      }
      d.notes[0] = ">";
      d.notes[1] = "EUT serial 42";
    });
  }
  ReportView view() {
    return {state_, model_, traces_.data(), SourcesOf(features_.all()), "1 Jan 2000 00:00", 3, 20};
  }
  std::vector<Call> print(int w = kA4W, int h = kA4H) {
    printer.widthPx = w;
    printer.heightPx = h;
    EXPECT_TRUE(printer.PrintToPdf(ReportDocument(view()), "report.pdf"));
    EXPECT_EQ(printer.pages.size(), 1u);
    return printer.pages.at(0).calls();
  }
  static std::vector<Call> Of(const std::vector<Call>& calls, Kind kind) {
    std::vector<Call> found;
    for (const Call& c : calls)
      if (c.kind == kind) found.push_back(c);
    return found;
  }

  RecordingPrinter printer;
};

TEST_F(PrintReportTest, LetterAndA4GiveTheSameLayoutInProportion) {
  model_.showStore = true;
  const auto a4 = print(kA4W, kA4H);
  const auto letter = print(kLetterW, kLetterH);
  ASSERT_EQ(a4.size(), letter.size());
  // Every position is the same part of the page, within the rounding of a few pixels.
  auto near = [](int a, int sizeA, int b, int sizeB) {
    return std::abs(static_cast<double>(a) / sizeA - static_cast<double>(b) / sizeB) <= 3.0 / 5000;
  };
  for (std::size_t i = 0; i < a4.size(); ++i) {
    const Call& a = a4[i];
    const Call& l = letter[i];
    ASSERT_EQ(a.kind, l.kind) << i;
    EXPECT_EQ(a.text, l.text) << i;
    // (A recorded text's far end is as wide as its characters, whatever the font.)
    const bool text = a.kind == Kind::TextOut;
    EXPECT_TRUE(near(a.x0, kA4W, l.x0, kLetterW) && near(a.y0, kA4H, l.y0, kLetterH) &&
                (text || (near(a.x1, kA4W, l.x1, kLetterW) && near(a.y1, kA4H, l.y1, kLetterH))) &&
                near(a.fontHeight, kA4H, l.fontHeight, kLetterH))
        << i << ": " << a.x0 << "," << a.y0 << " against " << l.x0 << "," << l.y0;
  }
}

TEST_F(PrintReportTest, AReportWithNoTraceShownPrintsFrameGridLabelsAndSettings) {
  model_.showCurrent = false;
  const auto calls = print();
  const PaperLayout p = MakePaperLayout(kA4W, kA4H);
  const auto rects = Of(calls, Kind::Rectangle);
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(std::tuple(rects[0].x0, rects[0].y0, rects[0].x1, rects[0].y1),
            std::tuple(p.printLeft, p.printTop, p.printLeft + p.Across(600),
                       p.printGraphBottom + p.Down(80)));
  EXPECT_EQ(std::tuple(rects[1].x0, rects[1].y0, rects[1].x1, rects[1].y1),
            std::tuple(p.printGraphLeft, p.printGraphBottom, p.printGraphLeft + p.Across(500),
                       p.printGraphBottom - p.Down(300)));
  EXPECT_EQ(rects[1].penColour, 11u);

  int dotted = 0, solid = 0;
  for (const Call& c : Of(calls, Kind::LineTo)) (c.penStyle == PenStyle::Dot ? dotted : solid)++;
  EXPECT_EQ(dotted, 7 + 9);
  EXPECT_EQ(solid, 0);

  const RecordingCanvas& page = printer.pages[0];
  const Call* header = page.findText("VELTRANE INSTRUMENTS LTD FIELDMARK TQ4800");
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(std::tuple(header->x0, header->y0, header->fontName, header->fontHeight),
            std::tuple(p.Across(30), p.printTop - p.Down(30), std::string("Times New Roman"),
                       p.Down(15)));
  // Frequency labels under the plot, level labels from the reference level.
  for (const char* label : {"   30", "  137", " 1100"}) {
    ASSERT_TRUE(page.hasText(label)) << label;
    EXPECT_EQ(page.findText(label)->y0, p.printGraphBottom + p.Down(15));
  }
  for (const char* label : {"20", "90"}) EXPECT_TRUE(page.hasText(label)) << label;
  const Call* test = page.findText("TEST : TQ4800  Title");
  ASSERT_NE(test, nullptr);
  EXPECT_EQ(std::pair(test->x0, test->y0), std::pair(p.Across(30), p.printTop + p.Down(460)));
  const Call* date = page.findText("1 Jan 2000 00:00");
  ASSERT_NE(date, nullptr);
  EXPECT_EQ(std::pair(date->x0, date->y0), std::pair(kA4W / 2, test->y0));
  EXPECT_EQ(page.findText("Port COM2 used")->y0, test->y0 + p.Down(30));
  EXPECT_EQ(page.findText("EUT serial 42")->y0, test->y0 + p.Down(30) + p.Down(20) * 7);
}

TEST_F(PrintReportTest, SettingsRowsFollowThePortTheInputAndTheLisn) {
  struct Case {
    int port, input;
    const char* portText;
    const char* inputText;
  };
  const Case cases[] = {
      {1, 8, "Port COM1 used", "INPUT : Direct Input"},
      {2, 2, "Port COM2 used", "INPUT : NX20 Broad Band Antenna"},
      {3, 11, "", "INPUT : DIRECT INPUT"},  // the NX24 has no name of its own
      {4, 12, "", "INPUT : DIRECT INPUT"},  // nor has the Ostrocell
      {2, 9, "Port COM2 used", "INPUT : LISN"},
  };
  state_.detector = 3;
  state_.stepsPerScan = 100;
  features_.limit.name = "EN55022 Class B Radiated";
  features_.limit.table.description = "Quasi-peak at 10 m";
  for (const Case& c : cases) {
    model_.checkedPort = c.port;
    features_.inputs.code = c.input;
    const auto rows = ReportSettingsRows(view());
    EXPECT_EQ(rows[1], (ReportRow{c.portText, c.inputText})) << c.input;
    EXPECT_EQ(rows[2], (ReportRow{"Pre-Amp : 0dB", "ATTENUATION :   0dB"}));
    EXPECT_EQ(rows[3], (ReportRow{"SIGNAL PROCESSING : No Process", "DETECTOR :  Quasi-Peak"}));
    EXPECT_EQ(rows[4], (ReportRow{"HIGH RANGE", "STEPS/SCAN 100"}));
    EXPECT_EQ(rows[5].left, "LIMIT : EN55022 Class B Radiated,   Quasi-peak at 10 m");
    const std::size_t notes = c.input == 9 ? 7 : 6;
    if (c.input == 9) {
      EXPECT_EQ(rows[6].left, "LISN SETTINGS : Source : YELLOW, Atten : -20dB");
    }
    EXPECT_EQ(rows[notes].left, "NOTES :");
    EXPECT_EQ(rows.size(), notes + 9);
  }
}

TEST_F(PrintReportTest, TracesLimitAndGridShareThePaperMapping) {
  model_.showStore = true;
  model_.showLimit = true;
  features_.inputs.code = 2;  // an antenna: the point table is drawn
  LimitTable& line = features_.limit.base;
  line.points[1] = {30000000, 40, 0};
  line.points[2] = {1000000000, 40, 0};
  line.entryCount = 3;
  line.recordNumber = 24;
  const auto calls = print();
  const PaperScale s = MakePaperScale(MakePaperLayout(kA4W, kA4H), painter_.scale());

  const RecordingCanvas& page = printer.pages[0];
  const auto current = page.linesIn(12);
  ASSERT_EQ(current.size(), 500u);
  EXPECT_EQ(std::tuple(current[0].x0, current[0].y0, current[0].x1, current[0].y1),
            std::tuple(s.g.plotLeft, s.g.plotBottom - MakePaperLayout(kA4W, kA4H).Down(4 * 20),
                       s.FreqToX(state_.stepFrequencyHz[1]), s.LevelToY(41)));
  EXPECT_EQ(page.linesIn(13).size(), 500u);
  // Current before Store, the limit under both, in the printer's Limit colour and width 2.
  const auto firstOf = [&](Colour c) {
    return std::find_if(calls.begin(), calls.end(),
                        [c](const Call& k) { return k.kind == Kind::LineTo && k.penColour == c; }) -
           calls.begin();
  };
  EXPECT_LT(firstOf(16), firstOf(12));
  EXPECT_LT(firstOf(12), firstOf(13));
  const auto limit = page.linesIn(16);
  ASSERT_EQ(limit.size(), 1u);
  EXPECT_EQ(std::tuple(limit[0].x0, limit[0].y0, limit[0].x1, limit[0].penWidth),
            std::tuple(s.FreqToX(30e6), s.LimitToY(40), s.FreqToX(1000e6), 2));

  // The grid's vertical lines stand where the traces put their frequencies.
  std::vector<int> xs;
  for (const Call& c : calls)
    if (c.kind == Kind::LineTo && c.penStyle == PenStyle::Dot && c.x0 == c.x1) xs.push_back(c.x0);
  ASSERT_EQ(xs.size(), 9u);
  for (int i = 1; i <= 9; ++i) EXPECT_EQ(xs[i - 1], s.FreqToX(30e6 + i * 107e6)) << i;

  // With the Direct input a radiated limit has no line.
  features_.inputs.code = 8;
  print();
  EXPECT_TRUE(printer.pages[0].linesIn(16).empty());
}

TEST(InformationTest, SummaryLinesByTheSetUp) {
  struct Case {
    void (*set)(InfoView&);
    std::size_t line;
    const char* text;
  };
  const Case cases[] = {
      {[](InfoView&) {}, 3, "No limit is currently selected"},
      {[](InfoView& i) { i.limitLoaded = true, i.limitName = "EN 11"; }, 3,
       "No limit is currently selected"},
      {[](InfoView& i) { i.limitLoaded = true, i.limitName = "EN55011"; }, 3,
       "Current limit : EN55011"},
      {[](InfoView&) {}, 2, ""},
      {[](InfoView& i) { i.checkedPort = 1; }, 2, "Port : COM1"},
      {[](InfoView& i) { i.checkedPort = 4; }, 2, ""},
      {[](InfoView& i) { i.preampGainDb = 20; }, 0, "Attenuation : 30 dB.  Pre Amp : 20 dB"},
      {[](InfoView&) {}, 1, "Frequency range :    30.00  to  1100.00 MHz"},
      {[](InfoView& i) { i.processingMode = 3; }, 4, "Average of thirty two results"},
      {[](InfoView& i) { i.detector = 3; }, 5, "Detector :  Quasi-Peak"},
      {[](InfoView& i) { i.inputCode = 12; }, 6, "Frequency Change Point = 200.0 MHz"},
  };
  for (const Case& c : cases) {
    InfoView info;
    info.attenuationDb = 30;
    info.startHz = 30000000;
    info.finishHz = 1100000000;
    info.cellChangeoverHz = 200000000;
    c.set(info);
    const auto lines = InfoSummaryLines(info);
    ASSERT_LT(c.line, lines.size()) << c.text;
    EXPECT_EQ(lines[c.line], c.text);
    EXPECT_EQ(lines.size(), info.inputCode == 12 ? 7u : 6u);
  }
}

TEST(InformationTest, BoxesScaleTheirCurvesToTheirEdges) {
  InfoView info;
  info.factorDb[0] = 30;
  info.factorDb[1] = -30;
  info.ersCorrection[0][0] = 30;
  info.ersCorrection[0][2] = -20;
  RecordingCanvas factor, ers;
  DrawFactorBox(factor, info);
  DrawErsBox(ers, info);
  const auto f = factor.linesIn(0x0000FF);
  EXPECT_EQ(std::tuple(f[0].y0, f[0].y1, f[1].y1), std::tuple(0, 99, 50));
  const auto e = ers.linesIn(0x0000FF);
  EXPECT_EQ(std::tuple(e[0].y0, e[0].x1, e[1].x1, e[1].y1), std::tuple(0, 0, 1, 99));
  EXPECT_EQ(e.back().x1, kInfoErsWidth - 1);  // two entries a pixel: the whole table
  EXPECT_EQ(FactorBoxLabels(false), (std::array<std::string, 2>{"0.1", "MHz  30"}));
  EXPECT_EQ(LimitBoxLabels(150000, 30000000), (std::array<std::string, 2>{"0.15", "MHz 30"}));
}

}  // namespace
}  // namespace tq::test
