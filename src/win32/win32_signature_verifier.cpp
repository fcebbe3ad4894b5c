#include "win32/win32_signature_verifier.h"

#include <windows.h>

#include <bcrypt.h>
#include <wincrypt.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "win32/bound_function.h"
#include "win32/system_library.h"

namespace nexolant::win32 {
namespace {

constexpr std::size_t kCoordinateSize = 32;  // r and s of a P-256 signature, big-endian
constexpr std::size_t kDigestSize = 32;      // SHA-256
constexpr DWORD kEncoding = X509_ASN_ENCODING;

}  // namespace

// crypt32 and bcrypt with the functions a verification calls.
class Win32SignatureVerifier::CngLibraries {
 public:
  CngLibraries()
      : crypt32_(LoadSystemLibrary("crypt32.dll")), bcrypt_(LoadSystemLibrary("bcrypt.dll")) {
    bound_ = crypt32_ && bcrypt_ &&
             BindFunction(crypt32_.get(), "CryptStringToBinaryA", StringToBinary) &&
             BindFunction(crypt32_.get(), "CryptDecodeObjectEx", DecodeObject) &&
             BindFunction(crypt32_.get(), "CryptImportPublicKeyInfoEx2", ImportPublicKey) &&
             BindFunction(bcrypt_.get(), "BCryptOpenAlgorithmProvider", OpenAlgorithm) &&
             BindFunction(bcrypt_.get(), "BCryptCloseAlgorithmProvider", CloseAlgorithm) &&
             BindFunction(bcrypt_.get(), "BCryptGetProperty", GetProperty) &&
             BindFunction(bcrypt_.get(), "BCryptCreateHash", CreateHash) &&
             BindFunction(bcrypt_.get(), "BCryptHashData", HashData) &&
             BindFunction(bcrypt_.get(), "BCryptFinishHash", FinishHash) &&
             BindFunction(bcrypt_.get(), "BCryptDestroyHash", DestroyHash) &&
             BindFunction(bcrypt_.get(), "BCryptVerifySignature", VerifySignature) &&
             BindFunction(bcrypt_.get(), "BCryptDestroyKey", DestroyKey);
  }
  bool Bound() const { return bound_; }

  decltype(::CryptStringToBinaryA)* StringToBinary = nullptr;
  decltype(::CryptDecodeObjectEx)* DecodeObject = nullptr;
  decltype(::CryptImportPublicKeyInfoEx2)* ImportPublicKey = nullptr;
  decltype(::BCryptOpenAlgorithmProvider)* OpenAlgorithm = nullptr;
  decltype(::BCryptCloseAlgorithmProvider)* CloseAlgorithm = nullptr;
  decltype(::BCryptGetProperty)* GetProperty = nullptr;
  decltype(::BCryptCreateHash)* CreateHash = nullptr;
  decltype(::BCryptHashData)* HashData = nullptr;
  decltype(::BCryptFinishHash)* FinishHash = nullptr;
  decltype(::BCryptDestroyHash)* DestroyHash = nullptr;
  decltype(::BCryptVerifySignature)* VerifySignature = nullptr;
  decltype(::BCryptDestroyKey)* DestroyKey = nullptr;

