#include <gtest/gtest.h>

#include <string>

#include "runner/TestPlan.h"

namespace tq {
namespace {

TEST(TestPlanTest, AGoodPlanResolvesItsNamesAndKeepsWhatItLeavesOut) {
  const auto read = ReadTestPlan(
      "# board rev C\r\n[run]\r\nport = COM3\r\ntitle = Rev C\r\nnotes = one\r\nnotes = two\r\n"
      "[test radiated]\r\nlimit = EN55022 > Class B Radiated\r\ninput = NX20\r\n"
      "distance = 3\r\nstart = 30\r\nstop = 230\r\ndetector = Quasi-Peak\r\n"
      "processing = peak hold\r\nsweeps = 3\r\n"
      "[test mains]\nlimit = user: MY LINE\ninput = LISN...\nlisn line = neutral\n"
      "lisn attenuator = 10\nstop = 30\nfinal = no\n",
      "plan.ini");
  ASSERT_TRUE(std::holds_alternative<TestPlan>(read)) << std::get<PlanError>(read).text;
  const TestPlan& plan = std::get<TestPlan>(read);
  EXPECT_EQ(plan.run.port, 3);
  EXPECT_EQ(plan.run.notes, (std::vector<std::string>{"one", "two"}));
  ASSERT_EQ(plan.tests.size(), 2u);
  const PlanTest& r = plan.tests[0];
  EXPECT_EQ(r.limit.kind, PlanLimitKind::Catalogue);
  EXPECT_EQ(r.limit.name, "European Limits > EN55022 > Class B Radiated");
  EXPECT_EQ(r.input, Command::NX201);
  EXPECT_EQ(r.highRange, true);
  EXPECT_EQ(r.stopHz, 230000000);
  EXPECT_EQ(r.detector, 3);
  EXPECT_EQ(r.processingMode, 4);
  EXPECT_FALSE(r.steps.has_value());
  const PlanTest& m = plan.tests[1];
  EXPECT_EQ(m.limit.kind, PlanLimitKind::User);
  EXPECT_EQ(m.limit.name, "MY LINE");
  EXPECT_EQ(m.input, Command::LISN1);
  EXPECT_EQ(m.lisnSource, 1);
  EXPECT_EQ(m.lisnLossIndex, 1);
  EXPECT_EQ(m.highRange, false);  // follows the span
  EXPECT_FALSE(m.finalMeasurement);
}

TEST(TestPlanTest, EachFaultIsNamedWithItsLine) {
  const struct {
    const char* plan;
    const char* message;
  } cases[] = {
      {"[test a]\nfoo = 1\n", "plan.ini:2: unknown key 'foo' in [test a] (valid: limit,"},
      {"[test a]\nlimit = EN55022 > Class C\n",
       "plan.ini:2: unknown limit 'EN55022 > Class C' (valid: European Limits > EN55022 > Class"},
      {"[test a]\nlimit = Class B Radiated\n", "is not one entry (valid:"},
      {"[test a]\ninput = NX99\n", "plan.ini:2: unknown input 'NX99' (valid: Direct, NX10"},
      {"[test a]\ninput = Ostrocell\n", "needs its own dialog"},
      {"[test a]\nrange = low\nstart = 0.15\nstop = 100\n",
       "plan.ini:1: test 'a': the span 0.15 to 100 MHz is not inside the LOW range"},
      {"[test a]\nstart = 300\nstop = 200\n", "with start below stop"},
      {"[test a]\ninput = KVP\ndistance = 3\n", "a distance is given only with an input"},
      {"[test a]\ninput = NX20\ndistance = 3.5\n", "distance is a whole number of metres"},
      {"[run]\nport = COM5\n[test a]\n", "plan.ini:2: port is one of COM1"},
      {"[run]\n", "plan.ini: the plan has no [test NAME] section"},
      {"[test a]\n[test A]\n", "plan.ini:2: a second test named 'A'"},
      {"limit = none\n", "plan.ini:1: 'limit' comes before any"},
      {"[tests]\n", "unknown section [tests]"},
      {"[test a]\nsteps = 300\n", "plan.ini:2: steps is 100, 250 or 500, not '300'"},
  };
  for (const auto& c : cases) {
    const auto read = ReadTestPlan(c.plan, "plan.ini");
    ASSERT_TRUE(std::holds_alternative<PlanError>(read)) << c.plan;
    EXPECT_NE(std::get<PlanError>(read).text.find(c.message), std::string::npos)
        << c.plan << " gave: " << std::get<PlanError>(read).text;
  }
}

}  // namespace
}  // namespace tq
