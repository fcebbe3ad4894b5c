#include "protection/entry_protection.h"

#include <algorithm>
#include <array>
#include <span>

#include "platform/ascii.h"

namespace nexolant::protection {
namespace {

using Names = std::vector<std::string>;

// Whether names begin with the upper-cased leading names; "?" stands for any one character.
bool BeginsWith(const Names& names, std::span<const std::string_view> leading) {
  if (names.size() <= leading.size()) {
    return false;
  }
  for (std::size_t k = 0; k < leading.size(); ++k) {
    const std::string_view table = leading[k];
    const std::string& name = names[k];
    if (table.size() != name.size() ||
        !std::equal(table.begin(), table.end(), name.begin(),
                    [](char t, char n) { return t == '?' || t == n; })) {
      return false;
    }
  }
  return true;
}

std::string Joined(const Names& names, std::size_t count) {
  std::string path;
  for (std::size_t k = 0; k < count; ++k) {
    path.append(k == 0 ? "" : "\\").append(names[k]);
  }
  return path;
}

constexpr std::array<std::string_view, 3> kServices = {"SYSTEM", "CURRENTCONTROLSET", "SERVICES"};
constexpr std::array<std::string_view, 3> kNumberedServices = {"SYSTEM", "CONTROLSET???",
                                                               "SERVICES"};
constexpr std::array<std::string_view, 1> kClasses = {"CLSID"};
constexpr std::array<std::string_view, 6> kNotifications = {
    "SOFTWARE", "MICROSOFT", "WINDOWS NT", "CURRENTVERSION", "WINLOGON", "NOTIFY"};
constexpr std::array<std::string_view, 6> kBrowserHelpers = {
    "SOFTWARE", "MICROSOFT", "WINDOWS", "CURRENTVERSION", "EXPLORER", "BROWSER HELPER OBJECTS"};

}  // namespace

EntryProtection::EntryProtection(platform::Registry& registry, platform::FileSystem& files,
                                 const FileProtection& fileProtection)
    : registry_(registry), files_(files), fileProtection_(fileProtection) {
  const PathForm& form = fileProtection.Form();
  folders_.windows = form.NormalOf(files.WindowsFolder());
  folders_.programFiles =
      form.NormalOf(files.KnownFolderPath(platform::KnownFolder::kProgramFiles));
  windowsKey_ = form.Key(folders_.windows);
}

bool EntryProtection::IsWindowsOwnEntry(const KeyProtection::Canonical& key) const {
  using Root = KeyProtection::Root;
  const Names& names = key.names;
  if (key.root == Root::kMachine &&
      (BeginsWith(names, kServices) || BeginsWith(names, kNumberedServices))) {
    return IsWindowsProgram(ServiceProgram(Joined(names, kServices.size() + 1)));
  }
  if (key.root == Root::kClasses && BeginsWith(names, kClasses)) {
    return IsWindowsProgram(ClassProgram(names[1]));
  }
  if (key.root == Root::kClasses) {
    return false;
  }
  const platform::RegistryRoot root = key.root == Root::kMachine
                                          ? platform::RegistryRoot::kLocalMachine
                                          : platform::RegistryRoot::kCurrentUser;
  if (BeginsWith(names, kNotifications)) {
    const std::optional<std::string> library =
        ReadString(root, Joined(names, kNotifications.size() + 1), "DLLName");
    return IsWindowsProgram(library ? ProgramOf(*library) : std::string());
  }
  if (BeginsWith(names, kBrowserHelpers)) {
    return IsWindowsProgram(ClassProgram(names[kBrowserHelpers.size()]));
  }
  return false;
}

bool EntryProtection::IsWindowsProgram(const std::string& program) const {
  if (program.empty() || fileProtection_.Classify(program) != PathProtection::kNone) {
    return true;
  }
  const PathForm& form = fileProtection_.Form();
  const std::string key = form.Key(form.Normal(program));
  if (key.empty() || fileProtection_.IsSystemName(std::string(NameOf(key)))) {
    return true;
  }
  // A program Windows' entry names that is gone: the entry is left for Windows to mend.
  return IsSameOrInside(key, windowsKey_) && !files_.FileExists(platform::Path(program));
}

std::optional<std::string> EntryProtection::ReadString(platform::RegistryRoot root,
                                                       const std::string& path,
                                                       const std::string& name) const {
  const platform::OpenedKey opened = registry_.OpenKey(root, path, platform::RegistryAccess::kRead);
  if (!opened) {
    return std::nullopt;
  }
  const platform::RegistryValue value = registry_.ReadValue(*opened, name);
  if (value.status != platform::RegistryValue::Status::kFound ||
      (value.type != platform::kRegString && value.type != platform::kRegExpandString)) {
    return std::nullopt;
  }
  std::string text = value.data;
  text.erase(std::min(text.find('\0'), text.size()));
  return text;
}

std::string EntryProtection::ServiceProgram(const std::string& path) const {
  const std::optional<std::string> image =
      ReadString(platform::RegistryRoot::kLocalMachine, path, "ImagePath");
  if (!image) {
    return {};
  }
  const std::string program = ProgramOf(*image);
  if (!platform::AsciiUpperCase(program).ends_with("\\SVCHOST.EXE")) {
    return program;
  }
  // A service that svchost runs is the library it names.
  std::optional<std::string> library =
      ReadString(platform::RegistryRoot::kLocalMachine, path + "\\Parameters", "ServiceDll");
  if (!library) {
    library = ReadString(platform::RegistryRoot::kLocalMachine, path, "ServiceDll");
  }
  return library ? ProgramOf(*library) : std::string();
}

std::string EntryProtection::ClassProgram(const std::string& clsid) const {
  for (const char* server : {"\\InprocServer32", "\\LocalServer32"}) {
    if (const std::optional<std::string> command =
            ReadString(platform::RegistryRoot::kClassesRoot, "CLSID\\" + clsid + server, "")) {
      return ProgramOf(*command);
    }
  }
  return {};
}

}  // namespace nexolant::protection
