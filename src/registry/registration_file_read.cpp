#include <cstdint>
#include <set>
#include <vector>

#include "registry/key_path.h"
#include "registry/registration_file.h"
#include "registry/registration_format.h"

namespace nexolant {

using platform::WideString;
using Text = std::u16string_view;

namespace {

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}

Text TrimEnd(Text text) {
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

int HexDigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') {
    return c - u'0';
  }
  if (c >= u'a' && c <= u'f') {
    return c - u'a' + 10;
  }
  if (c >= u'A' && c <= u'F') {
    return c - u'A' + 10;
  }
  return -1;
}

// A number of one to eight hex digits; none for any other text.
std::optional<std::uint32_t> HexNumber(Text digits) {
  if (digits.empty() || digits.size() > 8) {
    return std::nullopt;
  }
  std::uint32_t number = 0;
  for (const char16_t c : digits) {
    const int digit = HexDigitValue(c);
    if (digit < 0) {
      return std::nullopt;
    }
    number = number << 4 | static_cast<std::uint32_t>(digit);
  }
  return number;
}

// A position in one line of the file.
class Cursor {
 public:
  explicit Cursor(Text text) : text_(text) {}

  bool AtEnd() const { return pos_ == text_.size(); }
  char16_t Peek() const { return AtEnd() ? u'\0' : text_[pos_]; }
  Text Rest() const { return text_.substr(pos_); }
  bool Take(char16_t c) {
    if (AtEnd() || text_[pos_] != c) {
      return false;
    }
    ++pos_;
    return true;
  }
  bool Take(Text word) {
    if (Rest().substr(0, word.size()) != word) {
      return false;
    }
    pos_ += word.size();
    return true;
  }
  void SkipBlanks() {
    while (!AtEnd() && IsBlank(text_[pos_])) {
      ++pos_;
    }
  }
  // The text of a quoted string at the cursor, with "\\" and "\"" read as "\" and "\""; none
  // when it is not one.
  std::optional<WideString> TakeQuoted() {
    if (!Take(u'"')) {
      return std::nullopt;
    }
    WideString text;
    while (!AtEnd()) {
      const char16_t c = text_[pos_++];
      if (c == u'"') {
        return text;
      }
      if (c == u'\\') {
        if (AtEnd() || (text_[pos_] != u'\\' && text_[pos_] != u'"')) {
          return std::nullopt;
        }
        text += text_[pos_++];
      } else {
        text += c;
      }
    }
    return std::nullopt;
  }
  // A byte written as exactly two hex digits.
  std::optional<char> TakeHexByte() {
    if (text_.size() - pos_ < 2) {
      return std::nullopt;
    }
    const int high = HexDigitValue(text_[pos_]);
    const int low = HexDigitValue(text_[pos_ + 1]);
    if (high < 0 || low < 0) {
      return std::nullopt;
    }
    pos_ += 2;
    return static_cast<char>(high << 4 | low);
  }

 private:
  Text text_;
  std::size_t pos_ = 0;
};

class Reader {
 public:
  RegistrationReadResult Read(std::string_view bytes) {
    if (bytes.size() < 2 || bytes.substr(0, 2) != "\xFF\xFE") {
      return Failure("The file is not UTF-16LE text with its byte-order mark.");
    }
    if (bytes.size() % 2 != 0) {
      return Failure("The file ends in the middle of a character.");
    }
    SplitLines(registration::DecodeUtf16(bytes.substr(2)));
    if (TrimEnd(lines_.front()) != registration::kHeader) {
      line_ = 0;
      return Failure("The file does not begin with \"Windows Registry Editor Version 5.00\".");
    }
    for (line_ = 1; line_ < lines_.size(); ++line_) {
      if (lines_[line_].find(u'\r') != WideString::npos) {
        return Failure("A carriage return stands inside the line.");
      }
      Cursor cursor(TrimEnd(lines_[line_]));
      cursor.SkipBlanks();
      const bool read = cursor.AtEnd() || cursor.Peek() == u';' ||
                        (cursor.Peek() == u'[' ? Key(cursor.Rest()) : Value(cursor));
      if (!read) {
        return Failure(error_);
      }
    }
    if (!saved_) {
      line_ = lines_.size() - 1;
      return Failure("The file holds no key.");
    }
    return {std::move(saved_), {}};
  }

