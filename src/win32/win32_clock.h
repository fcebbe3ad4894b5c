#pragma once

#include "platform/clock.h"

namespace nexolant::win32 {

class Win32Clock : public platform::Clock {
 public:
  platform::DateTime Now() override;
  void Sleep(std::uint32_t milliseconds) override;
};

}  // namespace nexolant::win32
