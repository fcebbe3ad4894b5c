#pragma once

#include <cstdint>
#include <string>

#include "platform/errors.h"
#include "platform/file_system.h"
#include "platform/message_pump.h"
#include "platform/path.h"
#include "platform/signature_verifier.h"

namespace nexolant::platform {

inline constexpr std::uint32_t kErrorTimeout = 258;

// The lock that every process of the program, of any user, takes before it changes the files it
// shares in the program folder (the quarantine and its index, the settings file, the ignore
// list). A thread that holds it may take it again, and gives it back as often as it took it.
class FolderLock {
 public:
  virtual ~FolderLock() = default;

  // Waits at most that long; done when this thread holds the lock, also when its last holder
  // ended without giving it back, and kErrorTimeout when another holds it still.
  virtual Outcome Acquire(std::uint32_t milliseconds) = 0;
  virtual void Release() = 0;
};

// Holds the lock for its lifetime. While another process holds it, the pump keeps running
// between short waits; after two minutes of them the scope gives up and throws SystemError.
class FolderLockScope {
 public:
  static constexpr std::uint32_t kWaitSlice = 10;
  static constexpr std::uint32_t kLongestWait = 120'000;

  FolderLockScope(FolderLock& lock, MessagePump& pump);
  ~FolderLockScope() { lock_.Release(); }
  FolderLockScope(const FolderLockScope&) = delete;
  FolderLockScope& operator=(const FolderLockScope&) = delete;

 private:
  FolderLock& lock_;
};

// The name of a folder's lock in the system's global namespace: "Global\Nexolant-" and the
// SHA-256 of the folder's path as the system itself names it (its exact spelling, ASCII letters
// upper-cased), so that every process started from the folder, by whatever spelling, meets the
// same lock. Throws SystemError when the system's cryptography cannot make the digest.
std::string FolderLockName(FileSystem& files, const Path& folder,
                           const SignatureVerifier& verifier);

}  // namespace nexolant::platform
