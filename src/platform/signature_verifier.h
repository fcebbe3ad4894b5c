#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace nexolant::platform {

// The longest DER signature any verifier looks at: an ECDSA P-256 signature takes at most 72
// bytes, so anything longer is refused unread.
inline constexpr std::size_t kMaxSignatureSize = 256;

// A SHA-256 digest.
using Sha256Digest = std::array<std::uint8_t, 32>;

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
};

// The verifier of the system the program runs on, provided by the platform layer it is linked
// with: the system's own cryptography on Windows, OpenSSL's libcrypto elsewhere.
const SignatureVerifier& SystemSignatureVerifier();

}  // namespace nexolant::platform
