#include "win32/system_error_text.h"

namespace nexolant::win32 {

std::string SystemErrorText(DWORD code) {
  char buffer[1024];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                code, 0, buffer, sizeof buffer, nullptr);
  if (length == 0) {
    return "System error " + std::to_string(code);
  }
  while (length > 0 && (buffer[length - 1] == '\r' || buffer[length - 1] == '\n')) {
    --length;
  }
  return std::string(buffer, length);
}

platform::SystemError LastSystemError() {
  const DWORD code = GetLastError();
  return platform::SystemError(code, SystemErrorText(code));
}

}  // namespace nexolant::win32
