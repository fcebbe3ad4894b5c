#pragma once

#include <span>
#include <string_view>

#include "platform/file_system.h"

namespace nexolant::protection {

// The policy's name tables, compared without regard to case. Each is short enough to be read
// in one screen; protected_names.cpp holds them.

// Processes of Windows itself, by executable name as the process list shows it: never found
// and never terminated.
std::span<const std::string_view> ProtectedProcessNames();

// Files of Windows itself: protected anywhere in the Windows folder's tree, as are the
// executables of the protected processes.
std::span<const std::string_view> SystemFileNames();

// The names of the files and folders that Windows keeps in its folder, System32, SysWOW64 and
// the drivers folder, as a fresh Wine prefix lists them (generated from data/windows_names.txt):
// protected anywhere in the Windows folder's tree; its executables are Windows' processes.
std::span<const std::string_view> WindowsOwnNames();

// Families of Windows' own files, each a prefix, "*" and a suffix: protected in the Windows
// folder's tree.
std::span<const std::string_view> SystemNameFamilies();

// Folders of the Windows folder, by their path below it, whose whole content is Windows' own:
// the component store, servicing, the installer and assembly caches, catalogs and hives.
std::span<const std::string_view> SystemSubtrees();

// The registry hives of the user profiles and their logs, as families: protected wherever they
// lie.
std::span<const std::string_view> ProfileHiveFamilies();

// One file of each hive family, for the sample of protected names.
std::span<const std::string_view> ProfileHiveNames();

// Files and folders of the system that lie directly in a drive root: protected there.
std::span<const std::string_view> DriveRootNames();

// The folders the system knows by their role: each is protected with the folders that hold it;
// one that lies in the user's profile is protected in every profile.
std::span<const platform::KnownFolder> ProtectedKnownFolders();

// Folders below every user profile that the system names no known folder for.
std::span<const std::string_view> ProtectedProfileFolders();

// The names of the folders protected by their place (the Windows folder, Program Files, the
// user profiles and their shell folders).
std::span<const std::string_view> ProtectedFolderNames();

// The files the program keeps in its folder, which is protected as a whole.
std::span<const std::string_view> OwnFileNames();

// Names of files that every user has; not protected, but no signature may match them.
std::span<const std::string_view> OrdinaryFileNames();

}  // namespace nexolant::protection
