#include "nexref/ec_keys.h"

#include <openssl/pem.h>

#include <stdexcept>

#include "platform/openssl/openssl_handles.h"

namespace nexolant::nexref {
namespace {

using openssl::UniqueBio;
using openssl::UniqueDigestContext;
using openssl::UniqueKey;

// Writes key into a new memory BIO with write and returns the text.
template <typename Write>
std::string PemText(EVP_PKEY* key, Write write) {
  const UniqueBio bio(BIO_new(BIO_s_mem()));
  if (!bio || write(bio.get(), key) != 1) {
    throw std::runtime_error("cannot write the key");
  }
  char* text = nullptr;
  const long size = BIO_get_mem_data(bio.get(), &text);
  return std::string(text, static_cast<std::size_t>(size));
}

}  // namespace

KeyPairPem GenerateKeyPair() {
  const UniqueKey key(EVP_EC_gen("P-256"));
  if (!key) {
    throw std::runtime_error("cannot make a key pair");
  }
  return {PemText(key.get(),
                  [](BIO* bio, EVP_PKEY* k) {
                    return PEM_write_bio_PrivateKey_traditional(bio, k, nullptr, nullptr, 0,
                                                                nullptr, nullptr);
                  }),
          PemText(key.get(), [](BIO* bio, EVP_PKEY* k) { return PEM_write_bio_PUBKEY(bio, k); })};
}

std::string SignData(std::string_view privatePem, std::string_view data) {
  const UniqueBio pem = openssl::ReadingBio(privatePem);
  const UniqueKey key(pem ? PEM_read_bio_PrivateKey(pem.get(), nullptr, nullptr, nullptr)
                          : nullptr);
  if (!key) {
    throw std::runtime_error("cannot read a private key from it");
  }
  if (!openssl::IsP256Key(key.get())) {
    throw std::runtime_error("it is not an ECDSA P-256 key");
  }
  const UniqueDigestContext context(EVP_MD_CTX_new());
  std::size_t size = 0;
  const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
  if (!context ||
      EVP_DigestSignInit(context.get(), nullptr, EVP_sha256(), nullptr, key.get()) != 1 ||
      EVP_DigestSign(context.get(), nullptr, &size, bytes, data.size()) != 1) {
    throw std::runtime_error("cannot sign with it");
  }
  std::string signature(size, '\0');
  if (EVP_DigestSign(context.get(), reinterpret_cast<unsigned char*>(signature.data()), &size,
                     bytes, data.size()) != 1) {
    throw std::runtime_error("cannot sign with it");
  }
  signature.resize(size);
  return signature;
}

}  // namespace nexolant::nexref