 private:
  // A key on the way from the file's first key to the key being read, with the names read
  // into it so far, case-folded.
  struct OpenKey {
    KeyTree* tree;
    std::set<WideString> foldedSubkeys;
    std::set<WideString> foldedValues;
  };

  void SplitLines(const WideString& text) {
    std::size_t start = 0;
    while (true) {
      const std::size_t end = text.find(u'\n', start);
      Text line = Text(text).substr(start, end - start);
      if (end != WideString::npos && !line.empty() && line.back() == u'\r') {
        line.remove_suffix(1);
      }
      lines_.emplace_back(line);
      if (end == WideString::npos) {
        return;
      }
      start = end + 1;
    }
  }

  bool Fail(std::string reason) {
    error_ = std::move(reason);
    return false;
  }

  RegistrationReadResult Failure(const std::string& reason) const {
    return {std::nullopt, "Line " + std::to_string(line_ + 1) + ": " + reason};
  }

  bool Key(Text line) {
    if (line.back() != u']') {
      return Fail("A key line must end with \"]\".");
    }
    const Text inside = line.substr(1, line.size() - 2);
    if (!inside.empty() && inside.front() == u'-') {
      return Fail("The line deletes a key; a saved key does not.");
    }
    const std::size_t split = inside.find(u'\\');
    const auto root = RootOfHiveName(WideString(inside.substr(0, split)));
    if (!root) {
      return Fail("The key's path does not begin with the name of a root key.");
    }
    const auto names =
        split == Text::npos ? std::nullopt : SplitKeyPath(WideString(inside.substr(split + 1)));
    if (!names) {
      return Fail("The key's path must name a key below its root, without empty names.");
    }
    for (const WideString& name : *names) {
      if (!IsKeyName(name)) {
        return Fail("The key's path holds a name no key can have.");
      }
    }
    return saved_ ? AddSubkey(*root, *names) : AddTop(*root, *names);
  }

  bool AddTop(platform::RegistryRoot root, const std::vector<WideString>& names) {
    saved_.emplace();
    saved_->root = root;
    for (std::size_t i = 0; i + 1 < names.size(); ++i) {
      saved_->parentPath = JoinKeyPath(saved_->parentPath, names[i]);
    }
    saved_->tree.name = names.back();
    for (const WideString& name : names) {
      foldedChain_.push_back(FoldAsciiCase(name));
    }
    topDepth_ = names.size();
    open_.push_back({&saved_->tree, {}, {}});
    return true;
  }

  // Keys come after their parents, each parent's subtree whole before its next sibling, as
  // the registry editor lists them.
  bool AddSubkey(platform::RegistryRoot root, const std::vector<WideString>& names) {
    if (root != saved_->root || names.size() <= topDepth_) {
      return Fail("The key lies outside the tree of the file's first key.");
    }
    if (names.size() - topDepth_ >= kTreeDepthLimit) {
      return Fail("The key lies deeper than the registry allows.");
    }
    const std::size_t parentDepth = names.size() - 1;
    while (foldedChain_.size() > parentDepth) {
      foldedChain_.pop_back();
      open_.pop_back();
    }
    bool underParent = foldedChain_.size() == parentDepth;
    for (std::size_t i = 0; underParent && i < parentDepth; ++i) {
      underParent = FoldAsciiCase(names[i]) == foldedChain_[i];
    }
    if (!underParent) {
      return Fail("The key comes before its parent key, or outside the first key's tree.");
    }
    WideString foldedName = FoldAsciiCase(names.back());
    OpenKey& parent = open_.back();
    if (!parent.foldedSubkeys.insert(foldedName).second) {
      return Fail("The key is listed twice.");
    }
    KeyTree& subkey = parent.tree->subkeys.emplace_back();
    subkey.name = names.back();
    open_.push_back({&subkey, {}, {}});
    foldedChain_.push_back(std::move(foldedName));
    return true;
  }

