#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "corrections/LimitFiles.h"
#include "link/Link.h"
#include "measure/ScanEngine.h"
#include "model/DataFrame.h"
#include "model/Features.h"
#include "model/MeasurementState.h"
#include "model/WindowModel.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "platform/Ticks.h"
#include "traces/TraceSet.h"

namespace tq {

// What the single-frequency settings dialog shows and gives back.
struct SingleFrequencySettings {
  bool autoPeak = false;  // "Auto Peak Tracking On"
  int detector = 0;       // 0 Instantaneous, 1 Average, 2 True Quasi Peak
  int rate = 2;           // 0 Slow, 1 Medium, 2 Fast
  bool useErs = false;    // "Use ERS Correction"
  bool operator==(const SingleFrequencySettings&) const = default;
};

// The sampling value the analyser is given for a rate: Slow, Medium, Fast.
int SamplingValueForRate(int rate);
// "h:nn:ss", as the time axis shows it.
std::string SampleTimeFormat(const DateTime& t);

// The frequencies a single frequency is held to in each range.
std::int32_t ClampToRange(std::int32_t hz, bool highRange);

// Measurement of one frequency over time: choosing it on the graph, the settings dialog's
// commands, the tune buttons and each sample the analyser reports. The samples fill a
// rolling window of 500 that scrolls by 100.
class SingleFrequencyMeasurement : public SingleFrequency {
 public:
  SingleFrequencyMeasurement(MeasurementState& state, WindowModel& model, MainView& view,
                             Link& link, TraceSet& traces, ScanEngine& scan, LimitFiles& limit,
                             OstrocellRelay& relay, Ticks& ticks, Prompts& prompts, Clock& clock);
  SingleFrequencyMeasurement(const SingleFrequencyMeasurement&) = delete;
  SingleFrequencyMeasurement& operator=(const SingleFrequencyMeasurement&) = delete;

  // SingleFrequency
  std::int32_t FrequencyHz() const override { return frequencyHz_; }
  bool UsesErs() const override { return settings_.useErs; }
  int Detector() const override { return settings_.detector; }
  std::string SampleTimeText(int k) const override;
  // Sends the held tune commands and the ACK before anything the window shows of it.
  void SampleReceived(const DataFrame& frame) override;
  void EndView() override;
  SingleFrequencyRecord Record() const override;
  void Restore(const SingleFrequencyRecord& record) override;

  // "Single" / "Scan".
  void Button17Click();
  // The frequency picked on the graph while waiting for it.
  void FrequencyPicked(std::int32_t hz);
  // The settings dialog: what it shows when it opens, and its two buttons.
  SingleFrequencySettings FormActivate();
  void OKBtnClick(const SingleFrequencySettings& chosen);
  void CancelBtnClick();
  // The tune buttons: a click tunes once; while one is held every sample tunes again.
  void BitBtn1Click() { tune(0x4B); }
  void BitBtn2Click() { tune(0x4C); }
  void BitBtn1MouseDown() { tuneUpHeld_ = true; }
  void BitBtn1MouseUp() { tuneUpHeld_ = false; }
  void BitBtn2MouseDown() { tuneDownHeld_ = true; }
  void BitBtn2MouseUp() { tuneDownHeld_ = false; }

  const SingleFrequencySettings& settings() const { return settings_; }
  int samplingValue() const { return samplingValue_; }
  bool tuneUpHeld() const { return tuneUpHeld_; }
  bool tuneDownHeld() const { return tuneDownHeld_; }
  bool archiveAvailable() const { return archiveAvailable_; }

 private:
  void tune(std::uint8_t code);
  void storeSampleTime(int sample);
  void scroll();
  void leave();

  MeasurementState& state_;
  WindowModel& model_;
  MainView& view_;
  Link& link_;
  TraceSet& traces_;
  ScanEngine& scan_;
  LimitFiles& limit_;
  OstrocellRelay& relay_;
  Ticks& ticks_;
  Prompts& prompts_;
  Clock& clock_;

  std::int32_t frequencyHz_ = 0;
  SingleFrequencySettings settings_;
  std::int32_t samplingValue_ = 0;  // 0 until a measurement has been set up
  bool tuneUpHeld_ = false;
  bool tuneDownHeld_ = false;
  bool archiveAvailable_ = false;
  std::array<std::string, 6> timeLabels_;
};

}  // namespace tq
