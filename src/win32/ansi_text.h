#pragma once

#include <string>
#include <string_view>

namespace nexolant::win32 {

// The text in the ANSI code page, every character the code page lacks as "?". The system's
// default conversion picks look-alikes instead (Greek alpha as "a", a fullwidth asterisk as
// "*"), which could make a name read as another one that exists.
std::string AnsiOf(std::wstring_view text);

}  // namespace nexolant::win32
