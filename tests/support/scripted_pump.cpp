#include "support/scripted_pump.h"

#include <utility>
#include <vector>

namespace nexolant {

void ScriptedPump::ProcessMessages() {
  const int pump = ++count_;
  // Taken out before running, so that pumps nested in an action do not run it again.
  std::vector<std::function<void()>> due;
  const auto [first, last] = actions_.equal_range(pump);
  for (auto it = first; it != last; ++it) {
    due.push_back(std::move(it->second));
  }
  actions_.erase(first, last);
  for (auto& action : due) {
    action();
  }
}

void ScriptedPump::RunAtPump(int pumpNumber, std::function<void()> action) {
  actions_.emplace(pumpNumber, std::move(action));
}

}  // namespace nexolant
