#pragma once

#include <string>
#include <string_view>

#include "platform/path.h"

namespace nexolant::win32 {

// Names between the system's UTF-16 and the core's texts: ANSI (the system's code page) and
// UTF-8 (exact). Text that cannot be converted converts to empty text.
std::wstring WideFromAnsi(std::string_view ansi);
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

// The ANSI spelling as the system shows it: "?" for every character the code page cannot
// hold, never a look-alike (Greek alpha stays "?", not "a"). exact tells whether the spelling
// gives the name back.
std::string AnsiFromWide(std::wstring_view wide, bool* exact = nullptr);

// A path in UTF-16: its exact spelling when it has one, else its ANSI one widened.
std::wstring WideOf(const platform::Path& path);

// A path the system gave in UTF-16, with its exact spelling where the ANSI one does not give
// it back.
platform::Path PathFromWide(std::wstring_view wide);

// Calls the ANSI function of a path without an exact spelling, as the program always has,
// and the wide one of a path with one.
template <typename Ansi, typename Wide>
auto OnPath(const platform::Path& path, Ansi ansi, Wide wide) {
  return path.HasExact() ? wide(WideFromUtf8(path.exact).c_str()) : ansi(path.ansi.c_str());
}

}  // namespace nexolant::win32
