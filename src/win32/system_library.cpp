#include "win32/system_library.h"

#include <string>

#include "win32/bound_function.h"

namespace nexolant::win32 {

UniqueModule LoadSystemLibrary(const char* name) {
  const UINT size = GetSystemDirectoryA(nullptr, 0);
  if (size == 0) {
    return UniqueModule();
  }
  std::string path(size, '\0');
  const UINT length = GetSystemDirectoryA(path.data(), size);
  if (length == 0 || length >= size) {
    return UniqueModule();
  }
  path.resize(length);
  path += '\\';
  path += name;
  return UniqueModule(LoadLibraryA(path.c_str()));
}

void LoadLibrariesFromTheSystemFolderOnly() {
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  const auto setDefaultDllDirectories = BoundFunction<SetDefaultDllDirectoriesFunction>(
      GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
  if (setDefaultDllDirectories != nullptr) {
    setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
}

}  // namespace nexolant::win32
