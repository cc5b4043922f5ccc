#pragma once

#include <cstdint>

#include "model/CommandId.h"

namespace tq {

// What the guide asks of the main window. Each operation is the one the window's own buttons
// and menus run, so that a set-up made by the guide is the set-up the user could have made.
class GuideTarget {
 public:
  virtual ~GuideTarget() = default;

  // The Values window is closed when the guide starts.
  virtual void HideValuesWindow() = 0;
  // A sweep in progress ends before the guide changes the span and the input.
  virtual void StopRun() = 0;

  // Range and span.
  virtual bool HighRange() const = 0;
  // Changes range as the Low and High buttons do, with their question and delay; false when
  // the question was declined and the range stays.
  virtual bool ChangeRange(bool toHigh) = 0;
  virtual void SetLogAxis(bool on) = 0;
  virtual void SetSweepMode() = 0;
  virtual void SetSpan(std::int32_t startHz, std::int32_t finishHz) = 0;
  virtual void SetLogSpanIndex(int index) = 0;
  // The traces follow the new span; the span and axis controls are updated and the window
  // repainted.
  virtual void ApplySpan() = 0;

  // The front end: an entry of the Inputs menu as choosing it does (the test code tells the
  // broadband antenna whether the guide's test sets its own distance), the pre-amplifier
  // gain and the attenuation.
  virtual void SelectInput(Command entry, int testCode) = 0;
  virtual void SetPreampGain(int db) = 0;
  virtual void SetAttenuation(int db) = 0;

  // Limits.
  virtual void LoadBuiltInLimit(int fileSelector, int record) = 0;
  virtual void LoadVehicleLimit(int record) = 0;
  virtual void ClearLimit() = 0;
  // Display > Limit is checked.
  virtual void ShowLimit() = 0;
  virtual void SetClickAllowance(int db) = 0;
  virtual bool QuasiPeakDetector() const = 0;

  virtual void Repaint() = 0;
};

}  // namespace tq
