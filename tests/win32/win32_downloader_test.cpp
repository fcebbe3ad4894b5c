#include "win32/win32_downloader.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "support/scoped_folder.h"
#include "win32/loopback_http_server.h"
#include "win32/unique_handle.h"

namespace nexolant::win32 {
namespace {

using nexolant::testing::ScopedFolder;

constexpr const char* kPath = "/updates/adware/reference.dat";

std::optional<std::string> Contents(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    return std::nullopt;
  }
  return std::string(std::istreambuf_iterator<char>(file), {});
}

void Write(const std::string& path, const std::string& data) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << data;
}

// Every byte value, line ends of both kinds and enough bytes for several reads.
std::string BinaryBody() {
  std::string body;
  for (int round = 0; round < 64; ++round) {
    for (int c = 0; c < 256; ++c) {
      body.push_back(static_cast<char>(c ^ round));
    }
    body += "\r\n\n\r";
  }
  return body;
}

TEST(Win32DownloaderTest, WritesTheExactBytesAndReplacesTheOldFile) {
  const std::string body = BinaryBody();
  LoopbackHttpServer server({{kPath, {200, body}}, {"/empty", {200, ""}}});
  const ScopedFolder folder;
  const std::string target = folder.File("Reference.dat");
  Write(target, "old reference");
  Win32Downloader downloader;

  const platform::DownloadResult result = downloader.DownloadToFile(server.Url(kPath), target);
  EXPECT_TRUE(result.Succeeded()) << std::hex << result.code;
  EXPECT_EQ(Contents(target), body);

  const std::string empty = folder.File("empty.dat");
  EXPECT_TRUE(downloader.DownloadToFile(server.Url("/empty"), empty).Succeeded());
  EXPECT_EQ(Contents(empty), "");
  EXPECT_EQ(folder.Names(), (std::set<std::string>{"Reference.dat", "empty.dat"}))
      << "no temporary file is left behind";
  EXPECT_EQ(server.Requests(), (std::vector<std::string>{kPath, "/empty"}));
}

TEST(Win32DownloaderTest, ASecondDownloadGetsTheServersNewContent) {
  LoopbackHttpServer server({{kPath, {200, "first"}}});
  const ScopedFolder folder;
  const std::string target = folder.File("Reference.dat");
  Win32Downloader downloader;
  ASSERT_TRUE(downloader.DownloadToFile(server.Url(kPath), target).Succeeded());
  EXPECT_EQ(Contents(target), "first");
  server.SetResponse(kPath, {200, "second"});
  ASSERT_TRUE(downloader.DownloadToFile(server.Url(kPath), target).Succeeded());
  EXPECT_EQ(Contents(target), "second");
}

TEST(Win32DownloaderTest, ServerErrorsFailAndLeaveTheTargetAsItWas) {
  LoopbackHttpServer server({{"/broken", {500, "Internal error page"}}});
  const ScopedFolder folder;
  const std::string fresh = folder.File("Fresh.dat");
  const std::string existing = folder.File("Reference.dat");
  Write(existing, "old reference");
  Win32Downloader downloader;

  struct Case {
    const char* path;
    std::uint32_t code;
  };
  for (const Case& c : {Case{"/missing", 0x800C0005}, Case{"/broken", 0x800C0008}}) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(downloader.DownloadToFile(server.Url(c.path), fresh).code, c.code);
    EXPECT_FALSE(Contents(fresh));
    EXPECT_EQ(downloader.DownloadToFile(server.Url(c.path), existing).code, c.code);
    EXPECT_EQ(Contents(existing), "old reference");
  }
  EXPECT_EQ(folder.Names(), std::set<std::string>{"Reference.dat"});
}

TEST(Win32DownloaderTest, UnreachableServerFailsAndLeavesNoFile) {
  const LoopbackHttpServer::ClosedPort closed;
  const ScopedFolder folder;
  Win32Downloader downloader;
  EXPECT_FALSE(
      downloader.DownloadToFile(closed.Url(kPath), folder.File("Reference.dat")).Succeeded());
  EXPECT_TRUE(folder.Names().empty());
}

TEST(Win32DownloaderTest, UnwritableTargetFails) {
  LoopbackHttpServer server({{kPath, {200, "data"}}});
  const ScopedFolder folder;
  Win32Downloader downloader;
  EXPECT_FALSE(downloader.DownloadToFile(server.Url(kPath), folder.File("Missing\\Reference.dat"))
                   .Succeeded());

  const std::string target = folder.File("Reference.dat");
  Write(target, "old reference");
  {
    // Another program holds the file and shares nothing.
    const UniqueFileHandle held(
        CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    const platform::DownloadResult result = downloader.DownloadToFile(server.Url(kPath), target);
    EXPECT_FALSE(result.Succeeded());
    EXPECT_EQ(result.code >> 16, 0x8007u) << "a system error code, " << std::hex << result.code;
  }
  EXPECT_EQ(Contents(target), "old reference");
  EXPECT_EQ(folder.Names(), std::set<std::string>{"Reference.dat"});
}

// A server that goes silent, before its answer or within the body, ends the download after
// the stall limit, long before it closes the connection; one that closes the connection
// before the announced length fails too. The target keeps its old content each time.
TEST(Win32DownloaderTest, AStalledOrCutDownloadFailsAndLeavesTheTargetAsItWas) {
  using std::chrono::milliseconds;
  using std::chrono::steady_clock;
  const std::string body(4000, 'x');
  const std::size_t headers = 100;  // the status line and headers the server sends
  LoopbackHttpServer server(
      {{"/silent", {200, body}}, {"/stalls", {200, body}}, {"/cut", {200, body}}},
      std::chrono::seconds(60));
  server.CutAnswer("/silent", 0, milliseconds(8000));
  server.CutAnswer("/stalls", headers + 100, milliseconds(8000));
  server.CutAnswer("/cut", headers + 100, milliseconds(0));
  const ScopedFolder folder;
  const std::string target = folder.File("Reference.dat");
  Write(target, "old reference");
  Win32Downloader downloader(milliseconds(1000));

  for (const char* path : {"/silent", "/stalls", "/cut"}) {
    SCOPED_TRACE(path);
    const steady_clock::time_point start = steady_clock::now();
    EXPECT_FALSE(downloader.DownloadToFile(server.Url(path), target).Succeeded());
    EXPECT_LT(steady_clock::now() - start, milliseconds(6000)) << "it waited for the server";
    EXPECT_EQ(Contents(target), "old reference");
  }
  EXPECT_EQ(folder.Names(), std::set<std::string>{"Reference.dat"});
}

}  // namespace
}  // namespace nexolant::win32
