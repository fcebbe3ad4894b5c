// Any reference file against an in-memory Windows: the files and folders of the generated name
// tables in System32, SysWOW64, the drivers folder and the Windows folder, its family members,
// stores and marked folders, drive-root files and profile hives; the keys of the tables with
// Windows' services, classes, notifications and browser helpers; a process for every program of
// the tables; and beside them one adware program with its files, processes and keys. The
// monitor with automatic termination, a scan with deep registry scanning and Repair never touch
// one of Windows' objects, and every adware object the reference names exactly is found.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_form.h"
#include "fakes/fake_downloader.h"
#include "fakes/fake_folder_browser.h"
#include "fakes/fake_folder_lock.h"
#include "fakes/fake_notification_area.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_profile_strings.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_signature_evidence.h"
#include "fakes/fake_startup_services.h"
#include "fakes/memory_file_system.h"
#include "fakes/memory_registry.h"
#include "platform/ascii.h"
#include "platform/clock.h"
#include "protection/protected_keys.h"
#include "protection/protected_names.h"
#include "registry/t_registry.h"
#include "support/ascii_locale.h"
#include "support/encipher_reference.h"
#include "support/named_control.h"
#include "support/scripted_backend.h"
#include "ui/application.h"
#include "ui/list_view.h"

namespace {

namespace protection = nexolant::protection;
using nexolant::HiveName;
using nexolant::platform::RegistryRoot;

constexpr std::string_view kProgramFolder = "C:\\Program Files\\Nexolant\\";
constexpr std::string_view kWindows = "C:\\Windows\\";
constexpr std::uint32_t kOwnProcessId = 100;

// The adware, under names of its own. Files are found by a quick scan; the ones in Program
// Files and the profile by a complete scan only.
constexpr std::array<std::string_view, 4> kAdwareFiles = {
    "C:\\Windows\\System32\\zapbarsvc.exe", "C:\\Windows\\System32\\zapbarhook.dll",
    "C:\\Windows\\zapbarupd.exe", "C:\\Windows\\Temp\\zapbarsetup.exe"};
constexpr std::array<std::string_view, 2> kAdwareFilesOutside = {
    "C:\\Program Files\\ZapBar\\zapbartool.exe",
    "C:\\Users\\User\\AppData\\Local\\ZapBar\\zapbartray.exe"};
constexpr std::array<std::string_view, 2> kAdwareProcesses = {
    "C:\\Windows\\zapbarupd.exe", "C:\\Users\\User\\AppData\\Local\\ZapBar\\zapbartray.exe"};
struct AdwareKey {
  RegistryRoot root;
  std::string_view path;
};
constexpr std::array<AdwareKey, 7> kAdwareKeys = {{
    {RegistryRoot::kCurrentUser, "Software\\ZapBarSoft"},
    {RegistryRoot::kLocalMachine, "SOFTWARE\\ZapBarSoft"},
    {RegistryRoot::kLocalMachine, "SYSTEM\\CurrentControlSet\\Services\\ZapBarService"},
    {RegistryRoot::kClassesRoot, "CLSID\\{5A9B0C11-7E2D-4F3A-9B1C-2D3E4F5A6B7C}"},
    {RegistryRoot::kLocalMachine,
     "SOFTWARE\\Classes\\CLSID\\{5A9B0C11-7E2D-4F3A-9B1C-2D3E4F5A6B7C}"},
    {RegistryRoot::kLocalMachine,
     "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify\\ZapBarNotify"},
    {RegistryRoot::kLocalMachine,
     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper "
     "Objects\\{5A9B0C11-7E2D-4F3A-9B1C-2D3E4F5A6B7C}"},
}};

std::string NameOf(std::string_view path) {
  return std::string(path.substr(path.rfind('\\') + 1));
}

std::string FolderOf(std::string_view path) {
  return std::string(path.substr(0, path.rfind('\\')));
}

std::string StemOf(std::string_view name) {
  return std::string(name.substr(0, name.find('.')));
}

std::string Upper(std::string_view text) {
  return nexolant::platform::AsciiUpperCase(text);
}

std::uint32_t Hash(std::string_view text) {
  std::uint32_t hash = 2166136261u;
  for (const char c : text) {
    hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  }
  return hash;
}

// A class identifier of Windows, made from a name of the tables.
std::string ClassIdOf(std::string_view name) {
  const std::uint32_t a = Hash(name);
  const std::uint32_t b = Hash(std::string(name) + "#");
  char text[40];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%04X-%08X%04X}", a, b & 0xFFFF, b >> 16,
                (a >> 8) & 0xFFFF, b ^ a, a & 0xFFFF);
  return text;
}

