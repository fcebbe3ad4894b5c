#include "fakes/memory_file_system.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "platform/ascii.h"
#include "platform/errors.h"

namespace nexolant {
namespace {

using platform::IoError;

// Backslashes only, without a trailing one. As the system reads paths, "/" is a separator and
// a run of separators is one, except the two that start a network path.
std::string Normalized(std::string_view path) {
  std::string result;
  for (const char c : path) {
    const char next = c == '/' ? '\\' : c;
    if (next != '\\' || result.size() < 2 || result.back() != '\\') {
      result += next;
    }
  }
  while (result.size() > 1 && result.back() == '\\') {
    result.pop_back();
  }
  return result;
}

std::string PlainKey(std::string_view path) {
  return platform::AsciiUpperCase(Normalized(path));
}

std::string ParentOf(const std::string& key) {
  const auto slash = key.rfind('\\');
  return slash == std::string::npos ? std::string() : key.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  return path.substr(path.rfind('\\') + 1);
}

// "*" matches any run of characters, "?" any one; both texts upper-cased.
bool WildcardMatches(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*") {
    return true;
  }
  std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') {
    ++p;
  }
  return p == pattern.size();
}

// The drive letter of a root written as a letter, ":" and "\\"; 0 for anything else.
char RootLetter(std::string_view root) {
  if (root.size() != 3 || root[1] != ':' || (root[2] != '\\' && root[2] != '/')) {
    return 0;
  }
  const char letter = platform::AsciiUpper(root[0]);
  return letter >= 'A' && letter <= 'Z' ? letter : 0;
}

// The entries found when the search was opened.
class MemoryDirectorySearch : public platform::DirectorySearch {
 public:
  explicit MemoryDirectorySearch(std::vector<platform::FindData> entries)
      : entries_(std::move(entries)) {}

  std::optional<platform::FindData> Next() override {
    if (next_ == entries_.size()) {
      return std::nullopt;
    }
    return entries_[next_++];
  }

 private:
  std::vector<platform::FindData> entries_;
  std::size_t next_ = 0;
};

// The main folders of a Windows 7 installation, for the user "User".
constexpr std::pair<platform::KnownFolder, const char*> kKnownFolders[] = {
    {platform::KnownFolder::kProfile, "C:\\Users\\User"},
    {platform::KnownFolder::kDesktop, "C:\\Users\\User\\Desktop"},
    {platform::KnownFolder::kDocuments, "C:\\Users\\User\\Documents"},
    {platform::KnownFolder::kAppData, "C:\\Users\\User\\AppData\\Roaming"},
    {platform::KnownFolder::kLocalAppData, "C:\\Users\\User\\AppData\\Local"},
    {platform::KnownFolder::kStartMenu,
     "C:\\Users\\User\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu"},
    {platform::KnownFolder::kProgramData, "C:\\ProgramData"},
    {platform::KnownFolder::kCommonDocuments, "C:\\Users\\Public\\Documents"},
    {platform::KnownFolder::kWindows, "C:\\Windows"},
    {platform::KnownFolder::kSystem, "C:\\Windows\\system32"},
    {platform::KnownFolder::kProgramFiles, "C:\\Program Files"},
    {platform::KnownFolder::kProgramFilesX86, "C:\\Program Files (x86)"},
    {platform::KnownFolder::kCommonProgramFiles, "C:\\Program Files\\Common Files"},
};

// Whether key is folder or lies inside it; both upper-cased.
bool IsAtOrBelow(std::string_view key, std::string_view folder) {
  return key.starts_with(folder) && (key.size() == folder.size() || key[folder.size()] == '\\');
}

}  // namespace

MemoryFileSystem::MemoryFileSystem() {
  SetTempFolder("C:\\Temp\\");
  for (const auto& [folder, path] : kKnownFolders) {
    knownFolders_.emplace(folder, path);
  }
}

