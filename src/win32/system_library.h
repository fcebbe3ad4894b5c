#pragma once

#include "win32/unique_handle.h"

namespace nexolant::win32 {

// Loads the library of that file name from the system's folder by its full path, so that no
// search order applies: a file of the same name beside the program or in the current folder is
// never loaded. Empty when it cannot be loaded.
UniqueModule LoadSystemLibrary(const char* name);

// Libraries loaded after the start come from the system folder only, so that a DLL planted
// beside the program (a Downloads folder, an unpacked zip) or in the current folder is never
// loaded. Windows 7 without its update KB2533623 lacks the call: importing it would keep the
// program from starting there, so it is looked up, and where it is missing the program goes on
// with the libraries it binds by full path.
void LoadLibrariesFromTheSystemFolderOnly();

}  // namespace nexolant::win32
