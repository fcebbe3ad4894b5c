#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace nexolant {

// The index entry of a file whose name the ANSI code page cannot hold. Such a file lies in the
// Quarantine folder under a plain name of its own; its [Files] line is ":" and that name as
// the key, which no reader of plain names takes for a file name (":" is no file-name
// character), and its exact origin path (UTF-8) as the value, in pure ASCII: every byte
// outside the printable ASCII range, and "%" itself, is written as "%" and two upper-case hex
// digits.
inline constexpr char kExactEntryMark = ':';

std::string ExactEntryKey(std::string_view stored);
// The stored name of an exact entry's key; none when the key is no such key.
std::optional<std::string> StoredNameOfKey(std::string_view key);

std::string EncodeExactPath(std::string_view path);
// None for text that is not such an encoding.
std::optional<std::string> DecodeExactPath(std::string_view text);

}  // namespace nexolant
