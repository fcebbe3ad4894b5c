#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace nexolant::platform {

// The longest DER signature any verifier looks at: an ECDSA P-256 signature takes at most 72
// bytes, so anything longer is refused unread.
inline constexpr std::size_t kMaxSignatureSize = 256;

// A SHA-256 digest.
using Sha256Digest = std::array<std::uint8_t, 32>;

// A SHA-256 being made over data given in pieces.
class Sha256Stream {
 public:
  virtual ~Sha256Stream() = default;

  // Adds the next piece of the data.
  virtual void Update(std::string_view data) = 0;

  // The digest of everything added; none when the system's cryptography failed at any step.
  // The stream takes no more data after it.
  virtual std::optional<Sha256Digest> Finish() = 0;
};

// Checks ECDSA signatures over SHA-256 with a P-256 public key, and makes the digest itself.
class SignatureVerifier {
 public:
  virtual ~SignatureVerifier() = default;

  // True exactly when signatureDer (the DER form of r and s) is a valid signature of data by
  // the key in publicKeyPem (a "PUBLIC KEY" PEM block of a P-256 key). A key or signature that
  // cannot be read, a key of another kind and a signature longer than kMaxSignatureSize all
  // answer false; nothing throws.
  virtual bool Verify(std::string_view publicKeyPem, std::string_view data,
                      std::string_view signatureDer) const = 0;

  // The SHA-256 of data, as the signatures are made over it; none when the system's
  // cryptography cannot make it. Nothing throws.
  virtual std::optional<Sha256Digest> Sha256(std::string_view data) const = 0;

  // A SHA-256 to be given its data in pieces, for data too large to hold at once; null when
  // the system's cryptography cannot make one. Nothing throws.
  virtual std::unique_ptr<Sha256Stream> BeginSha256() const = 0;
};

// The verifier of the system the program runs on, provided by the platform layer it is linked
// with: the system's own cryptography on Windows, OpenSSL's libcrypto elsewhere.
const SignatureVerifier& SystemSignatureVerifier();

}  // namespace nexolant::platform
