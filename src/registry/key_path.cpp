#include "registry/key_path.h"

#include <array>
#include <utility>

#include "platform/errors.h"

namespace nexolant {

using platform::RegistryRoot;
using platform::WideString;

namespace {

constexpr std::array<std::pair<RegistryRoot, const char16_t*>, 4> kHives = {{
    {RegistryRoot::kClassesRoot, u"HKEY_CLASSES_ROOT"},
    {RegistryRoot::kCurrentUser, u"HKEY_CURRENT_USER"},
    {RegistryRoot::kLocalMachine, u"HKEY_LOCAL_MACHINE"},
    {RegistryRoot::kUsers, u"HKEY_USERS"},
}};

}  // namespace

std::optional<std::vector<WideString>> SplitKeyPath(const WideString& path) {
  if (path.empty()) {
    return std::nullopt;
  }
  std::vector<WideString> names;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = path.find(u'\\', start);
    names.push_back(path.substr(start, end - start));
    if (names.back().empty()) {
      return std::nullopt;
    }
    if (end == WideString::npos) {
      return names;
    }
    start = end + 1;
  }
}

WideString JoinKeyPath(const WideString& parent, const WideString& name) {
  return parent.empty() ? name : parent + u'\\' + name;
}

bool IsKeyName(const WideString& name) {
  return !name.empty() && name.size() <= kKeyNameLimit &&
         name.find_first_of(std::u16string_view(u"\\\0", 2)) == WideString::npos;
}

bool IsMissingKey(std::uint32_t error) {
  return error == platform::kErrorFileNotFound || error == platform::kErrorPathNotFound;
}

WideString FoldAsciiCase(WideString text) {
  for (char16_t& c : text) {
    if (c >= u'a' && c <= u'z') {
      c = static_cast<char16_t>(c - u'a' + u'A');
    }
  }
  return text;
}

WideString WideHiveName(RegistryRoot root) {
  for (const auto& [hiveRoot, name] : kHives) {
    if (hiveRoot == root) {
      return name;
    }
  }
  return {};
}

std::optional<RegistryRoot> RootOfHiveName(const WideString& name) {
  const WideString folded = FoldAsciiCase(name);
  for (const auto& [root, hiveName] : kHives) {
    if (folded == hiveName) {
      return root;
    }
  }
  return std::nullopt;
}

WideString WideFromUtf8(std::string_view utf8) {
  WideString wide;
  for (std::size_t k = 0; k < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[k]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    char32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
    bool valid = lead < 0x80 || (lead >= 0xC2 && lead < 0xF5 && k + length <= utf8.size());
    for (std::size_t i = 1; valid && i < length; ++i) {
      const unsigned char next = static_cast<unsigned char>(utf8[k + i]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    k += valid ? length : 1;
    if (!valid || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) {
      wide += u'\xFFFD';
    } else if (code >= 0x10000) {
      wide += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
      wide += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      wide += static_cast<char16_t>(code);
    }
  }
  return wide;
}

}  // namespace nexolant
