#include "nexref/nexref.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "fakes/memory_file_system.h"
#include "platform/portable/cp1252_locale.h"
#include "platform/portable/std_file_system.h"
#include "reference/crypt.h"
#include "reference/reference_loader.h"
#include "support/encipher_reference.h"
#include "support/recording_warnings.h"
#include "support/scoped_folder.h"
#include "support/scripted_pump.h"
#include "support/stopped_clock.h"

namespace nexolant::nexref {
namespace {

namespace fs = std::filesystem;
using nexolant::testing::ScopedFolder;

using testing::EncipherReference;

struct RunResult {
  int exitCode;
  std::string out;
  std::string err;
};

// Runs the tool on one file system, as main() does on the real one.
class Runner {
 public:
  explicit Runner(platform::FileSystem& files) : files_(files) {}

  RunResult Run(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int exitCode = RunNexref(args, out, err, {files_, locale_, pump_, warnings_});
    return {exitCode, out.str(), err.str()};
  }

  const platform::Locale& locale() const { return locale_; }
  ScriptedPump& pump() { return pump_; }
  RecordingWarnings& warnings() { return warnings_; }

 private:
  platform::FileSystem& files_;
  platform::Cp1252Locale locale_;
  ScriptedPump pump_;
  RecordingWarnings warnings_;
};

const std::string kSmallReference =
    "[ScanFiles]\r\n"
    "GATOR.EXE=Adware: pop-up advertisements\r\n"
    "CD_CLINT.DLL=Adware: advertising client\r\n"
    "[OtherKill]\r\n"
    "GMT.EXE=Adware: ad-serving process\r\n"
    "CMESYS.EXE=Adware: advertising process\r\n"
    "SAIN.EXE=Adware: search assistant\r\n"
    "[Registry]\r\n"
    "Cydoor=Adware: settings\r\n";

const std::string kSmallTotals =
    "Total adware signatures: 2\n"
    "Total process signatures: 5\n"
    "Total registry signatures: 1\n"
    "Total signatures: 8\n"
    "Total hash signatures: 0\n";

const std::string kDigest = "275a021bbfb6489e54d471899f7db9d1663fc695ec2fe2a2c4538aabf651fd0f";

TEST(NexrefFileTest, BuildThenDecipherRestoresEveryByte) {
  ScopedFolder folder;
  platform::StdFileSystem files;
  Runner runner(files);
  std::string plain = "[ScanFiles]\r\nA.EXE=Bad=Thing\r\n\r\nlone\rCR\n=Text\r\n\x1A after";
  for (int byte = 0; byte < 256; ++byte) {
    plain.push_back(static_cast<char>(byte));
  }
  for (const std::string& text : {plain, std::string(), std::string("\xFF")}) {
    SCOPED_TRACE(text.size());
    files.WriteWholeFile(folder.File("plain.ini"), text);

    const RunResult build =
        runner.Run({"build", folder.File("plain.ini"), folder.File("Reference.dat")});
    ASSERT_EQ(build.exitCode, kExitOk) << build.err;
    const std::string cipher = files.ReadWholeFile(folder.File("Reference.dat"));
    EXPECT_EQ(cipher, EncipherReference(text)) << "enciphered with the shipped key";

    const RunResult decipher =
        runner.Run({"decipher", folder.File("Reference.dat"), folder.File("back.ini")});
    ASSERT_EQ(decipher.exitCode, kExitOk) << decipher.err;
    EXPECT_EQ(files.ReadWholeFile(folder.File("back.ini")), text);
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"plain.ini", "Reference.dat", "back.ini"}))
        << "no temporary file left behind";
  }
}

