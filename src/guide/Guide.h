#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "guide/AnalyserSetup.h"
#include "guide/GuideTarget.h"
#include "guide/InstructionPage.h"
#include "platform/Prompts.h"

namespace tq {

// RiduDudoruvo's own state, kept for the whole run of the program.
struct GuideState {
  bool disclaimerAccepted = false;
  int region = kEuropeanRegion;  // the limit file selector the guide loads with
  int tab = 0;                   // the standard chosen
  int testCode = 0;              // 0..54, 0 none
  int testType = 0;              // 0 conducted, 1 radiated
  int conductedInput = 0;        // 0 KM902, 1 other LISN, 2 KVP, 3 KVP + PA76
  int preampChoice = 0;          // 0 none, 1 10 dB, 2 20 dB, 3 30 dB
  int loopVariant = 0;           // 0 NX30, 1..3 another loop of 2, 3, 4 m
};

// The window a form leads to.
enum class GuideStep {
  End,           // nothing follows
  TestAc,        // the conducted test-method form, with its caption
  TestB,         // radiated, broadband antenna
  TestD,         // absorbing clamp
  TestE,         // insertion loss
  TestF,         // large loop antenna
  SelectVcr,     // EN55013 antenna terminal questions (after their information)
  SelectRad,     // EN55013 radiation questions
  LineSelect,    // the current probe's line selection, then the instructions
  Instructions,  // the instruction window, its text written
};
struct GuideNext {
  GuideStep step = GuideStep::End;
  std::string caption;  // TestAc: the form's caption
  bool operator==(const GuideNext&) const = default;
};

// The guide: the answers of its forms go in, test codes, limits, instruction texts and the
// analyser's set-up come out. The forms show controls and pass their answers here.
class Guide {
 public:
  Guide(GuideTarget& target, Prompts& prompts) : target_(target), prompts_(prompts) {}
  Guide(const Guide&) = delete;
  Guide& operator=(const Guide&) = delete;

  const GuideState& state() const { return state_; }

  // The RiduDudoruvo button; true while the disclaimer has still to be accepted.
  bool Start();
  void AcceptDisclaimer() { state_.disclaimerAccepted = true; }
  // "Continue..." of the RiduDudoruvo window.
  void ChooseStandard(int tab, int region);
  // "Continue" of the Test Type question.
  void SetTestType(int type) { state_.testType = type; }

  // The click-rate question: its Continue (the typed rate) and its Ignore.
  void ClickRate(std::string_view text, bool instantaneousSwitching);
  void IgnoreClicks() { clickAnswerDb_ = 0; }

  // The per-standard forms' Continue. Each sets the test code and loads its limit.
  void En55011Frequency(std::string_view text);
  GuideNext En55011(int group, int cls);
  GuideNext En55013(int clause);
  GuideNext SelectVcr(int eutType, int source);
  GuideNext SelectRad(int item);
  GuideNext En55014(int equipment, bool discontinuous);
  // EN55015: the frequency's ISM message and the category, then the code once the Test Type
  // question has been answered (nullopt: not answered with Continue, or not asked).
  int En55015Category(int lampType, std::string_view frequencyText, bool inMHz);
  GuideNext En55015(int category, std::optional<int> testType);
  GuideNext En55022(int cls);
  void En55025(int category, int interference, int classIndex);
  GuideNext En60945(int test);
  GuideNext En50081a(bool conducted, bool transients, int limitChoice);
  GuideNext En50081b(bool conducted, bool transients);

  // The test-method forms' Continue: each writes the instruction text. TestAc is true when the
  // three-phase note is to be shown first.
  bool TestAc(int input, bool threePhase, int preamp);
  void TestB(bool withErs);
  void TestD();
  void TestE(int source);
  void TestF(int antenna);

  // The instruction window.
  const std::vector<std::string>& Instructions() const { return instructions_; }
  InstructionPage Page() const { return InstructionPage(instructions_); }
  void CancelInstructions();
  void SetAnalyser();

  // Loads the limit of the test code in force and shows it.
  void SelectLimit();

 private:
  // The code is chosen: its limit is loaded, with the click allowance of a discontinuous test.
  GuideNext chosen(int testCode, GuideNext next, int clickAllowanceDb = 0);
  void setSpan(int testCode, bool rangeChanged);
  void setInput(int testCode);

  GuideTarget& target_;
  Prompts& prompts_;
  GuideState state_;
  std::string standard_ = "EN55011";
  std::vector<std::string> instructions_;
  // The click-rate question's answer, and the allowance of the test in force.
  int clickAnswerDb_ = 0;
  int clickAllowanceDb_ = 0;
};

}  // namespace tq
