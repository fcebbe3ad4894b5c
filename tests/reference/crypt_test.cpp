#include "reference/crypt.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace nexolant {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr ReferenceKey kTestKey{.multiplier = 0x0203, .addend = 0x0405, .start = 0x4142};

Bytes Encipher(const Bytes& plain, ReferenceKey key) {
  Bytes out(plain.size());
  EXPECT_TRUE(EncipherBytes(plain.data(), plain.size(), out.data(), out.size(), key));
  return out;
}

Bytes Decipher(const Bytes& cipher, ReferenceKey key) {
  Bytes out(cipher.size());
  EXPECT_TRUE(DecipherBytes(cipher.data(), cipher.size(), out.data(), out.size(), key));
  return out;
}

// Worked by hand: R = 4142h; 'a' (61h) XOR 41h = 20h, R = ((61h + 42h) mod 256) * 203h + 405h
// = A3h * 203h + 405h = 4BEEh (mod 10000h); 'b' XOR 4Bh = 29h, R = 50h * 203h + 405h = A4F5h;
// 'c' XOR A4h = C7h.
TEST(ReferenceCipher, KnownAnswer) {
  const Bytes plain{'a', 'b', 'c'};
  const Bytes cipher{0x20, 0x29, 0xC7};
  EXPECT_EQ(Encipher(plain, kTestKey), cipher);
  EXPECT_EQ(Decipher(cipher, kTestKey), plain);
}

// With the first cipher byte 21h the plain byte becomes 21h XOR 41h = 60h, and the running key
// after it ((60h + 42h) * 203h + 405h = 49EBh, then 4Bh * 203h + 405h = 9AE6h) makes the next
// plain bytes 29h XOR 49h = 60h and C7h XOR 9Ah = 5Dh.
TEST(ReferenceCipher, FlippedCipherByteChangesThatPlainByteAndTheRunningKeyAfterIt) {
  EXPECT_EQ(Decipher(Bytes{0x21, 0x29, 0xC7}, kTestKey), (Bytes{0x60, 0x60, 0x5D}));
}

TEST(ReferenceCipher, FlippedCipherByteKeepsEarlierBytesAndIsConsistentAfterwards) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    const ReferenceKey key{static_cast<std::uint16_t>(random()),
                           static_cast<std::uint16_t>(random()),
                           static_cast<std::uint16_t>(random())};
    Bytes plain(2 + random() % 60);
    for (auto& byte : plain) {
      byte = static_cast<std::uint8_t>(random());
    }
    Bytes cipher = Encipher(plain, key);
    const std::size_t at = random() % plain.size();
    const auto flip = static_cast<std::uint8_t>(1u << (random() % 8));
    cipher[at] ^= flip;

    const Bytes damaged = Decipher(cipher, key);
    for (std::size_t k = 0; k < at; ++k) {
      ASSERT_EQ(damaged[k], plain[k]);
    }
    ASSERT_EQ(damaged[at], plain[at] ^ flip);
    // The changed plain byte fed the running key: enciphering the damaged text reproduces the
    // damaged cipher text exactly.
    ASSERT_EQ(Encipher(damaged, key), cipher);
  }
}

TEST(ReferenceCipher, DecipherReversesEncipherForEveryKeyAndLength) {
  std::mt19937 random(1);
  std::vector<ReferenceKey> keys{ShippedReferenceKey(), {0, 0, 0}, {0xFFFF, 0xFFFF, 0xFFFF}};
  for (int i = 0; i < 40; ++i) {
    keys.push_back({static_cast<std::uint16_t>(random()), static_cast<std::uint16_t>(random()),
                    static_cast<std::uint16_t>(random())});
  }
  for (const ReferenceKey& key : keys) {
    for (std::size_t length = 0; length <= 300; ++length) {
      Bytes plain(length);
      for (auto& byte : plain) {
        byte = static_cast<std::uint8_t>(random());
      }
      ASSERT_EQ(Decipher(Encipher(plain, key), key), plain)
          << "key " << key.multiplier << "," << key.addend << "," << key.start << " length "
          << length;
    }
  }
}

TEST(ReferenceCipher, LengthMismatchWritesNothing) {
  const Bytes source{1, 2, 3};
  for (const std::size_t length : {0u, 2u, 4u}) {
    Bytes destination(4, 0xEE);
    EXPECT_FALSE(EncipherBytes(source.data(), source.size(), destination.data(), length, kTestKey));
    EXPECT_FALSE(DecipherBytes(source.data(), source.size(), destination.data(), length, kTestKey));
    EXPECT_EQ(destination, Bytes(4, 0xEE));
  }
}

}  // namespace
}  // namespace nexolant