const MemoryFileSystem::Alias* MemoryFileSystem::AliasOf(const std::string& plainKey) const {
  for (const auto& [key, alias] : aliases_) {
    if (IsAtOrBelow(plainKey, key)) {
      return &alias;
    }
  }
  return nullptr;
}

// An alias may lead into another one: each is replaced in turn, a bounded number of times.
std::string MemoryFileSystem::Canonical(std::string_view path) const {
  std::string result = Normalized(path);
  for (int step = 0; step < 8; ++step) {
    const Alias* alias = AliasOf(PlainKey(result));
    if (alias == nullptr) {
      break;
    }
    result = alias->target + result.substr(alias->spelled.size());
  }
  return result;
}

MemoryFileSystem::Entry MemoryFileSystem::NewEntry(std::string path, bool folder,
                                                   std::uint32_t attributes) {
  Entry entry{std::move(path), folder, {}, attributes};
  entry.index = nextIndex_++;
  return entry;
}

// Each name is looked up as it is, then as a short name of its folder.
std::string MemoryFileSystem::Key(std::string_view path) const {
  std::string key = PlainKey(Canonical(path));
  if (shortNames_.empty()) {
    return key;
  }
  std::string resolved;
  for (std::size_t start = 0; start <= key.size();) {
    const std::size_t end = std::min(key.find('\\', start), key.size());
    if (start != 0) {
      resolved += '\\';
    }
    resolved.append(key, start, end - start);
    if (entries_.count(resolved) == 0) {
      if (const auto alias = shortNames_.find(resolved); alias != shortNames_.end()) {
        resolved = alias->second;
      }
    }
    start = end + 1;
  }
  return resolved;
}

bool MemoryFileSystem::FileExists(const platform::Path& given) {
  const std::string path = HeldOf(given);
  const Entry* entry = Find(path);
  return entry != nullptr && !entry->folder;
}

std::unique_ptr<platform::DirectorySearch> MemoryFileSystem::OpenSearch(
    const platform::Path& pattern) {
  const std::string key = Key(HeldOf(pattern));
  const std::string folder = ParentOf(key);
  const std::string namePattern = NameOf(key);
  std::vector<platform::FindData> found;
  const std::string grandparent = ParentOf(folder);
  if (!grandparent.empty() && IsFolder(folder)) {
    for (const auto& [name, attributes] : {std::pair{".", entries_.at(folder).attributes},
                                           std::pair{"..", entries_.at(grandparent).attributes}}) {
      if (WildcardMatches(namePattern, name)) {
        found.push_back(platform::FindData{name, attributes, 0, {}});
      }
    }
  }
  const std::string prefix = folder + "\\";
  for (auto it = entries_.lower_bound(prefix);
       it != entries_.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
    const std::string name = it->first.substr(prefix.size());
    if (name.find('\\') == std::string::npos && WildcardMatches(namePattern, name)) {
      const Entry& entry = it->second;
      const std::string held = NameOf(entry.path);
      const std::string ansi = AnsiOf(held);
      found.push_back(platform::FindData{ansi, entry.attributes, entry.data.size(),
                                         ansi == held ? std::string() : ExactOf(held), entry.index,
                                         entry.created, entry.modified});
    }
  }
  for (const auto& [aliasKey, alias] : aliases_) {
    const std::string parent = ParentOf(aliasKey);
    const Entry* target = Find(alias.target);
    if (!parent.empty() && Key(parent) == folder && target != nullptr &&
        WildcardMatches(namePattern, NameOf(aliasKey))) {
      found.push_back(
          platform::FindData{NameOf(alias.spelled), target->attributes, 0, {}, target->index});
    }
  }
  const auto named = std::find_if(found.begin(), found.end(), [](const platform::FindData& data) {
    return data.name != "." && data.name != "..";
  });
  std::stable_sort(named, found.end(),
                   [](const platform::FindData& a, const platform::FindData& b) {
                     return platform::AsciiUpperCase(a.name) < platform::AsciiUpperCase(b.name);
                   });
  if (found.empty()) {
    return nullptr;
  }
  return std::make_unique<MemoryDirectorySearch>(std::move(found));
}

