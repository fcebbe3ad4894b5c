#pragma once

#include "platform/startup_services.h"

namespace nexolant::win32 {

// The Task Scheduler through its COM interface (ITaskService), connected afresh for each call
// to the local scheduler as the calling user. Each call takes its own COM reference.
class Win32ScheduledTasks final : public platform::ScheduledTasks {
 public:
  platform::TaskListResult List() override;
  platform::TaskDefinitionResult Definition(const std::string& path) override;
  bool Exists(const std::string& path) override;
  platform::Outcome Delete(const std::string& path) override;
  // The definition runs as the principal it names itself: no user or password is given.
  platform::Outcome Register(const std::string& path, const std::string& xml) override;
};

}  // namespace nexolant::win32