 private:
  UniqueModule crypt32_;
  UniqueModule bcrypt_;
  bool bound_ = false;
};

namespace {

using CngLibraries = Win32SignatureVerifier::CngLibraries;

struct LocalMemoryFree {
  void operator()(void* memory) const { LocalFree(memory); }
};
template <typename T>
using LocalMemory = std::unique_ptr<T, LocalMemoryFree>;

// Owners of bcrypt handles; each closes through the bound function.
struct AlgorithmClose {
  decltype(::BCryptCloseAlgorithmProvider)* close;
  void operator()(BCRYPT_ALG_HANDLE handle) const { close(handle, 0); }
};
struct HashDestroy {
  decltype(::BCryptDestroyHash)* destroy;
  void operator()(BCRYPT_HASH_HANDLE handle) const { destroy(handle); }
};
struct KeyDestroy {
  decltype(::BCryptDestroyKey)* destroy;
  void operator()(BCRYPT_KEY_HANDLE handle) const { destroy(handle); }
};
using UniqueAlgorithm = std::unique_ptr<void, AlgorithmClose>;
using UniqueHash = std::unique_ptr<void, HashDestroy>;
using UniqueKey = std::unique_ptr<void, KeyDestroy>;

// Decodes DER bytes into the structure of type; the system allocates it.
template <typename T>
LocalMemory<T> Decode(const CngLibraries& cng, LPCSTR type, const BYTE* bytes, DWORD size) {
  void* decoded = nullptr;
  DWORD decodedSize = 0;
  if (!cng.DecodeObject(kEncoding, type, bytes, size, CRYPT_DECODE_ALLOC_FLAG, nullptr, &decoded,
                        &decodedSize)) {
    return nullptr;
  }
  return LocalMemory<T>(static_cast<T*>(decoded));
}

// The elliptic-curve public key of a "PUBLIC KEY" PEM block.
UniqueKey ImportPemKey(const CngLibraries& cng, std::string_view pem) {
  DWORD size = 0;
  const auto pemSize = static_cast<DWORD>(pem.size());
  if (!cng.StringToBinary(pem.data(), pemSize, CRYPT_STRING_BASE64HEADER, nullptr, &size, nullptr,
                          nullptr)) {
    return UniqueKey(nullptr, {cng.DestroyKey});
  }
  std::vector<BYTE> der(size);
  if (!cng.StringToBinary(pem.data(), pemSize, CRYPT_STRING_BASE64HEADER, der.data(), &size,
                          nullptr, nullptr)) {
    return UniqueKey(nullptr, {cng.DestroyKey});
  }
  const auto info = Decode<CERT_PUBLIC_KEY_INFO>(cng, X509_PUBLIC_KEY_INFO, der.data(), size);
  BCRYPT_KEY_HANDLE key = nullptr;
  if (!info || std::strcmp(info->Algorithm.pszObjId, szOID_ECC_PUBLIC_KEY) != 0 ||
      !cng.ImportPublicKey(kEncoding, info.get(), 0, nullptr, &key)) {
    return UniqueKey(nullptr, {cng.DestroyKey});
  }
  return UniqueKey(key, {cng.DestroyKey});
}

// Writes the little-endian integer of blob big-endian into the coordinate's 32 bytes.
bool PutCoordinate(const CRYPT_UINT_BLOB& blob, BYTE* coordinate) {
  DWORD size = blob.cbData;
  while (size > 0 && blob.pbData[size - 1] == 0) {
    --size;
  }
  if (size > kCoordinateSize) {
    return false;
  }
  std::reverse_copy(blob.pbData, blob.pbData + size, coordinate + kCoordinateSize - size);
  return true;
}

// r and s of a DER signature, each as 32 big-endian bytes, as BCryptVerifySignature takes them.
std::optional<std::array<BYTE, 2 * kCoordinateSize>> SignatureCoordinates(const CngLibraries& cng,
                                                                          std::string_view der) {
  const auto signature =
      Decode<CERT_ECC_SIGNATURE>(cng, X509_ECC_SIGNATURE, reinterpret_cast<const BYTE*>(der.data()),
                                 static_cast<DWORD>(der.size()));
  std::array<BYTE, 2 * kCoordinateSize> coordinates{};
  if (!signature || !PutCoordinate(signature->r, coordinates.data()) ||
      !PutCoordinate(signature->s, coordinates.data() + kCoordinateSize)) {
    return std::nullopt;
  }
  return coordinates;
}

// A SHA-256 on a bcrypt hash object. After a failed step, and after Finish, it takes no more
// data and Finish answers none.
class CngSha256Stream final : public platform::Sha256Stream {
 public:
  explicit CngSha256Stream(const CngLibraries& cng)
      : cng_(cng), algorithm_(nullptr, {cng.CloseAlgorithm}), hash_(nullptr, {cng.DestroyHash}) {
    BCRYPT_ALG_HANDLE algorithmHandle = nullptr;
    if (!BCRYPT_SUCCESS(cng.OpenAlgorithm(&algorithmHandle, BCRYPT_SHA256_ALGORITHM, nullptr, 0))) {
      return;
    }
    algorithm_.reset(algorithmHandle);
    // Windows 7 wants the hash object's memory from the caller.
    DWORD objectSize = 0;
    ULONG written = 0;
    if (!BCRYPT_SUCCESS(cng.GetProperty(algorithm_.get(), BCRYPT_OBJECT_LENGTH,
                                        reinterpret_cast<PUCHAR>(&objectSize), sizeof objectSize,
                                        &written, 0))) {
      return;
    }
    object_.resize(objectSize);
    BCRYPT_HASH_HANDLE hashHandle = nullptr;
    if (BCRYPT_SUCCESS(cng.CreateHash(algorithm_.get(), &hashHandle, object_.data(), objectSize,
                                      nullptr, 0, 0))) {
      hash_.reset(hashHandle);
    }
  }