// Moves on only by the program's sleeps, so that every wait of Repair ends.
class SleepingClock : public nexolant::platform::Clock {
 public:
  nexolant::platform::DateTime Now() override { return 46000.5 + slept_ / 86'400'000.0; }
  void Sleep(std::uint32_t milliseconds) override { slept_ += milliseconds; }

 private:
  std::uint64_t slept_ = 0;
};

// What must survive: Windows' files with their contents, its keys and its processes.
struct Protected {
  std::vector<std::pair<std::string, std::string>> files;
  std::vector<std::string> folders;
  std::vector<std::pair<RegistryRoot, std::string>> keys;
  std::set<std::uint32_t> processes;
  // The keys no other key lies below: each stands for its ancestors too.
  std::vector<std::pair<RegistryRoot, std::string>> leafKeys;

  void FindLeafKeys() {
    std::set<std::pair<RegistryRoot, std::string>> sorted;
    for (const auto& [root, path] : keys) {
      sorted.emplace(root, Upper(path));
    }
    for (auto key = sorted.begin(); key != sorted.end(); ++key) {
      const auto next = std::next(key);
      if (next == sorted.end() || next->first != key->first ||
          !next->second.starts_with(key->second + "\\")) {
        leafKeys.push_back(*key);
      }
    }
  }
};

class World {
 public:
  World() {
    files.AddFolder(std::string(kProgramFolder));
    files.SetProgramFolder(std::string(kProgramFolder));
  }

  void PlantFile(const std::string& path) {
    files.AddFile(path, "Windows: " + path);
    guarded.files.emplace_back(path, "Windows: " + path);
  }
  void PlantFolder(const std::string& path, std::uint32_t extra = 0) {
    files.AddFolder(path);
    if (extra != 0) {
      files.SetAttributes(path, nexolant::platform::kAttributeDirectory | extra);
    }
    guarded.folders.push_back(path);
  }
  // A key of the classes root goes into the machine's classes too, whose view it is.
  void PlantKey(RegistryRoot root, const std::string& path) {
    for (const auto& [real, place] : Copies(root, path)) {
      registry.AddKey(real, place);
      guarded.keys.emplace_back(real, place);
    }
  }
  void PlantValue(RegistryRoot root, const std::string& path, const std::string& name,
                  const std::string& data) {
    for (const auto& [real, place] : Copies(root, path)) {
      registry.SetValue(real, place, name, nexolant::platform::kRegExpandString, data);
      guarded.keys.emplace_back(real, place);
    }
  }
  static std::vector<std::pair<RegistryRoot, std::string>> Copies(RegistryRoot root,
                                                                  const std::string& path) {
    if (root != RegistryRoot::kClassesRoot) {
      return {{root, path}};
    }
    return {{root, path}, {RegistryRoot::kLocalMachine, "SOFTWARE\\Classes\\" + path}};
  }

  nexolant::MemoryFileSystem files;
  nexolant::MemoryRegistry registry;
  nexolant::FakeProcessApi processes;
  Protected guarded;
};

bool IsExecutable(std::string_view name) {
  return Upper(name).ends_with(".EXE");
}

