#include "update/reference_update.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <string>

#include "support/encipher_reference.h"
#include "support/recording_warnings.h"
#include "support/scoped_folder.h"
#include "support/signed_update_files.h"
#include "win32/loopback_http_server.h"
#include "win32/win32_clock.h"
#include "win32/win32_downloader.h"
#include "win32/win32_file_system.h"
#include "win32/win32_locale.h"

namespace nexolant::win32 {
namespace {

using nexolant::testing::EncipherReference;
using nexolant::testing::ScopedFolder;
using nexolant::testing::SignedReference;
using nexolant::testing::TestUpdateKey;

// The whole update over real HTTP, real files and the system's cryptography: only a reference
// file that loads takes the place of Reference.dat, and with a key only one whose version
// record (made by nexref) verifies, for exactly its bytes, of a version above the highest; a
// missing file, an error page, a file changed in one bit, one without its record or a replayed
// older one leave it as it was, and no temporary file stays.
TEST(ReferenceUpdateOverHttpTest, OnlyAGoodFileAndWithAKeyOnlyANewerSignedOneReplacesIt) {
  const std::string good = EncipherReference("[ScanFiles]\r\nNEW.EXE=New\r\n");
  const std::string signedFile(SignedReference());
  std::string tampered = signedFile;
  tampered[tampered.size() / 2] ^= 0x04;
  LoopbackHttpServer server({{"/garbage", {200, "<html><body>Site parked</body></html>"}},
                             {"/good", {200, good}},
                             {"/signed", {200, signedFile}},
                             {"/signed.ver", {200, std::string(testing::RecordV8())}},
                             {"/older", {200, signedFile}},
                             {"/older.ver", {200, std::string(testing::RecordV5())}},
                             {"/tampered", {200, tampered}},
                             {"/tampered.ver", {200, std::string(testing::RecordV8())}}},
                            std::chrono::seconds(60));
  const ScopedFolder folder;
  const std::string old = EncipherReference("[ScanFiles]\r\nOLD.EXE=Old\r\n");
  Win32FileSystem files;
  Win32Downloader downloader(std::chrono::seconds(20));
  Win32Clock clock;
  const Win32Locale locale;
  RecordingWarnings warnings;

  struct Case {
    const char* path;
    std::string_view key;
    const std::string* taken;  // the body that replaces Reference.dat, or none
  };
  const std::string installed = "installed=7 2025-02-01\r\nhighest=7\r\n";
  for (const Case& c :
       {Case{"/missing", "", nullptr}, Case{"/garbage", "", nullptr}, Case{"/good", "", &good},
        Case{"/good", TestUpdateKey(), nullptr}, Case{"/tampered", TestUpdateKey(), nullptr},
        Case{"/older", TestUpdateKey(), nullptr}, Case{"/signed", TestUpdateKey(), &signedFile}}) {
    SCOPED_TRACE(std::string(c.path) + (c.key.empty() ? "" : " with a key"));
    folder.Put("Reference.dat", old);
    folder.Put("Reference.ver", installed);
    std::error_code absent;
    std::filesystem::remove(folder.File("Reference.old"), absent);
    EXPECT_EQ(UpdateReferenceFile({.files = files,
                                   .downloader = downloader,
                                   .clock = clock,
                                   .locale = locale,
                                   .warnings = warnings,
                                   .updateKey = c.key},
                                  server.Url(c.path), folder.Prefix())
                  .updated,
              c.taken != nullptr);
    EXPECT_EQ(folder.Get("Reference.dat"), c.taken != nullptr ? *c.taken : old);
    if (c.taken != nullptr) {
      EXPECT_EQ(folder.Get("Reference.old"), old);
      EXPECT_EQ(folder.Names(),
                (std::set<std::string>{"Reference.dat", "Reference.old", "Reference.ver"}));
    } else {
      EXPECT_EQ(folder.Get("Reference.ver"), installed);
      EXPECT_EQ(folder.Names(), (std::set<std::string>{"Reference.dat", "Reference.ver"}));
    }
  }
  EXPECT_TRUE(warnings.Shown().empty());
}

}  // namespace
}  // namespace nexolant::win32