  bool Usable() const { return hash_ != nullptr; }

  void Update(std::string_view data) override {
    constexpr std::size_t kChunk = std::numeric_limits<ULONG>::max();
    for (std::size_t offset = 0; hash_ && offset < data.size(); offset += kChunk) {
      const auto size = static_cast<ULONG>(std::min(kChunk, data.size() - offset));
      auto* bytes = reinterpret_cast<PUCHAR>(const_cast<char*>(data.data() + offset));
      if (!BCRYPT_SUCCESS(cng_.HashData(hash_.get(), bytes, size, 0))) {
        hash_.reset();
      }
    }
  }

  std::optional<platform::Sha256Digest> Finish() override {
    platform::Sha256Digest digest{};
    const bool done =
        hash_ && BCRYPT_SUCCESS(cng_.FinishHash(hash_.get(), digest.data(), kDigestSize, 0));
    hash_.reset();
    return done ? std::optional(digest) : std::nullopt;
  }

 private:
  const CngLibraries& cng_;
  UniqueAlgorithm algorithm_;
  std::vector<UCHAR> object_;  // the hash object's memory, outliving the hash
  UniqueHash hash_;
};

std::optional<platform::Sha256Digest> Digest(const CngLibraries& cng, std::string_view data) {
  CngSha256Stream stream(cng);
  stream.Update(data);
  return stream.Finish();
}

}  // namespace

Win32SignatureVerifier::Win32SignatureVerifier() : cng_(std::make_unique<CngLibraries>()) {}
Win32SignatureVerifier::~Win32SignatureVerifier() = default;

bool Win32SignatureVerifier::Verify(std::string_view publicKeyPem, std::string_view data,
                                    std::string_view signatureDer) const {
  if (signatureDer.empty() || signatureDer.size() > platform::kMaxSignatureSize ||
      publicKeyPem.empty() || publicKeyPem.size() > std::numeric_limits<DWORD>::max() ||
      !cng_->Bound()) {
    return false;
  }
  const CngLibraries& cng = *cng_;
  const UniqueKey key = ImportPemKey(cng, publicKeyPem);
  auto coordinates = SignatureCoordinates(cng, signatureDer);
  auto digest = Digest(cng, data);
  return key && coordinates && digest &&
         BCRYPT_SUCCESS(cng.VerifySignature(key.get(), nullptr, digest->data(), kDigestSize,
                                            coordinates->data(), coordinates->size(), 0));
}

std::optional<platform::Sha256Digest> Win32SignatureVerifier::Sha256(std::string_view data) const {
  if (!cng_->Bound()) {
    return std::nullopt;
  }
  return Digest(*cng_, data);
}

std::unique_ptr<platform::Sha256Stream> Win32SignatureVerifier::BeginSha256() const {
  if (!cng_->Bound()) {
    return nullptr;
  }
  auto stream = std::make_unique<CngSha256Stream>(*cng_);
  return stream->Usable() ? std::move(stream) : nullptr;
}

}  // namespace nexolant::win32

namespace nexolant::platform {

const SignatureVerifier& SystemSignatureVerifier() {
  static const win32::Win32SignatureVerifier verifier;
  return verifier;
}

}  // namespace nexolant::platform
