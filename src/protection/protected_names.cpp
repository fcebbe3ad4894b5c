#include "protection/protected_names.h"

namespace nexolant::protection {
namespace {

// Laid out in columns, to be read in one screen each.
// clang-format off
constexpr std::string_view kProtectedProcessNames[] = {
    "[System]",                    "System",                      "System Idle Process",
    "Registry",                    "Secure System",               "Memory Compression",
    "smss.exe",                    "csrss.exe",                   "wininit.exe",
    "winlogon.exe",                "services.exe",                "lsass.exe",
    "lsaiso.exe",                  "lsm.exe",                     "svchost.exe",
    "spoolsv.exe",                 "explorer.exe",                "userinit.exe",
    "dwm.exe",                     "ctfmon.exe",                  "conhost.exe",
    "sihost.exe",                  "fontdrvhost.exe",             "taskhostw.exe",
    "taskhost.exe",                "taskhostex.exe",              "taskmgr.exe",
    "RuntimeBroker.exe",           "audiodg.exe",                 "dllhost.exe",
    "rundll32.exe",                "WmiPrvSE.exe",                "SearchIndexer.exe",
    "SearchProtocolHost.exe",      "SearchFilterHost.exe",        "SearchUI.exe",
    "SearchHost.exe",              "ShellExperienceHost.exe",     "StartMenuExperienceHost.exe",
    "TextInputHost.exe",           "ApplicationFrameHost.exe",    "LogonUI.exe",
    "consent.exe",                 "msdtc.exe",                   "MsMpEng.exe",
    "NisSrv.exe",                  "SecurityHealthService.exe",   "smartscreen.exe",
    "TrustedInstaller.exe",        "TiWorker.exe",                "wuauclt.exe",
    "alg.exe",                     "wlanext.exe",                 "dashost.exe",
};

constexpr std::string_view kSystemFileNames[] = {
    "notepad.exe",    "regedit.exe",    "regedt32.exe",   "cmd.exe",        "reg.exe",
    "msiexec.exe",    "regsvr32.exe",   "mmc.exe",        "taskkill.exe",   "sfc.exe",
    "bcdedit.exe",    "wscript.exe",    "cscript.exe",    "mshta.exe",      "control.exe",
    "hh.exe",         "write.exe",      "calc.exe",       "mspaint.exe",    "powershell.exe",
    "ntoskrnl.exe",   "winload.exe",    "winresume.exe",  "hal.dll",        "ci.dll",
    "ntdll.dll",      "kernel32.dll",   "kernelbase.dll", "user32.dll",     "gdi32.dll",
    "advapi32.dll",   "sechost.dll",    "rpcrt4.dll",     "shell32.dll",    "shlwapi.dll",
    "ole32.dll",      "oleaut32.dll",   "combase.dll",    "comctl32.dll",   "comdlg32.dll",
    "msvcrt.dll",     "ws2_32.dll",     "wininet.dll",    "winhttp.dll",    "urlmon.dll",
    "mshtml.dll",     "shdocvw.dll",    "ieframe.dll",    "crypt32.dll",    "wintrust.dll",
    "setupapi.dll",   "version.dll",    "winmm.dll",      "uxtheme.dll",    "dwmapi.dll",
    "dnsapi.dll",     "iphlpapi.dll",   "psapi.dll",      "imm32.dll",      "msctf.dll",
    "win32k.sys",     "tcpip.sys",      "ndis.sys",       "ntfs.sys",       "disk.sys",
    "hosts",          "SAM",            "SOFTWARE",       "SYSTEM",         "SECURITY",
    "DEFAULT",        "desktop.ini",    "win.ini",        "system.ini",
};

constexpr std::string_view kSystemNameFamilies[] = {
    "api-ms-win-*",  "ext-ms-*",  "*.mui",
};

constexpr std::string_view kSystemSubtrees[] = {
    "WinSxS",               "servicing",            "Installer",            "assembly",
    "System32\\catroot",    "System32\\catroot2",   "System32\\config",     "SysWOW64\\catroot",
    "SysWOW64\\catroot2",
};

constexpr std::string_view kProfileHiveFamilies[] = {
    "NTUSER.DAT*",  "NTUSER.INI*",  "NTUSER.POL*",  "UsrClass.dat*",
};

constexpr std::string_view kProfileHiveNames[] = {
    "NTUSER.DAT",   "ntuser.dat.LOG1",  "ntuser.ini",   "NTUSER.POL",   "UsrClass.dat",
    "UsrClass.dat.LOG2",
};

constexpr std::string_view kDriveRootNames[] = {
    "bootmgr",                   "BOOTNXT",                   "bootsect.bak",
    "pagefile.sys",              "hiberfil.sys",              "swapfile.sys",
    "ntldr",                     "NTDETECT.COM",              "boot.ini",
    "io.sys",                    "msdos.sys",                 "config.sys",
    "autoexec.bat",              "Boot",                      "Recovery",
    "System Volume Information", "$Recycle.Bin",              "RECYCLER",
    "Config.Msi",                "Documents and Settings",
};

using enum platform::KnownFolder;
constexpr platform::KnownFolder kProtectedKnownFolders[] = {
    kWindows,               kSystem,                kSystemX86,             kFonts,
    kResources,             kProgramFiles,          kProgramFilesX86,       kCommonProgramFiles,
    kCommonProgramFilesX86, kProgramData,           kCommonDesktop,         kCommonDocuments,
    kCommonStartMenu,       kCommonPrograms,        kCommonStartup,         kCommonTemplates,
    kCommonAdminTools,      kCommonMusic,           kCommonPictures,        kCommonVideos,
    kProfile,               kDesktop,               kDocuments,             kMusic,
    kPictures,              kVideos,                kFavorites,             kAppData,
    kLocalAppData,          kStartMenu,             kPrograms,              kStartup,
    kAdminTools,            kSendTo,                kRecent,                kTemplates,
    kNetHood,               kPrintHood,             kCookies,               kHistory,
    kInternetCache,         kCdBurnArea,
};

constexpr std::string_view kProtectedProfileFolders[] = {
    "AppData\\LocalLow", "Contacts",          "Downloads",
    "Links",             "Saved Games",       "Searches",
};

constexpr std::string_view kProtectedFolderNames[] = {
    "Windows",             "System32",            "SysWOW64",            "Program Files",
    "Program Files (x86)", "Common Files",        "ProgramData",         "Users",
    "Public",              "Default",             "All Users",           "Desktop",
    "Documents",           "Downloads",           "Music",               "Pictures",
    "Videos",              "Favorites",           "Links",               "Contacts",
    "Saved Games",         "Searches",            "AppData",             "Roaming",
    "Local",               "LocalLow",            "Start Menu",          "Programs",
    "Startup",             "Temp",
};

constexpr std::string_view kOwnFileNames[] = {
    "Nexolant.exe",   "Reference.dat",  "Nexolant.ini",   "Quarantine.ini",
    "Quarantine",     "Nexolant.chm",   "Uninstall.exe",
};

constexpr std::string_view kOrdinaryFileNames[] = {
    "program.exe",   "setup.exe",     "install.exe",   "uninstall.exe", "update.exe",
    "library.dll",   "control.ocx",   "applet.cpl",    "driver.sys",    "driver.inf",
    "installer.msi", "package.cab",   "script.bat",    "script.cmd",    "script.vbs",
    "script.js",     "screen.scr",    "readme.txt",    "document.doc",  "document.docx",
    "document.rtf",  "sheet.xls",     "sheet.xlsx",    "slides.pptx",   "report.pdf",
    "photo.jpg",     "picture.png",   "picture.gif",   "picture.bmp",   "icon.ico",
    "song.mp3",      "sound.wav",     "video.mp4",     "video.avi",     "archive.zip",
    "archive.rar",   "archive.7z",    "image.iso",     "shortcut.lnk",  "page.htm",
    "page.html",     "style.css",     "config.xml",    "data.json",     "data.dat",
    "data.db",       "settings.ini",  "help.chm",      "font.ttf",      "log.log",
    "temp.tmp",      "backup.bak",    "autorun.inf",   "thumbs.db",
};

// clang-format on

}  // namespace

std::span<const std::string_view> ProtectedProcessNames() {
  return kProtectedProcessNames;
}

std::span<const std::string_view> SystemFileNames() {
  return kSystemFileNames;
}

std::span<const std::string_view> SystemNameFamilies() {
  return kSystemNameFamilies;
}

std::span<const std::string_view> SystemSubtrees() {
  return kSystemSubtrees;
}

std::span<const std::string_view> ProfileHiveFamilies() {
  return kProfileHiveFamilies;
}

std::span<const std::string_view> ProfileHiveNames() {
  return kProfileHiveNames;
}

std::span<const std::string_view> DriveRootNames() {
  return kDriveRootNames;
}

std::span<const platform::KnownFolder> ProtectedKnownFolders() {
  return kProtectedKnownFolders;
}

std::span<const std::string_view> ProtectedProfileFolders() {
  return kProtectedProfileFolders;
}

std::span<const std::string_view> ProtectedFolderNames() {
  return kProtectedFolderNames;
}

std::span<const std::string_view> OwnFileNames() {
  return kOwnFileNames;
}

std::span<const std::string_view> OrdinaryFileNames() {
  return kOrdinaryFileNames;
}

}  // namespace nexolant::protection
