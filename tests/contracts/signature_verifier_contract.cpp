// What the system's SignatureVerifier must do, checked with files the openssl command line
// signed: natively on OpenSSL's, under Wine on the Win32 one (crypt32 and bcrypt).
#include "platform/signature_verifier.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/file_digest.h"
#include "platform/hex_text.h"
#include "support/signed_update_files.h"

namespace nexolant {
namespace {

using namespace nexolant::testing;

std::string FlipBit(std::string_view text, std::size_t bit) {
  std::string flipped(text);
  flipped[bit / 8] = static_cast<char>(flipped[bit / 8] ^ (1 << (bit % 8)));
  return flipped;
}

bool Verify(std::string_view key, std::string_view data, std::string_view signature) {
  return platform::SystemSignatureVerifier().Verify(key, data, signature);
}

TEST(SignatureVerifierContract, TakesTheSignaturesOfEachKeyAndNothingElse) {
  const std::string_view key = TestUpdateKey();
  const std::string_view data = SignedReference();
  const std::string_view signature = ReferenceSignature();
  const std::string oversized =
      std::string(signature) + std::string(platform::kMaxSignatureSize - signature.size() + 1, 0);
  struct Case {
    const char* title;
    std::string_view key;
    std::string_view data;
    std::string_view signature;
    bool valid;
  };
  const std::string tamperedData = FlipBit(data, 8 * data.size() / 2);
  const Case cases[] = {
      {"signed", key, data, signature, true},
      {"signed by the other key", OtherUpdateKey(), data, OtherKeysSignature(), true},
      {"data tampered in one bit", key, tamperedData, signature, false},
      {"data truncated", key, data.substr(0, data.size() - 1), signature, false},
      {"signature truncated", key, data, signature.substr(0, signature.size() - 1), false},
      {"signature of the other key", key, data, OtherKeysSignature(), false},
      {"checked with the other key", OtherUpdateKey(), data, signature, false},
      {"signature of another file", key, data, OtherFilesSignature(), false},
      {"empty signature", key, data, "", false},
      {"oversized signature", key, data, oversized, false},
      {"empty key", "", data, signature, false},
      {"key without its PEM lines", key.substr(27), data, signature, false},
      {"signature as the key", signature, data, signature, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Verify(c.key, c.data, c.signature), c.valid) << c.title;
  }
}

// The digest the records name their files by, as the openssl command line makes it, at once
// and in pieces of any size; a finished stream makes no second digest.
TEST(SignatureVerifierContract, MakesTheSha256OfAnyDataAtOnceOrInPieces) {
  const auto hex = [](const std::optional<platform::Sha256Digest>& digest) {
    return digest ? platform::Sha256Hex(*digest) : std::string("(none)");
  };
  const platform::SignatureVerifier& verifier = platform::SystemSignatureVerifier();
  const std::string_view reference = SignedReference();
  EXPECT_EQ(hex(verifier.Sha256(reference)), platform::HexText(ReferenceDigest()));
  EXPECT_EQ(hex(verifier.Sha256("")),
            "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(hex(verifier.Sha256("abc")),
            "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  for (const std::size_t piece :
       {std::size_t{1}, std::size_t{63}, std::size_t{64}, std::size_t{65536}, reference.size()}) {
    const std::unique_ptr<platform::Sha256Stream> stream = verifier.BeginSha256();
    ASSERT_TRUE(stream);
    for (std::size_t offset = 0; offset < reference.size(); offset += piece) {
      stream->Update(reference.substr(offset, piece));
    }
    EXPECT_EQ(hex(stream->Finish()), platform::HexText(ReferenceDigest())) << piece;
    EXPECT_EQ(hex(stream->Finish()), "(none)") << piece;
  }
  const std::unique_ptr<platform::Sha256Stream> empty = verifier.BeginSha256();
  ASSERT_TRUE(empty);
  EXPECT_EQ(hex(empty->Finish()), hex(verifier.Sha256("")));
}

// No bit of a signature is ignored.
TEST(SignatureVerifierContract, RefusesEverySignatureWithOneBitChanged) {
  const std::string_view signature = ReferenceSignature();
  for (std::size_t bit = 0; bit < 8 * signature.size(); ++bit) {
    EXPECT_FALSE(Verify(TestUpdateKey(), SignedReference(), FlipBit(signature, bit))) << bit;
  }
}

}  // namespace
}  // namespace nexolant