std::optional<std::uint32_t> MemoryFileSystem::FileAttributes(const platform::Path& given) {
  const std::string path = HeldOf(given);
  const Entry* entry = Find(path);
  if (entry == nullptr) {
    return std::nullopt;
  }
  return entry->attributes;
}

void MemoryFileSystem::CreateFolder(const platform::Path& given) {
  const std::string path = HeldOf(given);
  if (Find(path) != nullptr) {
    throw platform::SystemError(183, "Cannot create a file when that file already exists.");
  }
  const std::string parent = ParentOf(Key(path));
  if (parent.empty() || !IsFolder(parent)) {
    throw platform::SystemError(3, "The system cannot find the path specified.");
  }
  entries_.emplace(Key(path), NewEntry(Canonical(path), true, platform::kAttributeDirectory));
}

// The code Windows gives for an entry that may not be changed, or none.
std::optional<std::uint32_t> MemoryFileSystem::Refusal(const Entry& entry) {
  if (entry.inUse) {
    return kErrorSharingViolation;
  }
  if (entry.denied) {
    return platform::kErrorAccessDenied;
  }
  return std::nullopt;
}

platform::Outcome MemoryFileSystem::RemoveFolder(const platform::Path& given) {
  const std::string path = HeldOf(given);
  const std::string key = Key(path);
  if (!IsFolder(key)) {
    return platform::Outcome::Failure(platform::kErrorFileNotFound);
  }
  // A link's entries are its target's, seen through it: the link goes alone, as on Windows.
  if ((entries_.at(key).attributes & platform::kAttributeReparsePoint) != 0) {
    const std::string inside = key + "\\";
    std::erase_if(entries_, [&](const auto& entry) {
      return entry.first == key || entry.first.compare(0, inside.size(), inside) == 0;
    });
    return {};
  }
  if (ParentOf(key).empty() || HasChildren(key)) {
    return platform::Outcome::Failure(kErrorDirectoryNotEmpty);
  }
  entries_.erase(key);
  return {};
}

platform::Outcome MemoryFileSystem::Move(const platform::Path& source,
                                         const platform::Path& target) {
  const std::string from = Key(HeldOf(source));
  const std::string to = Key(HeldOf(target));
  const Entry* entry = Find(from);
  const std::string targetParent = ParentOf(to);
  if (entry == nullptr) {
    return platform::Outcome::Failure(IsFolder(ParentOf(from)) ? platform::kErrorFileNotFound
                                                               : platform::kErrorPathNotFound);
  }
  if (const auto refusal = Refusal(*entry)) {
    return platform::Outcome::Failure(*refusal);
  }
  if (Find(to) != nullptr) {
    return platform::Outcome::Failure(platform::kErrorAlreadyExists);
  }
  if (targetParent.empty() || !IsFolder(targetParent)) {
    return platform::Outcome::Failure(platform::kErrorPathNotFound);
  }
  const std::string inside = from + "\\";
  if (entry->folder) {
    // A folder moves with everything in it, within its drive and not into itself.
    const bool sameDrive = from.substr(0, from.find('\\')) == to.substr(0, to.find('\\'));
    if (!sameDrive || to.compare(0, inside.size(), inside) == 0) {
      return platform::Outcome::Failure(platform::kErrorAccessDenied);
    }
  }
  const std::string newPath = Canonical(HeldOf(target));
  const auto renamed = [&](std::map<std::string, Entry>::iterator it) {
    Entry changed = std::move(it->second);
    changed.path = newPath + changed.path.substr(from.size());
    std::string newKey = to + it->first.substr(from.size());
    return std::pair{std::move(newKey), std::move(changed)};
  };
  std::vector<std::pair<std::string, Entry>> moved;
  moved.push_back(renamed(entries_.find(from)));
  entries_.erase(from);
  for (auto it = entries_.lower_bound(inside);
       it != entries_.end() && it->first.compare(0, inside.size(), inside) == 0;) {
    moved.push_back(renamed(it));
    it = entries_.erase(it);
  }
  for (auto& [key, changed] : moved) {
    entries_.emplace(std::move(key), std::move(changed));
  }
  return {};
}

