#include "scan/content_match.h"

#include <memory>
#include <optional>

#include "platform/file_digest.h"

namespace nexolant {

const HashSignature* FindKnownContent(const ContentMatchServices& services,
                                      const HashSignatures& known, const platform::Path& path,
                                      std::uint64_t listedSize,
                                      const std::function<bool()>& stopped) {
  if (!known.KnowsSize(listedSize)) {
    return nullptr;
  }
  // A file that is not the size it was listed with changed since: it is not read.
  const std::optional<platform::Sha256Digest> digest =
      platform::FileSha256(services.files, services.verifier, path, &services.pump,
                           {.size = listedSize, .stopped = stopped});
  return digest ? known.Find(listedSize, platform::Sha256Hex(*digest)) : nullptr;
}

const HashSignature* FindKnownContentOfFile(const ContentMatchServices& services,
                                            const HashSignatures& known, const platform::Path& path,
                                            const std::function<bool()>& stopped) {
  if (known.empty()) {
    return nullptr;
  }
  std::optional<std::uint64_t> size;
  if (const std::unique_ptr<platform::FileReader> reader = services.files.OpenReader(path)) {
    size = reader->Size();
  }
  return size ? FindKnownContent(services, known, path, *size, stopped) : nullptr;
}

}  // namespace nexolant
