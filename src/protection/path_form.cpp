#include "protection/path_form.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "protection/device_names.h"
#include "reference/signature_list.h"

namespace nexolant::protection {
namespace {

// "X:\" at the start: a path from a drive's root.
bool HasDriveRoot(std::string_view path) {
  const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  return path.size() >= 3 && isLetter(path[0]) && path[1] == ':' && path[2] == '\\';
}

// Paths to the system's device and object namespaces name no plain file.
bool IsNamespacePath(std::string_view path) {
  return path.starts_with("\\\\?\\") || path.starts_with("\\\\.\\") || path.starts_with("\\??\\");
}

std::vector<std::string_view> SplitNames(std::string_view text) {
  std::vector<std::string_view> names;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find('\\', start), text.size());
    names.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

// A full path in normal form; none when it names no plain file.
std::optional<std::string> Clean(std::string_view full) {
  std::string text(full);
  std::replace(text.begin(), text.end(), '/', '\\');
  if (IsNamespacePath(text)) {
    return std::nullopt;
  }
  std::string result;
  std::string_view rest;
  if (HasDriveRoot(text)) {
    result = text.substr(0, 3);
    rest = std::string_view(text).substr(3);
  } else if (text.starts_with("\\\\")) {
    std::vector<std::string_view> names = SplitNames(std::string_view(text).substr(2));
    if (names.size() < 2 || names[0].empty() || names[1].empty()) {
      return std::nullopt;
    }
    result = "\\\\" + std::string(names[0]) + "\\" + std::string(names[1]);
    const std::size_t shareEnd = 2 + names[0].size() + 1 + names[1].size();
    rest = std::string_view(text).substr(std::min(shareEnd, text.size()));
  } else {
    return std::nullopt;
  }
  for (const std::string_view raw : SplitNames(rest)) {
    if (raw.empty()) {
      continue;
    }
    if (raw == "." || raw == "..") {
      return std::nullopt;
    }
    // The system drops trailing dots and blanks when it opens a name.
    const std::string_view name = raw.substr(0, raw.find_last_not_of(". ") + 1);
    if (name.empty() || IsDeviceName(name)) {
      return std::nullopt;
    }
    if (!result.ends_with('\\')) {
      result += '\\';
    }
    result += name;
  }
  return result;
}

// Both spellings in normal form; none when either names no plain file.
std::optional<platform::Path> CleanPath(const platform::Path& full) {
  std::optional<std::string> ansi = Clean(full.ansi);
  if (!ansi || !full.HasExact()) {
    return ansi ? std::optional<platform::Path>(std::move(*ansi)) : std::nullopt;
  }
  std::optional<std::string> exact = Clean(full.exact);
  if (!exact) {
    return std::nullopt;
  }
  return platform::Path(std::move(*ansi), std::move(*exact));
}

// The same part of both spellings, whose separators and roots are ASCII alike.
platform::Path Part(const platform::Path& path, std::string_view (*part)(std::string_view)) {
  return platform::Path(std::string(part(path.ansi)),
                        path.HasExact() ? std::string(part(path.exact)) : std::string());
}

}  // namespace

std::size_t RootLength(std::string_view path) {
  if (HasDriveRoot(path)) {
    return 3;
  }
  if (path.starts_with("\\\\")) {
    const std::size_t server = path.find('\\', 2);
    return server == std::string_view::npos ? 0
                                            : std::min(path.find('\\', server + 1), path.size());
  }
  return 0;
}

bool IsSameOrInside(std::string_view path, std::string_view folder) {
  if (folder.empty() || !path.starts_with(folder)) {
    return false;
  }
  return path.size() == folder.size() || folder.ends_with('\\') || path[folder.size()] == '\\';
}

std::string_view ParentOf(std::string_view path) {
  const std::size_t root = RootLength(path);
  if (root == 0 || path.size() <= root) {
    return {};
  }
  const std::size_t slash = path.rfind('\\');
  return path.substr(0, std::max(slash, root));
}

std::string_view NameOf(std::string_view path) {
  const std::size_t root = RootLength(path);
  if (root == 0 || path.size() <= root) {
    return {};
  }
  return path.substr(path.rfind('\\') + 1);
}

std::string PathForm::Normal(std::string_view path) const {
  return NormalOf(platform::Path(std::string(path)));
}

std::string PathForm::NormalOf(const platform::Path& path) const {
  platform::Path text = path;
  std::replace(text.ansi.begin(), text.ansi.end(), '/', '\\');
  std::replace(text.exact.begin(), text.exact.end(), '/', '\\');
  if (text.ansi.empty() || IsNamespacePath(text.ansi)) {
    return {};
  }
  const std::optional<platform::Path> full = CleanPath(files_.FullPath(text));
  if (!full) {
    return {};
  }
  const std::optional<platform::Path> normal = CleanPath(LongForm(*full));
  return normal ? normal->ansi : std::string();
}

std::string PathForm::Below(std::string_view normalFolder, std::string_view names) const {
  std::string joined(normalFolder);
  joined += '\\';
  joined += names;
  return Clean(joined).value_or(std::string());
}

std::string PathForm::Key(std::string_view normal) const {
  return SignatureUpperCase(normal, locale_);
}

// A path that does not exist keeps its missing names as they are, after the long form of the
// longest part that exists.
platform::Path PathForm::LongForm(const platform::Path& path) const {
  platform::Path longPath = files_.LongPath(path);
  if (!longPath.Empty()) {
    return longPath;
  }
  if (ParentOf(path.ansi).empty()) {
    return path;
  }
  platform::Path longParent = LongForm(Part(path, ParentOf));
  if (!longParent.ansi.ends_with('\\')) {
    longParent = longParent + "\\";
  }
  return files_.Join(longParent, Part(path, NameOf));
}

}  // namespace nexolant::protection
