#include "update/reference_update.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fakes/fake_downloader.h"
#include "fakes/memory_file_system.h"
#include "platform/portable/cp1252_locale.h"
#include "reference/reference_check.h"
#include "support/encipher_reference.h"
#include "support/recording_warnings.h"
#include "support/stopped_clock.h"
#include "update/installed_versions.h"
#include "update/reference_limits.h"
#include "update/update_start.h"
#include "update/update_url.h"

namespace nexolant {
namespace {

using testing::EncipherReference;

using namespace update_start;

class ReferenceUpdateTest : public ::testing::Test {
 protected:
  ReferenceUpdateTest() { files_.AddFile(kFolder + "Reference.dat", kOld); }

  bool Update() {
    // A build without a key; signed updates: signed_update_test.cpp.
    return UpdateReferenceFile({.files = files_,
                                .downloader = downloader_,
                                .clock = clock_,
                                .locale = locale_,
                                .warnings = warnings_,
                                .updateKey = ""},
                               kUrl, kFolder)
        .updated;
  }

  // Whatever happened, only Reference.dat is left, with the file it replaced and their record
  // once an update was taken; nothing in the temporary folder.
  void ExpectNoTemporaryFile(bool taken = false) {
    const std::vector<std::string> left =
        taken ? std::vector<std::string>{"Reference.dat", "Reference.old", "Reference.ver"}
              : std::vector<std::string>{"Reference.dat"};
    EXPECT_EQ(files_.Names(kFolder), left);
    EXPECT_TRUE(files_.Names(files_.TempFolder()).empty());
  }

