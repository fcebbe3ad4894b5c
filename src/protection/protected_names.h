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
