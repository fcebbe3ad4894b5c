#include "repair/finding_details.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_processes.h"
#include "fakes/fake_signature_evidence.h"
#include "fakes/memory_file_system.h"
#include "fakes/memory_registry.h"
#include "platform/file_digest.h"
#include "repair/details_form.h"
#include "support/ascii_locale.h"
#include "support/scripted_backend.h"
#include "ui/application.h"

namespace nexolant {
namespace {

using platform::Publisher;
using platform::RegistryRoot;
using Lines = std::vector<std::string>;

class FindingDetailsTest : public ::testing::Test {
 protected:
  FindingDetailsTest() {
    files_.AddFile("C:\\Tools\\evil.exe", "MZ evil");
    files_.SetAttributes("C:\\Tools\\evil.exe",
                         platform::kAttributeHidden | platform::kAttributeArchive);
    files_.SetTimes("C:\\Tools\\evil.exe", kCreated, kModified);
    files_.AddFile("C:\\Tools\\signed.exe", "MZ signed");
    files_.AddFile("C:\\Tools\\forged.exe", "MZ forged");
    files_.AddFolder("C:\\Tools\\Toolbar");
    files_.SetTimes("C:\\Tools\\Toolbar", kCreated, kModified);
    evidence_.SetPublisher("C:\\Tools\\signed.exe", {Publisher::kSigned, "Test Signer Ltd"});
    evidence_.SetPublisher("C:\\Tools\\forged.exe", {Publisher::kInvalid, ""});
    registry_.SetValue(RegistryRoot::kCurrentUser, "Software\\Vendor\\EvilKey", "a", 1, "x");
    registry_.SetValue(RegistryRoot::kCurrentUser, "Software\\Vendor\\EvilKey", "b", 1, "y");
    registry_.AddKey(RegistryRoot::kCurrentUser, "Software\\Vendor\\EvilKey\\Sub");
    processes_.Add(300, "C:\\Temp\\badproc.exe");
    processes_.Add(301, "C:\\Tools\\BADPROC.EXE");
    processes_.Add(302, "C:\\Temp\\other.exe");
    evidence_.SetPublisher("C:\\Tools\\BADPROC.EXE", {Publisher::kSigned, "Bad Vendor"});
  }

  Lines Facts(RowKind kind, const std::string& caption, const std::string& location) {
    return FindingDetails(
        services_, Finding{.kind = kind, .row = {caption, location, "Evil"}, .exact = {}}, nullptr);
  }
  std::string Sha256Of(const std::string& data) const {
    return platform::Sha256Hex(*platform::SystemSignatureVerifier().Sha256(data));
  }

  static constexpr platform::DateTime kCreated = platform::DateOf(2024, 5, 1) + 0.25;
  static constexpr platform::DateTime kModified = platform::DateOf(2025, 2, 3) + 0.5;
  MemoryFileSystem files_;
  MemoryRegistry registry_;
  FakeProcessApi processes_;
  FakeSignatureEvidence evidence_;
  AsciiLocale locale_;
  const FindingDetailsServices services_{.files = files_,
                                         .registry = registry_,
                                         .processes = processes_,
                                         .verifier = platform::SystemSignatureVerifier(),
                                         .evidence = evidence_,
                                         .locale = locale_};
};

TEST_F(FindingDetailsTest, StatesTheFactsOfEachKindOfObject) {
  const std::string created = "Created: " + locale_.FormatDateTime(kCreated);
  const std::string modified = "Modified: " + locale_.FormatDateTime(kModified);
  struct Case {
    RowKind kind;
    const char* caption;
    const char* location;
    Lines facts;
  };
  const Case cases[] = {
      {RowKind::kFile,
       "evil.exe",
       "C:\\Tools",
       {"Path: C:\\Tools\\evil.exe", "Size: 7 bytes", created, modified,
        "Attributes: Hidden, Archive", "SHA-256: " + Sha256Of("MZ evil"), "Not signed"}},
      {RowKind::kFile,
       "signed.exe",
       "C:\\Tools",
       {"Path: C:\\Tools\\signed.exe", "Size: 9 bytes", "Created: Unknown", "Modified: Unknown",
        "Attributes: Archive", "SHA-256: " + Sha256Of("MZ signed"), "Signed by Test Signer Ltd"}},
      {RowKind::kFile,
       "forged.exe",
       "C:\\Tools",
       {"Path: C:\\Tools\\forged.exe", "Size: 9 bytes", "Created: Unknown", "Modified: Unknown",
        "Attributes: Archive", "SHA-256: " + Sha256Of("MZ forged"), "Signature not valid"}},
      {RowKind::kFile,
       "Toolbar",
       "C:\\Tools",
       {"Path: C:\\Tools\\Toolbar", created, modified, "Attributes: Folder"}},
      {RowKind::kFile,
       "gone.exe",
       "C:\\Tools",
       {"Path: C:\\Tools\\gone.exe", "It is no longer there."}},
      {RowKind::kRegistryKey,
       "EvilKey",
       "HKEY_CURRENT_USER\\Software\\Vendor",
       {"Key: HKEY_CURRENT_USER\\Software\\Vendor\\EvilKey", "Values: 2", "Subkeys: 1"}},
      {RowKind::kRegistryKey,
       "GoneKey",
       "HKEY_CURRENT_USER\\Software\\Vendor",
       {"Key: HKEY_CURRENT_USER\\Software\\Vendor\\GoneKey", "It is no longer there."}},
      {RowKind::kProcess,
       "badproc.exe",
       kMemoryLocation,
       {"Process: badproc.exe", "Id 300: C:\\Temp\\badproc.exe", "  Not signed",
        "Id 301: C:\\Tools\\BADPROC.EXE", "  Signed by Bad Vendor"}},
      {RowKind::kProcess,
       "ended.exe",
       kMemoryLocation,
       {"Process: ended.exe", "No process of that name runs now."}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Facts(c.kind, c.caption, c.location), c.facts) << c.caption;
  }
}

// The dialog is modal, shows the facts read-only and closes with its one button, which Enter
// and Escape press.
TEST_F(FindingDetailsTest, TheDialogShowsTheFactsReadOnlyUntilClosed) {
  ScriptedBackend backend;
  ui::Application application(backend);
  Lines shown;
  bool readOnly = false;
  backend.QueueModal([&](ui::Form& form) {
    auto& details = dynamic_cast<TDetailsForm&>(form);
    shown = details.memFacts().Lines();
    readOnly = details.memFacts().ReadOnly();
    EXPECT_TRUE(details.btnClose().Default());
    EXPECT_TRUE(details.btnClose().Cancel());
    backend.Click(details.btnClose());
  });
  const Finding finding{
      .kind = RowKind::kFile, .row = {"evil.exe", "C:\\Tools", "Evil"}, .exact = {}};
  ShowFindingDetails(application, services_, finding);
  ASSERT_EQ(backend.Modals().size(), 1u);
  EXPECT_EQ(shown, FindingDetails(services_, finding, nullptr));
  EXPECT_TRUE(readOnly);
}

}  // namespace
}  // namespace nexolant
