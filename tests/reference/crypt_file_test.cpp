#include "reference/crypt_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "fakes/memory_file_system.h"
#include "platform/errors.h"

namespace nexolant {
namespace {

constexpr ReferenceKey kKey{.multiplier = 0x1235, .addend = 0x0F0F, .start = 0xBEEF};
const std::string kPlain = "[ScanFiles]\r\nA.EXE=Bad=Thing\r\n";

std::string EncipherText(const std::string& plain, ReferenceKey key) {
  std::string cipher(plain.size(), '\0');
  EncipherBytes(reinterpret_cast<const std::uint8_t*>(plain.data()), plain.size(),
                reinterpret_cast<std::uint8_t*>(cipher.data()), cipher.size(), key);
  return cipher;
}

class CipherFileTest : public ::testing::Test {
 protected:
  MemoryFileSystem files_;
};

TEST_F(CipherFileTest, EnciphersAndDeciphersWholeFiles) {
  files_.AddFile("C:\\plain.ini", kPlain);
  EXPECT_TRUE(CipherFile(files_, "C:\\plain.ini", "C:\\Reference.dat", kKey, true));
  EXPECT_EQ(files_.Contents("C:\\Reference.dat"), EncipherText(kPlain, kKey));

  EXPECT_TRUE(DecipherFile(files_, "C:\\Reference.dat", "C:\\back.ini", kKey));
  EXPECT_EQ(files_.Contents("C:\\back.ini"), kPlain);
}

TEST_F(CipherFileTest, ReadAndWriteFailuresPropagate) {
  EXPECT_THROW(DecipherFile(files_, "C:\\missing.dat", "C:\\out.ini", kKey), platform::IoError);
  EXPECT_FALSE(files_.Contents("C:\\out.ini"));

  files_.AddFile("C:\\locked.dat", "x");
  files_.SetUnreadable("C:\\locked.dat");
  EXPECT_THROW(DecipherFile(files_, "C:\\locked.dat", "C:\\out.ini", kKey), platform::IoError);

  files_.AddFile("C:\\Reference.dat", "abc");
  files_.FailWritesAfter(0);
  EXPECT_THROW(DecipherFile(files_, "C:\\Reference.dat", "C:\\out.ini", kKey), platform::IoError);
}

}  // namespace
}  // namespace nexolant
