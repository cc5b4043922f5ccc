#include "PollTicks.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <ctime>
#include <limits>

namespace tq::sim {

struct PollTicks::TimerEntry : Timer {
  PollTicks* owner = nullptr;
  std::weak_ptr<std::vector<TimerEntry*>> registry;
  std::function<void()> onTimeout;
  int interval = 1000;
  bool on = false;
  double due = 0.0;

  ~TimerEntry() override {
    if (auto list = registry.lock()) std::erase(*list, this);
  }
  void setEnabled(bool enabled) override {
    if (enabled && !on && owner) due = owner->nowMs() + interval;
    on = enabled;
  }
  bool enabled() const override { return on; }
  void setIntervalMs(int ms) override {
    interval = std::max(1, ms);
    if (on && owner) due = owner->nowMs() + interval;
  }
  int intervalMs() const override { return interval; }
};

PollTicks::PollTicks()
    : origin_(std::chrono::steady_clock::now()),
      timers_(std::make_shared<std::vector<TimerEntry*>>()) {}

PollTicks::~PollTicks() {
  for (TimerEntry* t : *timers_) t->owner = nullptr;
}

double PollTicks::nowMs() const {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - origin_)
      .count();
}

void PollTicks::wait(int ticks) {
  const double until = nowMs() + std::max(0, ticks) * kTickMs;
  do {
    turn(until);
  } while (nowMs() < until);
}

std::unique_ptr<Timer> PollTicks::createTimer(int intervalMs, std::function<void()> onTimeout) {
  auto timer = std::make_unique<TimerEntry>();
  timer->owner = this;
  timer->registry = timers_;
  timer->onTimeout = std::move(onTimeout);
  timer->interval = std::max(1, intervalMs);
  timers_->push_back(timer.get());
  return timer;
}

void PollTicks::post(double delayMs, std::function<void()> fn) {
  posted_.emplace(std::make_pair(nowMs() + std::max(0.0, delayMs), sequence_++), std::move(fn));
}

void PollTicks::watchReadable(int fd, std::function<void()> onReadable) {
  watches_.emplace_back(fd, std::move(onReadable));
}

void PollTicks::run(const volatile std::sig_atomic_t& stop) {
  while (!stop) turn(nowMs() + 1000.0);
}

void PollTicks::turn(double untilMs) {
  double nextDue = untilMs;
  if (!posted_.empty()) nextDue = std::min(nextDue, posted_.begin()->first.first);
  for (const TimerEntry* t : *timers_) {
    if (t->on) nextDue = std::min(nextDue, t->due);
  }
  std::vector<pollfd> fds;
  for (const auto& w : watches_) fds.push_back({w.first, POLLIN, 0});
  const double waitMs = std::max(0.0, nextDue - nowMs());
  // To the microsecond: a whole-millisecond poll would pace the line up to 1 ms late a call.
  const double waitUs = std::ceil(waitMs * 1000.0);
  timespec timeout{static_cast<time_t>(waitUs / 1e6),
                   static_cast<long>(std::fmod(waitUs, 1e6) * 1000.0)};
  const int ready = ::ppoll(fds.data(), fds.size(), &timeout, nullptr);
  if (ready > 0) {
    for (std::size_t i = 0; i < fds.size() && i < watches_.size(); ++i) {
      if (fds[i].revents != 0) {
        auto callback = watches_[i].second;
        callback();
      }
    }
  }
  // Run what is due now, in order; calls posted meanwhile for now wait for the next turn.
  const double now = nowMs();
  while (!posted_.empty() && posted_.begin()->first.first <= now) {
    auto fn = std::move(posted_.begin()->second);
    posted_.erase(posted_.begin());
    fn();
  }
  for (std::size_t i = 0; i < timers_->size(); ++i) {
    TimerEntry* t = (*timers_)[i];
    if (t->on && t->due <= now) {
      t->due = std::max(t->due + t->interval, now);
      auto callback = t->onTimeout;  // the timer may be destroyed by its own callback
      callback();
    }
  }
}

}  // namespace tq::sim
