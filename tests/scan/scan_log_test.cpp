#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/date_text.h"
#include "repair/report_page.h"
#include "scan/scan_fixture.h"

namespace nexolant {
namespace {

using platform::RegistryRoot;
using Strings = std::vector<std::string>;

std::string LogName(int number = 1) {
  std::string name = platform::IsoDateTime(kStartTime);
  std::replace(name.begin(), name.end(), ':', '-');
  return name + (number == 1 ? "" : "-" + std::to_string(number)) + ".txt";
}

class ScanLogTest : public ScanTest {
 protected:
  static constexpr const char* kLogs = "C:\\Program Files\\Nexolant\\Logs\\";

  void SetUp() override {
    files_.AddFile("C:\\Scan\\evil.exe", "evil");
    files_.AddFile("C:\\Scan\\clean.txt");
    files_.AddFile("C:\\Scan\\third.txt");
    files_.AddFile("C:\\Scan\\spywA.dll", "spy");
    processes_.Add(300, "C:\\Temp\\badproc.exe");
    registry_.AddKey(RegistryRoot::kCurrentUser, "Software\\EvilKey");
  }
  std::string Log(int number = 1) const {
    return files_.Contents(std::string(kLogs) + LogName(number)).value_or("no log");
  }
  // The log's lines from the one that starts with first, up to the next empty line.
  static Strings Block(const std::string& log, const std::string& first) {
    Strings lines;
    std::size_t at = log.find("\r\n" + first);
    while (at != std::string::npos) {
      at += 2;
      const std::size_t end = log.find("\r\n", at);
      if (end == at || end == std::string::npos) {
        break;
      }
      lines.push_back(log.substr(at, end - at));
      at = end;
    }
    return lines;
  }
};

// The log opens with the program and the reference file, says what was asked, lists every row
// exactly as the Report does, and ends with the counters and how the scan ended.
TEST_F(ScanLogTest, AFinishedScanIsLoggedWithItsRowsAndCounters) {
  Start();
  ScanFolder("C:\\Scan");
  const std::string log = Log();
  EXPECT_TRUE(log.starts_with("\xEF\xBB\xBFNexolant 2.0 scan log\r\n")) << log;
  EXPECT_NE(log.find("\r\nReference file: "), std::string::npos);
  EXPECT_NE(log.find("; 2 adware, 1 process and 2 registry signatures\r\n"), std::string::npos);
  EXPECT_NE(log.find("\r\nScan: chosen folder, folder C:\\Scan\r\nOptions: registry yes, deep "
                     "registry yes, startup entries yes, quarantine before removal yes\r\n"),
            std::string::npos);
  EXPECT_EQ(
      Block(log, "Found"),
      (Strings{
          "Found (kind, name, location, description):", "Process\tbadproc.exe\tMemory\tBad process",
          "File\tevil.exe\tC:\\Scan\tEvil file", "File\tspywA.dll\tC:\\Scan\tSpy library",
          "Registry key\tEvilKey\tHKEY_CURRENT_USER\\Software\tEvil key"}));
  EXPECT_EQ(Rows().size(), 4u);
  EXPECT_EQ(Block(log, "Object(s) scanned")[1], "Object(s) recognized: 4");
  EXPECT_TRUE(log.ends_with("Ended: finished\r\n"));
}

struct EndingCase {
  const char* name;
  const char* reference;
  bool stop;
  const char* ending;
};

class ScanLogEndingTest : public ScanLogTest, public ::testing::WithParamInterface<EndingCase> {};

TEST_P(ScanLogEndingTest, SaysHowTheScanEnded) {
  if (GetParam().reference != nullptr) {
    Start(GetParam().reference);
  } else {
    Start();
  }
  if (GetParam().stop) {
    StopWhenShowing("C:\\Scan\\evil.exe");
  }
  backend_.QueueAnswer(ui::MessageResult::kOk);
  ScanFolder("C:\\Scan");
  EXPECT_TRUE(Log().ends_with(GetParam().ending)) << Log();
}

INSTANTIATE_TEST_SUITE_P(
    Endings, ScanLogEndingTest,
    ::testing::Values(EndingCase{"Stopped", nullptr, true, "Ended: stopped\r\n"},
                      EndingCase{"Failed", "[ScanFiles]\nevil.exe=Evil file\nthird*?=Broken\n",
                                 false, "Ended: failed: Invalid mask\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// Each row's outcome follows the rows; a second scan at the same second gets a log of its own.
TEST_F(ScanLogTest, ARepairAddsEachRowsOutcome) {
  Start();
  files_.AddFile("C:\\Scan\\spywB.dll", "busy");
  files_.SetInUse("C:\\Scan\\spywB.dll");
  ScanFolder("C:\\Scan");
  ASSERT_TRUE(backend_.Click(StopButton()));
  ASSERT_TRUE(backend_.ToggleRows(Report(), {2}));
  ASSERT_TRUE(backend_.SelectRows(Report(), {1}));
  ASSERT_TRUE(backend_.OpenMenu(Report(), static_cast<int>(ReportPage::MenuChoice::kAlwaysIgnore)));
  backend_.QueueAnswer(ui::MessageResult::kOk);
  ASSERT_TRUE(backend_.Click(Control("btnRepair")));
  const Strings repair = Block(Log(), "Repair at ");
  ASSERT_EQ(repair.size(), 6u) << Log();
  EXPECT_EQ(Strings(repair.begin() + 1, repair.end()),
            (Strings{"Process\tbadproc.exe\tMemory\tBad process\tterminated",
                     "File\tevil.exe\tC:\\Scan\tEvil file\tignored",
                     "File\tspywA.dll\tC:\\Scan\tSpy library\tleft unticked",
                     "File\tspywB.dll\tC:\\Scan\tSpy library\tnot removed: System error 32.",
                     "Registry key\tEvilKey\tHKEY_CURRENT_USER\\Software\tEvil key\tquarantined "
                     "as Key1.reg"}));

  form_->UserOptions().Set(Option::kQuarantineBeforeRemoval, 0);
  form_->BackToStatus();
  ScanFolder("C:\\Scan");
  ASSERT_TRUE(backend_.Click(StopButton()));
  backend_.QueueAnswer(ui::MessageResult::kOk);
  ASSERT_TRUE(backend_.Click(Control("btnRepair")));
  const std::string second = Log(2);
  EXPECT_EQ(second.find("evil.exe"), std::string::npos) << "the file the user keeps";
  EXPECT_NE(second.find("File\tspywA.dll\tC:\\Scan\tSpy library\tdeleted\r\n"), std::string::npos);
}

// Only the newest logs of the log's own names stay; other files are left; a folder that cannot
// be made is told once, and the scans go on.
TEST_F(ScanLogTest, KeepsTheNewestLogsAndWarnsOnceWhenItCannotWrite) {
  for (int day = 1; day <= 28; ++day) {
    for (const char* hour : {"01", "02", "03", "04"}) {
      files_.AddFile(std::string(kLogs) + "2020-01-" + (day < 10 ? "0" : "") + std::to_string(day) +
                     " " + hour + "-00-00.txt");
    }
  }
  files_.AddFile(std::string(kLogs) + "notes.txt", "mine");
  Start();
  ScanFolder("C:\\Scan");
  EXPECT_FALSE(files_.FileExists(std::string(kLogs) + "2020-01-01 04-00-00.txt"));
  EXPECT_FALSE(files_.FileExists(std::string(kLogs) + "2020-01-04 01-00-00.txt"));
  EXPECT_TRUE(files_.FileExists(std::string(kLogs) + "2020-01-04 02-00-00.txt"));
  EXPECT_EQ(files_.Contents(std::string(kLogs) + "notes.txt"), "mine");
  EXPECT_NE(Log(), "no log");
}

TEST_F(ScanLogTest, ALogThatCannotBeWrittenIsToldOnceAndStopsNoScan) {
  files_.AddFile("C:\\Program Files\\Nexolant\\Logs", "a file where the folder would be");
  Start();
  for (int scan = 0; scan < 2; ++scan) {
    ScanFolder("C:\\Scan");
    EXPECT_EQ(Rows().size(), 4u);
    ASSERT_TRUE(backend_.Click(StopButton()));
    form_->BackToStatus();
  }
  EXPECT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(backend_.Messages().front().text,
            "Nexolant cannot write the scan log into its Logs folder; the scans go on without a "
            "log.");
}

}  // namespace
}  // namespace nexolant
