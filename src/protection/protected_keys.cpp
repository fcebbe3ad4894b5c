#include "protection/protected_keys.h"

namespace nexolant::protection {
namespace {

// Laid out in columns, to be read in one screen each.
// clang-format off
constexpr std::string_view kSoftwareKeys[] = {
    "Classes",
    "Clients",
    "Policies",
    "Wow6432Node",
    "Microsoft\\Active Setup\\Installed Components",
    "Microsoft\\Internet Explorer\\Extensions",
    "Microsoft\\Internet Explorer\\Main",
    "Microsoft\\Internet Explorer\\SearchScopes",
    "Microsoft\\Internet Explorer\\Toolbar",
    "Microsoft\\Windows\\CurrentVersion\\App Paths",
    "Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects",
    "Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
    "Microsoft\\Windows\\CurrentVersion\\Explorer\\ShellExecuteHooks",
    "Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
    "Microsoft\\Windows\\CurrentVersion\\Policies",
    "Microsoft\\Windows\\CurrentVersion\\Run",
    "Microsoft\\Windows\\CurrentVersion\\RunOnce",
    "Microsoft\\Windows\\CurrentVersion\\RunOnceEx",
    "Microsoft\\Windows\\CurrentVersion\\RunServices",
    "Microsoft\\Windows\\CurrentVersion\\RunServicesOnce",
    "Microsoft\\Windows\\CurrentVersion\\ShellServiceObjectDelayLoad",
    "Microsoft\\Windows\\CurrentVersion\\Uninstall",
    "Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options",
    "Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
};

constexpr std::string_view kClassesKeys[] = {
    "*",                      "AllFilesystemObjects",   "Applications",
    "batfile",                "CLSID",                  "cmdfile",
    "comfile",                "Directory",              "Drive",
    "exefile",                "Folder",                 "ftp",
    "htmlfile",               "http",                   "https",
    "lnkfile",                "Protocols\\Filter",      "Protocols\\Handler",
};

constexpr std::string_view kClassesSubtrees[] = {
    "AppID",                  "Interface",              "TypeLib",
    "MIME\\Database",         "SystemFileAssociations",
};

constexpr std::string_view kMachineKeys[] = {
    "SYSTEM\\CurrentControlSet\\Services",
    "SYSTEM\\ControlSet???\\Services",
};

constexpr std::string_view kMachineSubtrees[] = {
    "BCD00000000",
    "HARDWARE",
    "SAM",
    "SECURITY",
    "SYSTEM\\MountedDevices",
    "SYSTEM\\Select",
    "SYSTEM\\Setup",
    "SYSTEM\\CurrentControlSet\\Control",
    "SYSTEM\\CurrentControlSet\\Enum",
    "SYSTEM\\CurrentControlSet\\Hardware Profiles",
    "SYSTEM\\ControlSet???\\Control",
    "SYSTEM\\ControlSet???\\Enum",
    "SYSTEM\\ControlSet???\\Hardware Profiles",
};

constexpr std::string_view kUserKeys[] = {
    "AppEvents",            "Console",              "Control Panel",        "Environment",
    "Identities",           "Keyboard Layout",      "Network",              "Printers",
    "Volatile Environment",
};

constexpr std::string_view kOwnKeys[] = {
    "Nexolant",
    "Microsoft\\Windows\\CurrentVersion\\Uninstall\\Nexolant",
};

constexpr std::string_view kOrdinaryKeyNames[] = {
    "Google",                 "Mozilla",                "Adobe",
    "Apple Inc.",             "Valve",                  "Oracle",
    "JavaSoft",               "Intel",                  "NVIDIA Corporation",
    "Realtek",                "Logitech",               "VideoLAN",
    "7-Zip",                  "WinRAR",                 "ODBC",
    "RegisteredApplications", "Internet Explorer",      "Internet Settings",
    "Shell Extensions",       "InprocServer32",         "LocalServer32",
    "DefaultIcon",            "shell",                  "shellex",
    "open",                   "command",                "ContextMenuHandlers",
    "PropertySheetHandlers",  "Desktop",                "International",
    "Keyboard",               "Mouse",                  "Colors",
    "Settings",               "Options",                "Installer",
    "Products",               "Schedule",               ".txt",
    ".htm",                   "txtfile",                "ControlSet001",
    "ControlSet002",
    "{20D04FE0-3AEA-1069-A2D8-08002B30309D}",
    "{645FF040-5081-101B-9F08-00AA002F954E}",
    "{00021401-0000-0000-C000-000000000046}",
};

// clang-format on

}  // namespace

std::span<const std::string_view> ProtectedSoftwareKeys() {
  return kSoftwareKeys;
}

std::span<const std::string_view> ProtectedClassesKeys() {
  return kClassesKeys;
}

std::span<const std::string_view> ProtectedClassesSubtrees() {
  return kClassesSubtrees;
}

std::span<const std::string_view> ProtectedMachineKeys() {
  return kMachineKeys;
}

std::span<const std::string_view> ProtectedMachineSubtrees() {
  return kMachineSubtrees;
}

std::span<const std::string_view> ProtectedUserKeys() {
  return kUserKeys;
}

std::span<const std::string_view> OwnSoftwareKeys() {
  return kOwnKeys;
}

std::span<const std::string_view> OrdinaryKeyNames() {
  return kOrdinaryKeyNames;
}

}  // namespace nexolant::protection
