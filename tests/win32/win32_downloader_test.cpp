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
constexpr std::uint64_t kCap = 1 << 20;

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

  const platform::Outcome result = downloader.DownloadToFile(server.Url(kPath), target, kCap);
  EXPECT_TRUE(result.ok) << std::hex << result.error;
  EXPECT_EQ(Contents(target), body);

  const std::string empty = folder.File("empty.dat");
  EXPECT_TRUE(downloader.DownloadToFile(server.Url("/empty"), empty, kCap).ok);
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
  ASSERT_TRUE(downloader.DownloadToFile(server.Url(kPath), target, kCap).ok);
  EXPECT_EQ(Contents(target), "first");
  server.SetResponse(kPath, {200, "second"});
  ASSERT_TRUE(downloader.DownloadToFile(server.Url(kPath), target, kCap).ok);
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
    EXPECT_EQ(downloader.DownloadToFile(server.Url(c.path), fresh, kCap).error, c.code);
    EXPECT_FALSE(Contents(fresh));
    EXPECT_EQ(downloader.DownloadToFile(server.Url(c.path), existing, kCap).error, c.code);
    EXPECT_EQ(Contents(existing), "old reference");
  }
  EXPECT_EQ(folder.Names(), std::set<std::string>{"Reference.dat"});
}

TEST(Win32DownloaderTest, UnreachableServerFailsAndLeavesNoFile) {
  const LoopbackHttpServer::ClosedPort closed;
  const ScopedFolder folder;
  Win32Downloader downloader;
  EXPECT_FALSE(downloader.DownloadToFile(closed.Url(kPath), folder.File("Reference.dat"), kCap).ok);
  EXPECT_TRUE(folder.Names().empty());
}

TEST(Win32DownloaderTest, UnwritableTargetFails) {
  LoopbackHttpServer server({{kPath, {200, "data"}}});
  const ScopedFolder folder;
  Win32Downloader downloader;
  EXPECT_FALSE(
      downloader.DownloadToFile(server.Url(kPath), folder.File("Missing\\Reference.dat"), kCap).ok);

  const std::string target = folder.File("Reference.dat");
  Write(target, "old reference");
  {
    // Another program holds the file and shares nothing.
    const UniqueFileHandle held(
        CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    const platform::Outcome result = downloader.DownloadToFile(server.Url(kPath), target, kCap);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error >> 16, 0x8007u) << "a system error code, " << std::hex << result.error;
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
    EXPECT_FALSE(downloader.DownloadToFile(server.Url(path), target, kCap).ok);
    EXPECT_LT(steady_clock::now() - start, milliseconds(6000)) << "it waited for the server";
    EXPECT_EQ(Contents(target), "old reference");
  }
  EXPECT_EQ(folder.Names(), std::set<std::string>{"Reference.dat"});
}

using std::chrono::milliseconds;
using std::chrono::seconds;
using std::chrono::steady_clock;
using Stream = LoopbackHttpServer::Stream;

constexpr std::uint32_t kRedirectFailed = 0x800C0014;
constexpr std::uint32_t kTimedOut = 0x80072EE2;

// A body above the cap fails without waiting for the server: an announced length at once, an
// endless body as soon as the cap is passed. A deadline ends a server that trickles forever,
// each wait far below the stall limit. The old file stays and no temporary file is left.
TEST(Win32DownloaderTest, ABodyAboveTheCapOrPastTheDeadlineFailsAtOnce) {
  constexpr std::uint64_t kSmallCap = 64 * 1024;
  LoopbackHttpServer server({{"/fits", {200, std::string(kSmallCap, 'x')}},
                             {"/above", {200, std::string(kSmallCap + 1, 'x')}}},
                            seconds(120));
  server.StreamAnswer("/announced", Stream{std::uint64_t{1} << 40, 0, milliseconds(50)});
  server.StreamAnswer("/endless", Stream{std::nullopt, 4096, milliseconds(0)});
  server.StreamAnswer("/trickle", Stream{std::nullopt, 1, milliseconds(500)});
  const ScopedFolder folder;
  const std::string target = folder.File("Reference.dat");
  Write(target, "old reference");
  Win32Downloader downloader(seconds(60), seconds(4));

  struct Case {
    const char* path;
    std::uint32_t code;
  };
  for (const Case& c :
       {Case{"/above", platform::kDownloadTooLarge},
        Case{"/announced", platform::kDownloadTooLarge},
        Case{"/endless", platform::kDownloadTooLarge}, Case{"/trickle", kTimedOut}}) {
    SCOPED_TRACE(c.path);
    const steady_clock::time_point start = steady_clock::now();
    EXPECT_EQ(downloader.DownloadToFile(server.Url(c.path), target, kSmallCap).error, c.code);
    EXPECT_LT(steady_clock::now() - start, seconds(30)) << "it waited for the stall limit";
    EXPECT_EQ(Contents(target), "old reference");
    EXPECT_EQ(folder.Names(), std::set<std::string>{"Reference.dat"});
  }
  EXPECT_TRUE(downloader.DownloadToFile(server.Url("/fits"), target, kSmallCap).ok);
}

// Redirects lead only to the same server, and not round for ever.
TEST(Win32DownloaderTest, FollowsRedirectsOnlyToTheSameServer) {
  LoopbackHttpServer server({{kPath, {200, "the file"}}});
  server.SetResponse("/moved", {302, "", kPath});
  server.SetResponse("/loop", {302, "", "/loop"});
  server.SetResponse("/away", {302, "", "http://localhost:" + server.Url("").substr(17) + kPath});
  const ScopedFolder folder;
  const std::string target = folder.File("Reference.dat");
  Win32Downloader downloader;

  ASSERT_TRUE(downloader.DownloadToFile(server.Url("/moved"), target, kCap).ok);
  EXPECT_EQ(Contents(target), "the file");
  EXPECT_EQ(downloader.DownloadToFile(server.Url("/loop"), target, kCap).error, kRedirectFailed);
  EXPECT_EQ(downloader.DownloadToFile(server.Url("/away"), target, kCap).error, kRedirectFailed);
  EXPECT_EQ(server.Requests(), (std::vector<std::string>{"/moved", kPath, "/loop", "/loop", "/loop",
                                                         "/loop", "/loop", "/loop", "/away"}));
}

}  // namespace
}  // namespace nexolant::win32
