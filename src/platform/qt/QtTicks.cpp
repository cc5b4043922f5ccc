#include "platform/qt/QtTicks.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace tq {
namespace {

int ToWholeMs(double ms) {
  return static_cast<int>(std::clamp(std::lround(ms), 0L, 1L << 30));
}

class QtTimer : public Timer {
 public:
  QtTimer(int intervalMs, std::function<void()> onTimeout) : onTimeout_(std::move(onTimeout)) {
    timer_.setInterval(std::max(1, intervalMs));
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
      // A copy: the callback may destroy this timer, and with it the stored function.
      auto callback = onTimeout_;
      if (callback) callback();
    });
  }

  void setEnabled(bool enabled) override {
    if (enabled == timer_.isActive()) return;
    if (enabled)
      timer_.start();
    else
      timer_.stop();
  }
  bool enabled() const override { return timer_.isActive(); }
  // Like the classic timer component, a new interval restarts a running timer.
  void setIntervalMs(int intervalMs) override { timer_.setInterval(std::max(1, intervalMs)); }
  int intervalMs() const override { return timer_.interval(); }

 private:
  std::function<void()> onTimeout_;
  QTimer timer_;
};

}  // namespace

QtTicks::QtTicks() {
  clock_.start();
}

void QtTicks::wait(int ticks) {
  if (ticks <= 0) {
    QCoreApplication::processEvents();
    return;
  }
  QEventLoop loop;
  QTimer::singleShot(ToWholeMs(ticks * kTickMs), Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

std::unique_ptr<Timer> QtTicks::createTimer(int intervalMs, std::function<void()> onTimeout) {
  return std::make_unique<QtTimer>(intervalMs, std::move(onTimeout));
}

void QtTicks::post(double delayMs, std::function<void()> fn) {
  // The timer counts whole milliseconds and fires a little late: what each delay loses or
  // gains, by rounding and by lateness, is carried into the next, so that a chain of delays
  // (a simulated line's bytes) keeps its rate to the microsecond on average instead of
  // drifting by up to a millisecond a call.
  const double wanted = std::max(0.0, delayMs) + carryMs_;
  const int ms = ToWholeMs(wanted);
  carryMs_ = std::clamp(wanted - ms, -kMaxCarryMs, 1.0);
  const double due = nowMs() + ms;
  QTimer::singleShot(ms, Qt::PreciseTimer, &context_, [this, due, fn = std::move(fn)] {
    carryMs_ = std::clamp(carryMs_ - (nowMs() - due), -kMaxCarryMs, 1.0);
    fn();
  });
}

double QtTicks::nowMs() const {
  return static_cast<double>(clock_.nsecsElapsed()) / 1e6;
}

}  // namespace tq