TEST(NexrefFileTest, CheckPrintsTheTotalsOfTheDetailsPage) {
  ScopedFolder folder;
  platform::StdFileSystem files;
  Runner runner(files);
  files.WriteWholeFile(folder.File("Reference.dat"), EncipherReference(kSmallReference));

  const RunResult check = runner.Run({"check", folder.File("Reference.dat")});

  EXPECT_EQ(check.exitCode, kExitOk);
  EXPECT_EQ(check.out, kSmallTotals);
  EXPECT_EQ(check.err, "");
  EXPECT_TRUE(runner.warnings().Shown().empty());
}

// The check must count what the program's loader counts, whatever the file holds.
TEST(NexrefFileTest, CheckTotalsEqualTheLoadersCounts) {
  const std::vector<std::string> texts = {
      kSmallReference,
      "",
      "not an ini file at all",
      "[scanfiles]\nA=1\n[ScanFiles]\nB=2\n[otherkill]\n=empty\nX=1\nX=2\n[Registry]\nR\n",
      "K=before\n[Registry]\n" + std::string(300, 'R') + "=long\n[ScanFiles]\nA=1\x1A\nB=2\n",
      kSmallReference + "[FileHashes]\r\n68:" + kDigest + "=Test\r\n0:" + kDigest + "=bad\r\n" +
          "68:" + kDigest + "=Test\r\n7:" + kDigest + "=Other\r\n[filehashes]\r\n9:" + kDigest +
          "=repeated section\r\n",
  };
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    MemoryFileSystem files;
    files.AddFile("C:\\Nexolant\\Reference.dat", EncipherReference(text));
    Runner runner(files);
    testing::StoppedClock clock{45000.5};
    SignatureTables tables;
    StringList details;
    LoadReference({.files = files,
                   .clock = clock,
                   .locale = runner.locale(),
                   .pump = runner.pump(),
                   .warnings = runner.warnings()},
                  "C:\\Nexolant\\", tables, details);
    ASSERT_GE(details.size(), 9u);
    const std::string loaderTotals =
        details[5] + "\n" + details[6] + "\n" + details[7] + "\n" + details[8] +
        "\nTotal hash signatures: " + std::to_string(tables.FileHashes.size()) + "\n";

    const RunResult check = runner.Run({"check", "C:\\Nexolant\\Reference.dat"});

    EXPECT_EQ(check.exitCode, text.find("=bad") == std::string::npos ? kExitOk : kExitError);
    EXPECT_EQ(check.out, loaderTotals);
  }
}

struct WarningCase {
  const char* name;
  std::string plain;
  std::vector<std::string> expected;  // lines of the error output, each in full
};

const std::string kAllSections = "[ScanFiles]\nA.EXE=a\n[OtherKill]\nB.EXE=b\n[Registry]\nC=c\n";

