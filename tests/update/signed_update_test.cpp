// The update of a build with a key: only a file whose signature verifies with that key is
// taken, and then exactly as it was signed; every other answer leaves Reference.dat as it was.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "fakes/fake_downloader.h"
#include "fakes/memory_file_system.h"
#include "platform/portable/cp1252_locale.h"
#include "reference/reference_check.h"
#include "support/encipher_reference.h"
#include "support/recording_warnings.h"
#include "support/signed_update_files.h"
#include "support/stopped_clock.h"
#include "update/reference_limits.h"
#include "update/reference_update.h"

namespace nexolant {
namespace {

using namespace nexolant::testing;

const std::string kFolder = "C:\\Program Files\\Nexolant\\";
const std::string kUrl = "http://update.example/updates/adware/reference.dat";
const std::string kOld = EncipherReference("[ScanFiles]\r\nOLD.EXE=The old file\r\n");
const std::string kReference(SignedReference());
const std::string kSignature(ReferenceSignature());

struct Served {
  const char* title;
  std::string reference;
  std::optional<std::string> signature;  // none: the server has no signature file
  friend void PrintTo(const Served& served, std::ostream* out) { *out << served.title; }
};

class SignedUpdateTest : public ::testing::TestWithParam<Served> {
 protected:
  bool Update(const Served& served) {
    files_.AddFile(kFolder + "Reference.dat", kOld);
    downloader_.Serve(kUrl, served.reference);
    if (served.signature) {
      downloader_.Serve(kUrl + ".sig", *served.signature);
    }
    const bool taken = UpdateReferenceFile({.files = files_,
                                            .downloader = downloader_,
                                            .clock = clock_,
                                            .locale = locale_,
                                            .warnings = warnings_,
                                            .updateKey = TestUpdateKey()},
                                           kUrl, kFolder);
    EXPECT_EQ(files_.Names(kFolder), std::vector<std::string>{"Reference.dat"});
    return taken;
  }

  MemoryFileSystem files_;
  FakeDownloader downloader_{files_};
  StoppedClock clock_{45000.5};
  platform::Cp1252Locale locale_;
  RecordingWarnings warnings_;
};

std::string FlipOneBit(std::string text) {
  text[text.size() / 3] ^= 0x10;
  return text;
}

TEST_F(SignedUpdateTest, ASignedFileIsTakenAfterItsSignatureWasFetched) {
  ASSERT_TRUE(Update({"signed", kReference, kSignature}));
  EXPECT_EQ(files_.Contents(kFolder + "Reference.dat"), kReference);
  std::vector<std::pair<std::string, std::uint64_t>> fetched;
  for (const FakeDownloader::Request& request : downloader_.Requests()) {
    fetched.emplace_back(request.url, request.maxBytes);
  }
  EXPECT_EQ(fetched, (std::vector<std::pair<std::string, std::uint64_t>>{
                         {kUrl, kMaxReferenceFileSize}, {kUrl + ".sig", kMaxSignatureFileSize}}));
}

TEST_P(SignedUpdateTest, RefusesTheFileAndKeepsTheOldOne) {
  EXPECT_FALSE(Update(GetParam()));
  EXPECT_EQ(files_.Contents(kFolder + "Reference.dat"), kOld);
}

INSTANTIATE_TEST_SUITE_P(
    Refused, SignedUpdateTest,
    ::testing::Values(Served{"Unsigned", kReference, std::nullopt},
                      Served{"TamperedInOneBit", FlipOneBit(kReference), kSignature},
                      Served{"Truncated", kReference.substr(0, kReference.size() - 1), kSignature},
                      Served{"SignedWithAnotherKey", kReference, std::string(OtherKeysSignature())},
                      Served{"SignatureOfAnotherFile", kReference,
                             std::string(OtherFilesSignature())},
                      Served{"EmptySignature", kReference, ""},
                      Served{"OversizedSignature", kReference,
                             kSignature + std::string(kMaxSignatureFileSize, 0)}),
    [](const auto& info) { return std::string(info.param.title); });

std::string Repeated(std::string_view text, std::size_t times) {
  std::string repeated;
  for (std::size_t k = 0; k < times; ++k) {
    repeated += text;
  }
  return repeated;
}

// Counted as the INI engine reads the deciphered text: a repeated section counts again.
TEST(ReferenceLimits, AllowExactlyTheSectionsAndEntriesOfTheLimits) {
  const auto file = [](std::size_t sections, std::size_t entries) {
    return EncipherReference(Repeated("[ScanFiles]\r\nA.EXE=a\r\n", sections - 1) +
                             "[Registry]\r\n" + Repeated("Key=\n", entries));
  };
  EXPECT_TRUE(IsWithinReferenceLimits(file(kMaxReferenceSections, 1)));
  EXPECT_FALSE(IsWithinReferenceLimits(file(kMaxReferenceSections + 1, 1)));
  EXPECT_TRUE(IsWithinReferenceLimits(file(2, kMaxReferenceSectionEntries)));
  EXPECT_FALSE(IsWithinReferenceLimits(file(2, kMaxReferenceSectionEntries + 1)));
}

}  // namespace
}  // namespace nexolant
