#include "platform/file_digest.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "fakes/memory_file_system.h"
#include "support/scripted_pump.h"

namespace nexolant::platform {
namespace {

constexpr const char* kFile = "C:\\Data\\file.bin";

std::string Bytes(std::size_t size) {
  std::string data(size, '\0');
  for (std::size_t k = 0; k < size; ++k) {
    data[k] = static_cast<char>(k % 253);
  }
  return data;
}

std::string Hex(const std::optional<Sha256Digest>& digest) {
  return digest ? Sha256Hex(*digest) : std::string("(none)");
}

// Every size around the piece boundaries hashes as the whole data does, with one pump after
// each piece read.
TEST(FileDigestTest, HashesFilesOfAnySizeInPiecesAndPumpsBetweenThem) {
  const SignatureVerifier& verifier = SystemSignatureVerifier();
  for (const std::size_t size :
       {std::size_t{0}, std::size_t{1}, kFileDigestChunk - 1, kFileDigestChunk,
        kFileDigestChunk + 1, 3 * kFileDigestChunk + 5}) {
    MemoryFileSystem files;
    const std::string data = Bytes(size);
    files.AddFile(kFile, data);
    ScriptedPump pump;
    EXPECT_EQ(Hex(FileSha256(files, verifier, kFile, &pump)), Hex(verifier.Sha256(data))) << size;
    EXPECT_EQ(pump.Count(), static_cast<int>((size + kFileDigestChunk - 1) / kFileDigestChunk))
        << size;
    EXPECT_EQ(Hex(FileSha256(files, verifier, kFile, nullptr)), Hex(verifier.Sha256(data)));
  }
}

// A file that cannot be read, or that changes or goes while it is hashed (a handler run by the
// pump may touch it), has no digest.
TEST(FileDigestTest, NoDigestForAFileUnreadableOrChangedWhileHashed) {
  struct Case {
    const char* title;
    std::function<void(MemoryFileSystem&)> before;
    std::function<void(MemoryFileSystem&)> atFirstPump;
  };
  const auto none = [](MemoryFileSystem&) {};
  const Case cases[] = {
      {"missing", [](MemoryFileSystem& f) { EXPECT_TRUE(f.RemoveFile(kFile)); }, none},
      {"a folder",
       [](MemoryFileSystem& f) {
         EXPECT_TRUE(f.RemoveFile(kFile));
         f.AddFolder(kFile);
       },
       none},
      {"unreadable", [](MemoryFileSystem& f) { f.SetUnreadable(kFile); }, none},
      {"held open", [](MemoryFileSystem& f) { f.SetInUse(kFile); }, none},
      {"grows", none, [](MemoryFileSystem& f) { f.AddFile(kFile, Bytes(4 * kFileDigestChunk)); }},
      {"shrinks", none, [](MemoryFileSystem& f) { f.AddFile(kFile, Bytes(kFileDigestChunk)); }},
      {"turns unreadable", none, [](MemoryFileSystem& f) { f.SetUnreadable(kFile); }},
      {"is deleted", none, [](MemoryFileSystem& f) { EXPECT_TRUE(f.RemoveFile(kFile)); }},
  };
  for (const Case& c : cases) {
    MemoryFileSystem files;
    files.AddFile(kFile, Bytes(2 * kFileDigestChunk + 7));
    c.before(files);
    ScriptedPump pump;
    pump.RunAtPump(1, [&] { c.atFirstPump(files); });
    EXPECT_EQ(Hex(FileSha256(files, SystemSignatureVerifier(), kFile, &pump)), "(none)") << c.title;
  }
}

// A file not of the size asked for is not read at all; a stop asked after a piece abandons the
// hash there.
TEST(FileDigestTest, NoDigestForAFileOfAnotherSizeOrWhoseHashingIsStopped) {
  MemoryFileSystem files;
  const std::string data = Bytes(3 * kFileDigestChunk);
  files.AddFile(kFile, data);
  const SignatureVerifier& verifier = SystemSignatureVerifier();
  ScriptedPump pump;
  EXPECT_EQ(Hex(FileSha256(files, verifier, kFile, &pump, {.size = data.size() + 1})), "(none)");
  EXPECT_EQ(pump.Count(), 0) << "nothing read";
  EXPECT_EQ(Hex(FileSha256(files, verifier, kFile, &pump, {.size = data.size()})),
            Hex(verifier.Sha256(data)));
  int asked = 0;
  const auto stopAtSecond = [&asked] { return ++asked == 2; };
  EXPECT_EQ(Hex(FileSha256(files, verifier, kFile, &pump, {.stopped = stopAtSecond})), "(none)");
  EXPECT_EQ(asked, 2) << "asked after each piece, and no more once stopped";
}

}  // namespace
}  // namespace nexolant::platform
