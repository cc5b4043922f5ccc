#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <functional>
#include <memory>

namespace tq::test {

// A QApplication for the tests of one fixture, unless the test program already has one.
class QtTestApp {
 public:
  QtTestApp() {
    if (!QApplication::instance()) app_ = std::make_unique<QApplication>(argc_, argv_);
  }

 private:
  int argc_ = 1;
  char name_[16] = "tq_qt_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

// Runs the event loop until the condition holds or ms have passed; false on time-out.
inline bool WaitFor(const std::function<bool()>& done, int ms) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

}  // namespace tq::test
