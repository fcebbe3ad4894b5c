#include "win32/ansi_text.h"

#include <windows.h>

namespace nexolant::win32 {

std::string AnsiOf(std::wstring_view text) {
  if (text.empty()) {
    return {};
  }
  const int length = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr,
                                       0, "?", nullptr);
  std::string ansi(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, ansi.data(), size, "?",
                      nullptr);
  return ansi;
}

}  // namespace nexolant::win32
