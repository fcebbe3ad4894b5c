#pragma once

#include <cstdint>
#include <functional>

#include "platform/file_system.h"
#include "platform/message_pump.h"
#include "platform/path.h"
#include "platform/signature_verifier.h"
#include "reference/hash_signatures.h"

namespace nexolant {

// What matching a file by its content needs from the system.
struct ContentMatchServices {
  platform::FileSystem& files;
  const platform::SignatureVerifier& verifier;  // the system's SHA-256
  platform::MessagePump& pump;                  // runs between the pieces of a file
};

// The known file whose content the file at path has, given the size its folder's listing gave;
// null when none. Only a file whose size some known file has is read: it is hashed in pieces,
// pumping between them, and stopped is asked after each one. A file that cannot be opened, that
// changes or goes while it is hashed, or whose hashing is stopped matches nothing.
const HashSignature* FindKnownContent(const ContentMatchServices& services,
                                      const HashSignatures& known, const platform::Path& path,
                                      std::uint64_t listedSize,
                                      const std::function<bool()>& stopped);

// FindKnownContent of a file whose size is not at hand, such as a process's image: its size
// is read from its folder first.
const HashSignature* FindKnownContentOfFile(const ContentMatchServices& services,
                                            const HashSignatures& known, const platform::Path& path,
                                            const std::function<bool()>& stopped);

}  // namespace nexolant