std::string MemoryFileSystem::ReadWholeFile(const platform::Path& given) {
  const std::string path = HeldOf(given);
  const Entry* entry = Find(path);
  if (entry == nullptr || entry->folder) {
    throw IoError("File not found: " + path);
  }
  if (entry->unreadable || entry->inUse) {
    throw IoError("Cannot read file: " + path);
  }
  return entry->data;
}

class MemoryFileSystem::Reader final : public platform::FileReader {
 public:
  Reader(const MemoryFileSystem& files, std::uint64_t serial, std::uint64_t size)
      : files_(files), serial_(serial), size_(size) {}

  std::uint64_t Size() const override { return size_; }

  std::optional<std::size_t> Read(std::span<char> buffer) override {
    const auto found =
        std::find_if(files_.entries_.begin(), files_.entries_.end(),
                     [&](const auto& entry) { return entry.second.serial == serial_; });
    if (found == files_.entries_.end() || found->second.unreadable) {
      return std::nullopt;
    }
    const Entry* entry = &found->second;
    const std::size_t count =
        offset_ < entry->data.size() ? entry->data.copy(buffer.data(), buffer.size(), offset_) : 0;
    offset_ += count;
    return count;
  }

 private:
  const MemoryFileSystem& files_;
  std::uint64_t serial_;
  std::uint64_t size_;
  std::size_t offset_ = 0;
};

std::unique_ptr<platform::FileReader> MemoryFileSystem::OpenReader(const platform::Path& given) {
  const std::string path = HeldOf(given);
  const Entry* entry = Find(path);
  if (entry == nullptr || entry->folder || entry->unreadable || entry->inUse ||
      (entry->attributes & platform::kAttributeReparsePoint) != 0) {
    return nullptr;
  }
  return std::make_unique<Reader>(*this, entry->serial, entry->data.size());
}

void MemoryFileSystem::WriteWholeFile(const platform::Path& given, std::string_view data) {
  const std::string path = HeldOf(given);
  Entry& file = WritableFile(path);
  const std::size_t written = TakeWriteBudget(data.size());
  file.data.assign(data.substr(0, written));
  if (written < data.size()) {
    throw IoError("Disk full while writing " + path);
  }
  ++writeCount_;
}

void MemoryFileSystem::ReplaceWholeFile(const platform::Path& given, std::string_view data) {
  const std::string path = HeldOf(given);
  constexpr std::uint32_t kKept =
      platform::kAttributeReadOnly | platform::kAttributeHidden | platform::kAttributeSystem;
  if (const Entry* target = Find(path); target != nullptr && (target->attributes & kKept) != 0) {
    throw IoError("Cannot replace file " + path + ": access denied");
  }
  const bool existed = Find(path) != nullptr;
  Entry& file = WritableFile(path);
  // The new content goes to a temporary file first; when it does not fit, that file is
  // removed, giving its space back, and the target keeps its old content.
  if (writeBudget_ && data.size() > *writeBudget_) {
    if (!existed) {
      entries_.erase(Key(path));
    }
    throw IoError("Disk full while writing " + path);
  }
  TakeWriteBudget(data.size());
  file.data.assign(data);
  ++writeCount_;
}

platform::Outcome MemoryFileSystem::RemoveFile(const platform::Path& given) {
  const std::string path = HeldOf(given);
  const Entry* entry = Find(path);
  if (entry == nullptr) {
    return platform::Outcome::Failure(IsFolder(ParentOf(Key(path))) ? platform::kErrorFileNotFound
                                                                    : platform::kErrorPathNotFound);
  }
  if (const auto refusal = Refusal(*entry)) {
    return platform::Outcome::Failure(*refusal);
  }
  if (entry->folder || (entry->attributes & platform::kAttributeReadOnly)) {
    return platform::Outcome::Failure(platform::kErrorAccessDenied);
  }
  entries_.erase(Key(path));
  return {};
}

