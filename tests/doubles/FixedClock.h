#pragma once

#include "platform/Clock.h"

namespace tq::test {

class FixedClock : public Clock {
 public:
  DateTime time;
  DateTime now() const override { return time; }
};

}  // namespace tq::test
