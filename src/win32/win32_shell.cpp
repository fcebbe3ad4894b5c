#include "win32/win32_shell.h"

#include <windows.h>

#include <shellapi.h>

#include "win32/com_scope.h"
#include "win32/wide_names.h"

namespace nexolant::win32 {

platform::Outcome Win32Shell::Open(const platform::Path& target) {
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
  // Values up to 32 are error codes, most of them the system's own; 0 is out of memory.
  const INT_PTR code = reinterpret_cast<INT_PTR>(started);
  if (code > 32) {
    return {};
  }
  return platform::Outcome::Failure(code == 0 ? ERROR_NOT_ENOUGH_MEMORY
                                              : static_cast<std::uint32_t>(code));
}

}  // namespace nexolant::win32