TEST(NexrefCheckTest, WarnsAboutDoubtfulEntries) {
  const std::vector<WarningCase> cases = {
      {"malformed patterns",
       "[ScanFiles]\nA**=x\nAB*?.EXE=y\nADW*BAR.EXE=fine\n[OtherKill]\n*?=z\n[Registry]\nR=r\n",
       {"C:\\R.dat:2: warning: malformed pattern \"A**\": \"*\" followed by \"*\" or \"?\"",
        "C:\\R.dat:3: warning: malformed pattern \"AB*?.EXE\": \"*\" followed by \"*\" or \"?\"",
        "C:\\R.dat:6: warning: malformed pattern \"*?\": \"*\" followed by \"*\" or \"?\""}},
      {"empty key", kAllSections + "==Text\n", {"C:\\R.dat:7: warning: empty key"}},
      {"missing sections",
       "[OtherKill]\nB.EXE=b\n",
       {"C:\\R.dat: warning: section [ScanFiles] is missing",
        "C:\\R.dat: warning: section [Registry] is missing"}},
      {"repeated section, whose entries are not reviewed",
       kAllSections + "[scanfiles]\nA.EXE=dropped with its section\n",
       {"C:\\R.dat:7: warning: section [scanfiles] repeats the one at line 1 and is dropped with "
        "its entries"}},
      {"duplicate key in any letter case",
       "[ScanFiles]\nA.EXE=a\na.exe=again\n[OtherKill]\nA.EXE=not a duplicate across sections\n"
       "[Registry]\n",
       {"C:\\R.dat:3: warning: duplicate key \"a.exe\", first at line 2"}},
      {"dropped lines",
       "K=before any section\n[ScanFiles]\nA.EXE=a\n; a comment\n [OtherKill]\n[OtherKill]\n"
       "[Registry]\n",
       {"C:\\R.dat:1: warning: entry before the first section is dropped",
        "C:\\R.dat:4: warning: line holds no \"=\" and is dropped",
        "C:\\R.dat:5: warning: line holds no \"=\" and is dropped"}},
      {"over-long line",
       "[ScanFiles]\n" + std::string(300, 'A') + "=x\n[OtherKill]\n[Registry]\n",
       {"C:\\R.dat:2: warning: line is 302 characters long; only the first 255 are read",
        "C:\\R.dat:2: warning: line holds no \"=\" and is dropped"}},
      {"keys that look like something else",
       "[ScanFiles]\n;old=x\nA.EXE =y\n[OtherKill]\n[Registry]\n[Other]\nQ=1\n",
       {"C:\\R.dat:2: warning: key \";old\" begins with \";\" but is read as a signature, not a "
        "comment",
        "C:\\R.dat:3: warning: key \"A.EXE \" begins or ends with a blank, which is part of the "
        "pattern",
        "C:\\R.dat:6: warning: section [Other] is not read by the program"}},
      {"text after Ctrl-Z",
       kAllSections + "\x1A[ScanFiles]\nB.EXE=b\n",
       {"C:\\R.dat:7: warning: text after the Ctrl-Z character is not read"}},
      {"a Ctrl-Z at the end is no text", kAllSections + "\x1A\r\n", {}},
  };
  for (const WarningCase& test : cases) {
    SCOPED_TRACE(test.name);
    MemoryFileSystem files;
    files.AddFile("C:\\R.dat", EncipherReference(test.plain));
    Runner runner(files);

    const RunResult check = runner.Run({"check", "C:\\R.dat"});

    EXPECT_EQ(check.exitCode, kExitOk) << "warnings do not fail the check";
    std::string expected;
    for (const std::string& line : test.expected) {
      expected += line + "\n";
    }
    if (!test.expected.empty()) {
      expected += "nexref: " + std::to_string(test.expected.size()) +
                  (test.expected.size() == 1 ? " warning\n" : " warnings\n");
    }
    EXPECT_EQ(check.err, expected);
    EXPECT_TRUE(files.Names(files.TempFolder()).empty()) << "temporary file removed";
  }
}

// The program would keep these patterns inert and the update refuses a file that holds one.
TEST(NexrefCheckTest, FailsOnPatternsThatMatchAProtectedNameOrAreTooBroad) {
  MemoryFileSystem files;
  files.AddFile("C:\\R.dat", EncipherReference("[ScanFiles]\nGATOR.EXE=genuine\n*=a\n?*=b\n"
                                               "*.EXE=c\nnotepad.exe=d\n*.zip=e\n[OtherKill]\n"
                                               "GMT.EXE=genuine\nexplorer.exe=f\n[Registry]\n"
                                               "Claria=genuine\nSoftware=g\nS*=h\n"));
  Runner runner(files);

  const RunResult check = runner.Run({"check", "C:\\R.dat"});

  EXPECT_EQ(check.exitCode, kExitError);
  EXPECT_EQ(check.out,
            "Total adware signatures: 6\nTotal process signatures: 8\n"
            "Total registry signatures: 3\nTotal signatures: 17\nTotal hash signatures: 0\n");
  EXPECT_EQ(check.err,
            "C:\\R.dat:3: error: pattern \"*\" matches the protected name \"[System]\"\n"
            "C:\\R.dat:4: error: pattern \"?*\" matches the protected name \"[System]\"\n"
            "C:\\R.dat:5: error: pattern \"*.EXE\" matches the protected name \"smss.exe\"\n"
            "C:\\R.dat:6: error: pattern \"notepad.exe\" matches the protected name "
            "\"notepad.exe\"\n"
            "C:\\R.dat:7: error: pattern \"*.zip\" is too broad: it matches the ordinary name "
            "\"archive.zip\"\n"
            "C:\\R.dat:10: error: pattern \"explorer.exe\" matches the protected name "
            "\"explorer.exe\"\n"
            "C:\\R.dat:13: error: pattern \"Software\" matches the protected name \"SOFTWARE\"\n"
            "C:\\R.dat:14: error: pattern \"S*\" matches the protected name \"SOFTWARE\"\n"
            "nexref: 8 errors\n");
}

