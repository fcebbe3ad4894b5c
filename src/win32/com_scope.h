#pragma once

#include <objbase.h>

namespace nexolant::win32 {

// COM initialised on the calling thread for one scope. Nests with an initialisation the
// thread already has (the reference is given back at the end); a thread already in the
// multithreaded apartment keeps it, which serves as well.
class ComScope {
 public:
  ComScope() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (initialised_) {
      CoUninitialize();
    }
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool initialised_;
};

}  // namespace nexolant::win32
