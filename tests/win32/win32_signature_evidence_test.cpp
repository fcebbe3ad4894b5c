#include "win32/win32_signature_evidence.h"

#include <windows.h>

#include <wincrypt.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/scoped_folder.h"
#include "win32/win32_file_system.h"

namespace nexolant::win32 {
namespace {

using platform::Publisher;

struct StoreClose {
  void operator()(HCERTSTORE store) const { CertCloseStore(store, 0); }
};
struct CertificateFree {
  void operator()(PCCERT_CONTEXT certificate) const { CertFreeCertificateContext(certificate); }
};

// The machine's trusted roots hold the test root while it lives, as an administrator who
// trusts a signer's root would have it.
class TrustedTestRoot {
 public:
  explicit TrustedTestRoot(const std::string& der)
      : store_(CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE,
                             L"Root")) {
    PCCERT_CONTEXT added = nullptr;
    if (store_ && CertAddEncodedCertificateToStore(
                      store_.get(), X509_ASN_ENCODING, reinterpret_cast<const BYTE*>(der.data()),
                      static_cast<DWORD>(der.size()), CERT_STORE_ADD_REPLACE_EXISTING, &added)) {
      added_.reset(added);
    }
  }
  ~TrustedTestRoot() {
    if (added_) {
      CertDeleteCertificateFromStore(CertDuplicateCertificateContext(added_.get()));
    }
  }
  TrustedTestRoot(const TrustedTestRoot&) = delete;
  TrustedTestRoot& operator=(const TrustedTestRoot&) = delete;

  bool Added() const { return added_ != nullptr; }

 private:
  std::unique_ptr<void, StoreClose> store_;
  std::unique_ptr<const CERT_CONTEXT, CertificateFree> added_;
};

// A copy of the sleeper signed at build time by a leaf of a test root (sign_test_program.cmake),
// beside the unsigned program: with the root trusted the signer's name comes from its
// certificate; one changed byte makes the signature invalid; an unsigned program, a text file
// and a missing file are not signed, and Windows vouches for none of them.
TEST(Win32SignatureEvidenceTest, NamesTheSignerOfASignedProgramAndNoneOfAnUnsignedOne) {
  Win32FileSystem files;
  const std::string folder = files.ProgramFolder().ansi;
  const std::string signedProgram = folder + "signed_program.exe";
  const TrustedTestRoot root(files.ReadWholeFile(folder + "test_root.cer"));
  ASSERT_TRUE(root.Added());
  nexolant::testing::ScopedFolder scratch;
  std::string changed = files.ReadWholeFile(signedProgram);
  changed[changed.size() / 3] ^= 1;
  files.WriteWholeFile(scratch.File("changed.exe"), changed);
  files.WriteWholeFile(scratch.File("notes.txt"), "plain text");

  const Win32SignatureEvidence evidence;
  const Publisher expected{Publisher::kSigned, "Nexolant Test Signer"};
  EXPECT_EQ(evidence.PublisherOf(signedProgram), expected);
  EXPECT_EQ(evidence.PublisherOf(scratch.File("changed.exe")).state, Publisher::kInvalid);
  for (const std::string& path :
       {folder + "nexolant_sleeper.exe", scratch.File("notes.txt"), scratch.File("missing.exe")}) {
    EXPECT_EQ(evidence.PublisherOf(path), Publisher{}) << path;
  }
  for (const std::string& path : {signedProgram, folder + "nexolant_sleeper.exe"}) {
    EXPECT_FALSE(evidence.WindowsVouchesFor(path)) << path;
  }
}

}  // namespace
}  // namespace nexolant::win32
