#include "win32/system_library.h"

#include <string>

namespace nexolant::win32 {

UniqueModule LoadSystemLibrary(const char* name) {
  char folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    return UniqueModule();
  }
  const std::string path = std::string(folder, length) + "\\" + name;
  return UniqueModule(LoadLibraryA(path.c_str()));
}

}  // namespace nexolant::win32
