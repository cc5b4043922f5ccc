#include "measure/GuideActions.h"

#include <algorithm>

#include "model/Span.h"

namespace tq {

void GuideActions::HideValuesWindow() {
  p_.view.hideValuesWindow();
  p_.pointer.ValuesClosed();
}

void GuideActions::StopRun() {
  if (p_.state.runInProgress) p_.scan.Stop();
}

bool GuideActions::ChangeRange(bool toHigh) {
  // The Low and High buttons change range when the analyser is in the other one.
  if (toHigh)
    p_.scan.Button16Click();
  else
    p_.scan.Button8Click();
  return p_.state.highRange == toHigh;
}

void GuideActions::SetSpan(std::int32_t startHz, std::int32_t finishHz) {
  p_.state.startFrequencyHz = startHz;
  p_.state.finishFrequencyHz = finishHz;
}

void GuideActions::ApplySpan() {
  ApplyLogSpan(p_.state);
  // Peaks of the old span would be merged at the wrong points of the new one.
  p_.traces.DropPeakHold();
  if (!p_.state.runInProgress) FillDisplayGrid(p_.state);
  p_.traces.RemapTraces();
  p_.scan.UpdateSpanButtons();
  p_.view.modelChanged();
  p_.view.repaint();
}

void GuideActions::SelectInput(Command entry, int testCode) {
  if (entry == Command::Selectuserantenna1)
    p_.inputs.Selectuserantenna1Click();
  else if (const InputEntry* e = FindInputEntry(entry))
    p_.inputs.Select(*e, testCode);
  p_.view.modelChanged();
}

void GuideActions::SetPreampGain(int db) {
  p_.state.preampGainDb = db;
  p_.view.modelChanged();
}

void GuideActions::SetAttenuation(int db) {
  p_.scan.ComboBox1Change(std::clamp(db, 0, 30) / 10);
  p_.view.modelChanged();
}

void GuideActions::LoadBuiltInLimit(int fileSelector, int record) {
  p_.limit.LoadBuiltInLimit(fileSelector, record);
  p_.view.modelChanged();
}

void GuideActions::ClearLimit() {
  p_.limit.ClearLimit();
  // The Limit trace and the graph follow the emptied limit.
  p_.traces.RefreshLimitTrace();
  p_.view.repaint();
}

void GuideActions::ShowLimit() {
  p_.model.showLimit = true;
  p_.view.modelChanged();
}

}  // namespace tq