platform::Outcome MemoryFileSystem::ChangeAttributes(const platform::Path& given,
                                                     std::uint32_t attributes) {
  const std::string path = HeldOf(given);
  const auto found = entries_.find(Key(path));
  if (found == entries_.end()) {
    return platform::Outcome::Failure(platform::kErrorFileNotFound);
  }
  Entry* entry = &found->second;
  if (entry->denied) {
    return platform::Outcome::Failure(platform::kErrorAccessDenied);
  }
  constexpr std::uint32_t kSettable = platform::kAttributeReadOnly | platform::kAttributeHidden |
                                      platform::kAttributeSystem | platform::kAttributeArchive;
  entry->attributes = (entry->attributes & ~kSettable) | (attributes & kSettable);
  return {};
}

platform::Path MemoryFileSystem::CreateTempFile(const platform::Path& given,
                                                const std::string& prefix) {
  const std::string folder = HeldOf(given);
  if (tempFailure_) {
    throw platform::SystemError(tempFailure_->code, tempFailure_->text);
  }
  if (!IsFolder(folder)) {
    throw platform::SystemError(267, "The directory name is invalid.");
  }
  const std::string base = Normalized(folder) + "\\" + prefix.substr(0, 3);
  while (true) {
    char unique[8];
    std::snprintf(unique, sizeof unique, "%04X", nextUnique_);
    nextUnique_ = nextUnique_ % 0xFFFF + 1;
    const std::string path = base + unique + ".tmp";
    if (Find(path) == nullptr) {
      AddFile(path);
      return PathOf(path);
    }
  }
}

void MemoryFileSystem::AddFile(const platform::Path& given, std::string_view contents) {
  const std::string path = HeldOf(given);
  const std::string parent = ParentOf(Normalized(path));
  if (!parent.empty()) {
    AddFolder(parent);
  }
  const auto [it, created] = entries_.try_emplace(
      Key(path), NewEntry(Canonical(path), false, platform::kAttributeArchive));
  Entry& entry = it->second;
  if (!created) {
    const std::uint64_t index = entry.index;
    entry = Entry{Canonical(path), false, {}, platform::kAttributeArchive};
    entry.index = index;
  }
  entry.data.assign(contents);
}

void MemoryFileSystem::SetTimes(const platform::Path& path, platform::DateTime created,
                                platform::DateTime modified) {
  Entry& entry = At(HeldOf(path));
  entry.created = created;
  entry.modified = modified;
}

void MemoryFileSystem::AddFolder(const platform::Path& given) {
  const std::string path = HeldOf(given);
  const std::string normalized = Normalized(path);
  for (std::size_t end = normalized.find('\\'); end != std::string::npos;
       end = normalized.find('\\', end + 1)) {
    const std::string folder = normalized.substr(0, end);
    if (!folder.empty()) {
      if (!entries_.contains(Key(folder))) {
        entries_.emplace(Key(folder),
                         NewEntry(Canonical(folder), true, platform::kAttributeDirectory));
      }
    }
  }
  if (!entries_.contains(Key(normalized))) {
    entries_.emplace(Key(normalized),
                     NewEntry(Canonical(normalized), true, platform::kAttributeDirectory));
  }
}

std::optional<std::string> MemoryFileSystem::Contents(const platform::Path& given) const {
  const std::string path = HeldOf(given);
  const Entry* entry = Find(path);
  if (entry == nullptr || entry->folder) {
    return std::nullopt;
  }
  return entry->data;
}

std::vector<std::string> MemoryFileSystem::Names(const platform::Path& given) const {
  const std::string folder = HeldOf(given);
  const std::string prefix = Key(folder) + "\\";
  std::vector<std::string> names;
  for (auto it = entries_.lower_bound(prefix);
       it != entries_.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
    if (it->first.find('\\', prefix.size()) == std::string::npos) {
      names.push_back(AnsiOf(NameOf(it->second.path)));
    }
  }
  return names;
}

