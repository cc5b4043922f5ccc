#pragma once

#include "platform/Clock.h"

namespace tq {

// The host's local date and time.
class QtClock : public Clock {
 public:
  DateTime now() const override;
};

}  // namespace tq
