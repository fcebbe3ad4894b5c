#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/file_system.h"

namespace nexolant::platform {

// Paths as the standard library takes them: ANSI spellings as byte strings, exact ones as
// UTF-8 text, "\" read as "/" where Windows is not the system.
std::filesystem::path AnsiNativePath(const std::string& text);
std::filesystem::path ExactNativePath(const std::string& text);
inline std::filesystem::path NativePath(const Path& path) {
  return path.HasExact() ? ExactNativePath(path.exact) : AnsiNativePath(path.ansi);
}

std::string Utf8Of(const std::filesystem::path& path);

// Where the last path component starts, after the last separator of either kind.
inline std::size_t NameStart(std::string_view path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string_view::npos ? 0 : separator + 1;
}

// The entry as a search reports it. A symbolic link carries the attributes of what it points
// at and the reparse-point bit.
FindData Describe(std::string name, const std::filesystem::path& path,
                  const std::filesystem::file_status& status, bool symlink);

// StdFileSystem's search: the one entry a pattern without wildcards names, or the entries of
// its folder whose names match.
std::unique_ptr<DirectorySearch> OpenStdSearch(const Path& pattern);

}  // namespace nexolant::platform
