#pragma once

#include "platform/startup_services.h"

namespace nexolant::win32 {

// The service manager, opened for each call with no more rights than the call needs. A
// service's name is its key's name as the registry spells it in ANSI.
class Win32ServiceControl final : public platform::ServiceControl {
 public:
  // Sends the stop control, then waits up to about 10 s for the service to report it stopped.
  platform::Outcome Stop(const std::string& name) override;
  platform::Outcome Delete(const std::string& name) override;
};

}  // namespace nexolant::win32
