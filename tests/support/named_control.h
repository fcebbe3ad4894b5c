#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "ui/control.h"

namespace nexolant {

// The control of that name and kind in container, for tests that reach controls the way
// automation does; throws std::logic_error when there is none.
template <class T>
T& Named(const ui::Container& container, std::string_view name) {
  T* control = container.Find<T>(name);
  if (control == nullptr) {
    throw std::logic_error("no control " + std::string(name) + " of that kind");
  }
  return *control;
}

}  // namespace nexolant
