#include "reference/reference_loader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "fakes/memory_file_system.h"
#include "platform/errors.h"
#include "platform/portable/cp1252_locale.h"
#include "reference/crypt.h"
#include "support/encipher_reference.h"
#include "support/recording_warnings.h"
#include "support/scripted_pump.h"
#include "support/stopped_clock.h"

namespace nexolant {
namespace {

constexpr platform::DateTime kNow = 45000.25;

using testing::EncipherReference;

const std::string kFolder = "C:\\Program Files\\Nexolant\\";
const std::string kPath = kFolder + "Reference.dat";

const StringList kNotFoundText{"Reference file NOT loaded.", "--------------------------",
                               "The reference file REFERENCE.DAT does not exist",
                               "in program directory."};

class LoadReferenceTest : public ::testing::Test {
 protected:
  // Loading only reads, so it never has a write failure to report.
  void TearDown() override { EXPECT_TRUE(warnings_.Shown().empty()); }

  void PutReference(const std::string& plain) { files_.AddFile(kPath, EncipherReference(plain)); }

  ReferenceOutcome Load() {
    return LoadReference(
        {.files = files_, .clock = clock_, .locale = locale_, .pump = pump_, .warnings = warnings_},
        kFolder, tables_, details_);
  }

  // The eleven lines of a successful load.
  StringList SuccessText(const std::string& adware, const std::string& process,
                         const std::string& registry, const std::string& total,
                         const std::string& size) const {
    return {"Reference file loaded at: " + locale_.FormatDateTime(kNow),
            std::string(47, '-'),
            "",
            "File location: " + kPath,
            "",
            "Total adware signatures: " + adware,
            "Total process signatures: " + process,
            "Total registry signatures: " + registry,
            "Total signatures: " + total,
            "",
            "Total size: " + size + " bytes"};
  }

  bool TablesEmpty() const {
    return tables_.ScanFileNames.empty() && tables_.ScanFileDescriptions.empty() &&
           tables_.ProcessNames.empty() && tables_.ProcessDescriptions.empty() &&
           tables_.RegistryNames.empty() && tables_.RegistryDescriptions.empty();
  }

  bool NoTempFiles() { return files_.Names(files_.TempFolder()).empty(); }

