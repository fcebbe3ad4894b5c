#include "win32/wide_names.h"

#include <windows.h>

#include <utility>

namespace nexolant::win32 {
namespace {

std::wstring WideFrom(UINT codePage, DWORD flags, std::string_view text) {
  if (text.empty()) {
    return {};
  }
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
  if (length <= 0) {
    return {};
  }
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length);
  return wide;
}

std::string NarrowFrom(UINT codePage, DWORD flags, std::wstring_view wide) {
  if (wide.empty()) {
    return {};
  }
  const int size = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) {
    return {};
  }
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, flags, wide.data(), size, text.data(), length, nullptr, nullptr);
  return text;
}

}  // namespace

std::wstring WideFromAnsi(std::string_view ansi) {
  return WideFrom(CP_ACP, 0, ansi);
}

std::wstring WideFromUtf8(std::string_view utf8) {
  return WideFrom(CP_UTF8, MB_ERR_INVALID_CHARS, utf8);
}

std::string Utf8FromWide(std::wstring_view wide) {
  return NarrowFrom(CP_UTF8, 0, wide);
}

// A system whose ANSI code page is UTF-8 takes no flags for it (and holds every name).
std::string AnsiFromWide(std::wstring_view wide, bool* exact) {
  const DWORD flags = GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  std::string ansi = NarrowFrom(CP_ACP, flags, wide);
  if (exact != nullptr) {
    *exact = WideFromAnsi(ansi) == wide;
  }
  return ansi;
}

std::wstring WideOf(const platform::Path& path) {
  return path.HasExact() ? WideFromUtf8(path.exact) : WideFromAnsi(path.ansi);
}

platform::Path PathFromWide(std::wstring_view wide) {
  bool exact = true;
  std::string ansi = AnsiFromWide(wide, &exact);
  return exact ? platform::Path(std::move(ansi))
               : platform::Path(std::move(ansi), Utf8FromWide(wide));
}

}  // namespace nexolant::win32
