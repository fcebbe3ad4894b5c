#pragma once

#include <windows.h>

namespace nexolant::win32 {

// Binds function to the export name of module, with the type of the function's declaration
// (decltype of the system header's declaration); false when the export is missing.
template <typename Function>
bool BindFunction(HMODULE module, const char* name, Function*& function) {
  function =
      reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
  return function != nullptr;
}

}  // namespace nexolant::win32
