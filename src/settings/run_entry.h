#pragma once

#include <string>

#include "platform/path.h"
#include "platform/registry.h"

namespace nexolant {

// The value that starts the program when the user logs on: "Nexolant" under the per-user Run
// key, holding the full path of the executable in double quotes, so that a path with spaces
// cannot be read as a shorter program's path and its arguments. A value without quotes, as
// older versions wrote it, is ours all the same: it counts as present and is removed by name.
inline constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunValue = "Nexolant";

// Whether the value exists; read access is enough.
bool RunEntryExists(platform::Registry& registry);

// Writes the value, the quoted path, when it does not exist; an existing value is left as it
// is, whatever path it holds. The text is written in UTF-16, so a path the code page cannot
// hold is stored exactly. Throws RegistryError ("Failed to set data for 'Nexolant'") when it
// cannot be written.
void AddRunEntry(platform::Registry& registry, const platform::Path& executablePath);

// Removes the value when it exists.
void RemoveRunEntry(platform::Registry& registry);

}  // namespace nexolant
