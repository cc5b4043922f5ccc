// The guide through the program: the limits its codes load from the shipped files in either
// region, Set Analyser's set-up of span, input and front end, and the rules of its flow.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "doubles/FakeSerialPort.h"
#include "doubles/FixedClock.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "measure/Program.h"
#include "platform/HostFiles.h"
#include "platform/NoUsbI2cIo.h"

namespace tq {
namespace {

namespace fs = std::filesystem;

class GuideProgramTest : public ::testing::Test {
 protected:
  GuideProgramTest()
      : root(fs::temp_directory_path() /
             ("tq_guide_" +
              std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()))),
        files(root) {
    fs::remove_all(root);
    files.installShippedData(TQ_SOURCE_DATA_DIR);
    program = std::make_unique<Program>(Ports{port, ticks, prompts, files, clock, view, usb});
    program->state().defaultPath = "c:\\tq4800\\";
    program->state().detector = 1;
  }
  ~GuideProgramTest() override {
    program.reset();
    fs::remove_all(root);
  }
  Guide& guide() { return program->guide(); }
  std::string limitName() const {
    return program->limits().Loaded() ? program->limits().Name() : "none";
  }
  Command noneCommand() const {
    for (const CommandEntry& e : CommandTable())
      if (e.objectName == "None1") return e.id;
    return Command::None;
  }
  // Drives the guide as its forms would, standard `tab` in `region`.
  void standard(int tab, int region = 1, int testType = 0) {
    guide().ChooseStandard(tab, region);
    guide().SetTestType(testType);
  }

