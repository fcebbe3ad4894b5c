#include "console/console_scan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/console_arguments.h"
#include "console/nexscan_run.h"
#include "settings/statistics_store.h"

namespace nexolant {
namespace {

using Strings = std::vector<std::string>;

TEST(ConsoleArguments, EachMistakeIsNamed) {
  const struct {
    Strings arguments;
    const char* problem;
  } cases[] = {
      {{}, "no kind of scan: quick, complete or folder PATH"},
      {{"quick", "complete"}, "more than one kind of scan: complete"},
      {{"folder"}, "folder needs the PATH of the folder to scan"},
      {{"folder", "--repair"}, "folder needs the PATH of the folder to scan"},
      {{"quick", "--bogus"}, "unknown argument: --bogus"},
      {{"quick", "C:\\Windows"}, "unknown argument: C:\\Windows"},
      {{"quick", "--deep"}, "--deep goes with --registry"},
      {{"quick", "--no-quarantine"}, "--no-quarantine goes with --repair"},
      {{"quick", "--log"}, "--log needs the FILE to write"},
      {{"quick", "--repair", "--REPAIR"}, "--repair is given twice"},
      {{"quick", "--log", "a.txt", "--log", "b.txt"}, "--log is given twice"},
  };
  for (const auto& c : cases) {
    const ArgumentsRead read = ReadArguments(c.arguments);
    EXPECT_FALSE(read.request) << c.problem;
    EXPECT_EQ(read.problem, c.problem);
  }
}

TEST(ConsoleArguments, OptionsComeInAnyOrderAndAnyCase) {
  const ArgumentsRead read =
      ReadArguments({"--LOG", "C:\\log.txt", "--deep", "Folder", "C:\\Bad", "--Registry",
                     "--startup", "--repair", "--no-quarantine"});
  ASSERT_TRUE(read.request) << read.problem;
  const ConsoleRequest& request = *read.request;
  EXPECT_EQ(request.mode, ScanMode::kChosenFolder);
  EXPECT_EQ(request.folder, "C:\\Bad");
  EXPECT_TRUE(request.registry && request.deepRegistry && request.startupEntries && request.repair);
  EXPECT_FALSE(request.quarantine);
  EXPECT_EQ(request.logFile, "C:\\log.txt");
  const ConsoleRequest quick = *ReadArguments({"quick"}).request;
  EXPECT_FALSE(quick.registry || quick.startupEntries || quick.repair || quick.help);
  EXPECT_TRUE(quick.quarantine);
  for (const Strings& help :
       {Strings{"--help"}, Strings{"quick", "--bogus", "-h"}, Strings{"/?"}}) {
    EXPECT_TRUE(ReadArguments(help).request->help);
  }
}

// A program folder with the world's reference file, and files the scans find.
class ConsoleScanTest : public ::testing::Test {
 protected:
  ConsoleScanTest() {
    world_.files.AddFolder("C:\\Clean");
    world_.files.AddFile("C:\\Clean\\notes.txt", "notes");
    world_.files.AddFile("C:\\Bad\\evil.exe", "evil");
    world_.files.AddFile("C:\\Bad\\Sub\\spyw1.dll", "spy");
  }

  std::string Settings() const {
    return world_.files.Contents(std::string(QuarantineWorld::kFolder) + kSettingsFileName)
        .value_or("");
  }