TEST(NexrefCheckTest, ShowsCountsWithThousandsSeparators) {
  std::string plain = "[ScanFiles]\n";
  for (int k = 0; k < 1200; ++k) {
    plain += "ADWARE" + std::to_string(k) + ".EXE=x\n";
  }
  plain += "[OtherKill]\n[Registry]\n";
  MemoryFileSystem files;
  files.AddFile("C:\\R.dat", EncipherReference(plain));
  Runner runner(files);

  const RunResult check = runner.Run({"check", "C:\\R.dat"});

  EXPECT_EQ(check.out,
            "Total adware signatures: 1,200\nTotal process signatures: 1,200\n"
            "Total registry signatures: 0\nTotal signatures: 2,400\nTotal hash signatures: 0\n");
  EXPECT_EQ(check.err, "");
}

// The known files are counted once each; every line the program passes over fails the check
// with its number, a repeat of a known file with its description only warns.
TEST(NexrefCheckTest, CountsHashSignaturesAndFailsOnTheLinesTheProgramPassesOver) {
  std::string plain = kAllSections + "[FileHashes]\n";  // lines 7 and on
  for (int k = 1; k <= 1500; ++k) {
    plain += std::to_string(k) + ":" + kDigest + "=File " + std::to_string(k) + "\n";
  }
  plain += "1:" + kDigest + "=File 1\n" + "2:" + kDigest + "=Not file 2\n" + "0:" + kDigest +
           "=Empty\n" + "5:" + kDigest.substr(2) + "=Short\n";
  MemoryFileSystem files;
  files.AddFile("C:\\R.dat", EncipherReference(plain));
  Runner runner(files);

  const RunResult check = runner.Run({"check", "C:\\R.dat"});

  EXPECT_EQ(check.exitCode, kExitError);
  EXPECT_EQ(check.out,
            "Total adware signatures: 1\nTotal process signatures: 2\n"
            "Total registry signatures: 1\nTotal signatures: 4\nTotal hash signatures: 1,500\n");
  const std::string key = ":" + kDigest + "\"";
  EXPECT_EQ(check.err,
            "C:\\R.dat:1508: warning: hash signature \"1" + key +
                " repeats an earlier one (line 8)\n" + "C:\\R.dat:1509: error: hash signature \"2" +
                key + " names a file an earlier one describes otherwise (line 9)\n" +
                "C:\\R.dat:1510: error: hash signature \"0" + key + " has size 0\n" +
                "C:\\R.dat:1511: error: hash signature \"5:" + kDigest.substr(2) +
                "\" has no SHA-256 of 64 hexadecimal digits\n" + "nexref: 3 errors, 1 warning\n");
}

TEST(NexrefCommandLineTest, WrongArgumentsGiveUsageAndExitTwo) {
  MemoryFileSystem files;
  Runner runner(files);
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"frobnicate", "a"},
      {"build"},
      {"build", "a"},
      {"build", "a", "b", "c"},
      {"decipher", "a"},
      {"check"},
      {"check", "a", "b"},
      {"check", ""},
      {"--help", "extra"},
  };
  for (const std::vector<std::string>& args : cases) {
    SCOPED_TRACE(args.empty() ? "no arguments" : args[0]);
    const RunResult result = runner.Run(args);
    EXPECT_EQ(result.exitCode, kExitUsage);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("Usage: nexref build"), std::string::npos) << result.err;
  }
  EXPECT_EQ(files.WriteCount(), 0);
}