constexpr char kHeldEscape = '\x01';
constexpr std::size_t kHeldDigits = 6;

// Invalid UTF-8 holds as a character no name has, so it reaches nothing.
std::string MemoryFileSystem::Held(std::string_view exact) {
  std::string held;
  for (std::size_t k = 0; k < exact.size();) {
    const unsigned char lead = static_cast<unsigned char>(exact[k]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    char32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
    bool valid = lead < 0x80 || (lead >= 0xC2 && k + length <= exact.size());
    for (std::size_t i = 1; valid && i < length; ++i) {
      const unsigned char next = static_cast<unsigned char>(exact[k + i]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    k += valid ? length : 1;
    if (!valid) {
      code = 0xFFFF;
    }
    if (code < 0x100) {
      held += static_cast<char>(code);
    } else {
      char digits[16];
      std::snprintf(digits, sizeof digits, "%06X", static_cast<unsigned>(code));
      held += kHeldEscape;
      held += digits;
    }
  }
  return held;
}

std::string MemoryFileSystem::ExactOf(std::string_view held) {
  std::string exact;
  for (std::size_t k = 0; k < held.size(); ++k) {
    char32_t code = static_cast<unsigned char>(held[k]);
    if (held[k] == kHeldEscape && k + kHeldDigits < held.size()) {
      code = static_cast<char32_t>(
          std::stoul(std::string(held.substr(k + 1, kHeldDigits)), nullptr, 16));
      k += kHeldDigits;
    }
    if (code < 0x80) {
      exact += static_cast<char>(code);
    } else if (code < 0x800) {
      exact += static_cast<char>(0xC0 | (code >> 6));
      exact += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      exact += static_cast<char>(0xE0 | (code >> 12));
      exact += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      exact += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      exact += static_cast<char>(0xF0 | (code >> 18));
      exact += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      exact += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      exact += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return exact;
}

std::string MemoryFileSystem::AnsiOf(std::string_view held) {
  std::string ansi;
  for (std::size_t k = 0; k < held.size(); ++k) {
    if (held[k] == kHeldEscape) {
      ansi += '?';
      k += kHeldDigits;
    } else {
      ansi += held[k];
    }
  }
  return ansi;
}

std::string MemoryFileSystem::HeldOf(const platform::Path& path) {
  return path.HasExact() ? Held(path.exact) : path.ansi;
}

platform::Path MemoryFileSystem::PathOf(const std::string& held) {
  std::string ansi = AnsiOf(held);
  return ansi == held ? platform::Path(held) : platform::Path(std::move(ansi), ExactOf(held));
}

std::string MemoryFileSystem::ExactSpelling(const std::string& ansi) {
  return ExactOf(ansi);
}

std::string MemoryFileSystem::AnsiSpelling(const std::string& exact) {
  return AnsiOf(Held(exact));
}

void MemoryFileSystem::SetAttributes(const platform::Path& given, std::uint32_t attributes) {
  const std::string path = HeldOf(given);
  At(path).attributes = attributes;
}

void MemoryFileSystem::SetReadOnly(const platform::Path& given, bool readOnly) {
  const std::string path = HeldOf(given);
  Entry& entry = At(path);
  entry.attributes = readOnly ? entry.attributes | platform::kAttributeReadOnly
                              : entry.attributes & ~platform::kAttributeReadOnly;
}

void MemoryFileSystem::SetUnreadable(const platform::Path& given, bool unreadable) {
  const std::string path = HeldOf(given);
  At(path).unreadable = unreadable;
}

void MemoryFileSystem::SetInUse(const platform::Path& given, bool inUse) {
  const std::string path = HeldOf(given);
  At(path).inUse = inUse;
}

void MemoryFileSystem::SetDenied(const platform::Path& given, bool denied) {
  const std::string path = HeldOf(given);
  At(path).denied = denied;
}

void MemoryFileSystem::SetTempFolder(const platform::Path& given) {
  const std::string folder = HeldOf(given);
  AddFolder(folder);
  tempFolder_ = Normalized(folder) + "\\";
}

void MemoryFileSystem::SetDriveType(char letter, platform::DriveType type) {
  driveTypes_[RootLetter(std::string(1, letter) + ":\\")] = type;
}

platform::DriveType MemoryFileSystem::DriveTypeOf(const std::string& root) {
  const char letter = RootLetter(root);
  if (letter == 0) {
    return platform::DriveType::kNoRootDir;
  }
  const auto set = driveTypes_.find(letter);
  if (set != driveTypes_.end()) {
    return set->second;
  }
  return IsFolder(std::string(1, letter) + ":") ? platform::DriveType::kFixed
                                                : platform::DriveType::kNoRootDir;
}

void MemoryFileSystem::FailTempFiles(unsigned long code, std::string text) {
  tempFailure_ = TempFailure{code, std::move(text)};
}

const MemoryFileSystem::Entry* MemoryFileSystem::Find(const std::string& path) const {
  const auto it = entries_.find(Key(path));
  return it == entries_.end() ? nullptr : &it->second;
}

bool MemoryFileSystem::IsFolder(const std::string& path) const {
  const Entry* entry = Find(path);
  return entry != nullptr && entry->folder;
}

bool MemoryFileSystem::HasChildren(const std::string& key) const {
  const std::string inside = key + "\\";
  const auto child = entries_.lower_bound(inside);
  return child != entries_.end() && child->first.compare(0, inside.size(), inside) == 0;
}

MemoryFileSystem::Entry& MemoryFileSystem::At(const std::string& path) {
  return entries_.at(Key(path));
}

MemoryFileSystem::Entry& MemoryFileSystem::WritableFile(const std::string& path) {
  const std::string parent = ParentOf(Key(path));
  if (!parent.empty() && !IsFolder(parent)) {
    throw IoError("Folder not found: " + path);
  }
  const bool created = !entries_.contains(Key(path));
  if (created) {
    entries_.emplace(Key(path), NewEntry(Canonical(path), false, platform::kAttributeArchive));
  }
  const auto it = entries_.find(Key(path));
  if (!created && (it->second.folder || it->second.inUse ||
                   (it->second.attributes & platform::kAttributeReadOnly))) {
    throw IoError("Access denied: " + path);
  }
  return it->second;
}

std::size_t MemoryFileSystem::TakeWriteBudget(std::size_t size) {
  if (!writeBudget_) {
    return size;
  }
  const std::size_t taken = std::min(size, *writeBudget_);
  *writeBudget_ -= taken;
  return taken;
}

platform::Path MemoryFileSystem::FullPath(const platform::Path& path) {
  std::string text = HeldOf(path);
  std::replace(text.begin(), text.end(), '/', '\\');
  if (text.empty() || text.starts_with("\\\\?\\") || text.starts_with("\\\\.\\")) {
    return PathOf(text);
  }
  std::string root = "C:";
  std::size_t restStart = 0;
  if (text.starts_with("\\\\")) {
    // A share: its server and share names are the root.
    const std::size_t server = text.find('\\', 2);
    const std::size_t share = server == std::string::npos ? server : text.find('\\', server + 1);
    root = text.substr(0, share);
    restStart = std::min(share, text.size());
  } else if (text.size() >= 2 && text[1] == ':') {
    root = text.substr(0, 2);
    restStart = 2;
  }
  std::vector<std::string> names;
  for (std::size_t start = restStart; start < text.size();) {
    const std::size_t end = std::min(text.find('\\', start), text.size());
    const std::string name = text.substr(start, end - start);
    if (name == "..") {
      if (!names.empty()) {
        names.pop_back();
      }
    } else if (!name.empty() && name != ".") {
      names.push_back(name);
    }
    start = end + 1;
  }
  const bool trailing = text.back() == '\\';
  if (!trailing && !names.empty()) {
    std::string& last = names.back();
    last.erase(last.find_last_not_of(". ") + 1);
    if (last.empty()) {
      names.pop_back();
    }
  }
  std::string full = root;
  for (const std::string& name : names) {
    full += "\\" + name;
  }
  return PathOf(names.empty() || trailing ? full + "\\" : full);
}

platform::Path MemoryFileSystem::LongPath(const platform::Path& given) {
  const std::string path = HeldOf(given);
  const Entry* entry = Find(path);
  if (entry == nullptr) {
    return {};
  }
  // A path through an alias keeps the alias's spelling, as a mapped drive keeps its letter.
  std::string spelled = entry->path;
  if (const Alias* alias = AliasOf(PlainKey(path)); alias != nullptr) {
    spelled = alias->spelled + spelled.substr(std::min(alias->target.size(), spelled.size()));
  }
  const bool trailing = !path.empty() && (path.back() == '\\' || path.back() == '/');
  return PathOf(trailing && !spelled.ends_with('\\') ? spelled + "\\" : spelled);
}

std::optional<platform::FileIdentity> MemoryFileSystem::Identity(const platform::Path& given) {
  const std::string path = HeldOf(given);
  const Entry* entry = Find(path);
  if (entry == nullptr || entry->unopenable) {
    return std::nullopt;
  }
  const std::string key = Key(path);
  return platform::FileIdentity{std::hash<std::string>{}(key.substr(0, key.find('\\'))),
                                entry->index, entry->index};
}

platform::Path MemoryFileSystem::FinalPath(const platform::Path& given) {
  const Entry* entry = Find(HeldOf(given));
  if (entry == nullptr || entry->unopenable) {
    return {};
  }
  std::string final = entry->path;
  if (finalByDeepestDrive_) {
    const Alias* deepest = nullptr;
    for (const auto& [key, alias] : aliases_) {
      // A drive mapped to another drive's root names nothing deeper than that drive does.
      const bool deeper = alias.target.find('\\') != std::string::npos;
      if (key.size() == 2 && deeper && IsAtOrBelow(PlainKey(entry->path), PlainKey(alias.target)) &&
          (deepest == nullptr || alias.target.size() > deepest->target.size())) {
        deepest = &alias;
      }
    }
    if (deepest != nullptr) {
      final = deepest->spelled + final.substr(deepest->target.size());
    }
  }
  return PathOf(final);
}

void MemoryFileSystem::AddAlias(const platform::Path& alias, const platform::Path& target) {
  const Entry* folder = Find(HeldOf(target));
  if (folder == nullptr || !folder->folder) {
    throw std::out_of_range("no folder " + HeldOf(target));
  }
  const std::string spelled = Normalized(HeldOf(alias));
  aliases_[PlainKey(spelled)] = Alias{spelled, folder->path};
}

void MemoryFileSystem::SetUnopenable(const platform::Path& given, bool unopenable) {
  const std::string path = HeldOf(given);
  At(path).unopenable = unopenable;
}

platform::Path MemoryFileSystem::KnownFolderPath(platform::KnownFolder folder) {
  const auto found = knownFolders_.find(folder);
  return found == knownFolders_.end() ? platform::Path() : PathOf(found->second);
}

void MemoryFileSystem::AddShortName(const platform::Path& given, const std::string& shortName) {
  const std::string path = HeldOf(given);
  const std::string key = Key(path);
  if (entries_.count(key) == 0) {
    throw std::out_of_range("no entry " + path);
  }
  shortNames_[ParentOf(key) + "\\" + platform::AsciiUpperCase(shortName)] = key;
}

void MemoryFileSystem::SetKnownFolder(platform::KnownFolder folder, const platform::Path& path) {
  knownFolders_[folder] = HeldOf(path);
}

}  // namespace nexolant