void PlantWindowsFiles(World& world) {
  const std::string system = std::string(kWindows) + "System32\\";
  const std::string wow = std::string(kWindows) + "SysWOW64\\";
  const std::string drivers = system + "drivers\\";
  std::set<std::string> planted;
  const auto plant = [&](const std::string& folder, std::string_view name) {
    const std::string path = folder + std::string(name);
    if (!planted.insert(Upper(path)).second) {
      return;
    }
    if (name.find('.') == std::string_view::npos) {
      world.PlantFolder(path);
    } else {
      world.PlantFile(path);
    }
  };
  for (const auto table : {protection::WindowsOwnNames(), protection::SystemFileNames()}) {
    for (const std::string_view name : table) {
      const std::uint32_t hash = Hash(name);
      plant(Upper(name).ends_with(".SYS") ? drivers : system, name);
      if (hash % 3 == 0) {
        plant(std::string(kWindows), name);
      }
      if (hash % 5 == 0) {
        plant(wow, name);
      }
    }
  }
  for (const std::string_view name : protection::ProtectedProcessNames()) {
    if (IsExecutable(name)) {
      plant(system, name);
    }
  }
  // Family members, named after the tables' names.
  const auto names = protection::WindowsOwnNames();
  for (const std::string_view family : protection::SystemNameFamilies()) {
    const std::size_t star = family.find('*');
    for (std::size_t k = 0; k < names.size(); k += 97) {
      const std::string member = std::string(family.substr(0, star)) + StemOf(names[k]) +
                                 std::string(family.substr(star + 1));
      plant(system + (member.ends_with(".mui") ? "en-US\\" : ""),
            member.ends_with(".mui") || member.find('.') != std::string::npos ? member
                                                                              : member + ".dll");
    }
  }
  // The stores and caches hold files of any name.
  for (const std::string_view subtree : protection::SystemSubtrees()) {
    const std::string folder = std::string(kWindows) + std::string(subtree);
    const auto ordinary = protection::OrdinaryFileNames();
    for (std::size_t k = Hash(subtree) % 7; k < ordinary.size(); k += 7) {
      plant(folder + "\\", ordinary[k]);
      plant(folder + "\\" + StemOf(ordinary[k]) + "\\", ordinary[k]);
    }
  }
  // Folders Windows marks as its own, under ordinary names, with files the walk never enters.
  const auto ordinary = protection::OrdinaryFileNames();
  for (std::size_t k = 0; k < ordinary.size(); k += 9) {
    const std::string folder = std::string(kWindows) + StemOf(ordinary[k]) + "Store";
    world.PlantFolder(folder,
                      nexolant::platform::kAttributeHidden | nexolant::platform::kAttributeSystem);
    world.PlantFile(folder + "\\" + std::string(ordinary[(k + 1) % ordinary.size()]));
  }
  for (const std::string_view name : protection::DriveRootNames()) {
    plant("C:\\", name);
  }
  for (const std::string& profile : {"C:\\Users\\User\\", "C:\\Users\\Other\\"}) {
    for (const std::string_view hive : protection::ProfileHiveNames()) {
      world.PlantFile(profile + std::string(hive));
    }
    const std::string classes = profile + "AppData\\Local\\Microsoft\\Windows\\";
    world.PlantFile(classes + "UsrClass.dat");
  }
}

// A key of the tables: "???" stands for the first numbered control set.
std::string TableKey(std::string_view path) {
  std::string key(path);
  if (const std::size_t mark = key.find("???"); mark != std::string::npos) {
    key.replace(mark, 3, "001");
  }
  return key;
}

