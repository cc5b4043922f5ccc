#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/Ticks.h"

namespace tq::test {

// Virtual time: wait() and advance() run every timer and posted call that falls due, in
// order, without sleeping. Callbacks may wait in turn (nested waits), as on the real loop.
class VirtualTicks : public Ticks {
 public:
  VirtualTicks();
  ~VirtualTicks() override;

  void wait(int ticks) override;
  std::unique_ptr<Timer> createTimer(int intervalMs, std::function<void()> onTimeout) override;
  void post(double delayMs, std::function<void()> fn) override;
  double nowMs() const override { return now_; }

  // Lets virtual time pass by ms, running what falls due.
  void advance(double ms);
  // Runs whatever is due now (posted with no delay).
  void runPending() { runUntil(now_); }
  // Total ticks waited through wait().
  long long ticksWaited() const { return ticksWaited_; }

  struct TimerEntry;

 private:
  void runUntil(double until);

  double now_ = 0.0;
  long long ticksWaited_ = 0;
  std::uint64_t sequence_ = 0;
  std::multimap<std::pair<double, std::uint64_t>, std::function<void()>> posted_;
  std::shared_ptr<std::vector<TimerEntry*>> timers_;
};

}  // namespace tq::test
