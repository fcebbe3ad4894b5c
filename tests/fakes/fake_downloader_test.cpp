#include "fakes/fake_downloader.h"

#include <gtest/gtest.h>

#include "fakes/memory_file_system.h"

namespace nexolant {
namespace {

constexpr const char* kUrl = "http://update.example/updates/adware/reference.dat";
constexpr const char* kTarget = "C:\\App\\Reference.dat";
constexpr std::uint64_t kCap = 8;

TEST(FakeDownloader, ServesConfiguredBodiesAndLeavesTheTargetOnFailure) {
  MemoryFileSystem files;
  files.AddFile(kTarget, "old");
  FakeDownloader downloader(files);

  EXPECT_EQ(downloader.DownloadToFile(kUrl, kTarget, kCap).error, FakeDownloader::kNotFound);
  EXPECT_EQ(files.Contents(kTarget), "old");

  downloader.Serve(kUrl, std::string("new\0data", 8));
  downloader.FailWith(0x800C0007);
  EXPECT_EQ(downloader.DownloadToFile(kUrl, kTarget, kCap).error, 0x800C0007u);
  EXPECT_EQ(files.Contents(kTarget), "old");

  downloader.Succeed();
  EXPECT_TRUE(downloader.DownloadToFile(kUrl, kTarget, kCap).ok);
  EXPECT_EQ(files.Contents(kTarget), std::string("new\0data", 8));
  EXPECT_EQ(downloader.DownloadToFile(kUrl, kTarget, kCap - 1).error, platform::kDownloadTooLarge);
  EXPECT_EQ(files.Contents(kTarget), std::string("new\0data", 8));
  EXPECT_EQ(downloader.Requests().size(), 4u);
  EXPECT_EQ(downloader.Requests().back(), (FakeDownloader::Request{kUrl, kTarget, kCap - 1}));
}

TEST(FakeDownloader, UnwritableTargetsFail) {
  MemoryFileSystem files;
  files.AddFile(kTarget, "old");
  files.SetReadOnly(kTarget);
  FakeDownloader downloader(files);
  downloader.Serve(kUrl, "new");
  EXPECT_EQ(downloader.DownloadToFile(kUrl, kTarget, kCap).error, FakeDownloader::kWriteFailed);
  EXPECT_EQ(files.Contents(kTarget), "old");
  EXPECT_EQ(downloader.DownloadToFile(kUrl, "C:\\Missing\\Reference.dat", kCap).error,
            FakeDownloader::kWriteFailed);
}

}  // namespace
}  // namespace nexolant
