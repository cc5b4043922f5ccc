// The guide's rules on their own: test codes, ISM bands, the click allowance, the EN55015 and
// EN55025 rules, and the instruction texts and their printed page.
#include <gtest/gtest.h>

#include <functional>

#include "doubles/RecordingCanvas.h"
#include "guide/GuideRules.h"
#include "guide/InstructionPage.h"
#include "guide/Instructions.h"
#include "guide/Standards.h"

namespace tq {
namespace {

TEST(GuideRules, TestCodesOfEveryForm) {
  struct Case {
    const char* what;
    std::function<int()> code;
    int expected;
  };
  const Case cases[] = {
      {"EN55011 A G1 conducted", [] { return En55011TestCode(0, 0, 0); }, 1},
      {"EN55011 B G1 conducted", [] { return En55011TestCode(0, 1, 0); }, 3},
      {"EN55011 B G2 radiated", [] { return En55011TestCode(1, 1, 1); }, 8},
      {"EN55013 TV local osc.", [] { return *AntennaTerminalTestCode(0, 0); }, 37},
      {"EN55013 FM car other", [] { return *AntennaTerminalTestCode(2, 1); }, 42},
      {"EN55013 FM radio radiation", [] { return RadiationTestCode(4); }, 47},
      {"EN55014 tools <700W conducted", [] { return En55014TestCode(0, 0); }, 9},
      {"EN55014 household conducted", [] { return En55014TestCode(3, 0); }, 12},
      {"EN55014 household radiated", [] { return En55014TestCode(3, 1); }, 17},
      {"EN55014 load terminals radiated", [] { return En55014TestCode(4, 1); }, 18},
      {"EN55022 B conducted", [] { return En55022TestCode(1, 0); }, 25},
      {"EN55022 A radiated", [] { return En55022TestCode(0, 1); }, 26},
      {"EN60945 current probe", [] { return En60945TestCode(1); }, 50},
      {"EN50081-1 radiated", [] { return En50081aTestCode(false, true, 3); }, 32},
      {"EN50081-1 continuous", [] { return En50081aTestCode(true, false, 3); }, 30},
      {"EN50081-1 transients appliances", [] { return En50081aTestCode(true, true, 0); }, 31},
      {"EN50081-1 transients >1kW", [] { return En50081aTestCode(true, true, 3); }, 54},
      {"EN50081-2 radiated", [] { return En50081bTestCode(false, false); }, 35},
      {"EN50081-2 transients", [] { return En50081bTestCode(true, true); }, 34},
  };
  for (const Case& c : cases) EXPECT_EQ(c.code(), c.expected) << c.what;
  EXPECT_FALSE(AntennaTerminalTestCode(3, 0)) << "AM receivers have no test";
}

TEST(GuideRules, FundamentalFrequencyMessagesAndIsmBands) {
  struct Case {
    const char* text;
    MessageKind kind;
    const char* message;
  };
  const Case cases[] = {
      {"13.56", MessageKind::Information,
       "Emissions at this frequency are unlimited, therefore peaks above limitline can be "
       "accepted in range 13.553 - 13.567 MHz ONLY"},
      {" 6.765", MessageKind::Information,
       "Emissions at this frequency are unlimited, therefore peaks above limitline can be "
       "accepted in range 6.765 - 6.795 MHz ONLY"},
      {"40.7", MessageKind::Information,
       "Emissions at this frequency are unlimited, therefore peaks above limitline can be "
       "accepted in range 40.660 - 40.700 MHz ONLY"},
      {"100", MessageKind::Information, "This frequency is not listed"},
      {"6.764", MessageKind::Information, "This frequency is not listed"},
      {"0.0", MessageKind::Information, "No fundamental frequency is assumed"},
      {"13,56", MessageKind::Warning, "Invalid frequency entry "},
      {"", MessageKind::Warning, "Invalid frequency entry "},
  };
  for (const Case& c : cases) {
    const GuideMessage m = En55011FrequencyMessage(c.text);
    EXPECT_EQ(m.kind, c.kind) << c.text;
    EXPECT_EQ(m.text, c.message) << c.text;
  }
  EXPECT_EQ(*En55015IsmMessage(433920000.0),
            "Emissions at this ISM frequency are subject to a relaxed limit over the range "
            "433.05 - 434.79 only");
  EXPECT_FALSE(En55015IsmMessage(50.0));
}

TEST(GuideRules, ClickAllowanceByRateAndSwitching) {
  struct Case {
    std::optional<double> rate;
    bool instantaneous;
    int db;
  };
  const Case cases[] = {
      {0.1, false, 44}, {0.2, false, 44},
      {3, false, 20},   {10, false, 10},
      {29.9, false, 0}, {30, false, 0},
      {31, false, 0},   {5, true, 0},
      {6, true, 14},    {std::nullopt, false, 44},
      {-2, false, 44},  {std::nullopt, true, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ClickAllowanceDb(c.rate, c.instantaneous), c.db)
        << c.rate.value_or(-1) << (c.instantaneous ? " switching" : "");
}

TEST(GuideRules, En55015CategoryCodeAndFrequencyLabels) {
  struct Case {
    int lamp;
    const char* text;
    bool mhz;
    std::optional<int> testType;
    int code;
  };
  const Case cases[] = {
      {3, "50", false, std::nullopt, 20},  // self-ballasted at mains frequency
      {3, "0.04", true, 0, 20},            // at 40 kHz, conducted
      {3, "40000", false, 1, 22},          // radiated
      {3, "40000", false, std::nullopt, 19},
      {0, "50", false, std::nullopt, 19},  // incandescent, no dimmer
      {0, "1000", false, std::nullopt, 19},
      {1, "100", false, std::nullopt, 20},  // 100 Hz is still mains frequency
      {2, "60", false, std::nullopt, 21},
      {2, "20000", false, 0, 20},
  };
  for (const Case& c : cases) {
    const int category = En55015Category(c.lamp, *LampFrequencyHz(c.text, c.mhz));
    EXPECT_EQ(En55015AsksTestType(category), category >= 6) << c.text;
    EXPECT_EQ(En55015TestCode(category, c.testType), c.code) << c.lamp << " at " << c.text;
  }
  EXPECT_STREQ(TestTypeFirstItem(2), "Insertion Loss");
  EXPECT_STREQ(TestTypeFirstItem(3), "Conducted");
  EXPECT_EQ(LampHzText(50.0), "50 Hz");
  EXPECT_EQ(LampMHzText(50.0), "0.00005 MHz");
  EXPECT_EQ(LampMHzText(13560000.0), "13.56 MHz");
  EXPECT_FALSE(LampFrequencyHz("fifty", false));
}

TEST(GuideRules, VehicleRecordsByCategoryInterferenceClassAndDetector) {
  struct Case {
    int category, interference, classIndex;
    bool qp;
    int record;
  };
  const Case cases[] = {
      {0, 0, 0, true, 101},  {0, 0, 0, false, 103}, {1, 0, 0, true, 102}, {1, 0, 0, false, 173},
      {1, 1, 0, true, 104},  {0, 1, 0, false, 105}, {1, 2, 0, true, 106}, {2, 0, 2, true, 112},
      {2, 0, 2, false, 111}, {2, 1, 4, true, 121},  {3, 0, 0, true, 123}, {3, 1, 0, false, 132},
      {4, 0, 4, false, 145}, {4, 1, 0, true, 147},  {5, 0, 6, true, 165}, {5, 1, 6, false, 172},
  };
  for (const Case& c : cases)
    EXPECT_EQ(VehicleLimitRecord(c.category, c.interference, c.classIndex, c.qp), c.record)
        << c.category << "/" << c.interference << "/" << c.classIndex << (c.qp ? " QP" : "");
  EXPECT_EQ(En55025Interference(0).size(), 3u);
  EXPECT_EQ(En55025Interference(2), (std::vector<std::string>{"Broadband ", "Narrowband"}));
  EXPECT_EQ(En55025Classes(4), 5);
  EXPECT_EQ(En55025Classes(5), 7);
}

TEST(GuideRules, StandardsByRegion) {
  EXPECT_EQ(TabCaption(0, 2), "2064.1/2");
  EXPECT_EQ(TabCaption(7, 1), "EN50081-1");
  EXPECT_FALSE(StandardOffered(6, 2));
  EXPECT_FALSE(StandardOffered(8, 2));
  EXPECT_TRUE(StandardOffered(8, 1));
  EXPECT_EQ(*FormCaption(6, 2), "EN60945");
  EXPECT_FALSE(FormCaption(8, 1));
  EXPECT_EQ(StandardName(4, 2), "AS/NZS 3548");
  for (int tab = 0; tab < kStandardCount; ++tab) {
    const auto info = MoreInformation(tab);
    EXPECT_EQ(info.back().substr(info.back().size() - 26), "in a CISPR16 EMC analyser.") << tab;
  }
}

// Every instruction text fits the printed page, names the program's controls as the window
// shows them and takes the user from the set-up to Set Analyser.
TEST(GuideRules, InstructionTextsFitThePageAndNameTheControls) {
  std::vector<std::vector<std::string>> texts;
  for (int input = 0; input < 4; ++input)
    for (int code : {3, 20, 36, 51})
      texts.push_back(ConductedInstructions("EN55011", code, {input, true, input == 3 ? 0 : 2}));
  for (bool ers : {false, true}) texts.push_back(RadiatedInstructions("AS/NZS 3548", ers));
  texts.push_back(ClampInstructions("EN55014"));
  for (int source : {0, 1}) texts.push_back(InsertionLossInstructions("EN55015", source));
  for (int loop = 0; loop < 4; ++loop) texts.push_back(LoopInstructions("EN55015", loop));
  for (int source : {0, 1}) texts.push_back(AntennaTerminalInstructions("EN55013", source));
  texts.push_back(CurrentProbeInstructions("EN60945"));
  for (const auto& text : texts) {
    ASSERT_FALSE(text.empty());
    EXPECT_LE(text.size(), kInstructionPageLines) << text[0];
    std::string all;
    for (const std::string& line : text) {
      EXPECT_LE(line.size(), 80u) << line;
      all += line + "\n";
    }
    EXPECT_NE(all.find("\"Set Analyser\""), std::string::npos) << text[0];
    EXPECT_NE(all.find("press RUN"), std::string::npos) << text[0];
  }
  const std::string conducted = [&] {
    std::string s;
    for (const auto& l : texts[0]) s += l + "\n";
    return s;
  }();
  for (const char* name :
       {"RUN", "CANCEL", "\"> STORE\"", "\"Diff.\"", "Display > Difference : Emissions",
        "\"Single\"", "with the average and Quasi-Peak detectors using the Single Frequency mode."})
    EXPECT_NE(conducted.find(name), std::string::npos) << name;
}

TEST(GuideRules, InstructionPageLayout) {
  test::RecordingCanvas canvas;
  const InstructionPage page({"first", "second"});
  EXPECT_EQ(page.PageCount(), 1);
  page.DrawPage(canvas, 0, 6600, 10000);
  const auto texts = canvas.textCalls();
  ASSERT_EQ(texts.size(), 4u);
  const int expectedY[] = {700, 1300, 1500, 1700};
  const char* expectedText[] = {"VELTRANE INSTRUMENTS LTD FIELDMARK TQ4800",
                                "RIDU DUDORUVO INSTRUCTIONS : ", "first", "second"};
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(texts[i].x0, 300);
    EXPECT_EQ(texts[i].y0, expectedY[i]);
    EXPECT_EQ(texts[i].text, expectedText[i]);
    EXPECT_EQ(texts[i].fontName, "Times New Roman");
  }
  EXPECT_EQ(texts[0].fontHeight, 150);  // 15 units of the page's height
}

}  // namespace
}  // namespace tq