TEST(NexrefCommandLineTest, HelpGoesToStandardOutput) {
  MemoryFileSystem files;
  Runner runner(files);
  for (const char* flag : {"--help", "-h"}) {
    const RunResult result = runner.Run({flag});
    EXPECT_EQ(result.exitCode, kExitOk);
    EXPECT_NE(result.out.find("Usage: nexref build"), std::string::npos);
    EXPECT_EQ(result.err, "");
  }
}

TEST(NexrefFileTest, MissingOrUnreadableInputFailsWithAMessage) {
  MemoryFileSystem files;
  files.AddFolder("C:\\Folder.dat");
  files.AddFile("C:\\Locked.dat", "x");
  files.SetUnreadable("C:\\Locked.dat");
  Runner runner(files);
  const std::vector<std::vector<std::string>> cases = {
      {"build", "C:\\missing.ini", "C:\\out.dat"},
      {"decipher", "C:\\missing.dat", "C:\\out.ini"},
      {"check", "C:\\missing.dat"},
      {"check", "C:\\Folder.dat"},
      {"build", "C:\\Locked.dat", "C:\\out.dat"},
      {"check", "C:\\Locked.dat"},
  };
  for (const std::vector<std::string>& args : cases) {
    SCOPED_TRACE(args[0] + " " + args[1]);
    const RunResult result = runner.Run(args);
    EXPECT_EQ(result.exitCode, kExitError);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("nexref: ", 0), 0u) << result.err;
    EXPECT_NE(result.err.find(args[1]), std::string::npos) << "names the file: " << result.err;
    EXPECT_FALSE(files.FileExists("C:\\out.dat"));
    EXPECT_FALSE(files.FileExists("C:\\out.ini"));
    EXPECT_TRUE(files.Names(files.TempFolder()).empty());
  }
}

TEST(NexrefFileTest, FailedWriteLeavesTheOldOutput) {
  for (const char* command : {"build", "decipher"}) {
    SCOPED_TRACE(command);
    MemoryFileSystem files;
    files.AddFile("C:\\in.txt", kSmallReference);
    files.AddFile("C:\\out.txt", "old content");
    files.FailWritesAfter(10);
    Runner runner(files);

    const RunResult result = runner.Run({command, "C:\\in.txt", "C:\\out.txt"});

    EXPECT_EQ(result.exitCode, kExitError);
    EXPECT_EQ(result.err.rfind("nexref: ", 0), 0u) << result.err;
    EXPECT_EQ(files.Contents("C:\\out.txt"), "old content");
    EXPECT_EQ(files.Names("C:\\"), (std::vector<std::string>{"in.txt", "out.txt", "Temp"}));
  }
}

TEST(NexrefFileTest, OutputThatIsAFolderFailsAndLeavesNoTemporaryFile) {
  ScopedFolder folder;
  platform::StdFileSystem files;
  Runner runner(files);
  files.WriteWholeFile(folder.File("plain.ini"), kSmallReference);
  fs::create_directory(folder.File("Reference.dat"));

  const RunResult result =
      runner.Run({"build", folder.File("plain.ini"), folder.File("Reference.dat")});

  EXPECT_EQ(result.exitCode, kExitError);
  EXPECT_NE(result.err.find(folder.File("Reference.dat")), std::string::npos) << result.err;
  EXPECT_TRUE(fs::is_directory(folder.File("Reference.dat")));
  EXPECT_EQ(folder.Names(), (std::set<std::string>{"plain.ini", "Reference.dat"}));
}

}  // namespace
}  // namespace nexolant::nexref