void PlantWindowsKeys(World& world) {
  for (const std::string_view name : protection::WindowsOwnClasses()) {
    world.PlantKey(RegistryRoot::kClassesRoot, std::string(name) + "\\shell\\open\\command");
  }
  for (const std::string_view key : protection::ProtectedClassesKeys()) {
    world.PlantKey(RegistryRoot::kClassesRoot, std::string(key));
  }
  const auto userKeys = protection::ProtectedUserKeys();
  for (const std::string_view key : protection::ProtectedClassesSubtrees()) {
    for (const std::string_view child : userKeys) {
      world.PlantKey(RegistryRoot::kClassesRoot,
                     std::string(key) + "\\" + ClassIdOf(child) + "\\" + std::string(child));
    }
  }
  for (const std::string_view key : protection::ProtectedSoftwareKeys()) {
    world.PlantKey(RegistryRoot::kLocalMachine, "SOFTWARE\\" + std::string(key));
    world.PlantKey(RegistryRoot::kCurrentUser, "Software\\" + std::string(key));
  }
  for (const std::string_view key : protection::ProtectedMachineKeys()) {
    world.PlantKey(RegistryRoot::kLocalMachine, TableKey(key));
  }
  const auto names = protection::WindowsOwnNames();
  for (const std::string_view key : protection::ProtectedMachineSubtrees()) {
    for (std::size_t k = Hash(key) % 41; k < names.size(); k += 41) {
      world.PlantKey(RegistryRoot::kLocalMachine,
                     TableKey(key) + "\\" + StemOf(names[k]) + "\\" + std::string(userKeys[k % 9]));
    }
  }
  for (const std::string_view key : userKeys) {
    world.PlantKey(RegistryRoot::kCurrentUser, std::string(key) + "\\" + StemOf(key));
  }
  // Windows' services, classes, notifications and browser helpers, each naming a program of
  // the tables in one of the forms Windows writes.
  const std::string services = "SYSTEM\\CurrentControlSet\\Services\\";
  const std::string notify = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify\\";
  const std::string helpers =
      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\";
  for (std::size_t k = 0; k < names.size(); ++k) {
    const std::string name(names[k]);
    const std::string upper = Upper(name);
    const std::string stem = StemOf(name);
    if (upper.ends_with(".SYS")) {
      const std::string image =
          k % 2 == 0 ? "system32\\drivers\\" + name : "\\SystemRoot\\System32\\drivers\\" + name;
      world.PlantValue(RegistryRoot::kLocalMachine, services + stem, "ImagePath", image);
      world.PlantValue(RegistryRoot::kLocalMachine,
                       "SYSTEM\\ControlSet001\\Services\\" + stem + "\\Enum", "0", image);
    } else if (upper.ends_with(".EXE") && k % 3 == 0) {
      world.PlantValue(RegistryRoot::kLocalMachine, services + stem, "ImagePath",
                       "\"C:\\Windows\\System32\\" + name + "\" /service");
    } else if (upper.ends_with(".DLL")) {
      const std::string clsid = ClassIdOf(name);
      switch (k % 4) {
        case 0:
          world.PlantValue(RegistryRoot::kClassesRoot, "CLSID\\" + clsid + "\\InprocServer32", "",
                           "%SystemRoot%\\System32\\" + name);
          world.PlantKey(RegistryRoot::kLocalMachine, helpers + clsid);
          break;
        case 1:
          world.PlantValue(RegistryRoot::kLocalMachine, services + stem, "ImagePath",
                           "%SystemRoot%\\system32\\svchost.exe -k netsvcs");
          world.PlantValue(RegistryRoot::kLocalMachine, services + stem + "\\Parameters",
                           "ServiceDll", "%SystemRoot%\\System32\\" + name);
          break;
        case 2:
          world.PlantValue(RegistryRoot::kLocalMachine, notify + stem, "DLLName", name);
          break;
        default:
          world.PlantValue(RegistryRoot::kClassesRoot, "CLSID\\" + clsid + "\\LocalServer32", "",
                           "rundll32.exe " + name + ",Run");
          break;
      }
    }
  }
}

void PlantWindowsProcesses(World& world) {
  std::uint32_t id = 1000;
  const auto add = [&](const std::string& path) {
    world.processes.Add(id, path);
    world.guarded.processes.insert(id++);
  };
  for (const std::string_view name : protection::ProtectedProcessNames()) {
    add(IsExecutable(name) ? std::string(kWindows) + "System32\\" + std::string(name)
                           : std::string(name));
  }
  for (const std::string_view name : protection::WindowsOwnNames()) {
    if (IsExecutable(name)) {
      add(std::string(kWindows) + (Hash(name) % 3 == 0 ? "" : "System32\\") + std::string(name));
    }
  }
  world.processes.SetCurrentProcessId(kOwnProcessId);
  world.processes.Add(kOwnProcessId, std::string(kProgramFolder) + "Nexolant.exe");
  world.guarded.processes.insert(kOwnProcessId);
}

void PlantAdware(World& world) {
  for (const auto table : {std::span<const std::string_view>(kAdwareFiles),
                           std::span<const std::string_view>(kAdwareFilesOutside)}) {
    for (const std::string_view path : table) {
      world.files.AddFolder(FolderOf(path));
      world.files.AddFile(std::string(path), "adware");
    }
  }
  std::uint32_t id = 4000;
  for (const std::string_view path : kAdwareProcesses) {
    world.processes.Add(id++, std::string(path));
  }
  for (const auto& [root, path] : kAdwareKeys) {
    world.registry.AddKey(root, std::string(path) + "\\Settings");
  }
  const auto value = [&](RegistryRoot root, const std::string& path, const std::string& name,
                         const std::string& data) {
    world.registry.SetValue(root, path, name, nexolant::platform::kRegString, data);
  };
  value(RegistryRoot::kLocalMachine, std::string(kAdwareKeys[2].path), "ImagePath",
        "%SystemRoot%\\system32\\zapbarsvc.exe");
  for (const std::size_t k : {3, 4}) {
    value(kAdwareKeys[k].root, std::string(kAdwareKeys[k].path) + "\\InprocServer32", "",
          "C:\\Windows\\System32\\zapbarhook.dll");
  }
  value(RegistryRoot::kLocalMachine, std::string(kAdwareKeys[5].path), "DLLName", "zapbarhook.dll");
}

