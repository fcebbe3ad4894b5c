#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/locale.h"

namespace nexolant::protection {

// The one form in which the program compares paths: full and long, "\" as the only separator
// and never doubled, no name ending in a dot or a blank, a final "\" only on a drive root
// ("C:\"); a share's root is "\\server\share".
class PathForm {
 public:
  PathForm(platform::FileSystem& files, const platform::Locale& locale)
      : files_(files), locale_(locale) {}

  // Empty for a path that names no plain file: a device path ("\\?\", "\\.\"), a device name
  // (CON, NUL, ...), a name of dots or blanks alone, or one the system cannot make full.
  std::string Normal(std::string_view path) const;
  // The normal form of a path the system gave, made full and long through its exact spelling
  // when it has one, in its ANSI spelling.
  std::string NormalOf(const platform::Path& path) const;

  // The normal form of names (separated by "\") below a folder in normal form, taken as they
  // are: no call of the file services. Empty when the result names no plain file.
  std::string Below(std::string_view normalFolder, std::string_view names) const;

  // The normal form upper-cased as names compare: equal keys name the same place.
  std::string Key(std::string_view normal) const;

 private:
  platform::Path LongForm(const platform::Path& path) const;

  platform::FileSystem& files_;
  const platform::Locale& locale_;
};

// On normal forms or keys: the length of the root ("C:\" or "\\server\share"); 0 for none.
std::size_t RootLength(std::string_view path);

// Whether path is folder or lies inside it.
bool IsSameOrInside(std::string_view path, std::string_view folder);

// The folder holding path; empty for a root.
std::string_view ParentOf(std::string_view path);

// The last name of path; empty for a root.
std::string_view NameOf(std::string_view path);

}  // namespace nexolant::protection
