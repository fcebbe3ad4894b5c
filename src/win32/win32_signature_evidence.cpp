#include "win32/win32_signature_evidence.h"

#include <windows.h>

// The catalog and trust headers need the cryptography's types first.
#include <wincrypt.h>

#include <bcrypt.h>
#include <mscat.h>
#include <sfc.h>
#include <softpub.h>
#include <wintrust.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ascii.h"
#include "platform/hex_text.h"
#include "win32/bound_function.h"
#include "win32/system_library.h"
#include "win32/unique_handle.h"
#include "win32/wide_names.h"

namespace nexolant::win32 {

// wintrust, crypt32 and sfc with the functions the evidence calls; sfc and the SHA-256
// catalog calls are optional.
class Win32SignatureEvidence::TrustLibraries {
 public:
  TrustLibraries()
      : wintrust_(LoadSystemLibrary("wintrust.dll")),
        crypt32_(LoadSystemLibrary("crypt32.dll")),
        sfc_(LoadSystemLibrary("sfc.dll")) {
    bound_ = BindFunction(wintrust_.get(), "WinVerifyTrust", VerifyTrust) &&
             BindFunction(wintrust_.get(), "WTHelperProvDataFromStateData", ProviderData) &&
             BindFunction(wintrust_.get(), "WTHelperGetProvSignerFromChain", ProviderSigner) &&
             BindFunction(wintrust_.get(), "WTHelperGetProvCertFromChain", ProviderCertificate) &&
             BindFunction(wintrust_.get(), "CryptCATAdminAcquireContext", AcquireAdmin) &&
             BindFunction(wintrust_.get(), "CryptCATAdminReleaseContext", ReleaseAdmin) &&
             BindFunction(wintrust_.get(), "CryptCATAdminCalcHashFromFileHandle", CalcHash) &&
             BindFunction(wintrust_.get(), "CryptCATAdminEnumCatalogFromHash", EnumCatalog) &&
             BindFunction(wintrust_.get(), "CryptCATAdminReleaseCatalogContext", ReleaseCatalog) &&
             BindFunction(wintrust_.get(), "CryptCATCatalogInfoFromContext", CatalogInfo) &&
             BindFunction(crypt32_.get(), "CertGetNameStringW", NameString) &&
             BindFunction(crypt32_.get(), "CertGetEnhancedKeyUsage", KeyUsage) &&
             BindFunction(crypt32_.get(), "CertVerifyCertificateChainPolicy", ChainPolicy);
    BindFunction(wintrust_.get(), "CryptCATAdminAcquireContext2", AcquireAdmin2);
    BindFunction(wintrust_.get(), "CryptCATAdminCalcHashFromFileHandle2", CalcHash2);
    BindFunction(sfc_.get(), "SfcIsFileProtected", IsFileProtected);
  }
  bool Bound() const { return bound_; }
  bool HasSha256Catalogs() const { return AcquireAdmin2 != nullptr && CalcHash2 != nullptr; }

  decltype(::WinVerifyTrust)* VerifyTrust = nullptr;
  decltype(::WTHelperProvDataFromStateData)* ProviderData = nullptr;
  decltype(::WTHelperGetProvSignerFromChain)* ProviderSigner = nullptr;
  decltype(::WTHelperGetProvCertFromChain)* ProviderCertificate = nullptr;
  decltype(::CryptCATAdminAcquireContext)* AcquireAdmin = nullptr;
  decltype(::CryptCATAdminAcquireContext2)* AcquireAdmin2 = nullptr;
  decltype(::CryptCATAdminReleaseContext)* ReleaseAdmin = nullptr;
  decltype(::CryptCATAdminCalcHashFromFileHandle)* CalcHash = nullptr;
  decltype(::CryptCATAdminCalcHashFromFileHandle2)* CalcHash2 = nullptr;
  decltype(::CryptCATAdminEnumCatalogFromHash)* EnumCatalog = nullptr;
  decltype(::CryptCATAdminReleaseCatalogContext)* ReleaseCatalog = nullptr;
  decltype(::CryptCATCatalogInfoFromContext)* CatalogInfo = nullptr;
  decltype(::CertGetNameStringW)* NameString = nullptr;
  decltype(::CertGetEnhancedKeyUsage)* KeyUsage = nullptr;
  decltype(::CertVerifyCertificateChainPolicy)* ChainPolicy = nullptr;
  decltype(::SfcIsFileProtected)* IsFileProtected = nullptr;