// The adware named exactly, first in every section, so that any other line only adds to it.
std::string AdwareReference() {
  std::string files = "[ScanFiles]\n";
  for (const auto table : {std::span<const std::string_view>(kAdwareFiles),
                           std::span<const std::string_view>(kAdwareFilesOutside)}) {
    for (const std::string_view path : table) {
      files += NameOf(path) + "=ZapBar file\n";
    }
  }
  std::string processes = "[OtherKill]\n";
  for (const std::string_view path : kAdwareProcesses) {
    processes += NameOf(path) + "=ZapBar process\n";
  }
  std::string keys = "[Registry]\n";
  for (const auto& key : kAdwareKeys) {
    keys += NameOf(key.path) + "=ZapBar key\n";
  }
  return files + processes + keys;
}

// Names a pattern is made from: the tables' files, classes, keys and processes.
const std::vector<std::string>& PatternNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all;
    for (const auto table : {protection::WindowsOwnNames(), protection::WindowsOwnClasses(),
                             protection::SystemFileNames(), protection::ProtectedProcessNames(),
                             protection::SystemNameFamilies(), protection::ProfileHiveNames(),
                             protection::DriveRootNames(), protection::ProtectedFolderNames(),
                             protection::OwnFileNames(), protection::ProtectedUserKeys(),
                             protection::OrdinaryFileNames(), protection::OrdinaryKeyNames()}) {
      all.insert(all.end(), table.begin(), table.end());
    }
    for (const auto table :
         {protection::ProtectedSoftwareKeys(), protection::ProtectedClassesKeys(),
          protection::ProtectedClassesSubtrees(), protection::ProtectedMachineKeys(),
          protection::ProtectedMachineSubtrees(), protection::SystemSubtrees()}) {
      for (const std::string_view path : table) {
        for (std::size_t start = 0; start <= path.size();) {
          const std::size_t end = std::min(path.find('\\', start), path.size());
          all.emplace_back(path.substr(start, end - start));
          start = end + 1;
        }
      }
    }
    for (const std::string_view name : protection::WindowsOwnNames()) {
      if (Upper(name).ends_with(".DLL")) {
        all.push_back(ClassIdOf(name));
      }
      all.push_back(StemOf(name));
    }
    return all;
  }();
  return names;
}

constexpr std::string_view kBroadPatterns[] = {
    "*",      "?*",      "*.*",   "*.exe",   "*.dll",    "*-*",   "*-*.dll", "j*",
    "{4*",    ".b*",     "*.mui", "S*",      "*32*",     "?",     "??????*", "*.sys",
    "*.cpl",  "{*}",     "*.dat", "NTUSER*", "*Store",   "*svc*", "C*",      "*.*.*",
    "Micro*", "*Notify", "Win*",  "*.log*",  "????.dll", "*_*",   "api*",    "*host.exe"};

// The first byte chooses a complete scan; every record after it adds one line: a section, then
// a table name as it is or with wildcards, a broad pattern, or raw text.
struct Case {
  bool complete = false;
  std::string reference;
};

