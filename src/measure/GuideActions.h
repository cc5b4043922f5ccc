#pragma once

#include "corrections/LimitFiles.h"
#include "guide/GuideTarget.h"
#include "measure/InputSelection.h"
#include "measure/ScanEngine.h"
#include "model/MeasurementState.h"
#include "model/WindowModel.h"
#include "traces/TraceSet.h"
#include "view/GraphPointer.h"

namespace tq {

// The guide's hold on the main window: each operation is the one the window's own buttons and
// menus run.
class GuideActions : public GuideTarget {
 public:
  struct Parts {
    MeasurementState& state;
    WindowModel& model;
    MainView& view;
    ScanEngine& scan;
    TraceSet& traces;
    LimitFiles& limit;
    InputSelection& inputs;
    GraphPointer& pointer;
  };
  explicit GuideActions(Parts parts) : p_(parts) {}

  void HideValuesWindow() override;
  void StopRun() override;
  bool HighRange() const override { return p_.state.highRange; }
  bool ChangeRange(bool toHigh) override;
  void SetLogAxis(bool on) override { p_.state.logFrequencyAxis = on; }
  void SetSweepMode() override { p_.state.measurementMode = 0; }
  void SetSpan(std::int32_t startHz, std::int32_t finishHz) override;
  void SetLogSpanIndex(int index) override { p_.state.logSpanIndex = index; }
  void ApplySpan() override;
  void SelectInput(Command entry, int testCode) override;
  void SetPreampGain(int db) override;
  void SetAttenuation(int db) override;
  void LoadBuiltInLimit(int fileSelector, int record) override;
  void LoadVehicleLimit(int record) override { p_.limit.LoadVehicleLimit(record); }
  void ClearLimit() override;
  void ShowLimit() override;
  void SetClickAllowance(int db) override { p_.limit.SetClickAllowance(db); }
  bool QuasiPeakDetector() const override { return p_.state.detector == 3; }
  void Repaint() override { p_.view.repaint(); }

 private:
  Parts p_;
};

}  // namespace tq
