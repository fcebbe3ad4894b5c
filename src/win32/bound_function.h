#pragma once

#include <windows.h>

namespace nexolant::win32 {

// Binds function to the export name of module, with the type of the function's declaration
// (decltype of the system header's declaration); false when the export is missing.
template <typename Function>
bool BindFunction(HMODULE module, const char* name, Function*& function) {
  function =
      module == nullptr
          ? nullptr
          : reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
  return function != nullptr;
}

// The export name of module as a pointer of type Pointer; null when it is missing.
template <typename Pointer>
Pointer BoundFunction(HMODULE module, const char* name) {
  Pointer function = nullptr;
  BindFunction(module, name, function);
  return function;
}

}  // namespace nexolant::win32
