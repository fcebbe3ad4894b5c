#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/message_pump.h"
#include "platform/path.h"
#include "platform/signature_verifier.h"

namespace nexolant::platform {

// The size of the pieces a file is hashed in.
inline constexpr std::size_t kFileDigestChunk = 64 * 1024;

// What a caller may ask of a file's hashing beyond its pump: the size the file must have when
// it is opened, and a test, made after each pump, that abandons the hash when it answers true.
struct DigestConditions {
  std::optional<std::uint64_t> size{};
  std::function<bool()> stopped{};
};

// The SHA-256 of a file's bytes, read in pieces so that a file of any size is never held whole;
// pump, when given, runs between pieces. None when the file cannot be opened or read, when the
// system's cryptography fails, when the bytes read are not as many as the file held when it
// was opened (it changed while it was being hashed), or when a condition is not met.
std::optional<Sha256Digest> FileSha256(FileSystem& files, const SignatureVerifier& verifier,
                                       const Path& path, MessagePump* pump,
                                       const DigestConditions& conditions = {});

// A digest as 64 lower-case hexadecimal digits.
std::string Sha256Hex(const Sha256Digest& digest);

}  // namespace nexolant::platform