  MemoryFileSystem files_;
  testing::StoppedClock clock_{kNow};
  platform::Cp1252Locale locale_;
  ScriptedPump pump_;
  RecordingWarnings warnings_;
  SignatureTables tables_;
  StringList details_{"left over"};
};

TEST_F(LoadReferenceTest, MissingFileOrFolderOfThatNameIsNotFound) {
  EXPECT_EQ(Load(), ReferenceOutcome::kFileNotFound);
  EXPECT_EQ(details_, kNotFoundText);
  EXPECT_TRUE(TablesEmpty());

  files_.AddFolder(kPath);
  EXPECT_EQ(Load(), ReferenceOutcome::kFileNotFound);
  EXPECT_EQ(details_, kNotFoundText);
  EXPECT_TRUE(TablesEmpty());
  EXPECT_TRUE(NoTempFiles());
}

TEST_F(LoadReferenceTest, EmptyFileLoadsWithZeroCounts) {
  files_.AddFile(kPath);
  EXPECT_EQ(Load(), ReferenceOutcome::kLoaded);
  EXPECT_EQ(details_, SuccessText("0", "0", "0", "0", "0"));
  EXPECT_TRUE(TablesEmpty());
  EXPECT_TRUE(NoTempFiles());
}

TEST_F(LoadReferenceTest, FillsTheTablesAndCountsScanFilesTwice) {
  const std::string plain =
      "[Registry]\r\nBadKey=Registry entry\r\n"
      "[Other]\r\nx.exe=ignored\r\n"
      "[scanfiles]\r\na.exe=File A\r\nb.dll=File B\r\n"
      "[OtherKill]\r\np1.exe=P1\r\np2.exe=P2\r\np3.exe=P3\r\n";
  PutReference(plain);
  EXPECT_EQ(Load(), ReferenceOutcome::kLoaded);
  EXPECT_EQ(details_, SuccessText("2", "5", "1", "8", std::to_string(plain.size())));

  EXPECT_EQ(tables_.ScanFileNames.Patterns(), (StringList{"a.exe", "b.dll"}));
  EXPECT_EQ(tables_.ScanFileDescriptions, (StringList{"File A", "File B"}));
  EXPECT_EQ(tables_.ProcessNames.Patterns(),
            (StringList{"p1.exe", "p2.exe", "p3.exe", "a.exe", "b.dll"}));
  EXPECT_EQ(tables_.ProcessDescriptions, (StringList{"P1", "P2", "P3", "File A", "File B"}));
  EXPECT_EQ(tables_.RegistryNames.Patterns(), StringList{"BadKey"});
  EXPECT_EQ(tables_.RegistryDescriptions, StringList{"Registry entry"});
  EXPECT_EQ(tables_.ProcessNames.Find("B.DLL"), 4);

  EXPECT_EQ(pump_.Count(), 6);  // once per key read
  EXPECT_EQ(files_.Contents(kPath), EncipherReference(plain));
  EXPECT_TRUE(NoTempFiles());
}

// The loader reads sections by name, as an older one that knew only the first three did: a
// [FileHashes] section anywhere leaves their lists and the Details text as they were (the
// file's size aside), and its well-formed lines fill the known files.
TEST_F(LoadReferenceTest, FileHashesLeaveTheNameListsAndTheDetailsAsTheyWere) {
  const std::string digest = "275a021bbfb6489e54d471899f7db9d1663fc695ec2fe2a2c4538aabf651fd0f";
  const std::string hashes = "[FileHashes]\r\n68:" + digest + "=Test file\r\n0:" + digest +
                             "=Bad\r\n69:" + digest + "=Other=size\r\n";
  const std::string scanFiles = "[ScanFiles]\r\na.exe=File A\r\n";
  const std::string rest = "[OtherKill]\r\np.exe=P\r\n[Registry]\r\nK=Key\r\n";
  PutReference(scanFiles + rest);
  ASSERT_EQ(Load(), ReferenceOutcome::kLoaded);
  const StringList namesOnly(details_.begin(), details_.end() - 1);
  for (const std::string& plain :
       {hashes + scanFiles + rest, scanFiles + hashes + rest, scanFiles + rest + hashes}) {
    SCOPED_TRACE(plain);
    tables_ = SignatureTables();
    PutReference(plain);
    ASSERT_EQ(Load(), ReferenceOutcome::kLoaded);
    EXPECT_EQ(StringList(details_.begin(), details_.end() - 1), namesOnly);
    EXPECT_EQ(details_.back(), "Total size: " + std::to_string(plain.size()) + " bytes");
    EXPECT_EQ(tables_.ScanFileNames.Patterns(), StringList{"a.exe"});
    EXPECT_EQ(tables_.ProcessDescriptions, (StringList{"P", "File A"}));
    EXPECT_EQ(tables_.RegistryDescriptions, StringList{"Key"});
    ASSERT_EQ(tables_.FileHashes.size(), 2u);
    EXPECT_EQ(tables_.FileHashes.Find(68, digest)->description, "Test file");
    EXPECT_EQ(tables_.FileHashes.Find(69, digest)->description, "Other=size");
  }
}

TEST_F(LoadReferenceTest, DescriptionIsEverythingAfterTheFirstEquals) {
  PutReference("[ScanFiles]\nA.EXE=Bad=Thing\n=Text\n[OtherKill]\nk=\n[Registry]\nR=a=b=c\n");
  EXPECT_EQ(Load(), ReferenceOutcome::kLoaded);
  EXPECT_EQ(tables_.ScanFileNames.Patterns(), (StringList{"A.EXE", ""}));
  EXPECT_EQ(tables_.ScanFileDescriptions, (StringList{"Bad=Thing", "Text"}));
  EXPECT_EQ(tables_.ProcessDescriptions, (StringList{"", "Bad=Thing", "Text"}));
  EXPECT_EQ(tables_.RegistryDescriptions, StringList{"a=b=c"});
}

TEST_F(LoadReferenceTest, PlainTextFileLoadsWithoutFailure) {
  const std::string plain = "[ScanFiles]\r\nA.EXE=never enciphered\r\n";
  files_.AddFile(kPath, plain);
  EXPECT_EQ(Load(), ReferenceOutcome::kLoaded);
  ASSERT_EQ(details_.size(), 11u);
  EXPECT_EQ(details_[10], "Total size: " + std::to_string(plain.size()) + " bytes");
  EXPECT_TRUE(NoTempFiles());
}

TEST_F(LoadReferenceTest, SizeHasThousandsSeparators) {
  std::string plain = "[ScanFiles]\r\nA.EXE=x\r\n";
  plain += std::string(12345 - plain.size(), ';');  // one over-long line without "="
  PutReference(plain);
  EXPECT_EQ(Load(), ReferenceOutcome::kLoaded);
  EXPECT_EQ(details_, SuccessText("1", "1", "0", "2", "12,345"));
}

TEST_F(LoadReferenceTest, ReadErrorPropagatesAndRemovesTheTemporaryFile) {
  files_.AddFile(kPath, "x");
  files_.SetUnreadable(kPath);
  EXPECT_THROW(Load(), platform::IoError);
  EXPECT_TRUE(details_.empty());
  EXPECT_TRUE(TablesEmpty());
  EXPECT_TRUE(NoTempFiles());
}

TEST_F(LoadReferenceTest, WriteErrorPropagatesAndRemovesTheTemporaryFile) {
  PutReference("[ScanFiles]\r\nA.EXE=x\r\n");
  files_.FailWritesAfter(3);
  EXPECT_THROW(Load(), platform::IoError);
  EXPECT_TRUE(NoTempFiles());
}

TEST_F(LoadReferenceTest, FailureWhileReadingKeepsWhatWasDoneAndRemovesTheTemporaryFile) {
  PutReference("[ScanFiles]\r\na.exe=A\r\nb.exe=B\r\n[OtherKill]\r\np.exe=P\r\n");
  pump_.RunAtPump(3, [] { throw std::runtime_error("failure inside the pump"); });
  EXPECT_THROW(Load(), std::runtime_error);
  ASSERT_EQ(details_.size(), 6u);
  EXPECT_EQ(details_[5], "Total adware signatures: 2");
  EXPECT_EQ(tables_.ScanFileNames.size(), 2u);
  EXPECT_TRUE(tables_.ProcessNames.empty());
  EXPECT_TRUE(NoTempFiles());
}

TEST_F(LoadReferenceTest, TempFileFailureReportsTheSystemText) {
  PutReference("[ScanFiles]\r\nA.EXE=x\r\n");
  files_.FailTempFiles(5, "Access is denied.");
  try {
    Load();
    ADD_FAILURE() << "no error";
  } catch (const platform::SystemError& error) {
    EXPECT_STREQ(error.what(), "GetTempFileName API failed.Access is denied.");
    EXPECT_EQ(error.code(), 5u);
  }
  EXPECT_TRUE(details_.empty());
  EXPECT_TRUE(TablesEmpty());
}

TEST(FileSizeByName, SizeOfTheFirstMatchOfAnyAttribute) {
  MemoryFileSystem files;
  files.AddFile("C:\\data\\hidden.dat", std::string(70000, 'x'));
  files.SetAttributes("C:\\data\\hidden.dat",
                      platform::kAttributeHidden | platform::kAttributeSystem);
  files.AddFolder("C:\\data\\folder");
  EXPECT_EQ(FileSizeByName(files, "C:\\data\\hidden.dat"), 70000);
  EXPECT_EQ(FileSizeByName(files, "C:\\data\\h*.dat"), 70000);
  EXPECT_EQ(FileSizeByName(files, "C:\\data\\folder"), 0);
  EXPECT_EQ(FileSizeByName(files, "C:\\data\\missing.dat"), 0);
}

TEST(StatusLookFor, LabelsPerOutcome) {
  struct Case {
    ReferenceOutcome outcome;
    const char* refStatus;
    const char* fileStatus;
    std::uint32_t colour;
    bool initializedVisible;
  };
  const Case cases[] = {
      {ReferenceOutcome::kLoaded, "Reference file has been loaded successfully", "Status OK",
       0x008000, true},
      {ReferenceOutcome::kFileNotFound, "Reference file NOT loaded. Unable to find file.",
       "Status NOT OK", 0xFF0000, false},
      {ReferenceOutcome::kFormatIncorrect, "Reference file NOT loaded. File format incorrect.",
       "Status NOT OK", 0xFF0000, false},
  };
  for (const Case& c : cases) {
    const ReferenceStatusLook look = StatusLookFor(c.outcome);
    EXPECT_EQ(look.refStatus, c.refStatus);
    EXPECT_EQ(look.fileStatus, c.fileStatus);
    EXPECT_EQ(look.fileStatusColour, c.colour);
    EXPECT_TRUE(look.fileStatusBold);
    EXPECT_EQ(look.initializedVisible, c.initializedVisible);
  }
}

}  // namespace
}  // namespace nexolant
