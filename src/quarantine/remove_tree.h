#pragma once

#include <string>

#include "platform/file_system.h"

namespace nexolant {

// Deletes the file or folder at path with everything in it, read-only entries included. A
// junction, symbolic link or mount point, at path or inside it, is deleted as itself: the walk
// never enters it, so its target stays whole. The walk goes by exact names, so entries named
// in characters the code page cannot hold go too. True when nothing is left at path; what
// could not be deleted stays, with the folders that hold it.
[[nodiscard]] bool RemoveTree(platform::FileSystem& files, const platform::Path& path);

}  // namespace nexolant
