#include "measure/InputSelection.h"

#include <algorithm>
#include <array>

#include "corrections/AntennaFile.h"
#include "corrections/UserAntennaEditor.h"
#include "model/Numbers.h"
#include "model/Processing.h"

namespace tq {

namespace {

using C = Command;
using L = LimitDisplay;
using D = DbmButton;
using P = DistancePrompt;

constexpr std::array<InputEntry, 11> kEntries{{
    {C::Direct1, kDirectInput, L::Never, D::Enabled, false, P::None, "", nullptr},
    {C::NX101, kNx10Input, L::Never, D::Enabled, false, P::None, "", nullptr},
    {C::NX201, kNx20Input, L::HighRange, D::DisabledDbmOff, true, P::UnlessGuideRadiatedTest,
     "NX20", nullptr},
    {C::NX241, kNx24Input, L::HighRange, D::DisabledDbmOff, true, P::UnlessGuideRadiatedTest,
     "NX24", nullptr},
    {C::NX301, kNx30Input, L::LowRange, D::Enabled, false, P::None, "", nullptr},
    {C::NX401, kNx40Input, L::HighRange, D::DisabledDbmOff, false, P::None, "", nullptr},
    {C::NX501, kNx50Input, L::HighRange, D::Enabled, false, P::Always, "NX50", nullptr},
    {C::KVP1, kKvpInput, L::LowRange, D::Enabled, false, P::None, "",
     "KVP : Do NOT Use this Item if PA76 Pre-Amp is Used."},
    {C::kvp2, kKvpPa76Input, L::LowRange, D::Enabled, false, P::None, "",
     "KVP + PA76 : Ensure Pre-amp is Set to ZERO Unless Using TQ4820 as Well."},
    {C::Ostrocell1, kOstrocellInput, L::Always, D::Unchanged, false, P::None, "", nullptr},
    {C::LISN1, kLisnInput, L::LowRange, D::Unchanged, false, P::None, "", nullptr},
}};

}  // namespace

const InputEntry* FindInputEntry(Command command) {
  for (const InputEntry& e : kEntries)
    if (e.command == command) return &e;
  return nullptr;
}

InputSelection::InputSelection(MeasurementState& state, WindowModel& model, MainView& view,
                               Prompts& prompts, Files& files, TraceSet& traces, Link& link,
                               Transducer& transducer)
    : state_(state),
      model_(model),
      view_(view),
      prompts_(prompts),
      files_(files),
      traces_(traces),
      link_(link),
      transducer_(transducer) {}

void InputSelection::resetTransducer() {
  traces_.SetProcessingMode(kProcessingOff);
  transducer_.ResetTransducer();
  model_.inputLabels[0] = "INPUT";
}

void InputSelection::setLimitDisplay(bool on) {
  model_.limitEnabled = on;
  model_.showLimit = on;
}

void InputSelection::showInput() {
  model_.inputLabels = transducer_.InputLabels();
  view_.modelChanged();
  view_.repaint();
}

void InputSelection::Select(const InputEntry& entry, int guideTestCode) {
  if (entry.warning) prompts_.message(MessageKind::Warning, entry.warning, Buttons::Ok);
  resetTransducer();
  transducer_.SetInputCode(entry.code);
  transducer_.LoadTransducerFactors(entry.code);
  transducer_.UseBuiltInDescription();

  switch (entry.limit) {
    case L::Never:
      setLimitDisplay(false);
      break;
    case L::HighRange:
      setLimitDisplay(state_.highRange);
      break;
    case L::LowRange:
      setLimitDisplay(!state_.highRange);
      break;
    case L::Always:
      setLimitDisplay(true);
      break;
  }
  switch (entry.dbm) {
    case D::Enabled:
      model_.dbmButtonEnabled = true;
      break;
    case D::DisabledDbmOff:
      state_.dbmUnits = false;
      model_.dbmButtonEnabled = false;
      break;
    case D::Unchanged:
      break;
  }
  // Only the broadband antennas hold the pre-amplifier; every other input gives the
  // selector back, or it would stay disabled for good.
  if (entry.forcesPreamp) state_.preampGainDb = 20;
  model_.preampSelectorEnabled = !entry.forcesPreamp;
  if (entry.code == kLisnInput) state_.lisnInsertionLossDb = 20;
  if (entry.code == kOstrocellInput) link_.FirmwareAdviceCheck();

  const bool guideSetsDistance = guideTestCode >= 1 && guideTestCode <= 8;
  if (entry.distance == P::Always ||
      (entry.distance == P::UnlessGuideRadiatedTest && !guideSetsDistance))
    AskMeasuringDistance(entry.modelName);
  showInput();
}

void InputSelection::SelectForResult(int code) {
  const InputEntry* entry = nullptr;
  for (const InputEntry& e : kEntries)
    if (e.code == code) entry = &e;
  if (code == kUserAntennaInput) {
    // The file does not name the antenna file: the user antenna keeps its description.
    transducer_.SetInputCode(kUserAntennaInput);
    transducer_.LoadTransducerFactors(kUserAntennaInput);
    setLimitDisplay(true);
    model_.dbmButtonEnabled = true;
    model_.preampSelectorEnabled = true;
    model_.inputLabels = transducer_.InputLabels();
    return;
  }
  if (!entry) entry = FindInputEntry(C::Direct1);
  transducer_.SetInputCode(entry->code);
  transducer_.LoadTransducerFactors(entry->code);
  transducer_.UseBuiltInDescription();
  setLimitDisplay(entry->limit == L::Always || (entry->limit == L::HighRange && state_.highRange) ||
                  (entry->limit == L::LowRange && !state_.highRange));
  if (entry->dbm != D::Unchanged) model_.dbmButtonEnabled = entry->dbm == D::Enabled;
  if (entry->dbm == D::DisabledDbmOff) state_.dbmUnits = false;
  if (entry->forcesPreamp) state_.preampGainDb = 20;
  model_.preampSelectorEnabled = !entry->forcesPreamp;
  if (entry->code == kLisnInput) state_.lisnInsertionLossDb = 20;
  if (entry->code == kOstrocellInput) transducer_.SetDescription("Using Ostrocell");
  model_.inputLabels = transducer_.InputLabels();
}

void InputSelection::SelectDirectInput() {
  transducer_.SelectDirectInput();
  setLimitDisplay(false);
  model_.inputLabels = transducer_.InputLabels();
  model_.dbmButtonEnabled = true;
  model_.preampSelectorEnabled = true;
}

void InputSelection::CreateAntennafile1Click() {
  resetTransducer();
  transducer_.SetInputCode(kUserAntennaInput);
  model_.preampSelectorEnabled = true;
  model_.inputLabels = {"USER", "", ""};
  view_.modelChanged();
  view_.repaint();
}

void InputSelection::Selectuserantenna1Click() {
  const auto name =
      prompts_.openFileName("Select Antenna File", UserAntennaEditor::kFilter, state_.defaultPath);
  // A cancelled choice leaves the input as it was, with the low-level correction on.
  if (!name) {
    transducer_.SetLowLevelCorrection(true);
    view_.repaint();
    return;
  }
  resetTransducer();
  transducer_.SetInputCode(kUserAntennaInput);
  setLimitDisplay(true);
  model_.dbmButtonEnabled = true;
  model_.preampSelectorEnabled = true;
  transducer_.SetDescription("");
  if (const auto text = files_.readAll(*name)) {
    const AntennaFile file = ReadAntennaFile(*text);
    transducer_.SetDescription(file.title);
    if (file.radiated) AskMeasuringDistance(file.title);
    transducer_.SetUserRows(file.pairs);
  } else {
    prompts_.message(MessageKind::Error, "Unable to read " + *name, Buttons::Ok);
  }
  transducer_.SetLowLevelCorrection(true);
  showInput();
}

LisnValues InputSelection::Lisn() const {
  return {transducer_.lisnSource(), std::clamp(state_.lisnInsertionLossDb / 10, 0, 3)};
}

void InputSelection::ApplyLisn(const LisnValues& values) {
  transducer_.SetLisnSource(values.source);
  state_.lisnInsertionLossDb = 10 * std::clamp(values.lossIndex, 0, 3);
  showInput();
}

CellValues InputSelection::Cell() const {
  CellValues v;
  v.type = transducer_.cellType();
  v.serial = transducer_.cellSerial();
  if (v.type != 0 && v.serial != 0)
    v.usbText = state_.usbLinkOk ? "USB Connection Made" : "USB Connection Not Made";
  return v;
}

void InputSelection::AcceptCell(int type, std::string_view serialText) {
  resetTransducer();
  transducer_.SetCellType(type);
  transducer_.SetInputCode(kOstrocellInput);
  setLimitDisplay(true);
  transducer_.SetDescription("Using Ostrocell");
  model_.dbmButtonEnabled = true;
  model_.preampSelectorEnabled = true;
  transducer_.SetCellSerial(serialText);
  model_.cellRowsText = std::to_string(transducer_.ReadCellFile());
  showInput();
}

void InputSelection::AskMeasuringDistance(std::string_view modelName) {
  const std::string caption =
      std::string(modelName) +
      (state_.antennaDistanceAlt ? " Ant. Distance (ALT)" : " Ant. Distance (STD)");
  const auto answer = prompts_.inputBox(caption, "Enter Antenna Distance in Metres",
                                        FormatFixed(transducer_.MeasuringDistanceM(), 5, 1));
  if (!answer) return;
  if (const auto metres = WholeNumber(*answer))
    transducer_.SetMeasuringDistanceM(static_cast<float>(*metres));
}

bool InputSelection::AntennaDistanceClick() {
  if (!state_.antennaDistanceAlt) return true;
  if (prompts_.message(MessageKind::Confirmation,
                       "Antenna Distance. Do you wish to revert to standard operation ?",
                       Buttons::YesNo) == Answer::Yes)
    state_.antennaDistanceAlt = false;
  return false;
}

}  // namespace tq
