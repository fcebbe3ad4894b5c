#pragma once

#include <string>

#include "platform/file_system.h"
#include "reference/crypt.h"

namespace nexolant {

// Reads the whole source file, enciphers or deciphers it into a buffer of the same size and
// writes that buffer to the target (created or replaced) whatever the transform returned.
// Returns the transform's result; IoError from reading or writing propagates.
bool CipherFile(platform::FileSystem& files, const platform::Path& source,
                const platform::Path& target, ReferenceKey key, bool encipher);

// CipherFile in the deciphering direction: the one entry the running program uses.
bool DecipherFile(platform::FileSystem& files, const platform::Path& source,
                  const platform::Path& target, ReferenceKey key);

}  // namespace nexolant
