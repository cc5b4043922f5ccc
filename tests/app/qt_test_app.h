#pragma once

#include <QApplication>
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

}  // namespace tq::test
