#include "protection/file_protection.h"

#include <algorithm>

#include "protection/protected_names.h"

namespace nexolant::protection {
namespace {

std::vector<std::string> NamesOf(std::string_view relative) {
  std::vector<std::string> names;
  for (std::size_t start = 0; start < relative.size();) {
    const std::size_t end = std::min(relative.find('\\', start), relative.size());
    names.emplace_back(relative.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

// Whether names begins with, or is, the first names of longer.
bool IsLeadingPart(const std::vector<std::string>& names, const std::vector<std::string>& longer) {
  return names.size() <= longer.size() && std::equal(names.begin(), names.end(), longer.begin());
}

// Whether an upper-cased name belongs to one of the upper-cased families, each a prefix, "*" and
// a suffix.
bool InFamily(std::string_view name, const std::vector<std::string>& families) {
  return std::any_of(families.begin(), families.end(), [name](std::string_view family) {
    const std::size_t star = family.find('*');
    const std::string_view prefix = family.substr(0, star);
    const std::string_view suffix = family.substr(std::min(star + 1, family.size()));
    return star != std::string_view::npos && name.size() >= prefix.size() + suffix.size() &&
           name.starts_with(prefix) && name.ends_with(suffix);
  });
}

}  // namespace

FileProtection::FileProtection(platform::FileSystem& files, const platform::Locale& locale)
    : files_(files), form_(files, locale), identities_(files, form_) {
  // The folders come as the system gives them, each found through its exact spelling.
  const auto keyOf = [this](const platform::Path& path) { return form_.Key(form_.NormalOf(path)); };
  programFolderNormal_ = form_.NormalOf(files.ProgramFolder());
  programFolder_ = form_.Key(programFolderNormal_);
  windowsFolder_ = keyOf(files.WindowsFolder());
  if (!windowsFolder_.empty()) {
    folders_.push_back(windowsFolder_);
  }
  const std::string profile = keyOf(files.KnownFolderPath(platform::KnownFolder::kProfile));
  profiles_ = std::string(ParentOf(profile));
  for (const platform::KnownFolder known : ProtectedKnownFolders()) {
    std::string folder = keyOf(files.KnownFolderPath(known));
    if (folder.empty()) {
      continue;
    }
    if (!profile.empty() && folder.size() > profile.size() && IsSameOrInside(folder, profile)) {
      profileFolders_.push_back(NamesOf(std::string_view(folder).substr(profile.size() + 1)));
    }
    folders_.push_back(std::move(folder));
  }
  for (const std::string_view relative : ProtectedProfileFolders()) {
    profileFolders_.push_back(NamesOf(form_.Key(relative)));
  }
  if (!windowsFolder_.empty()) {
    for (const std::string_view relative : SystemSubtrees()) {
      subtrees_.push_back(windowsFolder_ + "\\" + form_.Key(relative));
    }
  }
  // Windows keeps the executables of its own processes in its folder too.
  for (const auto names : {SystemFileNames(), ProtectedProcessNames(), WindowsOwnNames()}) {
    for (const std::string_view name : names) {
      systemNames_.insert(form_.Key(name));
    }
  }
  for (const std::string_view family : SystemNameFamilies()) {
    systemNameFamilies_.push_back(form_.Key(family));
  }
  for (const std::string_view family : ProfileHiveFamilies()) {
    hiveFamilies_.push_back(form_.Key(family));
  }
  for (const std::string_view name : DriveRootNames()) {
    driveRootNames_.insert(form_.Key(name));
  }
  std::vector<std::string> protectedFolders = folders_;
  protectedFolders.push_back(programFolder_);
  // The program's own folders (the Quarantine) are known by identity too, where they exist.
  if (!programFolderNormal_.empty()) {
    const char* separator = programFolderNormal_.ends_with('\\') ? "" : "\\";
    if (const auto search = files.OpenSearch(programFolderNormal_ + separator + "*")) {
      while (const std::optional<platform::FindData> entry = search->Next()) {
        if ((entry->attributes & platform::kAttributeDirectory) != 0 && entry->name != "." &&
            entry->name != "..") {
          protectedFolders.push_back(programFolder_ + separator + form_.Key(entry->name));
        }
      }
    }
  }
  if (!profiles_.empty()) {
    protectedFolders.push_back(profiles_);
  }
  identities_.Read(protectedFolders);
}

// The other spellings are asked for only when the path's own spelling is not protected.
PathProtection FileProtection::Classify(std::string_view path) const {
  const std::string normal = form_.Normal(path);
  const PathProtection own =
      ClassifyNormal(normal, [&] { return PassesThroughReparsePoint(normal); });
  return own != PathProtection::kNone ? own
                                      : ClassifyOthers(identities_.OtherSpellings(normal), {});
}

WalkStart FileProtection::StartOf(std::string_view folder) const {
  WalkStart start;
  start.normal = form_.Normal(folder);
  if (!start.normal.empty()) {
    start.throughReparsePoint = PassesThroughReparsePoint(start.normal);
    start.otherSpellings = identities_.OtherSpellings(start.normal);
  }
  return start;
}

PathProtection FileProtection::ClassifyBelow(const WalkStart& start, std::string_view names) const {
  if (start.normal.empty()) {
    return PathProtection::kNotPlain;
  }
  const std::string normal = form_.Below(start.normal, names);
  const PathProtection own =
      ClassifyNormal(normal, [&] { return start.throughReparsePoint || IsReparsePoint(normal); });
  return own != PathProtection::kNone ? own : ClassifyOthers(start.otherSpellings, names);
}

// The own spelling was asked about reparse points already: the other names reach the same
// object.
PathProtection FileProtection::ClassifyOthers(const std::vector<std::string>& spellings,
                                              std::string_view names) const {
  for (const std::string& spelling : spellings) {
    const std::string normal = names.empty() ? spelling : form_.Below(spelling, names);
    const PathProtection other = ClassifyNormal(normal, [] { return false; });
    if (other != PathProtection::kNone) {
      return other;
    }
  }
  return PathProtection::kNone;
}

template <typename ThroughReparsePoint>
PathProtection FileProtection::ClassifyNormal(const std::string& normal,
                                              ThroughReparsePoint through) const {
  if (normal.empty()) {
    return PathProtection::kNotPlain;
  }
  const std::string key = form_.Key(normal);
  const std::string_view parent = ParentOf(key);
  if (parent.empty()) {
    return PathProtection::kDriveRoot;
  }
  if (IsSameOrInside(key, programFolder_) || IsSameOrInside(programFolder_, key)) {
    return PathProtection::kOwnFolder;
  }
  const auto holds = [&key](const std::string& folder) { return IsSameOrInside(folder, key); };
  const auto inside = [&key](const std::string& folder) { return IsSameOrInside(key, folder); };
  if (std::any_of(folders_.begin(), folders_.end(), holds) ||
      std::any_of(subtrees_.begin(), subtrees_.end(), inside) || IsInProfileFolder(key)) {
    return PathProtection::kSystemFolder;
  }
  const std::string name(NameOf(key));
  if ((RootLength(parent) == parent.size() && driveRootNames_.contains(name)) ||
      (IsSameOrInside(key, windowsFolder_) && IsSystemName(name)) ||
      InFamily(name, hiveFamilies_)) {
    return PathProtection::kSystemName;
  }
  if (IsSameOrInside(key, windowsFolder_) && IsMarkedSystemFolder(normal)) {
    return PathProtection::kSystemFolder;
  }
  if (through()) {
    return PathProtection::kReparsePoint;
  }
  if (key.starts_with("\\\\") ||
      files_.DriveTypeOf(key.substr(0, RootLength(key))) == platform::DriveType::kRemote) {
    return PathProtection::kRemote;
  }
  return PathProtection::kNone;
}

bool FileProtection::IsSystemName(const std::string& name) const {
  return systemNames_.contains(name) || InFamily(name, systemNameFamilies_);
}

// Windows marks folders of its own with the system attribute (the fonts, the caches, the
// component store); a walk reports such a folder as an entry of its own, so it is asked here.
bool FileProtection::IsMarkedSystemFolder(const std::string& normal) const {
  const std::optional<std::uint32_t> attributes = files_.FileAttributes(normal);
  constexpr std::uint32_t kSystemFolder =
      platform::kAttributeDirectory | platform::kAttributeSystem;
  return attributes && (*attributes & kSystemFolder) == kSystemFolder;
}

// A profile, or a shell folder of any profile or a folder on the way to one.
bool FileProtection::IsInProfileFolder(std::string_view key) const {
  if (profiles_.empty() || key.size() <= profiles_.size() || !IsSameOrInside(key, profiles_)) {
    return false;
  }
  std::vector<std::string> names =
      NamesOf(key.substr(profiles_.size() + (profiles_.ends_with('\\') ? 0 : 1)));
  names.erase(names.begin());  // the profile's own name
  return names.empty() || std::any_of(profileFolders_.begin(), profileFolders_.end(),
                                      [&names](const std::vector<std::string>& folder) {
                                        return IsLeadingPart(names, folder);
                                      });
}

bool FileProtection::PassesThroughReparsePoint(const std::string& normal) const {
  for (std::string_view path = normal; !ParentOf(path).empty(); path = ParentOf(path)) {
    if (IsReparsePoint(std::string(path))) {
      return true;
    }
  }
  return false;
}

bool FileProtection::IsReparsePoint(const std::string& path) const {
  const std::optional<std::uint32_t> attributes = files_.FileAttributes(path);
  return attributes && (*attributes & platform::kAttributeReparsePoint) != 0;
}

}  // namespace nexolant::protection
