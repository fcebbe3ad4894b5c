#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace nexolant::testing {

// A clock that always tells the same time; sleeping returns at once.
class StoppedClock : public platform::Clock {
 public:
  explicit StoppedClock(platform::DateTime now) : now_(now) {}
  platform::DateTime Now() override { return now_; }
  void Sleep(std::uint32_t) override {}

 private:
  platform::DateTime now_;
};

}  // namespace nexolant::testing
