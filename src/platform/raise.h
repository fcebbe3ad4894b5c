#pragma once

#include <utility>

namespace nexolant {

// Calls an event that may have no handler: an unset one does nothing.
template <class Event, class... Args>
void Raise(const Event& event, Args&&... args) {
  if (event) {
    event(std::forward<Args>(args)...);
  }
}

}  // namespace nexolant