 private:
  UniqueModule wintrust_;
  UniqueModule crypt32_;
  UniqueModule sfc_;
  bool bound_ = false;
};

namespace {

using TrustLibraries = Win32SignatureEvidence::TrustLibraries;
using platform::Publisher;

// What one trust check found.
struct Trust {
  LONG status = TRUST_E_NOSIGNATURE;
  std::wstring signer;            // the signing certificate's simple display name
  bool windowsComponent = false;  // signed for Windows components, ending at a product root
};

// The statuses of a file that carries no signature of its own, or of a kind that has none.
bool Unsigned(LONG status) {
  return status == TRUST_E_NOSIGNATURE || status == TRUST_E_SUBJECT_FORM_UNKNOWN ||
         status == TRUST_E_PROVIDER_UNKNOWN;
}

bool HasUsage(const TrustLibraries& trust, PCCERT_CONTEXT certificate, const char* usage) {
  DWORD size = 0;
  if (!trust.KeyUsage(certificate, 0, nullptr, &size) || size == 0) {
    return false;
  }
  std::vector<BYTE> buffer(size);
  auto* usages = reinterpret_cast<CERT_ENHKEY_USAGE*>(buffer.data());
  if (!trust.KeyUsage(certificate, 0, usages, &size)) {
    return false;
  }
  for (DWORD k = 0; k < usages->cUsageIdentifier; ++k) {
    if (std::string_view(usages->rgpszUsageIdentifier[k]) == usage) {
      return true;
    }
  }
  return false;
}

// The system's own test that a chain ends at one of Windows' product roots, not an
// application root: the roots are known to crypt32, so none is named here.
bool EndsAtProductRoot(const TrustLibraries& trust, PCCERT_CHAIN_CONTEXT chain) {
  CERT_CHAIN_POLICY_PARA para{};
  para.cbSize = sizeof para;
  CERT_CHAIN_POLICY_STATUS status{};
  status.cbSize = sizeof status;
  return chain != nullptr &&
         trust.ChainPolicy(CERT_CHAIN_POLICY_MICROSOFT_ROOT, chain, &para, &status) &&
         status.dwError == 0;
}

std::wstring SimpleName(const TrustLibraries& trust, PCCERT_CONTEXT certificate) {
  const DWORD size =
      trust.NameString(certificate, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, nullptr, 0);
  if (size <= 1) {
    return {};
  }
  std::wstring name(size, L'\0');
  trust.NameString(certificate, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, name.data(), size);
  name.resize(size - 1);
  return name;
}

// Runs WinVerifyTrust on data (its subject set by the caller) without revocation look-ups or
// network retrieval, reads the signer while the state lives, and closes the state.
Trust Check(const TrustLibraries& trust, WINTRUST_DATA& data) {
  GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
  data.cbStruct = sizeof data;
  data.dwUIChoice = WTD_UI_NONE;
  data.fdwRevocationChecks = WTD_REVOKE_NONE;
  data.dwStateAction = WTD_STATEACTION_VERIFY;
  data.dwProvFlags = WTD_REVOCATION_CHECK_NONE | WTD_CACHE_ONLY_URL_RETRIEVAL;
  const auto noWindow = static_cast<HWND>(INVALID_HANDLE_VALUE);
  Trust result;
  result.status = trust.VerifyTrust(noWindow, &action, &data);
  if (result.status == ERROR_SUCCESS) {
    CRYPT_PROVIDER_DATA* provider = trust.ProviderData(data.hWVTStateData);
    CRYPT_PROVIDER_SGNR* signer =
        provider != nullptr ? trust.ProviderSigner(provider, 0, FALSE, 0) : nullptr;
    CRYPT_PROVIDER_CERT* leaf = signer != nullptr ? trust.ProviderCertificate(signer, 0) : nullptr;
    if (leaf != nullptr && leaf->pCert != nullptr) {
      result.signer = SimpleName(trust, leaf->pCert);
      result.windowsComponent = HasUsage(trust, leaf->pCert, szOID_NT5_CRYPTO) &&
                                EndsAtProductRoot(trust, signer->pChainContext);
    }
  }
  data.dwStateAction = WTD_STATEACTION_CLOSE;
  trust.VerifyTrust(noWindow, &action, &data);
  return result;
}

Trust CheckEmbedded(const TrustLibraries& trust, const std::wstring& path, HANDLE file) {
  WINTRUST_FILE_INFO subject{};
  subject.cbStruct = sizeof subject;
  subject.pcwszFilePath = path.c_str();
  subject.hFile = file;
  WINTRUST_DATA data{};
  data.dwUnionChoice = WTD_CHOICE_FILE;
  data.pFile = &subject;
  return Check(trust, data);
}

// The catalog member of Windows 8 and later, which names the administrator context whose hash
// algorithm made the member's tag.
struct CatalogMember {
  WINTRUST_CATALOG_INFO info;
  HCATADMIN admin;
};

// Owners of a catalog administrator context and of a catalog found through it.
struct AdminRelease {
  decltype(::CryptCATAdminReleaseContext)* release;
  void operator()(HCATADMIN admin) const { release(admin, 0); }
};
using UniqueAdmin = std::unique_ptr<void, AdminRelease>;
struct CatalogRelease {
  decltype(::CryptCATAdminReleaseCatalogContext)* release;
  HCATADMIN admin;
  void operator()(HCATINFO catalog) const { release(admin, catalog, 0); }
};
using UniqueCatalog = std::unique_ptr<void, CatalogRelease>;

// The catalog check through one administrator context: none when no catalog lists the file.
std::optional<Trust> CheckInCatalogs(const TrustLibraries& trust, HCATADMIN admin, bool sha256,
                                     const std::wstring& path, HANDLE file) {
  SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  DWORD size = 0;
  const auto calc = [&](BYTE* hash) {
    return sha256 ? trust.CalcHash2(admin, file, &size, hash, 0)
                  : trust.CalcHash(file, &size, hash, 0);
  };
  if (!calc(nullptr) && GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
    return std::nullopt;
  }
  std::vector<BYTE> hash(size);
  if (size == 0 || !calc(hash.data())) {
    return std::nullopt;
  }
  const UniqueCatalog catalog(trust.EnumCatalog(admin, hash.data(), size, 0, nullptr),
                              {trust.ReleaseCatalog, admin});
  CATALOG_INFO where{};
  where.cbStruct = sizeof where;
  if (!catalog || !trust.CatalogInfo(catalog.get(), &where, 0)) {
    return std::nullopt;
  }
  // A catalog names its members by the hash in upper-case hexadecimal digits.
  const std::wstring tag = WideFromAnsi(platform::AsciiUpperCase(platform::HexText(
      std::string_view(reinterpret_cast<const char*>(hash.data()), hash.size()))));
  CatalogMember member{};
  member.info.cbStruct = sha256 ? sizeof member : sizeof member.info;
  member.info.pcwszCatalogFilePath = where.wszCatalogFile;
  member.info.pcwszMemberTag = tag.c_str();
  member.info.pcwszMemberFilePath = path.c_str();
  member.info.hMemberFile = file;
  member.info.pbCalculatedFileHash = hash.data();
  member.info.cbCalculatedFileHash = size;
  member.admin = admin;
  WINTRUST_DATA data{};
  data.dwUnionChoice = WTD_CHOICE_CATALOG;
  data.pCatalog = &member.info;
  return Check(trust, data);
}

// The catalogs by SHA-256 where the system has them, then by SHA-1 as Windows 7 keeps them.
std::optional<Trust> CheckCatalogs(const TrustLibraries& trust, const std::wstring& path,
                                   HANDLE file) {
  GUID subsystem = DRIVER_ACTION_VERIFY;
  for (const bool sha256 : {true, false}) {
    if (sha256 && !trust.HasSha256Catalogs()) {
      continue;
    }
    HCATADMIN handle = nullptr;
    const BOOL acquired =
        sha256 ? trust.AcquireAdmin2(&handle, &subsystem, BCRYPT_SHA256_ALGORITHM, nullptr, 0)
               : trust.AcquireAdmin(&handle, &subsystem, 0);
    if (!acquired) {
      continue;
    }
    const UniqueAdmin admin(handle, {trust.ReleaseAdmin});
    if (std::optional<Trust> found = CheckInCatalogs(trust, admin.get(), sha256, path, file)) {
      return found;
    }
  }
  return std::nullopt;
}

// The file itself, never what a link names; invalid for a link, a folder or a file that
// cannot be opened.
UniqueFileHandle OpenSubject(const std::wstring& path) {
  UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  BY_HANDLE_FILE_INFORMATION information;
  if (!file || !GetFileInformationByHandle(file.get(), &information) ||
      (information.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) !=
          0) {
    return UniqueFileHandle();
  }
  return file;
}

Publisher PublisherFrom(const Trust& trust) {
  if (trust.status != ERROR_SUCCESS) {
    return {.state = Publisher::kInvalid, .name = {}};
  }
  return {.state = Publisher::kSigned, .name = Utf8FromWide(trust.signer)};
}

}  // namespace

Win32SignatureEvidence::Win32SignatureEvidence() : libraries_(std::make_unique<TrustLibraries>()) {}
Win32SignatureEvidence::~Win32SignatureEvidence() = default;

platform::Publisher Win32SignatureEvidence::PublisherOf(const platform::Path& path) const {
  const std::wstring wide = WideOf(path);
  const UniqueFileHandle file = libraries_->Bound() ? OpenSubject(wide) : UniqueFileHandle();
  if (!file) {
    return {};
  }
  const Trust embedded = CheckEmbedded(*libraries_, wide, file.get());
  if (!Unsigned(embedded.status)) {
    return PublisherFrom(embedded);
  }
  const std::optional<Trust> catalog = CheckCatalogs(*libraries_, wide, file.get());
  return catalog ? PublisherFrom(*catalog) : Publisher{};
}

bool Win32SignatureEvidence::WindowsVouchesFor(const platform::Path& path) const {
  const std::wstring wide = WideOf(path);
  if (libraries_->IsFileProtected != nullptr &&
      libraries_->IsFileProtected(nullptr, wide.c_str())) {
    return true;
  }
  const UniqueFileHandle file = libraries_->Bound() ? OpenSubject(wide) : UniqueFileHandle();
  if (!file) {
    return false;
  }
  const std::optional<Trust> catalog = CheckCatalogs(*libraries_, wide, file.get());
  return catalog && catalog->status == ERROR_SUCCESS && catalog->windowsComponent;
}

}  // namespace nexolant::win32