  bool Value(Cursor& cursor) {
    if (open_.empty()) {
      return Fail("A value comes before the first key.");
    }
    TreeValue value;
    if (!cursor.Take(u'@')) {
      const auto name = cursor.TakeQuoted();
      if (!name) {
        return Fail("The line is not a key, a value or a comment.");
      }
      if (name->empty() || name->size() > kValueNameLimit ||
          name->find(u'\0') != WideString::npos) {
        return Fail("The value's name is not one a value can have.");
      }
      value.name = *name;
    }
    cursor.SkipBlanks();
    if (!cursor.Take(u'=')) {
      return Fail("The value's name must be followed by \"=\".");
    }
    cursor.SkipBlanks();
    if (!Data(cursor, value)) {
      return false;
    }
    OpenKey& key = open_.back();
    if (!key.foldedValues.insert(FoldAsciiCase(value.name)).second) {
      return Fail("The value is listed twice.");
    }
    key.tree->values.push_back(std::move(value));
    return true;
  }

  bool Data(Cursor& cursor, TreeValue& value) {
    if (cursor.Peek() == u'"') {
      const auto text = cursor.TakeQuoted();
      if (!text || !cursor.AtEnd()) {
        return Fail("The value's text is not one quoted text with \"\\\\\" and \"\\\"\" escaped.");
      }
      value.type = platform::kRegString;
      registration::AppendUtf16(value.bytes, *text);
      registration::AppendUtf16(value.bytes, Text(u"\0", 1));
      return true;
    }
    if (cursor.Take(u'-')) {
      return Fail("The line deletes a value; a saved key does not.");
    }
    if (cursor.Take(u"dword:")) {
      const auto number = HexNumber(cursor.Rest());
      if (!number) {
        return Fail("A dword value must be one to eight hex digits.");
      }
      value.type = platform::kRegDword;
      for (int shift = 0; shift < 32; shift += 8) {
        value.bytes += static_cast<char>(*number >> shift & 0xFF);
      }
      return true;
    }
    if (cursor.Take(u"hex:")) {
      value.type = platform::kRegBinary;
      return HexBytes(cursor, value.bytes);
    }
    if (cursor.Take(u"hex(")) {
      const Text rest = cursor.Rest();
      const std::size_t close = rest.find(u"):");
      const auto type = close == Text::npos ? std::nullopt : HexNumber(rest.substr(0, close));
      if (!type) {
        return Fail("A hex(N): value must name its type with one to eight hex digits.");
      }
      cursor.Take(rest.substr(0, close + 2));
      value.type = *type;
      return HexBytes(cursor, value.bytes);
    }
    return Fail("The value's data is in no form a registration file has.");
  }

  // Moves the cursor to the next line when it stands at a "\" that ends its line.
  bool Continue(Cursor& cursor) {
    if (!cursor.Take(u'\\')) {
      return false;
    }
    cursor.SkipBlanks();
    if (!cursor.AtEnd() || line_ + 1 >= lines_.size()) {
      return Fail("A \"\\\" in a hex list must end its line and be followed by another.");
    }
    if (lines_[++line_].find(u'\r') != WideString::npos) {
      return Fail("A carriage return stands inside the line.");
    }
    cursor = Cursor(TrimEnd(lines_[line_]));
    cursor.SkipBlanks();
    return true;
  }

  // A comma-separated list of bytes, each of two hex digits, that goes on across lines ending
  // in "\"; an empty list when the line ends at once.
  bool HexBytes(Cursor& cursor, std::string& bytes) {
    if (cursor.AtEnd()) {
      return true;
    }
    while (true) {
      while (Continue(cursor)) {
      }
      if (!error_.empty()) {
        return false;
      }
      const auto byte = cursor.TakeHexByte();
      if (!byte) {
        return Fail("A hex list must hold bytes of two hex digits separated by commas.");
      }
      bytes += *byte;
      cursor.SkipBlanks();
      if (cursor.AtEnd()) {
        return true;
      }
      if (!cursor.Take(u',')) {
        return Fail("A hex list must hold bytes of two hex digits separated by commas.");
      }
      cursor.SkipBlanks();
    }
  }

  std::vector<WideString> lines_;
  std::size_t line_ = 0;
  std::string error_;
  std::optional<SavedKey> saved_;
  std::size_t topDepth_ = 0;
  std::vector<OpenKey> open_;
  // The case-folded names of the path of open_.back(), from the root.
  std::vector<WideString> foldedChain_;
};

}  // namespace

RegistrationReadResult ReadRegistrationFile(std::string_view bytes) {
  return Reader().Read(bytes);
}

}  // namespace nexolant
