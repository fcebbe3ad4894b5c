#pragma once

#include <string>
#include <string_view>

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

}  // namespace nexolant::win32
