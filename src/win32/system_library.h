#pragma once

#include "win32/unique_handle.h"

namespace nexolant::win32 {

// Loads the library name (a bare file name such as "wininet.dll") from the system folder by its
// full path, so that no search order applies and a copy planted beside the program or in the
// current folder is never loaded. Empty when it cannot be loaded.
UniqueModule LoadSystemLibrary(const char* name);

}  // namespace nexolant::win32
