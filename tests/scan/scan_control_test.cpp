#include <algorithm>
#include <string>
#include <vector>

#include "scan/scan_fixture.h"

namespace nexolant {
namespace {

using Strings = std::vector<std::string>;

const Strings kLockedControls{"StatusBtn",     "ScanBtn",       "ActiveBtn", "btnScan",
                              "btnSettings",   "btnQuarantine", "btnUpdate", "SettingsBtn",
                              "QuarantineBtn", "btnInfo"};

class ScanControlTest : public ScanTest {
 protected:
  void SetUp() override {
    files_.AddFile("C:\\Scan\\clean.txt");
    files_.AddFile("C:\\Scan\\Sub\\evil.exe");
  }

  bool NavigationLocked() const {
    for (const std::string& name : kLockedControls) {
      if (Control(name).Enabled()) {
        return false;
      }
    }
    return true;
  }
  std::string Caption(const char* name) const { return Label(name).Caption(); }
  bool Red(const char* name) const { return Label(name).Font().color == ui::colors::kRed; }
};

TEST_F(ScanControlTest, NextWithoutAChosenFolderWarnsAndChangesNothing) {
  Start();
  RunScan("chkSelect");
  ASSERT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(backend_.Messages()[0].text, "Please choose a path to scan first.");
  EXPECT_EQ(backend_.Messages()[0].caption, "Warning");
  EXPECT_EQ(backend_.Messages()[0].buttons, ui::MessageButtons::kOk);
  EXPECT_EQ(backend_.Messages()[0].icon, ui::MessageIcon::kExclamation);
  EXPECT_EQ(Caption("lblTotalScans"), "0");
  EXPECT_EQ(PageIndex(), kScanNowPage);
  EXPECT_FALSE(NavigationLocked());
  EXPECT_EQ(form_->Statistics().Values().TotalScans, 0);
}

// Total scans and last scan are shown before the first phase pumps, and the Scanning page
// is already reset and shown.
TEST_F(ScanControlTest, StatisticsAreShownBeforeAnyPhaseRuns) {
  Start();
  processes_.Add(200, "C:\\Apps\\editor.exe");
  Strings atFirstPump;
  backend_.RunAtPump(backend_.PumpCount() + 1, [&] {
    atFirstPump = {Caption("lblTotalScans"),
                   Caption("lblLastSystemScan"),
                   Title(),
                   std::to_string(PageIndex()),
                   Caption("lblCurrentFile"),
                   NavigationLocked() ? "locked" : "unlocked",
                   Side("ScanBtn").Down() ? "ScanBtn down" : "ScanBtn up"};
  });
  ScanFolder("C:\\Scan");
  EXPECT_EQ(atFirstPump, (Strings{"1", locale_.FormatDateTime(kStartTime), "Scanning...", "6",
                                  "Scanning processes in memory...", "locked", "ScanBtn down"}));
  EXPECT_EQ(form_->Statistics().Values().LastScan, kStartTime);
  EXPECT_TRUE(Side("ScanBtn").AllowAllUp());
  EXPECT_FALSE(Side("StatusBtn").Down());
}

TEST_F(ScanControlTest, ACleanScanEndsWithFinish) {
  Start();
  EXPECT_TRUE(files_.RemoveFile("C:\\Scan\\Sub\\evil.exe"));
  ScanFolder("C:\\Scan");
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(Caption("lblCurrentFile"), "Scan Complete.");
  for (const char* counter : {"lblOR", "lblNO", "lblPI", "lblFI", "lblRI"}) {
    EXPECT_EQ(Caption(counter), "0") << counter;
  }
  EXPECT_FALSE(Red("lblNO"));
  EXPECT_TRUE(Get<ui::Image>("imgOK").Visible());
  EXPECT_EQ(StopButton().Caption(), "Finish");
  EXPECT_TRUE(StopButton().Enabled());
  EXPECT_TRUE(NavigationLocked());
}

// Every row is added, then counted in this order: recognised, the kind's own counter, new
// objects (turned red with its caption first).
TEST_F(ScanControlTest, EachRowAdvancesTheCountersInTheirOrder) {
  Start();
  processes_.Add(200, "C:\\Apps\\badproc.exe");
  processes_.Add(201, "C:\\Apps\\editor.exe");
  processes_.Add(202, "C:\\Other\\BADPROC.EXE");
  SetRegistryScan(false);
  ScanFolder("C:\\Scan");
  EXPECT_EQ(Rows(), (Strings{"badproc.exe|Memory|Bad process", "BADPROC.EXE|Memory|Bad process",
                             "evil.exe|C:\\Scan\\Sub|Evil file"}));
  Strings counting;
  for (const std::string& entry : log_.entries) {
    if (entry.starts_with("Report") || entry.starts_with("lblOR") || entry.starts_with("lblPI") ||
        entry.starts_with("lblFI") || entry.starts_with("lblNO") || entry.starts_with("Label25") ||
        entry.starts_with("lblRP")) {
      counting.push_back(entry);
    }
  }
  EXPECT_EQ(counting, (Strings{"lblRP=3", "Report row", "lblOR=1", "lblPI=1", "lblNO red",
                               "Label25 red", "lblNO=1", "Report row", "lblOR=2", "lblPI=2",
                               "lblNO=2", "Report row", "lblOR=3", "lblFI=1", "lblNO=3"}));
  EXPECT_EQ(Caption("lblOS"), "2");
  EXPECT_EQ(StopButton().Caption(), "Report");
}

TEST_F(ScanControlTest, ASecondScanStartsFromAResetPage) {
  Start();
  processes_.Add(200, "C:\\Apps\\badproc.exe");
  ScanFolder("C:\\Scan");
  ASSERT_EQ(Rows().size(), 2u);
  ASSERT_TRUE(backend_.Click(StopButton()));  // Report
  ASSERT_TRUE(Report().Count() == 2 && PageIndex() == kReportPage && Title() == "Report");
  EXPECT_TRUE(NavigationLocked());
  form_->BackToStatus();
  log_.entries.clear();
  Strings atFirstPump;
  backend_.RunAtPump(backend_.PumpCount() + 1, [&] {
    atFirstPump = {Caption("lblOS"),
                   Caption("lblOR"),
                   Caption("lblNO"),
                   Red("lblNO") ? "red" : "",
                   Red("Label25") ? "red" : "",
                   Caption("lblFI"),
                   Caption("lblPI"),
                   Caption("lblRI"),
                   Caption("lblRP"),
                   Get<ui::Image>("imgOK").Visible() ? "shown" : "hidden",
                   Caption("lblCurrentFile")};
  });
  ScanFolder("C:\\Scan");
  EXPECT_EQ(atFirstPump, (Strings{"0", "0", "0", "", "", "0", "0", "0", "1", "hidden",
                                  "Scanning processes in memory..."}));
  EXPECT_EQ(Rows().size(), 2u);
  EXPECT_EQ(Caption("lblTotalScans"), "2");
}

TEST_F(ScanControlTest, FinishGoesBackToTheStatusPage) {
  Start();
  EXPECT_TRUE(files_.RemoveFile("C:\\Scan\\Sub\\evil.exe"));
  ScanFolder("C:\\Scan");
  ASSERT_EQ(StopButton().Caption(), "Finish");
  ASSERT_TRUE(backend_.Click(StopButton()));
  EXPECT_EQ(PageIndex(), kStatusPage);
  EXPECT_EQ(Title(), "Nexolant Status");
  EXPECT_TRUE(Side("StatusBtn").Down());
  EXPECT_FALSE(NavigationLocked());
  EXPECT_EQ(StopButton().Caption(), "Stop");
  EXPECT_FALSE(Get<ui::Image>("imgOK").Visible());
}

struct StopCase {
  const char* name;
  const char* stopWhen;  // lblCurrentFile's prefix at the press
  int rowsAtPress;       // the press waits for this many rows
  bool knownProcesses;
  const char* captionAtPress;
  bool disabledAtPress;
  Strings rows;
};

class StopTest : public ScanControlTest, public ::testing::WithParamInterface<StopCase> {};

// A Stop in the memory or file phase disables the button and picks its final caption at once;
// in the registry phase it only asks the walk to end. The scan then runs its end step quickly,
// which enables the button again.
TEST_P(StopTest, StopsThePhaseAndTheRestOfTheScan) {
  const StopCase& stop = GetParam();
  Start();
  const char* first = stop.knownProcesses ? "C:\\Apps\\badproc.exe" : "C:\\Apps\\editor.exe";
  processes_.Add(200, first);
  processes_.Add(201, "C:\\Apps\\tail.exe");
  processes_.Add(202, first);
  files_.AddFile("C:\\Scan\\zzz\\evil.exe");
  registry_.AddKey(platform::RegistryRoot::kClassesRoot, "EvilKey\\EvilOneSub");
  std::string captionAtPress;
  bool enabledAtPress = true;
  WhenPumped(
      [this, &stop] {
        return PageIndex() == kScanningPage && Report().Count() >= stop.rowsAtPress &&
               Label("lblCurrentFile").Caption().starts_with(stop.stopWhen);
      },
      [&] {
        backend_.Click(StopButton());
        captionAtPress = StopButton().Caption();
        enabledAtPress = StopButton().Enabled();
      });
  ScanFolder("C:\\Scan");
  EXPECT_EQ(captionAtPress, stop.captionAtPress);
  EXPECT_EQ(enabledAtPress, !stop.disabledAtPress);
  EXPECT_EQ(Rows(), stop.rows);
  EXPECT_TRUE(StopButton().Enabled());
  EXPECT_EQ(StopButton().Caption(), stop.rows.empty() ? "Finish" : "Report");
  EXPECT_EQ(Caption("lblCurrentFile"), "Scan Complete.");
  EXPECT_FALSE(Scan().Flags().StopRequested);
  EXPECT_FALSE(Scan().RecurseDir().Stopped());
}

INSTANTIATE_TEST_SUITE_P(
    Phases, StopTest,
    ::testing::Values(
        // The memory phase runs over its whole list all the same.
        StopCase{"Memory",
                 "Scanning processes",
                 1,
                 true,
                 "Report",
                 true,
                 {"badproc.exe|Memory|Bad process", "badproc.exe|Memory|Bad process"}},
        StopCase{"MemoryNothingYet", "Scanning processes", 0, false, "Finish", true, {}},
        StopCase{"File", "C:\\Scan\\clean.txt", 0, false, "Finish", true, {}},
        // The entry being looked up when Stop is pressed is still reported.
        StopCase{"FileAfterARow",
                 "C:\\Scan\\zzz",
                 0,
                 false,
                 "Report",
                 true,
                 {"evil.exe|C:\\Scan\\Sub|Evil file", "evil.exe|C:\\Scan\\zzz|Evil file"}},
        // The key being looked up when Stop is pressed is still reported; nothing below it.
        StopCase{"Registry",
                 "HKEY_CLASSES_ROOT",
                 0,
                 false,
                 "Stop",
                 false,
                 {"evil.exe|C:\\Scan\\Sub|Evil file", "evil.exe|C:\\Scan\\zzz|Evil file",
                  "EvilKey|HKEY_CLASSES_ROOT|Evil key"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScanControlTest, AStopDoesNotShortenTheNextScansRegistryPhase) {
  Start();
  registry_.AddKey(platform::RegistryRoot::kClassesRoot, "EvilKey");
  StopWhenShowing("C:\\Scan\\clean.txt");
  ScanFolder("C:\\Scan");
  ASSERT_TRUE(Rows().empty());
  ASSERT_TRUE(backend_.Click(StopButton()));  // Finish
  ScanFolder("C:\\Scan");
  EXPECT_EQ(Rows(),
            (Strings{"evil.exe|C:\\Scan\\Sub|Evil file", "EvilKey|HKEY_CLASSES_ROOT|Evil key"}));
}

TEST_F(ScanControlTest, TheMonitorTimerFollowsTheMonitorsStateAtTheEnd) {
  Start();
  ui::Timer& timer = form_->ActiveMonitoring().ProcessTimer();
  for (const char* state : {"Disable", "Enable"}) {
    if ((std::string(state) == "Disable") != form_->Monitor().Enabled()) {
      form_->Monitor().Toggle();
    }
    timer.SetEnabled(std::string(state) == "Enable");
    ScanFolder("C:\\Scan");
    EXPECT_EQ(timer.Enabled(), std::string(state) == "Disable") << state;
    ASSERT_TRUE(backend_.Click(StopButton()));
    form_->BackToStatus();
  }
}

// Complete mode walks the fixed drives in letter order, then runs the registry phase and the
// end step once.
TEST_F(ScanControlTest, CompleteModeWalksEachFixedDriveInLetterOrder) {
  Start();
  files_.AddFile("D:\\evil.exe");
  files_.AddFile("E:\\evil.exe");
  files_.SetDriveType('E', platform::DriveType::kRemovable);
  files_.AddFile("B:\\evil.exe");
  registry_.AddKey(platform::RegistryRoot::kClassesRoot, "EvilKey");
  Choose("C:\\Scan");
  RunScan("chkComplete");
  EXPECT_EQ(Rows(), (Strings{"evil.exe|B:|Evil file", "evil.exe|C:\\Scan\\Sub|Evil file",
                             "evil.exe|D:|Evil file", "EvilKey|HKEY_CLASSES_ROOT|Evil key"}));
  const Strings shown = Shown();
  EXPECT_EQ(std::count(shown.begin(), shown.end(), "Scan Complete."), 1);
  EXPECT_EQ(log_.Of("imgOK"), (Strings{"shown"}));
  EXPECT_EQ(Scan().ScanFolder(), "C:\\Scan");
  EXPECT_FALSE(Scan().Flags().DriveQueueActive);
}

// A complete scan walks each place once, whatever names the drives give it: a drive mapped to
// a folder of C: is walked there, Wine's drive for the host holds C:'s root and a folder leading
// back to its own root, and a drive mapped to the Quarantine is never walked.
TEST_F(ScanControlTest, CompleteModeWalksEachPlaceOnceUnderWhicheverName) {
  Start();
  files_.AddFile("C:\\Data\\evil.exe");
  files_.AddFile("Z:\\host\\evil.exe");
  files_.AddFile("C:\\Program Files\\Nexolant\\Quarantine\\evil.exe");
  files_.AddAlias("M:", "C:\\Data");
  files_.AddAlias("Q:", "C:\\Program Files\\Nexolant\\Quarantine");
  files_.AddAlias("Z:\\host\\drive_c", "C:");
  files_.AddAlias("Z:\\host\\root", "Z:");
  RunScan("chkComplete");
  EXPECT_EQ(Rows(), (Strings{"evil.exe|C:\\Data|Evil file", "evil.exe|C:\\Scan\\Sub|Evil file",
                             "evil.exe|Z:\\host|Evil file"}));
  EXPECT_FALSE(Scan().Flags().DriveQueueActive);
}

// With no fixed drive the scan goes straight to the registry phase and the end step.
TEST_F(ScanControlTest, CompleteModeWithoutAFixedDriveStillEnds) {
  Start();
  files_.SetDriveType('C', platform::DriveType::kRemote);
  registry_.AddKey(platform::RegistryRoot::kClassesRoot, "EvilKey");
  RunScan("chkComplete");
  EXPECT_EQ(Rows(), (Strings{"EvilKey|HKEY_CLASSES_ROOT|Evil key"}));
  EXPECT_EQ(StopButton().Caption(), "Report");
  EXPECT_TRUE(StopButton().Enabled());
  EXPECT_FALSE(Scan().Flags().DriveQueueActive);
}

TEST_F(ScanControlTest, QuickModeWalksTheWindowsFolderAndForgetsIt) {
  Start();
  files_.AddFile("C:\\Windows\\System\\spyw1.dll");
  Choose("C:\\Scan");
  RunScan("chkQuick");
  EXPECT_EQ(Rows(), (Strings{"spyw1.dll|C:\\Windows\\System|Spy library"}));
  EXPECT_EQ(Scan().ScanFolder(), "");
  ASSERT_TRUE(backend_.Click(StopButton()));  // Report
  form_->BackToStatus();
  RunScan("chkSelect");
  ASSERT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(backend_.Messages()[0].text, "Please choose a path to scan first.");
}

TEST_F(ScanControlTest, QuickModeWithoutAWindowsFolderGoesOnToTheRegistry) {
  Start();
  files_.SetWindowsFolder("");
  registry_.AddKey(platform::RegistryRoot::kClassesRoot, "EvilKey");
  RunScan("chkQuick");
  EXPECT_EQ(Rows(), (Strings{"EvilKey|HKEY_CLASSES_ROOT|Evil key"}));
  EXPECT_EQ(Caption("lblOS"), "1");
  EXPECT_EQ(Caption("lblCurrentFile"), "Scan Complete.");
}

struct FailureCase {
  const char* name;
  const char* reference;
  Strings rows;
};

// A quick scan that fails before its walk leaves no folder chosen: the next chosen-folder
// scan asks for one instead of walking the Windows folder.
TEST_F(ScanControlTest, AQuickScanThatFailsLeavesNoFolderChosen) {
  Start("[OtherKill]\nSPY**=Broken\n");
  processes_.Add(200, "C:\\Apps\\spyware.exe");
  RunScan("chkQuick");
  ASSERT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(backend_.Messages()[0].text, "Invalid mask.");
  ASSERT_TRUE(backend_.Click(StopButton()));
  EXPECT_EQ(Scan().ScanFolder(), "");
  RunScan("chkSelect");
  ASSERT_EQ(backend_.Messages().size(), 2u);
  EXPECT_EQ(backend_.Messages()[1].text, "Please choose a path to scan first.");
}

class FailureTest : public ScanControlTest, public ::testing::WithParamInterface<FailureCase> {};

// A malformed pattern fails a lookup during the walk of the second drive, or in the registry
// phase: the error is reported, then the scan ends as a stopped one, with nothing left set.
TEST_P(FailureTest, EndsTheScanAsAStopDoes) {
  const FailureCase& failure = GetParam();
  Start(failure.reference);
  files_.AddFile("D:\\third.txt");
  files_.AddFile("E:\\evil.exe");
  registry_.AddKey(platform::RegistryRoot::kClassesRoot, "EvilKey");
  registry_.AddKey(platform::RegistryRoot::kClassesRoot, "thirdKey");
  processes_.Add(200, "C:\\Apps\\evil.exe");
  RunScan("chkComplete");
  ASSERT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(backend_.Messages()[0].text, "Invalid mask.");
  EXPECT_EQ(backend_.Messages()[0].caption, "Nexolant");
  EXPECT_EQ(Rows(), failure.rows);
  EXPECT_EQ(StopButton().Caption(), "Report");
  EXPECT_TRUE(StopButton().Enabled());
  const Strings shown = Shown();
  EXPECT_EQ(std::count(shown.begin(), shown.end(), "Scan Complete."), 1);
  EXPECT_TRUE(Get<ui::Image>("imgOK").Visible());
  const ScanFlags& flags = Scan().Flags();
  EXPECT_FALSE(flags.DriveQueueActive || flags.StopRequested || flags.RegistryScanRunning ||
               Scan().RecurseDir().Stopped());
  EXPECT_EQ(registry_.OpenKeyCount(), 0);
  ASSERT_TRUE(backend_.Click(StopButton()));
  form_->BackToStatus();
  EXPECT_FALSE(NavigationLocked());

  // The next scan starts afresh: its walk is not stopped and its Stop works.
  StopWhenShowing("C:\\Scan\\clean.txt");
  ScanFolder("C:\\Scan");
  EXPECT_EQ(Caption("lblOS"), "1");
  EXPECT_EQ(StopButton().Caption(), "Report");
  EXPECT_TRUE(StopButton().Enabled());
}

INSTANTIATE_TEST_SUITE_P(
    Phases, FailureTest,
    ::testing::Values(
        FailureCase{
            "File",
            "[ScanFiles]\nevil.exe=Evil file\nthird*?=Broken\n[Registry]\nEvilKey=Evil key\n",
            {"evil.exe|Memory|Evil file", "evil.exe|C:\\Scan\\Sub|Evil file"}},
        FailureCase{
            "Registry",
            "[ScanFiles]\nevil.exe=Evil file\n[Registry]\nEvilKey=Evil key\nthird*?=Broken\n",
            {"evil.exe|Memory|Evil file", "evil.exe|C:\\Scan\\Sub|Evil file",
             "evil.exe|E:|Evil file", "EvilKey|HKEY_CLASSES_ROOT|Evil key"}}),
    [](const auto& info) { return std::string(info.param.name); });

// The walk never enters the program's own quarantine folder, whatever the spelling, and
// nothing in the program's folder is reported.
TEST_F(ScanControlTest, NeverEntersTheProgramsQuarantineFolder) {
  Start();
  // A log in the program folder would be one more object of the second walk.
  form_->UserOptions().Set(Option::kKeepScanLog, 0);
  files_.AddFile(std::string(kFolder) + "QUARANTINE\\evil.exe");
  files_.AddFile(std::string(kFolder) + "Tools\\evil.exe");
  ScanFolder("c:\\program files\\nexolant");
  EXPECT_TRUE(Rows().empty());
  const std::string scanned = Caption("lblOS");
  ASSERT_TRUE(backend_.Click(StopButton()));
  form_->BackToStatus();
  files_.AddFile(std::string(kFolder) + "Quarantine\\more\\evil.exe");
  ScanFolder("c:\\program files\\nexolant");
  EXPECT_EQ(Caption("lblOS"), scanned);
  ASSERT_TRUE(backend_.Click(StopButton()));
  form_->BackToStatus();
  ScanFolder(std::string(kFolder) + "Quarantine\\");
  EXPECT_TRUE(Rows().empty());
}

// A close asked for inside a pump stops the scan; the window closes when the handler returns.
TEST_F(ScanControlTest, ClosingDuringAScanStopsItAndClosesAfterIt) {
  Start();
  files_.AddFile("C:\\Scan\\zzz\\evil.exe");
  WhenPumped([this] { return Label("lblCurrentFile").Caption() == "C:\\Scan\\clean.txt"; },
             [this] {
               application_.RequestClose(*form_);
               EXPECT_FALSE(form_->Closed());
             });
  ScanFolder("C:\\Scan");
  EXPECT_TRUE(form_->Closed());
  EXPECT_EQ(Caption("lblOS"), "1");
  EXPECT_EQ(Shown().back(), "Scan Complete.");
  form_.reset();
}

}  // namespace
}  // namespace nexolant
