#pragma once

#include <array>
#include <string_view>

namespace nexolant {

// The keys below the user's and the machine's roots whose values start programs at logon.
inline constexpr std::array<const char*, 2> kRunKeys = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
    "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce"};
// Where 64-bit Windows keeps the 32-bit programs' keys of the machine.
inline constexpr std::array<const char*, 2> kRunKeys32 = {
    "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run",
    "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnce"};
// The machine's browser helpers (a key per class) and toolbars (a value per class), in either
// view.
inline constexpr std::array<const char*, 2> kHelperKeys = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects",
    "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects"};
inline constexpr std::array<const char*, 2> kToolbarKeys = {
    "Software\\Microsoft\\Internet Explorer\\Toolbar",
    "Software\\Wow6432Node\\Microsoft\\Internet Explorer\\Toolbar"};
inline constexpr const char* kServicesKey = "SYSTEM\\CurrentControlSet\\Services";

// A 32-bit program sees the 32-bit view under the plain paths already, so only a 64-bit one
// reads the Wow6432Node paths as well.
inline constexpr bool kSeesBothViews = sizeof(void*) == 8;

// Whether a full key path ("HKEY_CURRENT_USER\Software\...", ASCII letters in any case) is one
// whose values the startup phase reports: the only keys a saved value is restored into.
bool IsStartupValueKey(std::string_view fullPath);

}  // namespace nexolant