Case Decode(const std::uint8_t* data, std::size_t size) {
  Case result;
  result.reference = AdwareReference();
  if (size == 0) {
    return result;
  }
  result.complete = data[0] & 1;
  const std::vector<std::string>& names = PatternNames();
  constexpr std::string_view kSections[] = {"[ScanFiles]\n", "[OtherKill]\n", "[Registry]\n"};
  std::size_t at = 1;
  const auto next = [&]() -> std::uint8_t { return at < size ? data[at++] : 0; };
  for (int lines = 0; at < size && lines < 48; ++lines) {
    const std::uint8_t op = next();
    std::string pattern;
    switch ((op >> 2) % 6) {
      case 0:
      case 1:
        pattern = names[(next() << 8 | next()) % names.size()];
        break;
      case 2: {
        pattern = names[(next() << 8 | next()) % names.size()];
        const std::size_t position = next() % (pattern.size() + 1);
        switch (next() % 4) {
          case 0:
            pattern.insert(position, "*");
            break;
          case 1:
            pattern = pattern.substr(0, position) + "*";
            break;
          case 2:
            pattern = "*" + pattern.substr(position);
            break;
          default:
            if (position < pattern.size()) {
              pattern[position] = '?';
            }
            break;
        }
        break;
      }
      case 3:
        pattern = kBroadPatterns[next() % std::size(kBroadPatterns)];
        break;
      default: {
        const std::size_t length = next() % 24;
        for (std::size_t k = 0; k < length && at < size; ++k) {
          const char c = static_cast<char>(next());
          if (c != '\n' && c != '\r' && c != '\0') {
            pattern += c;
          }
        }
        break;
      }
    }
    result.reference +=
        std::string(kSections[(op & 3) % 3]) + pattern + "=Line " + std::to_string(lines) + "\n";
  }
  return result;
}

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "protection_fuzz: %s\n", what.c_str());
  std::abort();
}

// Every one of Windows' files, folders, keys and processes is where it was, as it was.
void CheckGuarded(World& world, const std::string& step) {
  for (const auto& [path, contents] : world.guarded.files) {
    if (world.files.Contents(path) != contents) {
      Fail(step + " touched the file " + path);
    }
  }
  for (const std::string& path : world.guarded.folders) {
    const std::optional<std::uint32_t> attributes = world.files.FileAttributes(path);
    if (!attributes || (*attributes & nexolant::platform::kAttributeDirectory) == 0) {
      Fail(step + " touched the folder " + path);
    }
  }
  for (const auto& [root, path] : world.guarded.leafKeys) {
    if (!world.registry.HasKey(root, path)) {
      Fail(step + " deleted the key " + HiveName(root) + "\\" + path);
    }
  }
  for (const std::uint32_t id : world.processes.Terminated()) {
    if (world.guarded.processes.contains(id)) {
      Fail(step + " terminated Windows' process " + std::to_string(id));
    }
  }
}

// Whether a row of the report is one of the adware's objects.
bool IsAdwareRow(const nexolant::ui::ListItem& row) {
  const std::string& name = row.caption;
  const std::string& location = row.subItems.at(0);
  if (location == "Memory") {
    return std::any_of(kAdwareProcesses.begin(), kAdwareProcesses.end(),
                       [&](std::string_view path) { return Upper(NameOf(path)) == Upper(name); });
  }
  const std::string path = Upper(location + "\\" + name);
  for (const auto table : {std::span<const std::string_view>(kAdwareFiles),
                           std::span<const std::string_view>(kAdwareFilesOutside)}) {
    for (const std::string_view file : table) {
      if (Upper(file) == path) {
        return true;
      }
    }
  }
  return std::any_of(kAdwareKeys.begin(), kAdwareKeys.end(), [&](const AdwareKey& key) {
    const std::string adware = Upper(HiveName(key.root) + "\\" + std::string(key.path));
    return path == adware || path.starts_with(adware + "\\");
  });
}

