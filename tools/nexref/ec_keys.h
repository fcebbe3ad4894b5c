#pragma once

#include <string>
#include <string_view>

namespace nexolant::nexref {

// A new ECDSA P-256 key pair as PEM text: the private key as "EC PRIVATE KEY", as
// `openssl ecparam -genkey` writes it, the public key as "PUBLIC KEY", as `openssl ec -pubout`
// writes it. Throws std::runtime_error when libcrypto fails.
struct KeyPairPem {
  std::string privatePem;
  std::string publicPem;
};
KeyPairPem GenerateKeyPair();

// The DER signature over SHA-256 of data by the P-256 private key in privatePem (any PEM form
// libcrypto reads), as `openssl dgst -sha256 -sign` writes it. Throws std::runtime_error, with
// the reason, for a key that cannot be read or is not a P-256 key.
std::string SignData(std::string_view privatePem, std::string_view data);

}  // namespace nexolant::nexref
