#pragma once

#include <memory>
#include <string>

#include "link/Link.h"
#include "measure/MeasurementState.h"
#include "measure/ScanEngine.h"
#include "measure/WindowModel.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Prompts.h"
#include "platform/SerialPort.h"
#include "platform/Ticks.h"
#include "traces/TraceSet.h"

namespace tq {

// The outside world as the program's core sees it.
struct Ports {
  SerialPort& serial;
  Ticks& ticks;
  Prompts& prompts;
  Files& files;
  Clock& clock;
  MainView& view;
};

// The program's core behind the main window: it owns the measurement state and the link
// and carries the handlers of start-up, shut-down, reset and the clock.
class Program {
 public:
  explicit Program(Ports ports);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  MeasurementState& state() { return state_; }
  const MeasurementState& state() const { return state_; }
  WindowModel& model() { return model_; }
  Link& link() { return link_; }
  TraceSet& traces() { return traces_; }
  const TraceSet& traces() const { return traces_; }
  Ports& ports() { return ports_; }
  ScanEngine& scan() { return scan_; }
  bool started() const { return started_; }

  // First tick of MainTimer.
  void MainTimerTimer();
  void StartUp();
  // The close question; true when the window may close.
  bool CloseQuery();
  void Exit1Click();
  void Reset1Click();
  void Timer1Timer();

  static constexpr const char* kSettingsDir = "C:\\tq4800\\";

 private:
  void readSettingsAtStartUp();
  void askPortNumber();
  void applyFixedStartValues();
  void wireLink();

  Ports ports_;
  MeasurementState state_;
  WindowModel model_;
  Link link_;
  TraceSet traces_;
  ScanEngine scan_;
  std::unique_ptr<Timer> mainTimer_;
  std::unique_ptr<Timer> clockTimer_;
  bool started_ = false;
  bool closing_ = false;
};

// "d mmm yyyy hh:nn", as the clock panel shows it.
std::string FormatClock(const DateTime& t);

}  // namespace tq
