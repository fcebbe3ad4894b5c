#pragma once

#include "win32/unique_handle.h"

namespace nexolant::win32 {

// Loads the library of that file name from the system's folder by its full path, so that no
// search order applies: a file of the same name beside the program or in the current folder is
// never loaded. Empty when it cannot be loaded.
UniqueModule LoadSystemLibrary(const char* name);

}  // namespace nexolant::win32
