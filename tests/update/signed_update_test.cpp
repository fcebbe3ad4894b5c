// The update of a build with a key: a file is taken only with a version record beside it that
// the key signed, for exactly its bytes, of a version above every one accepted before; then
// exactly as it was signed, keeping the file it replaced for one step back. Every other answer
// leaves Reference.dat and its record as they were and says why. The records are nexref's and
// the system's cryptography checks them: OpenSSL natively, crypt32 and bcrypt under Wine.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "fakes/fake_downloader.h"
#include "fakes/memory_file_system.h"
#include "platform/portable/cp1252_locale.h"
#include "support/encipher_reference.h"
#include "support/recording_warnings.h"
#include "support/signed_update_files.h"
#include "support/stopped_clock.h"
#include "update/installed_versions.h"
#include "update/reference_install.h"
#include "update/reference_limits.h"
#include "update/reference_update.h"
#include "update/update_start.h"

namespace nexolant {
namespace {

using namespace nexolant::testing;

using namespace update_start;
const std::string kReference(SignedReference());
const std::string kRecordV8(RecordV8());
// What is installed before each update: version 7, the highest accepted so far.
const std::string kInstalled = "installed=7 2025-02-01\r\nhighest=7\r\n";
const ReferenceVersion kShipped{.number = 1, .date = {2025, 1, 15}};

std::string Replaced(std::string text, const std::string& what, const std::string& with) {
  return text.replace(text.find(what), what.size(), with);
}

struct Served {
  const char* title;
  std::string reference;
  std::optional<std::string> record;  // none: the server has no version record
  UpdateRefusal refusal;              // kNone: taken
  friend void PrintTo(const Served& served, std::ostream* out) { *out << served.title; }
};

class SignedUpdateTest : public ::testing::TestWithParam<Served> {
 protected:
  SignedUpdateTest() {
    files_.AddFile(kFolder + "Reference.dat", kOld);
    files_.AddFile(kFolder + kInstalledRecordName, kInstalled);
  }

  UpdateResult Update(const std::string& reference, const std::optional<std::string>& record) {
    downloader_.Serve(kUrl, reference);
    if (record) {
      downloader_.Serve(kUrl + ".ver", *record);
    }
    return UpdateReferenceFile({.files = files_,
                                .downloader = downloader_,
                                .clock = clock_,
                                .locale = locale_,
                                .warnings = warnings_,
                                .updateKey = TestUpdateKey(),
                                .shipped = kShipped},
                               kUrl, kFolder);
  }

  InstalledVersions Installed() { return ReadInstalledVersions(files_, kFolder, kShipped); }
  std::string Contents(const char* name) const {
    return files_.Contents(kFolder + name).value_or("(none)");
  }