  MemoryFileSystem files_;
  FakeDownloader downloader_{files_};
  testing::StoppedClock clock_{45000.5};
  platform::Cp1252Locale locale_;
  RecordingWarnings warnings_;
};

TEST_F(ReferenceUpdateTest, AUsableFileTakesThePlaceOfReferenceDat) {
  for (const char* plain :
       {"[ScanFiles]\r\nNEW.EXE=New\r\n", "[OtherKill]\r\nNEW.EXE=New\r\n",
        "[Registry]\r\nNewKey=New\r\n",
        "[FileHashes]\r\n68:275a021bbfb6489e54d471899f7db9d1663fc695ec2fe2a2c"
        "4538aabf651fd0f=New\r\n68:275A021BBFB6489E54D471899F7DB9D1663FC695EC2FE2A2"
        "C4538AABF651FD0F=New\r\n"}) {
    SCOPED_TRACE(plain);
    downloader_.Serve(kUrl, EncipherReference(plain));
    ASSERT_TRUE(Update());
    EXPECT_EQ(files_.Contents(kFolder + "Reference.dat"), EncipherReference(plain));
    ExpectNoTemporaryFile(true);
  }
  EXPECT_EQ(downloader_.Requests().size(), 4u) << "a build without a key fetches no record";
  EXPECT_EQ(files_.Contents(kFolder + "Reference.ver"),
            "installed=unknown\r\nprevious=unknown\r\nhighest=" +
                std::to_string(ShippedReferenceVersion().number) + "\r\n")
      << "the shipped version stays the floor; the files taken have none";
  EXPECT_EQ(downloader_.Requests()[0].url, kUrl);
  EXPECT_EQ(downloader_.Requests()[0].fileName.rfind(kFolder, 0), 0u)
      << "the download goes to the program folder";
  EXPECT_TRUE(warnings_.Shown().empty());
}

struct RefusedCase {
  const char* title;
  std::function<void(MemoryFileSystem&, FakeDownloader&)> arrange;
};

class RefusedUpdateTest : public ReferenceUpdateTest,
                          public ::testing::WithParamInterface<RefusedCase> {};

// Each way an update can fail leaves the old file, byte for byte, and nothing else.
TEST_P(RefusedUpdateTest, LeavesReferenceDatAsItWas) {
  GetParam().arrange(files_, downloader_);
  EXPECT_FALSE(Update());
  EXPECT_EQ(files_.Contents(kFolder + "Reference.dat"), kOld);
  files_.SetReadOnly(kFolder + "Reference.dat", false);
  files_.AllowTempFiles();
  ExpectNoTemporaryFile();
}

std::string Oversized() {
  std::string plain = "[ScanFiles]\r\nNEW.EXE=New\r\n";
  plain.resize(kMaxReferenceFileSize + 1, ';');
  return EncipherReference(plain);
}

const std::string kGood = EncipherReference("[ScanFiles]\r\nNEW.EXE=New\r\nOTHER.EXE=Other\r\n");

INSTANTIATE_TEST_SUITE_P(
    Failures, RefusedUpdateTest,
    ::testing::Values(
        RefusedCase{"DownloadFails", [](auto&, auto&) {}},
        RefusedCase{"EmptyBody", [](auto&, auto& d) { d.Serve(kUrl, ""); }},
        RefusedCase{"ErrorPage",
                    [](auto&, auto& d) {
                      d.Serve(kUrl, "<html><body><h1>404 Not Found</h1></body></html>");
                    }},
        RefusedCase{"PlainTextReference",
                    [](auto&, auto& d) { d.Serve(kUrl, "[ScanFiles]\r\nNEW.EXE=New\r\n"); }},
        RefusedCase{"NoSignatures",
                    [](auto&, auto& d) {
                      d.Serve(kUrl, EncipherReference("[Settings]\r\nNEW.EXE=New\r\n"));
                    }},
        RefusedCase{"MalformedProcessPattern",
                    [](auto&, auto& d) {
                      d.Serve(kUrl, EncipherReference("[ScanFiles]\r\nA.EXE=a\r\n"
                                                      "[OtherKill]\r\nSPY*?.EXE=Broken\r\n"));
                    }},
        RefusedCase{"MalformedRegistryPattern",
                    [](auto&, auto& d) {
                      d.Serve(kUrl, EncipherReference("[ScanFiles]\r\nA.EXE=a\r\n"
                                                      "[Registry]\r\nSpy**Key=Broken\r\n"));
                    }},
        RefusedCase{"TooBroadPattern",
                    [](auto&, auto& d) {
                      d.Serve(kUrl, EncipherReference("[ScanFiles]\r\nA.EXE=a\r\n*.EXE=All\r\n"));
                    }},
        RefusedCase{"ProtectedProcess",
                    [](auto&, auto& d) {
                      d.Serve(kUrl, EncipherReference("[ScanFiles]\r\nA.EXE=a\r\n"
                                                      "[OtherKill]\r\nexplorer.exe=Shell\r\n"));
                    }},
        RefusedCase{"ProtectedKey",
                    [](auto&, auto& d) {
                      d.Serve(kUrl, EncipherReference("[ScanFiles]\r\nA.EXE=a\r\n"
                                                      "[Registry]\r\nS*=Keys\r\n"));
                    }},
        RefusedCase{"Oversized", [](auto&, auto& d) { d.Serve(kUrl, Oversized()); }},
        RefusedCase{"TooManySections",
                    [](auto&, auto& d) {
                      std::string plain;
                      for (std::size_t k = 0; k <= kMaxReferenceSections; ++k) {
                        plain += "[ScanFiles]\r\nA.EXE=a\r\n";
                      }
                      d.Serve(kUrl, EncipherReference(plain));
                    }},
        RefusedCase{"Interrupted",
                    [](auto&, auto& d) {
                      d.ServePartly(kUrl, kGood.substr(0, kGood.size() / 2),
                                    FakeDownloader::kNotFound);
                    }},
        RefusedCase{"ReadOnlyReferenceDat",
                    [](auto& f, auto& d) {
                      d.Serve(kUrl, kGood);
                      f.SetReadOnly(kFolder + "Reference.dat");
                    }},
        RefusedCase{"NoTemporaryFile",
                    [](auto& f, auto& d) {
                      d.Serve(kUrl, kGood);
                      f.FailTempFiles();
                    }}),
    [](const auto& info) { return std::string(info.param.title); });

// A disk that fills at any byte of the download or of the replacement: Reference.dat is the old
// file or the whole new one, never a mix, and no temporary file is left.
TEST_F(ReferenceUpdateTest, AWriteFailingAtAnyByteKeepsTheOldFileOrTakesTheWholeNewOne) {
  downloader_.Serve(kUrl, kGood);
  bool everTaken = false;
  for (std::size_t budget = 0; !everTaken && budget <= kGood.size() * 16; ++budget) {
    SCOPED_TRACE(budget);
    files_.AddFile(kFolder + "Reference.dat", kOld);
    files_.FailWritesAfter(budget);
    const bool taken = Update();
    everTaken |= taken;
    files_.AllowWrites();
    EXPECT_EQ(files_.Contents(kFolder + "Reference.dat"), taken ? kGood : kOld);
    // A kept file is offered only once the record names it, and then it is the old file.
    if (ReadInstalledVersions(files_, kFolder, {}).previousKept) {
      EXPECT_TRUE(taken);
      EXPECT_EQ(files_.Contents(kFolder + "Reference.old"), kOld);
    }
    for (const std::string& name : files_.Names(kFolder)) {
      EXPECT_TRUE(name == "Reference.dat" || name == "Reference.old" || name == "Reference.ver")
          << name;
    }
    EXPECT_TRUE(files_.Names(files_.TempFolder()).empty());
  }
  EXPECT_TRUE(everTaken) << "a large enough budget lets the update through";
}

// Every fault of [FileHashes] the loader would pass over refuses the file, and the warning
// names the line of the first.
TEST_F(ReferenceUpdateTest, AFaultyHashSignatureRefusesTheFileAtItsLine) {
  const std::string digest = std::string(64, 'e');
  for (const std::string& bad :
       {"0:" + digest + "=Empty", "12:" + digest.substr(1) + "=Short",
        "99999999999999999999:" + digest + "=Huge", "5:" + digest + "=Other description"}) {
    SCOPED_TRACE(bad);
    downloader_.Serve(kUrl, EncipherReference("[ScanFiles]\r\nNEW.EXE=New\r\n[FileHashes]\r\n5:" +
                                              digest + "=File\r\n" + bad + "\r\n"));
    const UpdateResult result = UpdateReferenceFile({.files = files_,
                                                     .downloader = downloader_,
                                                     .clock = clock_,
                                                     .locale = locale_,
                                                     .warnings = warnings_,
                                                     .updateKey = ""},
                                                    kUrl, kFolder);
    EXPECT_FALSE(result.updated);
    EXPECT_EQ(result.refusal, UpdateRefusal::kMalformedHashes);
    EXPECT_EQ(RefusalText(result.refusal, result.refusalLine),
              "The reference file on the server holds a malformed hash signature at line 5.");
    EXPECT_EQ(files_.Contents(kFolder + "Reference.dat"), kOld);
    ExpectNoTemporaryFile();
  }
}

TEST(ReferenceUpdateUrl, IsPlainHttpWithTheFixedPath) {
  const std::string url = ReferenceUpdateUrl();
  EXPECT_EQ(url.rfind("http://", 0), 0u) << url;
  const std::string path = "/updates/adware/reference.dat";
  ASSERT_GT(url.size(), path.size() + 7);
  EXPECT_EQ(url.substr(url.size() - path.size()), path);
  EXPECT_EQ(url.find('/', 7), url.size() - path.size()) << "a bare host before the path";
}

}  // namespace
}  // namespace nexolant
