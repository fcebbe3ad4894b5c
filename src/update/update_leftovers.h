#pragma once

#include <string>

#include "platform/file_system.h"

namespace nexolant {

// Removes from programFolder (which ends with a backslash) the temporary files that an update
// killed part of the way left there: files named as the update, its downloads and the
// replacement of Reference.dat name theirs (a prefix of ours, one to four hexadecimal digits,
// ".tmp"). Nothing else is touched, and a file that cannot be removed stays. Never throws.
void RemoveUpdateLeftovers(platform::FileSystem& files, const platform::Path& programFolder);

}  // namespace nexolant
