#pragma once

#include <memory>

#include "platform/signature_verifier.h"

namespace nexolant::win32 {

// SignatureVerifier on the system's own cryptography, with calls that Windows 7 has: crypt32
// reads the PEM key and the DER signature, bcrypt hashes and verifies. Both libraries are
// bound at run time from the system folder when the verifier is made, and kept while it lives.
class Win32SignatureVerifier final : public platform::SignatureVerifier {
 public:
  Win32SignatureVerifier();
  ~Win32SignatureVerifier() override;

  bool Verify(std::string_view publicKeyPem, std::string_view data,
              std::string_view signatureDer) const override;
  std::optional<platform::Sha256Digest> Sha256(std::string_view data) const override;
  // The stream uses the verifier's libraries: it must not outlive the verifier.
  std::unique_ptr<platform::Sha256Stream> BeginSha256() const override;

  class CngLibraries;  // crypt32 and bcrypt with their functions, in the source file

 private:
  std::unique_ptr<const CngLibraries> cng_;
};

}  // namespace nexolant::win32
