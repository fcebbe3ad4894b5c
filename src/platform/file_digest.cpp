#include "platform/file_digest.h"

#include <memory>
#include <string_view>
#include <vector>

#include "platform/hex_text.h"

namespace nexolant::platform {

std::optional<Sha256Digest> FileSha256(FileSystem& files, const SignatureVerifier& verifier,
                                       const Path& path, MessagePump* pump,
                                       const DigestConditions& conditions) {
  const std::unique_ptr<FileReader> reader = files.OpenReader(path);
  if (!reader || (conditions.size && reader->Size() != *conditions.size)) {
    return std::nullopt;
  }
  const std::unique_ptr<Sha256Stream> hash = verifier.BeginSha256();
  if (!hash) {
    return std::nullopt;
  }
  std::vector<char> buffer(kFileDigestChunk);
  std::uint64_t total = 0;
  for (;;) {
    const std::optional<std::size_t> read = reader->Read(buffer);
    if (!read) {
      return std::nullopt;
    }
    if (*read == 0) {
      break;
    }
    total += *read;
    if (total > reader->Size()) {
      return std::nullopt;
    }
    hash->Update(std::string_view(buffer.data(), *read));
    if (pump != nullptr) {
      pump->ProcessMessages();
    }
    if (conditions.stopped && conditions.stopped()) {
      return std::nullopt;
    }
  }
  if (total != reader->Size()) {
    return std::nullopt;
  }
  return hash->Finish();
}

std::string Sha256Hex(const Sha256Digest& digest) {
  return HexText(std::string_view(reinterpret_cast<const char*>(digest.data()), digest.size()));
}

}  // namespace nexolant::platform
