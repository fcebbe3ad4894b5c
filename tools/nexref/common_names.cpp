#include "nexref/common_names.h"

namespace nexolant::nexref {
namespace {

constexpr std::string_view kFileNames[] = {
    // Processes of Windows itself, as the process list shows them.
    "[System]",
    "System",
    "System Idle Process",
    "smss.exe",
    "csrss.exe",
    "wininit.exe",
    "winlogon.exe",
    "services.exe",
    "lsass.exe",
    "svchost.exe",
    "spoolsv.exe",
    "explorer.exe",
    "userinit.exe",
    "ctfmon.exe",
    "taskmgr.exe",
    "conhost.exe",
    "dwm.exe",
    "taskhost.exe",
    "wuauclt.exe",
    "alg.exe",
    // Programs and libraries that every installation holds.
    "rundll32.exe",
    "regsvr32.exe",
    "msiexec.exe",
    "cmd.exe",
    "notepad.exe",
    "regedit.exe",
    "iexplore.exe",
    "setup.exe",
    "kernel32.dll",
    "user32.dll",
    "gdi32.dll",
    "advapi32.dll",
    "shell32.dll",
    "ntdll.dll",
    "ole32.dll",
    "oleaut32.dll",
    "comctl32.dll",
    "comdlg32.dll",
    "wininet.dll",
    "urlmon.dll",
    "mshtml.dll",
    "shdocvw.dll",
    "msvcrt.dll",
    "ws2_32.dll",
    "desktop.ini",
    // The program's own files.
    "Nexolant.exe",
    "Reference.dat",
    "Nexolant.ini",
    "Quarantine.ini",
    "Nexolant.chm",
};

constexpr std::string_view kRegistryKeyNames[] = {
    "Software",
    "Microsoft",
    "Windows",
    "Windows NT",
    "CurrentVersion",
    "Run",
    "RunOnce",
    "RunServices",
    "Explorer",
    "Shell Folders",
    "Internet Explorer",
    "Main",
    "Toolbar",
    "Browser Helper Objects",
    "Extensions",
    "SearchScopes",
    "Policies",
    "Uninstall",
    "Classes",
    "CLSID",
    "Interface",
    "TypeLib",
    "AppID",
    "InprocServer32",
    "LocalServer32",
    "DefaultIcon",
    "shell",
    "shellex",
    "open",
    "command",
    "exefile",
    ".exe",
    "*",
    "System",
    "CurrentControlSet",
    "Control",
    "Services",
    "Environment",
    "Network",
    "Printers",
    "Console",
    "Control Panel",
    "Desktop",
    "Keyboard Layout",
    "AppEvents",
    "Identities",
    "Wow6432Node",
    "Nexolant",
};

}  // namespace

std::span<const std::string_view> CommonFileNames() {
  return kFileNames;
}

std::span<const std::string_view> CommonRegistryKeyNames() {
  return kRegistryKeyNames;
}

}  // namespace nexolant::nexref
