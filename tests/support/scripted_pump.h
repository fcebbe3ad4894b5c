#pragma once

#include <functional>
#include <map>

#include "platform/message_pump.h"

namespace nexolant {

// A pump for tests: counts its calls and runs actions inside chosen ones, as the handlers a
// real pump dispatches would run.
class ScriptedPump : public platform::MessagePump {
 public:
  void ProcessMessages() override;

  int Count() const { return count_; }
  // Runs action inside pump call number pumpNumber, counting from 1 over all calls so far.
  void RunAtPump(int pumpNumber, std::function<void()> action);

 private:
  int count_ = 0;
  std::multimap<int, std::function<void()>> actions_;
};

}  // namespace nexolant
