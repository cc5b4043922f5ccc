#pragma once

#include <chrono>
#include <csignal>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/Ticks.h"

namespace tq::sim {

// Real time for the stand-alone simulator: a poll() loop over file descriptors, timers and
// posted calls. Calls due at the same moment run in the order they were posted.
class PollTicks : public Ticks {
 public:
  PollTicks();
  ~PollTicks() override;

  void wait(int ticks) override;
  std::unique_ptr<Timer> createTimer(int intervalMs, std::function<void()> onTimeout) override;
  void post(double delayMs, std::function<void()> fn) override;
  double nowMs() const override;

  // Calls onReadable from the loop whenever fd has bytes (or has hung up).
  void watchReadable(int fd, std::function<void()> onReadable);
  // Runs until stop is set (by a signal handler, say).
  void run(const volatile std::sig_atomic_t& stop);

  struct TimerEntry;

 private:
  // Runs one round: waits for input until the next due call or untilMs, then runs what is due.
  void turn(double untilMs);

  std::chrono::steady_clock::time_point origin_;
  std::uint64_t sequence_ = 0;
  std::multimap<std::pair<double, std::uint64_t>, std::function<void()>> posted_;
  std::shared_ptr<std::vector<TimerEntry*>> timers_;
  std::vector<std::pair<int, std::function<void()>>> watches_;
};

}  // namespace tq::sim
