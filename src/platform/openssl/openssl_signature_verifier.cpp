#include "platform/openssl/openssl_signature_verifier.h"

#include <openssl/pem.h>

#include <cstring>
#include <limits>
#include <memory>
#include <utility>

#include "platform/openssl/openssl_handles.h"

namespace nexolant::openssl {
namespace {

// A SHA-256 on an EVP digest context. After a failed step, and after Finish, it takes no more
// data and Finish answers none.
class OpenSslSha256Stream final : public platform::Sha256Stream {
 public:
  explicit OpenSslSha256Stream(UniqueDigestContext context) : context_(std::move(context)) {}

  void Update(std::string_view data) override {
    open_ = open_ && EVP_DigestUpdate(context_.get(), data.data(), data.size()) == 1;
  }

  std::optional<platform::Sha256Digest> Finish() override {
    platform::Sha256Digest digest{};
    unsigned int size = 0;
    const bool done = open_ && EVP_DigestFinal_ex(context_.get(), digest.data(), &size) == 1 &&
                      size == digest.size();
    open_ = false;
    return done ? std::optional(digest) : std::nullopt;
  }

 private:
  UniqueDigestContext context_;
  bool open_ = true;
};

}  // namespace

bool IsP256Key(EVP_PKEY* key) {
  char group[64] = "";
  std::size_t length = 0;
  return EVP_PKEY_is_a(key, "EC") &&
         EVP_PKEY_get_group_name(key, group, sizeof group, &length) == 1 &&
         std::strcmp(group, "prime256v1") == 0;
}

bool OpenSslSignatureVerifier::Verify(std::string_view publicKeyPem, std::string_view data,
                                      std::string_view signatureDer) const {
  if (signatureDer.empty() || signatureDer.size() > platform::kMaxSignatureSize ||
      publicKeyPem.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    return false;
  }
  const UniqueBio pem = ReadingBio(publicKeyPem);
  const UniqueKey key(pem ? PEM_read_bio_PUBKEY(pem.get(), nullptr, nullptr, nullptr) : nullptr);
  const UniqueDigestContext context(EVP_MD_CTX_new());
  if (!key || !context || !IsP256Key(key.get()) ||
      EVP_DigestVerifyInit(context.get(), nullptr, EVP_sha256(), nullptr, key.get()) != 1) {
    return false;
  }
  return EVP_DigestVerify(context.get(),
                          reinterpret_cast<const unsigned char*>(signatureDer.data()),
                          signatureDer.size(), reinterpret_cast<const unsigned char*>(data.data()),
                          data.size()) == 1;
}

std::optional<platform::Sha256Digest> OpenSslSignatureVerifier::Sha256(
    std::string_view data) const {
  platform::Sha256Digest digest{};
  unsigned int size = 0;
  if (EVP_Digest(data.data(), data.size(), digest.data(), &size, EVP_sha256(), nullptr) != 1 ||
      size != digest.size()) {
    return std::nullopt;
  }
  return digest;
}

std::unique_ptr<platform::Sha256Stream> OpenSslSignatureVerifier::BeginSha256() const {
  UniqueDigestContext context(EVP_MD_CTX_new());
  if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1) {
    return nullptr;
  }
  return std::make_unique<OpenSslSha256Stream>(std::move(context));
}

}  // namespace nexolant::openssl

namespace nexolant::platform {

const SignatureVerifier& SystemSignatureVerifier() {
  static const openssl::OpenSslSignatureVerifier verifier;
  return verifier;
}

}  // namespace nexolant::platform
