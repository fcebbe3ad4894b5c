#pragma once

#include <span>
#include <string_view>

namespace nexolant::protection {

// The policy's registry tables: key paths below a root, names joined by "\", compared without
// regard to case; a "?" in a name stands for any one character. A key is protected with all
// its ancestors. protected_keys.cpp holds them, each short enough to be read in one screen.

// Below both HKEY_LOCAL_MACHINE\SOFTWARE and HKEY_CURRENT_USER\Software.
std::span<const std::string_view> ProtectedSoftwareKeys();

// Below HKEY_CLASSES_ROOT, which shows HKEY_LOCAL_MACHINE\SOFTWARE\Classes and
// HKEY_CURRENT_USER\Software\Classes as one.
std::span<const std::string_view> ProtectedClassesKeys();

// Below HKEY_CLASSES_ROOT, protected with everything in them: the interfaces, type libraries
// and applications of the classes.
std::span<const std::string_view> ProtectedClassesSubtrees();

// The keys of HKEY_CLASSES_ROOT that a fresh Wine prefix holds (generated from
// data/windows_classes.txt): Windows' own file types and ProgIDs, protected with everything in
// them.
std::span<const std::string_view> WindowsOwnClasses();

// Below HKEY_LOCAL_MACHINE.
std::span<const std::string_view> ProtectedMachineKeys();

// Below HKEY_LOCAL_MACHINE, protected with everything in them: where Windows keeps its
// configuration, its hardware and its security.
std::span<const std::string_view> ProtectedMachineSubtrees();

// Below HKEY_CURRENT_USER.
std::span<const std::string_view> ProtectedUserKeys();

// The program's own keys below both software roots, protected with everything in them.
std::span<const std::string_view> OwnSoftwareKeys();

// Names of keys that every machine has; not protected by path, but no signature may match
// them.
std::span<const std::string_view> OrdinaryKeyNames();

}  // namespace nexolant::protection
