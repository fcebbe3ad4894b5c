#include "win32/win32_shell.h"

#include <windows.h>

#include <shellapi.h>

#include "win32/com_scope.h"
#include "win32/wide_names.h"

namespace nexolant::win32 {

bool Win32Shell::Open(const platform::Path& target) {
  const ComScope com;
  const HWND window = GetActiveWindow();
  const HINSTANCE started = OnPath(
      target,
      [window](const char* file) {
        return ShellExecuteA(window, "open", file, nullptr, nullptr, SW_SHOWNORMAL);
      },
      [window](const wchar_t* file) {
        return ShellExecuteW(window, L"open", file, nullptr, nullptr, SW_SHOWNORMAL);
      });
  return reinterpret_cast<INT_PTR>(started) > 32;  // smaller values are error codes
}

}  // namespace nexolant::win32
