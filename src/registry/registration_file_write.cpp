#include <cstdint>
#include <set>

#include "registry/key_path.h"
#include "registry/registration_file.h"
#include "registry/registration_format.h"

namespace nexolant {

using platform::WideString;

namespace {

// A hex line is broken after the comma that brings it to this many characters.
constexpr std::size_t kHexLineWidth = 77;

bool HasLineBreakOrZero(const WideString& name) {
  return name.find_first_of(std::u16string_view(u"\r\n\0", 3)) != WideString::npos;
}

// No line breaks in names, and no two values or subkeys of one key whose names differ only in
// the case of ASCII letters, which the reader would take for one listed twice.
bool TreeFitsTheForm(const KeyTree& tree) {
  if (HasLineBreakOrZero(tree.name)) {
    return false;
  }
  std::set<WideString> values;
  for (const TreeValue& value : tree.values) {
    if (HasLineBreakOrZero(value.name) || !values.insert(FoldAsciiCase(value.name)).second) {
      return false;
    }
  }
  std::set<WideString> subkeys;
  for (const KeyTree& subkey : tree.subkeys) {
    if (!subkeys.insert(FoldAsciiCase(subkey.name)).second || !TreeFitsTheForm(subkey)) {
      return false;
    }
  }
  return true;
}

WideString Quoted(const WideString& text) {
  WideString quoted = u"\"";
  for (const char16_t c : text) {
    if (c == u'\\' || c == u'"') {
      quoted += u'\\';
    }
    quoted += c;
  }
  return quoted + u'"';
}

// The text of a REG_SZ whose bytes are exactly that text and its terminating zero, with no
// other zero and no line break; none for any other bytes.
std::optional<WideString> PlainText(const std::string& bytes) {
  if (bytes.size() < 2 || bytes.size() % 2 != 0) {
    return std::nullopt;
  }
  const WideString text = registration::DecodeUtf16(bytes);
  if (text.back() != u'\0') {
    return std::nullopt;
  }
  const WideString body = text.substr(0, text.size() - 1);
  if (body.find_first_of(std::u16string_view(u"\r\n\0", 3)) != WideString::npos) {
    return std::nullopt;
  }
  return body;
}

WideString HexNumber(std::uint32_t value, std::size_t width) {
  static constexpr char16_t kDigits[] = u"0123456789abcdef";
  WideString digits;
  do {
    digits.insert(digits.begin(), kDigits[value % 16]);
    value /= 16;
  } while (value != 0);
  if (digits.size() < width) {
    digits.insert(0, width - digits.size(), u'0');
  }
  return digits;
}

void WriteValue(WideString& out, const TreeValue& value) {
  WideString line = value.name.empty() ? WideString(u"@") : Quoted(value.name);
  line += u'=';
  if (value.type == platform::kRegString) {
    if (const auto text = PlainText(value.bytes)) {
      out += line + Quoted(*text) + registration::kLineEnd;
      return;
    }
  }
  if (value.type == platform::kRegDword && value.bytes.size() == 4) {
    std::uint32_t number = 0;
    for (std::size_t i = 4; i-- > 0;) {
      number = number << 8 | static_cast<unsigned char>(value.bytes[i]);
    }
    out += line + u"dword:" + HexNumber(number, 8) + registration::kLineEnd;
    return;
  }
  line += value.type == platform::kRegBinary ? WideString(u"hex:")
                                             : u"hex(" + HexNumber(value.type, 1) + u"):";
  for (std::size_t i = 0; i < value.bytes.size(); ++i) {
    line += HexNumber(static_cast<unsigned char>(value.bytes[i]), 2);
    if (i + 1 < value.bytes.size()) {
      line += u',';
      if (line.size() >= kHexLineWidth) {
        out += line + u'\\' + registration::kLineEnd;
        line = u"  ";
      }
    }
  }
  out += line + registration::kLineEnd;
}

void WriteKey(WideString& out, const WideString& path, const KeyTree& tree) {
  out += u'[' + path + u']' + registration::kLineEnd;
  for (const TreeValue& value : tree.values) {
    WriteValue(out, value);
  }
  out += registration::kLineEnd;
  for (const KeyTree& subkey : tree.subkeys) {
    WriteKey(out, path + u'\\' + subkey.name, subkey);
  }
}

bool IsParentPath(const WideString& path) {
  if (path.empty()) {
    return true;
  }
  const auto names = SplitKeyPath(path);
  if (!names) {
    return false;
  }
  for (const WideString& name : *names) {
    if (!IsKeyName(name) || HasLineBreakOrZero(name)) {
      return false;
    }
  }
  return true;
}

}  // namespace

RegistrationWriteResult WriteRegistrationFile(const SavedKey& saved) {
  const WideString hive = WideHiveName(saved.root);
  if (hive.empty()) {
    return {{}, "The key lies under a root that a registration file cannot name."};
  }
  if (!IsParentPath(saved.parentPath) || !HasValidNames(saved.tree)) {
    return {{}, "The key's path or a name in its tree is not one the registry can hold."};
  }
  if (!TreeFitsTheForm(saved.tree)) {
    return {{},
            "A name in the key's tree holds a line break, or two names of one key differ only "
            "in case; a registration file cannot hold either."};
  }
  WideString text =
      WideString(registration::kHeader) + registration::kLineEnd + registration::kLineEnd;
  const WideString parent = saved.parentPath.empty() ? hive : hive + u'\\' + saved.parentPath;
  WriteKey(text, parent + u'\\' + saved.tree.name, saved.tree);
  return {registration::EncodeFile(text), {}};
}

}  // namespace nexolant
