#include "scan/content_match.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fakes/memory_file_system.h"
#include "platform/file_digest.h"
#include "support/scripted_pump.h"

namespace nexolant {
namespace {

constexpr const char* kFile = "C:\\Data\\renamed.bin";
constexpr const char* kHuge = "C:\\Data\\huge.iso";
constexpr std::uint64_t kHugeSize = std::uint64_t{5} << 30;

std::string Bytes(std::size_t size, char seed) {
  std::string data(size, '\0');
  for (std::size_t k = 0; k < size; ++k) {
    data[k] = static_cast<char>(seed + k % 251);
  }
  return data;
}

std::string Sha256Of(std::string_view data) {
  return platform::Sha256Hex(*platform::SystemSignatureVerifier().Sha256(data));
}

// An in-memory file system that counts the files opened for reading, and holds one file of
// 5 GiB of zero bytes that is made as it is read.
class OpenCountingFileSystem : public MemoryFileSystem {
 public:
  std::unique_ptr<platform::FileReader> OpenReader(const platform::Path& path) override {
    opened.push_back(path.ansi);
    if (path.ansi == kHuge) {
      return std::make_unique<ZeroReader>(*this);
    }
    return MemoryFileSystem::OpenReader(path);
  }

  std::vector<std::string> opened;
  std::uint64_t hugeBytesRead = 0;

 private:
  class ZeroReader : public platform::FileReader {
   public:
    explicit ZeroReader(OpenCountingFileSystem& files) : files_(files) {}
    std::uint64_t Size() const override { return kHugeSize; }
    std::optional<std::size_t> Read(std::span<char> buffer) override {
      const auto count =
          static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), kHugeSize - offset_));
      std::fill_n(buffer.data(), count, '\0');
      offset_ += count;
      files_.hugeBytesRead += count;
      return count;
    }

   private:
    OpenCountingFileSystem& files_;
    std::uint64_t offset_ = 0;
  };
};

class ContentMatchTest : public ::testing::Test {
 protected:
  ContentMatchTest() {
    files_.AddFile(kFile, kContent);
    known_.Add(std::to_string(kContent.size()) + ":" + Sha256Of(kContent) + "=Known program");
    known_.Add(std::to_string(kHugeSize) + ":" + std::string(64, 'a') + "=Huge known file");
  }

  const HashSignature* Find(const char* path, std::uint64_t listedSize) {
    return FindKnownContent(
        {.files = files_, .verifier = platform::SystemSignatureVerifier(), .pump = pump_}, known_,
        path, listedSize, [this] { return stopped_; });
  }

  const std::string kContent = Bytes(3 * platform::kFileDigestChunk + 5, 'a');
  OpenCountingFileSystem files_;
  ScriptedPump pump_;
  HashSignatures known_;
  bool stopped_ = false;
};

// Only a file whose listed size is a known file's is opened; then its content decides.
TEST_F(ContentMatchTest, ReadsOnlyFilesOfAKnownSizeAndMatchesByContent) {
  files_.AddFile("C:\\Data\\same-size.bin", Bytes(kContent.size(), 'b'));
  files_.AddFile("C:\\Data\\other-size.bin", kContent + "x");

  const HashSignature* found = Find(kFile, kContent.size());
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->description, "Known program");
  EXPECT_EQ(pump_.Count(), 4) << "a pump after each piece";
  EXPECT_EQ(Find("C:\\Data\\same-size.bin", kContent.size()), nullptr);
  EXPECT_EQ(Find("C:\\Data\\other-size.bin", kContent.size() + 1), nullptr);
  EXPECT_EQ(files_.opened, (std::vector<std::string>{kFile, "C:\\Data\\same-size.bin"}));
}

// A file that is not as it was listed, that cannot be read, or that changes or goes while it
// is hashed (a handler run by the pump may touch it) matches nothing.
TEST_F(ContentMatchTest, AFileNotHashedCompletelyAsListedMatchesNothing) {
  struct Case {
    const char* title;
    std::function<void(MemoryFileSystem&)> before;
    std::function<void(MemoryFileSystem&)> atSecondPump;
  };
  const auto none = [](MemoryFileSystem&) {};
  const std::size_t size = 3 * platform::kFileDigestChunk + 5;
  const Case cases[] = {
      {"changed since listed", [&](MemoryFileSystem& f) { f.AddFile(kFile, Bytes(size + 1, 'a')); },
       none},
      {"gone since listed", [](MemoryFileSystem& f) { EXPECT_TRUE(f.RemoveFile(kFile)); }, none},
      {"held open", [](MemoryFileSystem& f) { f.SetInUse(kFile); }, none},
      {"unreadable", [](MemoryFileSystem& f) { f.SetUnreadable(kFile); }, none},
      {"grows", none, [&](MemoryFileSystem& f) { f.AddFile(kFile, Bytes(size + 9, 'a')); }},
      {"shrinks", none, [](MemoryFileSystem& f) { f.AddFile(kFile, "short"); }},
      {"same size, other bytes", none,
       [&](MemoryFileSystem& f) { f.AddFile(kFile, Bytes(size, 'c')); }},
      {"is deleted", none, [](MemoryFileSystem& f) { EXPECT_TRUE(f.RemoveFile(kFile)); }},
      {"turns unreadable", none, [](MemoryFileSystem& f) { f.SetUnreadable(kFile); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    files_.AddFile(kFile, kContent);
    c.before(files_);
    pump_.RunAtPump(pump_.Count() + 2, [&] { c.atSecondPump(files_); });
    EXPECT_EQ(Find(kFile, size), nullptr);
  }
}

// A file of gigabytes whose size matches is read in pieces with a pump after each, so the
// window answers; a Stop abandons it at the next piece.
TEST_F(ContentMatchTest, AHugeFileKeepsThePumpGoingAndAStopAbandonsIt) {
  pump_.RunAtPump(200, [this] { stopped_ = true; });
  EXPECT_EQ(Find(kHuge, kHugeSize), nullptr);
  EXPECT_EQ(pump_.Count(), 200);
  EXPECT_EQ(files_.hugeBytesRead, 200 * platform::kFileDigestChunk);
}

TEST_F(ContentMatchTest, AFileKnownByItsContentIsFoundWhereverItsSizeIsRead) {
  const ContentMatchServices services{
      .files = files_, .verifier = platform::SystemSignatureVerifier(), .pump = pump_};
  const auto never = [] { return false; };
  ASSERT_NE(FindKnownContentOfFile(services, known_, kFile, never), nullptr);
  EXPECT_EQ(FindKnownContentOfFile(services, known_, "C:\\Data\\missing.exe", never), nullptr);
  EXPECT_EQ(FindKnownContentOfFile(services, HashSignatures(), kFile, never), nullptr);
  EXPECT_EQ(files_.opened, (std::vector<std::string>{kFile, kFile, "C:\\Data\\missing.exe"}))
      << "an empty list opens nothing";
}

}  // namespace
}  // namespace nexolant
