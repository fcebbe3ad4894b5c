#include "update/reference_update.h"

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <string>

#include "support/encipher_reference.h"
#include "support/recording_warnings.h"
#include "support/scoped_folder.h"
#include "win32/loopback_http_server.h"
#include "win32/win32_clock.h"
#include "win32/win32_downloader.h"
#include "win32/win32_file_system.h"
#include "win32/win32_locale.h"

namespace nexolant::win32 {
namespace {

using nexolant::testing::EncipherReference;
using nexolant::testing::ScopedFolder;

constexpr const char* kPath = "/updates/adware/reference.dat";

// The whole update over real HTTP and real files: only a reference file that loads takes the
// place of Reference.dat; a missing file or an error page leaves it as it was, and no
// temporary file stays in the program folder.
TEST(ReferenceUpdateOverHttpTest, OnlyAGoodFileReplacesReferenceDat) {
  const std::string good = EncipherReference("[ScanFiles]\r\nNEW.EXE=New\r\n");
  LoopbackHttpServer server(
      {{"/garbage", {200, "<html><body>Site parked</body></html>"}}, {kPath, {200, good}}},
      std::chrono::seconds(20));
  const ScopedFolder folder;
  const std::string old = EncipherReference("[ScanFiles]\r\nOLD.EXE=Old\r\n");
  folder.Put("Reference.dat", old);

  Win32FileSystem files;
  Win32Downloader downloader(std::chrono::seconds(5));
  Win32Clock clock;
  const Win32Locale locale;
  RecordingWarnings warnings;
  const auto update = [&](const std::string& path) {
    return UpdateReferenceFile({files, downloader, clock, locale, warnings}, server.Url(path),
                               folder.Prefix());
  };

  for (const char* path : {"/missing", "/garbage"}) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(update(path));
    EXPECT_EQ(folder.Get("Reference.dat"), old);
    EXPECT_EQ(folder.Names(), std::set<std::string>{"Reference.dat"});
  }
  EXPECT_TRUE(update(kPath));
  EXPECT_EQ(folder.Get("Reference.dat"), good);
  EXPECT_EQ(folder.Names(), std::set<std::string>{"Reference.dat"});
  EXPECT_TRUE(warnings.Shown().empty());
}

}  // namespace
}  // namespace nexolant::win32
