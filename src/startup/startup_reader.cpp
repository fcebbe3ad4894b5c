#include "startup/startup_reader.h"

#include <array>
#include <optional>

#include "platform/ascii.h"
#include "registry/string_value.h"
#include "registry/t_registry.h"
#include "startup/startup_places.h"

namespace nexolant {
namespace {

using platform::RegistryRoot;
using Visit = std::function<bool(const FoundEntry&)>;

// The longest command line Windows starts, in characters.
constexpr std::size_t kLongestCommand = 32767;

std::string WithoutLeadingSeparator(const std::string& path) {
  return path.starts_with('\\') ? path.substr(1) : path;
}

}  // namespace

std::string StartupReader::ProgramOf(const std::string& command) const {
  return command.size() > kLongestCommand ? std::string() : services_.entries.ProgramOf(command);
}

void StartupReader::Read(const Visit& visit) {
  for (const char* path : kRunKeys) {
    if (!RunValues(RegistryRoot::kCurrentUser, path, visit)) {
      return;
    }
  }
  for (const char* path : kRunKeys) {
    if (!RunValues(RegistryRoot::kLocalMachine, path, visit)) {
      return;
    }
  }
  if (kSeesBothViews) {
    for (const char* path : kRunKeys32) {
      if (!RunValues(RegistryRoot::kLocalMachine, path, visit)) {
        return;
      }
    }
  }
  if (!StartupFolder(platform::KnownFolder::kStartup, visit) ||
      !StartupFolder(platform::KnownFolder::kCommonStartup, visit) || !Services(visit) ||
      !Tasks(visit)) {
    return;
  }
  for (std::size_t k = 0; k < (kSeesBothViews ? 2U : 1U); ++k) {
    if (!BrowserHelpers(kHelperKeys[k], visit) || !Toolbars(kToolbarKeys[k], visit)) {
      return;
    }
  }
}

bool StartupReader::RunValues(RegistryRoot root, const std::string& path, const Visit& visit) {
  platform::Registry& registry = services_.registry;
  const platform::OpenedKey key =
      registry.OpenKeyWide(root, registry.WideSpelling(path), platform::RegistryAccess::kRead,
                           platform::LinkHandling::kOpenLinkItself);
  if (!key) {
    return true;
  }
  const platform::NameListResult names = registry.ValueNamesWide(*key);
  const std::string location = HiveName(root) + "\\" + path;
  for (const platform::WideString& name : names.names) {
    const platform::ValueReadResult value = registry.ReadValueWide(*key, name);
    const std::optional<platform::WideString> text =
        value.error == 0 ? StringValueText(value.type, value.bytes) : std::nullopt;
    FoundEntry found{.entry = {.kind = StartupKind::kRunValue,
                               .root = root,
                               .keyPath = path,
                               .keyFullPath = location,
                               .isValue = true,
                               .valueName = name,
                               .place = location + "\\" + registry.AnsiSpelling(name)},
                     .name = registry.AnsiSpelling(name),
                     .location = location};
    if (text) {
      found.entry.command = registry.AnsiSpelling(*text);
      found.entry.program = ProgramOf(found.entry.command);
    }
    if (!visit(found)) {
      return false;
    }
  }
  return true;
}

bool StartupReader::StartupFolder(platform::KnownFolder known, const Visit& visit) {
  platform::FileSystem& files = services_.files;
  const platform::Path folder = files.KnownFolderPath(known);
  if (folder.Empty()) {
    return true;
  }
  const std::unique_ptr<platform::DirectorySearch> search = files.OpenSearch(folder + "\\*");
  if (!search) {
    return true;
  }
  while (const std::optional<platform::FindData> item = search->Next()) {
    if ((item->attributes & platform::kAttributeDirectory) != 0) {
      continue;
    }
    const platform::Path file = files.Join(
        folder + "\\", item->exactName.empty() ? platform::Path(item->name)
                                               : platform::Path(item->name, item->exactName));
    FoundEntry found{.entry = {.kind = StartupKind::kStartupFile},
                     .name = item->name,
                     .location = folder.ansi,
                     .file = file};
    if (platform::AsciiUpperCase(item->name).ends_with(".LNK")) {
      const platform::ShortcutTarget target = services_.shortcuts.TargetOf(file);
      if (target.error == 0 && !target.path.empty()) {
        found.entry.command = "\"" + files.AnsiSpelling(target.path) + "\"";
        if (!target.arguments.empty()) {
          found.entry.command += " " + files.AnsiSpelling(target.arguments);
        }
        found.entry.program = ProgramOf("\"" + files.AnsiSpelling(target.path) + "\"");
      }
    } else {
      found.entry.command = file.ansi;
      found.entry.program = file.ansi;
    }
    if (!visit(found)) {
      return false;
    }
  }
  return true;
}

bool StartupReader::Services(const Visit& visit) {
  return SubkeyEntries(
      kServicesKey, StartupKind::kService, kServiceLocation,
      [this](const std::string& path, const std::string&) {
        return services_.entries.ServiceProgram(path);
      },
      visit);
}

// Each subkey of the machine's key at path is an entry of the kind, judged by the program that
// programOf tells from the subkey's path and name.
bool StartupReader::SubkeyEntries(const std::string& path, StartupKind kind, const char* location,
                                  const ProgramOfKey& programOf, const Visit& visit) {
  platform::Registry& registry = services_.registry;
  StringList names;
  {
    const platform::OpenedKey key = registry.OpenKeyWide(
        RegistryRoot::kLocalMachine, registry.WideSpelling(path), platform::RegistryAccess::kRead,
        platform::LinkHandling::kOpenLinkItself);
    if (!key) {
      return true;
    }
    names = registry.SubkeyNamesInBothForms(*key).ansi;
  }
  for (const std::string& name : names) {
    const std::string keyPath = path + "\\" + name;
    FoundEntry found{.entry = {.kind = kind,
                               .root = RegistryRoot::kLocalMachine,
                               .keyPath = keyPath,
                               .keyFullPath = "HKEY_LOCAL_MACHINE\\" + keyPath,
                               .place = "HKEY_LOCAL_MACHINE\\" + keyPath},
                     .name = name,
                     .location = location};
    // A name the ANSI code page cannot spell leads to no key through that spelling.
    if (name.find('?') == std::string::npos) {
      found.entry.program = programOf(keyPath, name);
      found.entry.command = found.entry.program;
    }
    if (!visit(found)) {
      return false;
    }
  }
  return true;
}

bool StartupReader::Tasks(const Visit& visit) {
  platform::FileSystem& files = services_.files;
  const platform::TaskListResult listed = services_.tasks.List();
  for (const platform::ScheduledTask& task : listed.tasks) {
    FoundEntry found{.entry = {.kind = StartupKind::kScheduledTask,
                               .taskPath = task.path,
                               .place = task.path,
                               .storedPassword = task.storedPassword},
                     .name = WithoutLeadingSeparator(files.AnsiSpelling(task.path)),
                     .location = kScheduledTaskLocation};
    if (task.actions.empty() && !visit(found)) {
      return false;
    }
    for (const platform::TaskAction& action : task.actions) {
      const std::string program = files.AnsiSpelling(action.path);
      found.entry.command = "\"" + program + "\"";
      if (!action.arguments.empty()) {
        found.entry.command += " " + files.AnsiSpelling(action.arguments);
      }
      found.entry.program = program.empty() ? std::string() : ProgramOf("\"" + program + "\"");
      if (!visit(found)) {
        return false;
      }
    }
  }
  return true;
}

bool StartupReader::BrowserHelpers(const std::string& path, const Visit& visit) {
  return SubkeyEntries(
      path, StartupKind::kBrowserHelper, kBrowserHelperLocation,
      [this](const std::string&, const std::string& clsid) {
        return services_.entries.ClassProgram(clsid);
      },
      visit);
}

// A toolbar is a value named by its class.
bool StartupReader::Toolbars(const std::string& path, const Visit& visit) {
  platform::Registry& registry = services_.registry;
  const platform::OpenedKey key = registry.OpenKeyWide(
      RegistryRoot::kLocalMachine, registry.WideSpelling(path), platform::RegistryAccess::kRead,
      platform::LinkHandling::kOpenLinkItself);
  if (!key) {
    return true;
  }
  for (const platform::WideString& name : registry.ValueNamesWide(*key).names) {
    const std::string clsid = registry.AnsiSpelling(name);
    if (!clsid.starts_with('{')) {
      continue;
    }
    FoundEntry found{.entry = {.kind = StartupKind::kBrowserHelper,
                               .root = RegistryRoot::kLocalMachine,
                               .keyPath = path,
                               .keyFullPath = "HKEY_LOCAL_MACHINE\\" + path,
                               .isValue = true,
                               .valueName = name,
                               .place = "HKEY_LOCAL_MACHINE\\" + path + "\\" + clsid},
                     .name = clsid,
                     .location = kBrowserHelperLocation};
    if (clsid.find('?') == std::string::npos) {
      found.entry.program = services_.entries.ClassProgram(clsid);
      found.entry.command = found.entry.program;
    }
    if (!visit(found)) {
      return false;
    }
  }
  return true;
}

}  // namespace nexolant