  QuarantineWorld world_;
  NexscanRun nexscan_{world_};
};

// The exit codes, each with what the run leaves on the system and prints.
TEST_F(ConsoleScanTest, ExitCodesTellWhatWasFoundAndWhatBecameOfIt) {
  const struct {
    const char* what;
    Strings arguments;
    std::function<void(QuarantineWorld&)> before;
    ExitCode code;
    Strings printed;  // lines of the output, in order
    bool evilStays;
  } cases[] = {
      {"a clean folder",
       {"folder", "C:\\Clean"},
       nullptr,
       ExitCode::kNothingFound,
       {"Scanned 1 object(s); found 0."},
       true},
      {"found, no repair",
       {"folder", "C:\\Bad\\"},
       nullptr,
       ExitCode::kSomethingLeft,
       {"Found: File\tevil.exe\tC:\\Bad\tEvil file",
        "Found: File\tspyw1.dll\tC:\\Bad\\Sub\tSpy library", "Scanned 2 object(s); found 2."},
       true},
      {"repaired into the quarantine",
       {"folder", "C:\\Bad", "--repair"},
       nullptr,
       ExitCode::kAllRemoved,
       {"Scanned 2 object(s); found 2.",
        "Repair: File\tevil.exe\tC:\\Bad\tEvil file\tquarantined as evil.exe",
        "Repair: File\tspyw1.dll\tC:\\Bad\\Sub\tSpy library\tquarantined as spyw1.dll",
        "Removed 2 of 2."},
       false},
      {"deleted",
       {"folder", "C:\\Bad", "--repair", "--no-quarantine"},
       nullptr,
       ExitCode::kAllRemoved,
       {"Repair: File\tevil.exe\tC:\\Bad\tEvil file\tdeleted", "Removed 2 of 2."},
       false},
      {"one file refuses",
       {"folder", "C:\\Bad", "--repair"},
       [](QuarantineWorld& world) { world.files.SetDenied("C:\\Bad\\Sub\\spyw1.dll"); },
       ExitCode::kSomethingLeft,
       {"Removed 1 of 2."},
       false},
      {"no reference file",
       {"quick"},
       [](QuarantineWorld& world) {
         platform::BestEffort(world.files.RemoveFile("C:\\Program Files\\Nexolant\\Reference.dat"));
       },
       ExitCode::kError,
       {},
       true},
      {"no such folder", {"folder", "C:\\Nowhere"}, nullptr, ExitCode::kError, {}, true},
      {"bad arguments", {"folder"}, nullptr, ExitCode::kError, {}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    QuarantineWorld world;
    world.files.AddFolder("C:\\Clean");
    world.files.AddFile("C:\\Clean\\notes.txt", "notes");
    world.files.AddFile("C:\\Bad\\evil.exe", "evil");
    world.files.AddFile("C:\\Bad\\Sub\\spyw1.dll", "spy");
    if (c.before) {
      c.before(world);
    }
    NexscanRun nexscan(world);
    EXPECT_EQ(nexscan.Run(c.arguments), c.code) << nexscan.out.text << nexscan.err.text;
    std::size_t at = 0;
    for (const std::string& line : c.printed) {
      at = nexscan.out.text.find(line + "\r\n", at);
      EXPECT_NE(at, std::string::npos) << line << "\nin:\n" << nexscan.out.text;
    }
    EXPECT_EQ(world.files.Contents("C:\\Bad\\evil.exe").has_value(), c.evilStays);
    EXPECT_EQ(c.code == ExitCode::kError, !nexscan.err.text.empty()) << nexscan.err.text;
    EXPECT_FALSE(nexscan.lock.Held());
  }
}

TEST_F(ConsoleScanTest, BadArgumentsPrintTheUsageLine) {
  EXPECT_EQ(nexscan_.Run({"sideways"}), ExitCode::kError);
  EXPECT_EQ(nexscan_.err.text,
            "nexscan: unknown argument: sideways\r\n" + std::string(kConsoleUsage) + "\r\n");
  EXPECT_EQ(nexscan_.out.text, "");
  EXPECT_EQ(nexscan_.Run({"--help"}), ExitCode::kNothingFound);
  EXPECT_TRUE(nexscan_.out.text.starts_with(kConsoleUsage)) << nexscan_.out.text;
}

// Ctrl+C after the first finding: the walk ends at its next pump, nothing is repaired.
TEST_F(ConsoleScanTest, CtrlCStopsTheScanAndNoRepairFollows) {
  nexscan_.out.OnWrite = [this](std::string_view text) {
    if (text.starts_with("Found: ")) {
      nexscan_.interrupted = true;
    }
  };
  EXPECT_EQ(nexscan_.Run({"folder", "C:\\Bad", "--repair"}), ExitCode::kStopped);
  EXPECT_NE(nexscan_.out.text.find("Stopped by Ctrl+C after 1 object(s); found 1.\r\n"),
            std::string::npos)
      << nexscan_.out.text;
  EXPECT_EQ(nexscan_.out.text.find("Repair: "), std::string::npos);
  EXPECT_TRUE(world_.files.Contents("C:\\Bad\\evil.exe"));
  EXPECT_NE(Settings().find("TotalScans=1\r\n"), std::string::npos) << Settings();
}

// The registry and the running processes are the window's phases, asked for by the flags; the
// statistics and the log are the program folder's.
TEST_F(ConsoleScanTest, TheFlagsAddThePhasesAndTheRunLeavesItsFiguresAndLog) {
  world_.registry.AddKey(platform::RegistryRoot::kCurrentUser, "Software\\EvilKey");
  world_.processes.Add(4321, "C:\\Bad\\badproc.exe");
  world_.files.AddFolder("C:\\Logs");
  EXPECT_EQ(nexscan_.Run({"folder", "C:\\Clean", "--registry"}), ExitCode::kSomethingLeft);
  EXPECT_NE(nexscan_.out.text.find("Found: Process\tbadproc.exe\tMemory\tBad process\r\n"),
            std::string::npos)
      << nexscan_.out.text;
  EXPECT_EQ(nexscan_.out.text.find("EvilKey"), std::string::npos) << "not deep";
  EXPECT_EQ(nexscan_.Run({"folder", "C:\\Clean", "--registry", "--deep", "--repair", "--log",
                          "C:\\Logs\\nightly.txt"}),
            ExitCode::kAllRemoved)
      << nexscan_.out.text;
  EXPECT_FALSE(world_.registry.HasKey(platform::RegistryRoot::kCurrentUser, "Software\\EvilKey"));
  EXPECT_NE(Settings().find("TotalScans=2\r\nObjectsRemoved=0\r\nObjectsQuarantined=1\r\n"),
            std::string::npos)
      << Settings();
  const std::string log = world_.files.Contents("C:\\Logs\\nightly.txt").value_or("");
  EXPECT_NE(log.find("Options: registry yes, deep registry yes, startup entries no, quarantine "
                     "before removal yes\r\n"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("Registry key\tEvilKey\tHKEY_CURRENT_USER\\Software\tEvil key\tquarantined as "
                     "Key1.reg\r\n"),
            std::string::npos)
      << log;
}

// While the window holds the folder's lock (a Repair, Restore or Empty of its own), the console
// scanner's repair waits for it and at last gives up, touching nothing.
TEST_F(ConsoleScanTest, ARepairWaitsForTheLockTheWindowHolds) {
  ASSERT_TRUE(world_.folderLock.Acquire(0));
  EXPECT_EQ(nexscan_.Run({"folder", "C:\\Bad", "--repair"}), ExitCode::kError);
  EXPECT_NE(nexscan_.err.text.find("Another Nexolant program is changing the files of the program "
                                   "folder"),
            std::string::npos)
      << nexscan_.err.text;
  EXPECT_TRUE(world_.files.Contents("C:\\Bad\\evil.exe"));
  EXPECT_FALSE(world_.files.FolderExists(QuarantineWorld::kQuarantine));
  world_.folderLock.Release();
  EXPECT_EQ(nexscan_.Run({"folder", "C:\\Bad", "--repair"}), ExitCode::kAllRemoved);
  EXPECT_EQ(nexscan_.lock.Taken(), 3) << "the repair, its intake and the statistics";
  EXPECT_NE(Settings().find("TotalScans=1\r\n"), std::string::npos) << Settings();
}

}  // namespace
}  // namespace nexolant
