#include "platform/portable/std_directory_search.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/ascii.h"

namespace nexolant::platform {
namespace {

namespace fs = std::filesystem;

// The spelling the services were given: the exact one when there is one.
const std::string& Spelling(const Path& path) {
  return path.HasExact() ? path.exact : path.ansi;
}

// Names compare as the file system does: without regard to case on Windows.
bool SameChar(char a, char b) {
#ifdef _WIN32
  return AsciiUpper(a) == AsciiUpper(b);
#else
  return a == b;
#endif
}

// "*" matches any run of characters, "?" any one character.
bool MatchesName(std::string_view name, std::string_view pattern) {
  std::size_t n = 0;
  std::size_t p = 0;
  std::size_t starPattern = std::string_view::npos;
  std::size_t starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starPattern = p++;
      starName = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || SameChar(pattern[p], name[n]))) {
      ++p;
      ++n;
    } else if (starPattern != std::string_view::npos) {
      p = starPattern + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') {
    ++p;
  }
  return p == pattern.size();
}

// Entries of one folder whose names match a pattern, read as they are asked for. Peek reads
// ahead one entry, so that a search that matches nothing is known when it is opened.
class StdDirectorySearch : public DirectorySearch {
 public:
  explicit StdDirectorySearch(FindData only) : pending_(std::move(only)) {}
  StdDirectorySearch(fs::directory_iterator entries, std::string pattern)
      : entries_(std::move(entries)), pattern_(std::move(pattern)) {}

  const std::optional<FindData>& Peek() {
    if (!pending_) {
      pending_ = Read();
    }
    return pending_;
  }

  std::optional<FindData> Next() override {
    Peek();
    return std::exchange(pending_, std::nullopt);
  }

 private:
  std::optional<FindData> Read() {
    std::error_code error;
    while (entries_ != fs::directory_iterator()) {
      const fs::directory_entry entry = *entries_;
      entries_.increment(error);
      if (error) {
        entries_ = fs::directory_iterator();
      }
      std::string name = entry.path().filename().string();
      std::error_code statusError;
      const fs::file_status status = entry.status(statusError);
      if (!statusError && MatchesName(name, pattern_)) {
        std::error_code linkError;
        FindData found =
            Describe(std::move(name), entry.path(), status, entry.is_symlink(linkError));
#ifdef _WIN32
        // The library's narrow names do not spell every name: a name beyond ASCII carries its
        // exact one.
        if (std::any_of(found.name.begin(), found.name.end(),
                        [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
          found.exactName = Utf8Of(entry.path().filename());
        }
#endif
        return found;
      }
    }
    return std::nullopt;
  }

  fs::directory_iterator entries_;
  std::string pattern_;
  std::optional<FindData> pending_;
};

}  // namespace

fs::path AnsiNativePath(const std::string& text) {
#ifdef _WIN32
  return fs::path(text);
#else
  std::string native = text;
  std::replace(native.begin(), native.end(), '\\', '/');
  return fs::path(native);
#endif
}

// Exact spellings are UTF-8, which the standard library takes as char8_t text on every system.
fs::path ExactNativePath(const std::string& text) {
  std::u8string exact(text.begin(), text.end());
#ifndef _WIN32
  std::replace(exact.begin(), exact.end(), u8'\\', u8'/');
#endif
  return fs::path(exact);
}

std::string Utf8Of(const fs::path& path) {
  const std::u8string exact = path.u8string();
  return std::string(exact.begin(), exact.end());
}

FindData Describe(std::string name, const fs::path& path, const fs::file_status& status,
                  bool symlink) {
  FindData data;
  data.name = std::move(name);
  if (symlink) {
    data.attributes |= kAttributeReparsePoint;
  }
  if (fs::is_directory(status)) {
    data.attributes |= kAttributeDirectory;
  } else {
    data.attributes |= kAttributeArchive;
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    data.size = error ? 0 : size;
  }
  if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) {
    data.attributes |= kAttributeReadOnly;
  }
  std::error_code timeError;
  const fs::file_time_type written = fs::last_write_time(path, timeError);
  data.writeTime = timeError ? 0 : static_cast<std::uint64_t>(written.time_since_epoch().count());
  return data;
}

std::unique_ptr<DirectorySearch> OpenStdSearch(const Path& pattern) {
  const std::string& text = Spelling(pattern);
  const std::size_t nameStart = NameStart(text);
  const std::string namePattern = text.substr(nameStart);
  if (namePattern.empty()) {
    return nullptr;
  }
  std::error_code error;
  if (namePattern.find_first_of("*?") == std::string::npos) {
    const fs::path path = NativePath(pattern);
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status)) {
      return nullptr;
    }
    return std::make_unique<StdDirectorySearch>(
        Describe(namePattern, path, status, fs::is_symlink(fs::symlink_status(path, error))));
  }
  const std::string folder = text.substr(0, nameStart);
  const fs::path native = pattern.HasExact() ? ExactNativePath(folder) : AnsiNativePath(folder);
  fs::directory_iterator entries(folder.empty() ? fs::path(".") : native, error);
  if (error) {
    return nullptr;
  }
  // "*.*" matches names without a dot too, as in a Windows directory search.
  auto search = std::make_unique<StdDirectorySearch>(std::move(entries),
                                                     namePattern == "*.*" ? "*" : namePattern);
  if (!search->Peek()) {
    return nullptr;
  }
  return search;
}

}  // namespace nexolant::platform
