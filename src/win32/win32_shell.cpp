#include "win32/win32_shell.h"

#include <windows.h>

#include <shellapi.h>

#include "win32/com_scope.h"

namespace nexolant::win32 {

bool Win32Shell::Open(const std::string& target) {
  const ComScope com;
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(GetActiveWindow(), "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;  // smaller values are error codes
}

}  // namespace nexolant::win32
