#include "platform/folder_lock.h"

#include <optional>

#include "platform/ascii.h"
#include "platform/file_digest.h"

namespace nexolant::platform {

FolderLockScope::FolderLockScope(FolderLock& lock, MessagePump& pump) : lock_(lock) {
  for (std::uint32_t waited = 0; waited < kLongestWait; waited += kWaitSlice) {
    const Outcome taken = lock_.Acquire(kWaitSlice);
    if (taken) {
      return;
    }
    if (taken.error != kErrorTimeout) {
      throw SystemError(taken.error, "Nexolant cannot lock its program folder.");
    }
    pump.ProcessMessages();
  }
  throw SystemError(kErrorTimeout,
                    "Another Nexolant program is changing the files of the program folder. "
                    "Please try again later");
}

std::string FolderLockName(FileSystem& files, const Path& folder,
                           const SignatureVerifier& verifier) {
  const Path final = files.FinalPath(folder);
  const Path& named = final.Empty() ? folder : final;
  std::string spelling = named.HasExact() ? named.exact : files.ExactSpelling(named.ansi);
  if (!spelling.empty() && spelling.back() == '\\') {
    spelling.pop_back();
  }
  const std::optional<Sha256Digest> digest = verifier.Sha256(AsciiUpperCase(spelling));
  if (!digest) {
    throw SystemError(0, "Nexolant cannot name the lock of its program folder.");
  }
  return "Global\\Nexolant-" + Sha256Hex(*digest);
}

}  // namespace nexolant::platform
