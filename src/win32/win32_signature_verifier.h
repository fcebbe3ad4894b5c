#pragma once

#include "platform/signature_verifier.h"

namespace nexolant::win32 {

// SignatureVerifier on the system's own cryptography, with calls that Windows 7 has: crypt32
// reads the PEM key and the DER signature, bcrypt hashes and verifies. Both libraries are
// bound at run time from the system folder, for one verification at a time.
class Win32SignatureVerifier final : public platform::SignatureVerifier {
 public:
  bool Verify(std::string_view publicKeyPem, std::string_view data,
              std::string_view signatureDer) const override;
};

}  // namespace nexolant::win32
