#pragma once

#include "platform/signature_verifier.h"

namespace nexolant::openssl {

// SignatureVerifier on OpenSSL's libcrypto, for the native build: nexref's verify command and
// the tests on Linux.
class OpenSslSignatureVerifier final : public platform::SignatureVerifier {
 public:
  bool Verify(std::string_view publicKeyPem, std::string_view data,
              std::string_view signatureDer) const override;
  std::optional<platform::Sha256Digest> Sha256(std::string_view data) const override;
  std::unique_ptr<platform::Sha256Stream> BeginSha256() const override;
};

}  // namespace nexolant::openssl
