#include "doubles/VirtualTicks.h"

#include <algorithm>
#include <limits>

namespace tq::test {

struct VirtualTicks::TimerEntry : Timer {
  VirtualTicks* owner = nullptr;
  std::weak_ptr<std::vector<TimerEntry*>> registry;
  std::function<void()> onTimeout;
  int interval = 1000;
  bool on = false;
  double due = 0.0;
  std::uint64_t order = 0;

  ~TimerEntry() override {
    if (auto list = registry.lock()) std::erase(*list, this);
  }
  void setEnabled(bool enabled) override {
    if (enabled && !on) due = owner->now_ + interval;
    on = enabled;
  }
  bool enabled() const override { return on; }
  void setIntervalMs(int ms) override {
    interval = std::max(1, ms);
    if (on) due = owner->now_ + interval;
  }
  int intervalMs() const override { return interval; }
};

VirtualTicks::VirtualTicks() : timers_(std::make_shared<std::vector<TimerEntry*>>()) {}

VirtualTicks::~VirtualTicks() {
  for (TimerEntry* t : *timers_) t->owner = nullptr;
}

void VirtualTicks::wait(int ticks) {
  if (ticks <= 0) {
    runPending();
    return;
  }
  ticksWaited_ += ticks;
  runUntil(now_ + ticks * kTickMs);
}

std::unique_ptr<Timer> VirtualTicks::createTimer(int intervalMs, std::function<void()> onTimeout) {
  auto timer = std::make_unique<TimerEntry>();
  timer->owner = this;
  timer->registry = timers_;
  timer->onTimeout = std::move(onTimeout);
  timer->interval = std::max(1, intervalMs);
  timer->order = sequence_++;
  timers_->push_back(timer.get());
  return timer;
}

void VirtualTicks::post(double delayMs, std::function<void()> fn) {
  posted_.emplace(std::make_pair(now_ + std::max(0.0, delayMs), sequence_++), std::move(fn));
}

void VirtualTicks::advance(double ms) {
  runUntil(now_ + ms);
}

void VirtualTicks::runUntil(double until) {
  for (;;) {
    double bestDue = std::numeric_limits<double>::infinity();
    TimerEntry* bestTimer = nullptr;
    for (TimerEntry* t : *timers_) {
      if (t->on && t->due < bestDue) {
        bestDue = t->due;
        bestTimer = t;
      }
    }
    const bool postedFirst = !posted_.empty() && posted_.begin()->first.first <= bestDue;
    const double due = postedFirst ? posted_.begin()->first.first : bestDue;
    if (due > until) break;
    now_ = std::max(now_, due);
    if (postedFirst) {
      auto fn = std::move(posted_.begin()->second);
      posted_.erase(posted_.begin());
      fn();
    } else {
      bestTimer->due += bestTimer->interval;
      auto callback = bestTimer->onTimeout;  // the timer may be destroyed by its own callback
      callback();
    }
  }
  now_ = std::max(now_, until);
}

}  // namespace tq::test