  MemoryFileSystem files_;
  FakeDownloader downloader_{files_};
  StoppedClock clock_{45000.5};
  platform::Cp1252Locale locale_;
  RecordingWarnings warnings_;
};

TEST_P(SignedUpdateTest, TakesOnlyANewerFileWithItsSignedRecord) {
  const Served& served = GetParam();
  const UpdateResult result = Update(served.reference, served.record);
  EXPECT_EQ(result.refusal, served.refusal);
  EXPECT_EQ(result.updated, served.refusal == UpdateRefusal::kNone);
  if (result.updated) {
    EXPECT_EQ(Contents("Reference.dat"), served.reference);
    EXPECT_EQ(Contents(kPreviousReferenceName), kOld);
    EXPECT_EQ(Installed().previous, (ReferenceVersion{7, {2025, 2, 1}}));
    const std::int32_t number =
        served.record == std::string(RecordMax()) ? kMaxReferenceVersion : 8;
    EXPECT_EQ(Installed().installed, (ReferenceVersion{number, {2025, 3, 1}}));
    EXPECT_EQ(Installed().highest, number);
  } else {
    EXPECT_EQ(Contents("Reference.dat"), kOld);
    EXPECT_EQ(Contents(kInstalledRecordName), kInstalled);
    EXPECT_EQ(files_.Names(kFolder), (std::vector<std::string>{"Reference.dat", "Reference.ver"}));
  }
  EXPECT_EQ(downloader_.Requests().back().url, kUrl + ".ver");
  EXPECT_EQ(downloader_.Requests().back().maxBytes, kMaxVersionRecordSize);
}

std::string FlipOneBit(std::string text) {
  text[text.size() / 3] ^= 0x10;
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Served, SignedUpdateTest,
    ::testing::Values(
        Served{"Newer", kReference, kRecordV8, UpdateRefusal::kNone},
        Served{"HighestVersion", kReference, std::string(RecordMax()), UpdateRefusal::kNone},
        Served{"RecordWithWindowsLineEnds", kReference, Replaced(kRecordV8, "\n", "\r\n"),
               UpdateRefusal::kNone},
        Served{"ReplayOfAnOlderVersion", kReference, std::string(RecordV5()),
               UpdateRefusal::kNotNewer},
        Served{"SameVersion", kReference, std::string(RecordV7()), UpdateRefusal::kNotNewer},
        Served{"NoRecord", kReference, std::nullopt, UpdateRefusal::kNoRecord},
        Served{"RecordTruncatedByOneByte", kReference, kRecordV8.substr(0, kRecordV8.size() - 1),
               UpdateRefusal::kRecordIncomplete},
        Served{"RecordTruncatedToThreeLines", kReference,
               kRecordV8.substr(0, kRecordV8.find("signature=")), UpdateRefusal::kRecordIncomplete},
        Served{"EmptyRecord", kReference, "", UpdateRefusal::kRecordIncomplete},
        Served{"VersionThatDoesNotParse", kReference,
               Replaced(kRecordV8, "version=8", "version=8a"), UpdateRefusal::kBadVersion},
        Served{"VersionZero", kReference, Replaced(kRecordV8, "version=8", "version=0"),
               UpdateRefusal::kBadVersion},
        Served{"EnormousVersion", kReference,
               Replaced(kRecordV8, "version=8", "version=2147483648"),
               UpdateRefusal::kVersionTooLarge},
        Served{"DateInTheFuture", kReference, Replaced(kRecordV8, "2025-03-01", "2100-01-01"),
               UpdateRefusal::kFutureDate},
        Served{"DateThatIsNoDay", kReference, Replaced(kRecordV8, "2025-03-01", "2025-02-29"),
               UpdateRefusal::kBadDate},
        Served{"RecordForAnotherFile", kReference, std::string(OtherFilesRecord()),
               UpdateRefusal::kRecordForAnotherFile},
        Served{"FileTamperedInOneBit", FlipOneBit(kReference), kRecordV8,
               UpdateRefusal::kRecordForAnotherFile},
        Served{"RecordOfAnotherKey", kReference, std::string(OtherKeysRecord()),
               UpdateRefusal::kRecordNotSigned},
        Served{"VersionRaisedAfterSigning", kReference,
               Replaced(kRecordV8, "version=8", "version=9"), UpdateRefusal::kRecordNotSigned},
        Served{"RecordOverOneKilobyte", kReference,
               kRecordV8 + std::string(kMaxVersionRecordSize, '\n'), UpdateRefusal::kRecordDamaged},
        Served{"UnknownLine", kReference, kRecordV8 + "comment=none\n",
               UpdateRefusal::kRecordDamaged}),
    [](const auto& info) { return std::string(info.param.title); });

// One step back puts the replaced file back byte for byte; the undone version never returns,
// only a newer one does.
TEST_F(SignedUpdateTest, UndoPutsTheOldBytesBackAndTheFloorStays) {
  ASSERT_TRUE(Update(kReference, kRecordV8).updated);
  ASSERT_TRUE(UndoLastUpdate(files_, kFolder, Installed()));
  EXPECT_EQ(Contents("Reference.dat"), kOld);
  EXPECT_EQ(Installed(),
            (InstalledVersions{.installed = ReferenceVersion{7, {2025, 2, 1}}, .highest = 8}));
  EXPECT_EQ(files_.Names(kFolder), (std::vector<std::string>{"Reference.dat", "Reference.ver"}));
  EXPECT_FALSE(UndoLastUpdate(files_, kFolder, Installed())) << "one step only";

  EXPECT_EQ(Update(kReference, kRecordV8).refusal, UpdateRefusal::kNotNewer);
  EXPECT_EQ(Contents("Reference.dat"), kOld);
  EXPECT_TRUE(Update(kReference, std::string(RecordMax())).updated);
}

// Without a record the shipped version is installed; a damaged one counts as missing.
TEST_F(SignedUpdateTest, AMissingOrDamagedRecordFallsBackToTheShippedVersion) {
  for (const char* record : {"", "installed=7 2025-02-01\r\n", "highest=7\r\n",
                             "installed=7 2025-02-01\r\nhighest=x\r\n", "nonsense"}) {
    SCOPED_TRACE(record);
    files_.AddFile(kFolder + kInstalledRecordName, record);
    EXPECT_EQ(Installed(), (InstalledVersions{.installed = kShipped, .highest = 1}));
  }
  ASSERT_EQ(files_.RemoveFile(kFolder + kInstalledRecordName).ok, true);
  EXPECT_EQ(Installed(), (InstalledVersions{.installed = kShipped, .highest = 1}));
  EXPECT_TRUE(Update(kReference, std::string(RecordV5())).updated);
  EXPECT_EQ(Installed().previous, kShipped);
}

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