bool Reported(const nexolant::ui::ListView& report, const std::string& location,
              const std::string& name) {
  return std::any_of(
      report.Items().begin(), report.Items().end(), [&](const nexolant::ui::ListItem& row) {
        return Upper(row.caption) == Upper(name) && Upper(row.subItems.at(0)) == Upper(location);
      });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Case input = Decode(data, size);
  World world;
  PlantWindowsFiles(world);
  PlantWindowsKeys(world);
  PlantWindowsProcesses(world);
  PlantAdware(world);
  world.guarded.FindLeafKeys();
  world.files.AddFile(std::string(kProgramFolder) + "Reference.dat",
                      nexolant::testing::EncipherReference(input.reference));

  nexolant::AsciiLocale locale;
  SleepingClock clock;
  nexolant::FakeShell shell;
  nexolant::FakeProfileStrings profileStrings{world.files};
  nexolant::FakeDownloader downloader{world.files};
  nexolant::FakeNotificationArea notificationArea;
  nexolant::FakeFolderBrowser folderBrowser;
  const nexolant::FakeSignatureEvidence evidence;
  nexolant::FakeShortcuts shortcuts;
  nexolant::FakeScheduledTasks tasks;
  nexolant::FakeServiceControl serviceControl{world.registry};
  nexolant::FakeFolderLock folderLock;
  nexolant::ScriptedBackend backend;
  nexolant::ui::Application application{backend};
  auto form = std::make_unique<nexolant::TMainForm>(
      nexolant::AppServices{.files = world.files,
                            .clock = clock,
                            .locale = locale,
                            .shell = shell,
                            .registry = world.registry,
                            .processes = world.processes,
                            .profileStrings = profileStrings,
                            .downloader = downloader,
                            .notificationArea = notificationArea,
                            .folderBrowser = folderBrowser,
                            .evidence = evidence,
                            .shortcuts = shortcuts,
                            .tasks = tasks,
                            .serviceControl = serviceControl,
                            .folderLock = folderLock,
                            .application = application,
                            .programFolder = std::string(kProgramFolder)});
  application.CreateForm(*form);
  const auto control = [&](std::string_view name) -> nexolant::ui::Control& {
    return nexolant::Named<nexolant::ui::Control>(*form, name);
  };
  const auto click = [&](std::string_view name) {
    if (!backend.Click(control(name))) {
      Fail("cannot click " + std::string(name));
    }
  };

  // The monitor's ticks with automatic termination end the adware's processes only.
  form->UserOptions().Set(nexolant::Option::kAutoTerminate, true);
  click("ActiveBtn");
  click("lblAMEnable");
  nexolant::ui::Timer& timer = form->ActiveMonitoring().ProcessTimer();
  backend.FireTimer(timer);
  CheckGuarded(world, "the monitor");
  if (world.processes.Terminated().size() != kAdwareProcesses.size()) {
    Fail("the monitor ended " + std::to_string(world.processes.Terminated().size()) +
         " processes, not the adware's " + std::to_string(kAdwareProcesses.size()));
  }
  click("lblAMEnable");

  // A scan with deep registry scanning reports every adware object and nothing else.
  std::uint32_t id = 5000;
  for (const std::string_view path : kAdwareProcesses) {
    world.processes.Add(id++, std::string(path));
  }
  form->UserOptions().Set(nexolant::Option::kDeepScanRegistry, true);
  click("ScanBtn");
  click(input.complete ? "chkComplete" : "chkQuick");
  click("btnNext");
  CheckGuarded(world, "the scan");
  const auto& report = nexolant::Named<nexolant::ui::ListView>(*form, "Report");
  for (const nexolant::ui::ListItem& row : report.Items()) {
    if (!IsAdwareRow(row)) {
      Fail("the scan reported " + row.caption + " in " + row.subItems.at(0));
    }
  }
  for (const std::string_view path : kAdwareProcesses) {
    if (!Reported(report, "Memory", NameOf(path))) {
      Fail("the scan missed the process " + NameOf(path));
    }
  }
  for (const std::string_view path : kAdwareFiles) {
    if (!Reported(report, FolderOf(path), NameOf(path))) {
      Fail("the scan missed the file " + std::string(path));
    }
  }
  for (const std::string_view path : kAdwareFilesOutside) {
    if (input.complete && !Reported(report, FolderOf(path), NameOf(path))) {
      Fail("the complete scan missed the file " + std::string(path));
    }
  }
  for (const auto& [root, path] : kAdwareKeys) {
    if (!Reported(report, HiveName(root) + "\\" + FolderOf(path), NameOf(path))) {
      Fail("the scan missed the key " + std::string(path));
    }
  }

  // Repair acts on every row and on nothing of Windows.
  click("btnStop");
  click("btnRepair");
  CheckGuarded(world, "Repair");
  for (const std::string_view path : kAdwareFiles) {
    if (world.files.FileExists(std::string(path))) {
      Fail("Repair left the file " + std::string(path));
    }
  }
  // The fake's classes root is a tree of its own: the machine's copy is the key removed.
  for (const auto& [root, path] : kAdwareKeys) {
    if (root != RegistryRoot::kClassesRoot && world.registry.HasKey(root, std::string(path))) {
      Fail("Repair left the key " + std::string(path));
    }
  }
  return 0;
}
