#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace tq {

// Milliseconds in one tick of the original PC timer (1/18.2 s).
inline constexpr double kTickMs = 1000.0 / 18.2;

// A repeating timer owned by whoever created it; destroying it stops it.
class Timer {
 public:
  virtual ~Timer() = default;
  virtual void setEnabled(bool enabled) = 0;
  virtual bool enabled() const = 0;
  virtual void setIntervalMs(int intervalMs) = 0;
  virtual int intervalMs() const = 0;
};

// Time and the event loop: waits that keep events flowing, timers and deferred calls.
// Every callback runs on the user-interface thread, possibly inside a wait() further up
// the stack, so handlers must tolerate being re-entered.
class Ticks {
 public:
  virtual ~Ticks() = default;

  // Waits the given number of ticks while timers, port events and posted calls go on.
  virtual void wait(int ticks) = 0;
  // A timer that calls onTimeout every intervalMs while enabled; created disabled.
  virtual std::unique_ptr<Timer> createTimer(int intervalMs, std::function<void()> onTimeout) = 0;
  // Runs fn once, delayMs from now, from the event loop.
  virtual void post(double delayMs, std::function<void()> fn) = 0;
  // Monotonic milliseconds since an arbitrary origin.
  virtual double nowMs() const = 0;
};

}  // namespace tq
