#pragma once

#include <openssl/bio.h>
#include <openssl/evp.h>

#include <memory>
#include <string_view>

namespace nexolant::openssl {

// Owners of libcrypto objects, freed on every way out.
struct BioFree {
  void operator()(BIO* bio) const { BIO_free(bio); }
};
struct KeyFree {
  void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct DigestContextFree {
  void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
using UniqueBio = std::unique_ptr<BIO, BioFree>;
using UniqueKey = std::unique_ptr<EVP_PKEY, KeyFree>;
using UniqueDigestContext = std::unique_ptr<EVP_MD_CTX, DigestContextFree>;

// A read-only memory BIO over text, which must outlive it; null when it cannot be made.
inline UniqueBio ReadingBio(std::string_view text) {
  return UniqueBio(BIO_new_mem_buf(text.data(), static_cast<int>(text.size())));
}

// Whether key is an elliptic-curve key on P-256, the only kind the program's signatures use.
bool IsP256Key(EVP_PKEY* key);

}  // namespace nexolant::openssl
