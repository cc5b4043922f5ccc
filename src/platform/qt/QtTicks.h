#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <functional>
#include <memory>

#include "platform/Ticks.h"

namespace tq {

// Ticks on the Qt event loop: a wait runs a local event loop, so timers, port events and
// posted calls go on meanwhile, waits inside them included.
class QtTicks : public Ticks {
 public:
  QtTicks();

  void wait(int ticks) override;
  std::unique_ptr<Timer> createTimer(int intervalMs, std::function<void()> onTimeout) override;
  void post(double delayMs, std::function<void()> fn) override;
  double nowMs() const override;

 private:
  QElapsedTimer clock_;
  // What rounding the last delays to whole milliseconds, and their firing late, left over;
  // never more than a few milliseconds of catching up.
  double carryMs_ = 0.0;
  static constexpr double kMaxCarryMs = 3.0;
  // Posted calls not yet run are dropped with this object.
  QObject context_;
};

}  // namespace tq