  fs::path root;
  HostFiles files;
  test::FakeSerialPort port;
  test::VirtualTicks ticks;
  test::ScriptedPrompts prompts;
  test::FixedClock clock;
  NoUsbI2cIo usb;
  test::RecordingView view;
  std::unique_ptr<Program> program;
};

TEST_F(GuideProgramTest, EachCodeLoadsTheLimitOfItsRegionAndShowsIt) {
  struct Case {
    const char* what;
    std::function<void(Guide&)> drive;
    int region;
    const char* limit;
  };
  const auto conductedB = [](Guide& g) {
    g.SetTestType(0);
    g.En55022(1);
  };
  const Case cases[] = {
      {"EN55011 B G2 radiated", [](Guide& g) { g.En55011(1, 1); }, 1,
       "EN55011 Class B, Group 2 Radiated"},
      {"2064 B G2 radiated", [](Guide& g) { g.En55011(1, 1); }, 2,
       "AS/NZS 2064.1/2 Class B Group 2 Radiated"},
      {"EN55022 B conducted (25)", conductedB, 1, "EN55022 Class B Mains"},
      {"3548 B conducted (25)", conductedB, 2, "AS/NZS 3548 Class B Mains"},
      {"3548 A radiated (26)", [](Guide& g) { g.En55022(0); }, 2, "AS/NZS 3548 Class A Radiated"},
      {"1053 mains (36)", [](Guide& g) { g.En55013(0); }, 2, "AS/NZS 1053 Conducted"},
      {"4251.1 tools >1kW (54)", [](Guide& g) { g.En50081a(true, true, 3); }, 2,
       "EN50081-1 Tools >1kW Non-Cont, Mains"},
      {"EN50081-2 continuous (33)", [](Guide& g) { g.En50081b(true, false); }, 1,
       "EN50081-2 Mains"},
      {"EN55015 incandescent (19)", [](Guide& g) { g.En55015(1, std::nullopt); }, 1, "none"},
      {"EN55015 loop (22)", [](Guide& g) { g.En55015(8, 1); }, 1,
       "EN55015 Lighting, Mag Field 2m Loop"},
      {"EN60945 radiated (49)", [](Guide& g) { g.En60945(0); }, 2, "EN60945 Radiated"},
      {"TV local osc. (37)", [](Guide& g) { g.SelectVcr(0, 0); }, 2,
       "AS/NZS 1053 TV + VCR Local Osc."},
  };
  for (const Case& c : cases) {
    guide().ChooseStandard(0, c.region);
    guide().SetTestType(1);
    program->Execute(noneCommand());  // Limits > None: no limit, Display > Limit unticked
    c.drive(guide());
    EXPECT_EQ(limitName(), c.limit) << c.what;
    EXPECT_TRUE(program->model().showLimit) << c.what;
  }
  EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(GuideProgramTest, SetAnalyserConfiguresSpanInputAndFrontEnd) {
  struct Case {
    const char* what;
    bool startHigh;
    std::function<void(Guide&)> drive;
    bool log;
    std::int32_t start, finish;
    int input, preamp, attenuation;
    const char* limit;
  };
  const Case cases[] = {
      {"EN55011 B G1 conducted (3), KM902, 10dB", true,
       [](Guide& g) {
         g.En55011(0, 1);
         g.TestAc(0, false, 1);
       },
       true, 100000, 30000000, kLisnInput, 10, 0, "EN55011 Class B, Groups 1+2 Mains"},
      {"EN55015 insertion loss (21)", true, [](Guide& g) { g.En55015(3, std::nullopt); }, false,
       150000, 1605000, 8, 0, 0, "EN55015 Lighting, Mains"},
      {"EN55014 household radiated (17)", false,
       [](Guide& g) {
         g.SetTestType(1);
         g.En55014(3, false);
       },
       true, 30000000, 300000000, 4, 0, 0, "EN55014 Appliances Radiated"},
      {"EN55011 B G2 radiated (8)", true,
       [](Guide& g) {
         g.SetTestType(1);
         g.En55011(1, 1);
       },
       true, 30000000, 1000000000, 2, 20, 0, "EN55011 Class B, Group 2 Radiated"},
      {"EN55013 TV local osc. (37)", false, [](Guide& g) { g.SelectVcr(0, 0); }, true, 30000000,
       1000000000, 8, 0, 30, "EN55013 TV + VCR Local Osc."},
      {"EN55015 3m loop (22)", true,
       [](Guide& g) {
         g.En55015(8, 1);
         g.TestF(2);
       },
       true, 10000, 30000000, 3, 0, 0, "EN55015 Lighting, Mag Field 3m Loop"},
      {"EN55022 B conducted (25), KVP + PA76", true,
       [](Guide& g) {
         g.En55022(1);
         g.TestAc(3, false, 0);
       },
       true, 100000, 30000000, 7, 0, 0, "EN55022 Class B Mains"},
  };
  for (const Case& c : cases) {
    MeasurementState& s = program->state();
    s.highRange = c.startHigh;
    s.logFrequencyAxis = false;
    s.attenuationDb = 0;
    s.preampGainDb = 0;
    program->Execute(Command::Direct1);
    standard(0);
    c.drive(guide());
    guide().SetAnalyser();
    EXPECT_EQ(s.logFrequencyAxis, c.log) << c.what;
    EXPECT_EQ(s.startFrequencyHz, c.start) << c.what;
    EXPECT_EQ(s.finishFrequencyHz, c.finish) << c.what;
    EXPECT_EQ(s.highRange, c.finish > kLowFinishHz) << c.what;
    EXPECT_EQ(program->transducer().InputCode(), c.input) << c.what;
    EXPECT_EQ(s.preampGainDb, c.preamp) << c.what;
    EXPECT_EQ(s.attenuationDb, c.attenuation) << c.what;
    EXPECT_EQ(limitName(), c.limit) << c.what;
    EXPECT_EQ(s.stepFrequencyHz[500], static_cast<float>(c.finish)) << c.what;
  }
  // The KVP's own warning, and no distance question from the radiated tests of EN55011.
  EXPECT_EQ(prompts.messages(),
            std::vector<std::string>{
                "KVP + PA76 : Ensure Pre-amp is Set to ZERO Unless Using TQ4820 as Well."});
  for (const auto& a : prompts.asked()) EXPECT_NE(a.what, "input");
}

TEST_F(GuideProgramTest, ADeclinedRangeChangeLeavesTheAnalyserAsItWas) {
  MeasurementState& s = program->state();
  s.highRange = true;
  s.startFrequencyHz = 40000000;
  s.finishFrequencyHz = 50000000;
  s.linkEnabled = true;
  standard(0);
  guide().TestAc(1, false, 2);
  guide().En55022(0);  // 24: conducted, low range
  program->SelectLimit(1, 23);
  prompts.answer(Answer::No);
  guide().SetAnalyser();
  EXPECT_TRUE(prompts.wasShown("Changing Range will cause a Slight Delay."));
  EXPECT_TRUE(s.highRange);
  EXPECT_FALSE(s.logFrequencyAxis);
  EXPECT_EQ(s.startFrequencyHz, 40000000);
  EXPECT_EQ(s.finishFrequencyHz, 50000000);
  EXPECT_EQ(limitName(), "EN55022 Class A Radiated");
}

TEST_F(GuideProgramTest, FlowRules) {
  // The disclaimer is asked for until it is accepted; the Values window closes each time.
  EXPECT_TRUE(guide().Start());
  EXPECT_TRUE(guide().Start());
  guide().AcceptDisclaimer();
  EXPECT_FALSE(guide().Start());
  EXPECT_EQ(view.valuesWindowHides, 3);

  // Clicks: the allowance of the rate survives the limit of a discontinuous test, and a
  // continuous test has none.
  standard(2);
  guide().ClickRate("3", false);
  EXPECT_EQ(guide().En55014(3, true), (GuideNext{GuideStep::TestAc, "Test Type C"}));
  EXPECT_EQ(program->limits().Table().clickAllowanceDb, 20);
  guide().En55014(3, false);
  EXPECT_EQ(program->limits().Table().clickAllowanceDb, 0);

  // AM receivers: no limit and no test, whatever code an earlier test left.
  EXPECT_EQ(guide().SelectVcr(3, 0), GuideNext{});
  EXPECT_TRUE(prompts.wasShown("No Limits and No Tests Apply !"));
  EXPECT_EQ(guide().state().testCode, 0);
  EXPECT_EQ(limitName(), "none");

  // EN55025 loads the vehicle record of the detector in force.
  guide().En55025(2, 0, 2);
  EXPECT_EQ(program->limits().Table().recordNumber, 111);
  program->state().detector = 3;
  guide().En55025(2, 0, 2);
  EXPECT_EQ(program->limits().Table().recordNumber, 112);

  // The current probe test: no pre-amplifier, the line selection, then its instructions.
  program->state().preampGainDb = 20;
  EXPECT_EQ(guide().En60945(1).step, GuideStep::LineSelect);
  EXPECT_EQ(program->state().preampGainDb, 0);
  EXPECT_EQ(guide().Instructions().front(),
            "This test requires the use of a current probe. To proceed:");

  // Cancel in the instruction window empties the limit and its trace.
  guide().En55022(1);
  guide().CancelInstructions();
  EXPECT_FALSE(program->limits().Loaded());
  EXPECT_EQ(program->traces().limitTrace[250], 200);
}

}  // namespace
}  // namespace tq
