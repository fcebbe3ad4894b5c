#pragma once

#include <string>
#include <string_view>

#include "platform/registry.h"

// What the writer and the reader of registration files share.
namespace nexolant::registration {

inline constexpr char16_t kHeader[] = u"Windows Registry Editor Version 5.00";
inline constexpr char16_t kLineEnd[] = u"\r\n";

// The UTF-16LE code units of the bytes; a last odd byte is left out.
platform::WideString DecodeUtf16(std::string_view bytes);

// The text's code units as UTF-16LE bytes.
void AppendUtf16(std::string& bytes, std::u16string_view text);

// The file's bytes: the byte-order mark, then the text in UTF-16LE.
std::string EncodeFile(std::u16string_view text);

}  // namespace nexolant::registration
