#include "guide/Guide.h"

#include <algorithm>
#include <array>

#include "guide/GuideRules.h"
#include "guide/Instructions.h"
#include "guide/Standards.h"
#include "model/MeasurementState.h"

namespace tq {

bool Guide::Start() {
  target_.HideValuesWindow();
  return !state_.disclaimerAccepted;
}

void Guide::ChooseStandard(int tab, int region) {
  state_.tab = tab;
  state_.region = region;
  standard_ = StandardName(tab, region);
}

void Guide::ClickRate(std::string_view text, bool instantaneousSwitching) {
  clickAnswerDb_ = ClickAllowanceDb(ParseGuideNumber(text), instantaneousSwitching);
}

void Guide::SelectLimit() {
  if (const auto limit = LimitForTestCode(state_.testCode, state_.region, state_.loopVariant))
    target_.LoadBuiltInLimit(limit->fileSelector, limit->record);
  // After the load, which keeps an allowance for some records only: the appliances' mains
  // limit needs it as much as the tools' do, and a continuous test must not inherit one.
  target_.SetClickAllowance(clickAllowanceDb_);
  target_.ShowLimit();
  target_.Repaint();
}

GuideNext Guide::chosen(int testCode, GuideNext next, int clickAllowanceDb) {
  state_.testCode = testCode;
  clickAllowanceDb_ = clickAllowanceDb;
  SelectLimit();
  return next;
}

// ---------------------------------------------------------------------------------------
// Per-standard forms

void Guide::En55011Frequency(std::string_view text) {
  const GuideMessage m = En55011FrequencyMessage(text);
  prompts_.message(m.kind, m.text, Buttons::Ok);
}

GuideNext Guide::En55011(int group, int cls) {
  const int code = En55011TestCode(group, cls, state_.testType);
  if (code <= 4) return chosen(code, {GuideStep::TestAc, "Test Type A"});
  return chosen(code, {GuideStep::TestB, ""});
}

GuideNext Guide::En55013(int clause) {
  switch (clause) {
    case 0:
      return chosen(kEn55013MainsCode, {GuideStep::TestAc, "Test Type A"});
    case 1:
      // The antenna terminal and radiation questions set the code; until they are answered
      // no earlier test's limit may come back.
      state_.testCode = 0;
      return {GuideStep::SelectVcr, ""};
    case 2:
      state_.testCode = 0;
      return {GuideStep::SelectRad, ""};
    default:
      return chosen(kEn55013PowerCode, {GuideStep::TestD, ""});
  }
}

GuideNext Guide::SelectVcr(int eutType, int source) {
  const std::optional<int> code = AntennaTerminalTestCode(eutType, source);
  if (!code) {
    state_.testCode = 0;
    prompts_.message(MessageKind::Information, kNoLimitsNoTests, Buttons::Ok);
    target_.LoadBuiltInLimit(kEuropeanRegion, 0);
    target_.Repaint();
    return {};
  }
  chosen(*code, {});
  instructions_ = AntennaTerminalInstructions(standard_, source);
  return {GuideStep::Instructions, ""};
}

GuideNext Guide::SelectRad(int item) {
  return chosen(RadiationTestCode(std::clamp(item, 0, 4)), {GuideStep::TestB, ""});
}

GuideNext Guide::En55014(int equipment, bool discontinuous) {
  const int code = En55014TestCode(equipment, state_.testType);
  const int clicks = discontinuous ? clickAnswerDb_ : 0;
  if (code <= 13) return chosen(code, {GuideStep::TestAc, "Test Type C"}, clicks);
  return chosen(code, {GuideStep::TestD, ""}, clicks);
}

int Guide::En55015Category(int lampType, std::string_view frequencyText, bool inMHz) {
  // A frequency that is not a number counts as none (0 Hz); the form shows "Invalid entry ".
  const double hz = LampFrequencyHz(frequencyText, inMHz).value_or(0.0);
  if (const auto message = En55015IsmMessage(hz))
    prompts_.message(MessageKind::Information, *message, Buttons::Ok);
  return tq::En55015Category(lampType, hz);
}

GuideNext Guide::En55015(int category, std::optional<int> testType) {
  if (testType) state_.testType = *testType;
  switch (const int code = En55015TestCode(category, testType)) {
    case 20:
      return chosen(code, {GuideStep::TestAc, "Test Type A (Conducted)"});
    case 21:
      return chosen(code, {GuideStep::TestE, ""});
    case 22:
      return chosen(code, {GuideStep::TestF, ""});
    default:
      return chosen(code, {});
  }
}

GuideNext Guide::En55022(int cls) {
  const int code = En55022TestCode(cls, state_.testType);
  if (code <= 25) return chosen(code, {GuideStep::TestAc, "Test Type A (Conducted)"});
  return chosen(code, {GuideStep::TestB, ""});
}

void Guide::En55025(int category, int interference, int classIndex) {
  target_.LoadVehicleLimit(
      VehicleLimitRecord(category, interference, classIndex, target_.QuasiPeakDetector()));
}

GuideNext Guide::En60945(int test) {
  const int code = En60945TestCode(std::clamp(test, 0, 2));
  if (code == 49) return chosen(code, {GuideStep::TestB, ""});
  if (code == 51) return chosen(code, {GuideStep::TestAc, "Test Type A (Conducted)"});
  chosen(code, {});
  target_.SetPreampGain(0);
  instructions_ = CurrentProbeInstructions(standard_);
  return {GuideStep::LineSelect, ""};
}

GuideNext Guide::En50081a(bool conducted, bool transients, int limitChoice) {
  const int code = En50081aTestCode(conducted, transients, limitChoice);
  if (!conducted) return chosen(code, {GuideStep::TestB, ""});
  return chosen(code, {GuideStep::TestAc, "Test Type A"}, transients ? clickAnswerDb_ : 0);
}

GuideNext Guide::En50081b(bool conducted, bool transients) {
  const int code = En50081bTestCode(conducted, transients);
  if (!conducted) return chosen(code, {GuideStep::TestB, ""});
  // EN55011 Class A mains, from the European file whatever the region.
  target_.LoadBuiltInLimit(kEuropeanRegion, 34);
  return chosen(code, {GuideStep::TestAc, "Test Type A"}, transients ? clickAnswerDb_ : 0);
}

// ---------------------------------------------------------------------------------------
// Test-method forms

bool Guide::TestAc(int input, bool threePhase, int preamp) {
  state_.conductedInput = std::clamp(input, 0, 3);
  state_.preampChoice = std::clamp(preamp, 0, 3);
  instructions_ = ConductedInstructions(standard_, state_.testCode,
                                        {state_.conductedInput, threePhase, state_.preampChoice});
  return threePhase;
}

void Guide::TestB(bool withErs) {
  instructions_ = RadiatedInstructions(standard_, withErs);
}

void Guide::TestD() {
  instructions_ = ClampInstructions(standard_);
}

void Guide::TestE(int source) {
  instructions_ = InsertionLossInstructions(standard_, source);
}

void Guide::TestF(int antenna) {
  state_.loopVariant = std::clamp(antenna, 0, 3);
  instructions_ = LoopInstructions(standard_, state_.loopVariant);
}

// ---------------------------------------------------------------------------------------
// The instruction window

void Guide::CancelInstructions() {
  target_.ClearLimit();
}

void Guide::SetAnalyser() {
  const int code = state_.testCode;
  const SpanSetUp span = SpanSetUpFor(code);
  target_.StopRun();
  // The range comes first: declined, it leaves the analyser as it was, since the span, limit
  // and input of the other range would not suit it.
  const bool wantHigh = span == SpanSetUp::HighRange;
  const bool rangeChange = span != SpanSetUp::Unchanged && target_.HighRange() != wantHigh;
  if (rangeChange && !target_.ChangeRange(wantHigh)) return;
  target_.SetLogAxis(true);
  target_.SetSweepMode();
  setSpan(code, rangeChange);
  SelectLimit();
  setInput(code);
  target_.ApplySpan();
}

void Guide::setSpan(int code, bool rangeChanged) {
  // The range change set its range's whole span itself.
  switch (SpanSetUpFor(code)) {
    case SpanSetUp::HighRange:
      if (rangeChanged) return;
      target_.SetSpan(kHighStartHz, kHighFinishHz);
      target_.SetLogSpanIndex(2);
      return;
    case SpanSetUp::LowRange:
      if (rangeChanged) return;
      target_.SetSpan(kLowStartHz, kLowFinishHz);
      target_.SetLogSpanIndex(1);
      return;
    case SpanSetUp::LowWide:
      target_.SetSpan(kLowStartHz, kLowFinishHz);
      target_.SetLogSpanIndex(4);
      return;
    case SpanSetUp::Broadcast:
      target_.SetLogAxis(false);
      target_.SetSpan(150000, 1605000);
      return;
    case SpanSetUp::Unchanged:
      return;
  }
}

void Guide::setInput(int code) {
  switch (InputSetUpFor(code)) {
    case InputSetUp::Conducted: {
      static constexpr std::array<Command, 4> kInputs{Command::LISN1, Command::LISN1, Command::KVP1,
                                                      Command::kvp2};
      target_.SelectInput(kInputs[static_cast<std::size_t>(state_.conductedInput)], code);
      target_.SetPreampGain(PreampGainDb(state_.preampChoice));
      break;
    }
    case InputSetUp::BroadbandAntenna:
      target_.SelectInput(Command::NX201, code);
      break;
    case InputSetUp::AbsorbingClamp:
      target_.SelectInput(Command::NX401, code);
      target_.SetLogSpanIndex(3);
      break;
    case InputSetUp::LoopAntenna:
      target_.SelectInput(Command::NX301, code);
      break;
    case InputSetUp::Attenuation30:
      target_.SetAttenuation(30);
      break;
    case InputSetUp::UserAntenna:
      target_.SelectInput(Command::Selectuserantenna1, code);
      break;
    case InputSetUp::Unchanged:
      break;
  }
}

}  // namespace tq
