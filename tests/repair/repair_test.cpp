#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "quarantine/quarantine_world.h"
#include "repair/repair.h"

namespace nexolant {
namespace {

using platform::RegistryRoot;

constexpr const char* kBad = "C:\\Bad";
constexpr const char* kOther = "C:\\Other";
constexpr const char* kHint = " Running Nexolant as administrator may remove them.";

std::string LeftOver(int count) {
  return "Nexolant could not remove " + std::to_string(count) +
         " object(s); they are still on your system.";
}

ReportRow FileRow(std::string name, std::string folder = kBad) {
  return {std::move(name), std::move(folder), "Evil file"};
}

class RepairTest : public ::testing::Test {
 protected:
  RepairTest() {
    world_.files.AddFile("C:\\Bad\\evil.exe", "first");
    world_.files.AddFile("C:\\Other\\evil.exe", "second");
    world_.registry.AddKey(RegistryRoot::kCurrentUser, "Software\\Bad\\EvilKey\\Sub");
    world_.Start();
  }

  QuarantineWorld world_;
};

TEST(RepairKind, HiveNamesAloneOrBeforeABackslashAreRegistryRows) {
  EXPECT_EQ(KindOfLocation("Memory"), RowKind::kProcess);
  EXPECT_EQ(KindOfLocation("HKEY_CLASSES_ROOT"), RowKind::kRegistryKey);
  EXPECT_EQ(KindOfLocation("HKEY_CURRENT_USER\\Software"), RowKind::kRegistryKey);
  EXPECT_EQ(KindOfLocation("HKEY_LOCAL_MACHINE\\A\\B"), RowKind::kRegistryKey);
  for (const char* file : {"C:\\Bad", "HKEY_CURRENT_USERS\\x", "hkey_current_user\\Software",
                           "D:\\HKEY_LOCAL_MACHINE", "memory", ""}) {
    EXPECT_EQ(KindOfLocation(file), RowKind::kFile) << file;
  }
}

// A process that takes a while to end keeps its executable locked; Repair waits for it.
TEST_F(RepairTest, ActsOnEveryKindOfRowAndCountsWhatItRemoved) {
  world_.files.AddFile("C:\\Bad\\badproc.exe", "process");
  world_.files.SetInUse("C:\\Bad\\badproc.exe");
  world_.processes.Add(7, "C:\\Bad\\badproc.exe").listedAfterTermination = 3;
  world_.processes.OnExit = [this](const FakeProcessApi::Process&) {
    world_.files.SetInUse("C:\\Bad\\badproc.exe", false);
  };
  world_.Found({{"badproc.exe", "Memory", "Bad process"},
                FileRow("evil.exe"),
                {"badproc.exe", kBad, "Bad process"},
                {"EvilKey", "HKEY_CURRENT_USER\\Software\\Bad", "Evil key"}});

  EXPECT_TRUE(world_.Repair());

  EXPECT_TRUE(world_.Messages().empty());
  EXPECT_EQ(world_.processes.Terminated(), std::vector<std::uint32_t>{7});
  EXPECT_GT(world_.clock.Sleeps(), 0);
  EXPECT_EQ(world_.files.Contents("C:\\Program Files\\Nexolant\\Quarantine\\evil.exe"), "first");
  EXPECT_EQ(world_.files.Contents("C:\\Program Files\\Nexolant\\Quarantine\\badproc.exe"),
            "process");
  EXPECT_EQ(world_.Index(),
            (std::map<std::string, std::string>{{"evil.exe", kBad}, {"badproc.exe", kBad}}));
  EXPECT_EQ(world_.Rows(), (std::vector<std::string>{
                               "badproc.exe|Bad process|C:\\Bad", "evil.exe|Evil file|C:\\Bad",
                               "EvilKey|Evil key|HKEY_CURRENT_USER\\Software\\Bad"}));
  EXPECT_FALSE(world_.registry.HasKey(RegistryRoot::kCurrentUser, "Software\\Bad\\EvilKey"));
  EXPECT_EQ(world_.Statistics().ObjectsQuarantined, 3);
  EXPECT_EQ(world_.Statistics().ObjectsRemoved, 0);
  EXPECT_EQ(world_.Caption("lblObjectsQuarantined"), "3");
  EXPECT_EQ(world_.Summary(), "There are 3 object(s) in quarantine.");
  EXPECT_TRUE(world_.Get<ui::Button>("btnEmpty").Enabled());
  EXPECT_EQ(world_.PageIndex(), kStatusPage);
}

// The scan names a drive root's folder "C:", without the backslash.
TEST_F(RepairTest, AFileFromADriveRootGoesIntoTheQuarantineAndComesBack) {
  world_.files.AddFile("C:\\spyw1.dll", "root");
  world_.Found({FileRow("spyw1.dll", "C:")});

  EXPECT_TRUE(world_.Repair());
  EXPECT_EQ(world_.Index(), (std::map<std::string, std::string>{{"spyw1.dll", "C:"}}));
  EXPECT_TRUE(world_.Restore("spyw1.dll"));

  EXPECT_TRUE(world_.Messages().empty());
  EXPECT_EQ(world_.files.Contents("C:\\spyw1.dll"), "root");
  EXPECT_EQ(world_.List().Count(), 0);
}

// A hidden folder is found as a file: it goes into the quarantine whole and comes back whole;
// Empty deletes it with what it holds (a file named beyond the code page too), and a link
// inside it as itself, never the link's target (whose file here refuses deletion, as a target
// the user cannot change would).
TEST_F(RepairTest, AFolderFoundAsAFileIsQuarantinedRestoredAndEmptiedWhole) {
  const std::string folder = "C:\\Bad\\spyware";
  world_.files.AddFile(folder + "\\payload.dll", "payload");
  world_.files.AddFile(world_.files.FromExact(folder + "\\\xD0\xB6\xD1\x83\xD0\xBA.dll"), "wide");
  world_.files.AddFile(folder + "\\link\\precious.doc", "target");
  world_.files.SetAttributes(folder, platform::kAttributeDirectory | platform::kAttributeHidden);
  world_.files.SetAttributes(folder + "\\link",
                             platform::kAttributeDirectory | platform::kAttributeReparsePoint);
  world_.files.SetDenied(folder + "\\link\\precious.doc");
  world_.Found({FileRow("spyware", "C:\\Bad")});

  EXPECT_TRUE(world_.Repair());
  EXPECT_EQ(
      world_.files.Contents(std::string(QuarantineWorld::kQuarantine) + "\\spyware\\payload.dll"),
      "payload");
  EXPECT_TRUE(world_.Restore("spyware"));
  EXPECT_EQ(world_.files.Contents(folder + "\\payload.dll"), "payload");

  world_.Found({FileRow("spyware", "C:\\Bad")});
  EXPECT_TRUE(world_.Repair());
  EXPECT_TRUE(world_.Empty());
  EXPECT_EQ(world_.Messages(),
            std::vector<std::string>{"Are you sure you want to empty the quarantine?"});
  EXPECT_EQ(world_.List().Count(), 0);
  EXPECT_FALSE(world_.files.FileAttributes(QuarantineWorld::kQuarantine));
  EXPECT_EQ(world_.Statistics().ObjectsQuarantined, 0);
}

// The window answers during the wait, at least every 10 ms, with Repair and Cancel disabled.
TEST_F(RepairTest, AProcessThatDoesNotEndIsAwaitedForAboutTwoSecondsAndReported) {
  world_.processes.Add(7, "C:\\Bad\\badproc.exe").listedAfterTermination = 1000;
  world_.Found({{"badproc.exe", "Memory", "Bad process"}});
  int sleeps = 0;
  bool buttonsEnabled = false;
  world_.clock.OnSleep = [&] {
    ++sleeps;
    if (sleeps == 50) {
      buttonsEnabled = world_.Get<ui::Button>("btnRepair").Enabled() ||
                       world_.Get<ui::Button>("btnCancel").Enabled();
    }
  };
  const int pumpsBefore = world_.backend.PumpCount();

  world_.Repair();
  const int pumps = world_.backend.PumpCount() - pumpsBefore;

  EXPECT_LE(world_.clock.Slept(), 2000u);
  EXPECT_GE(world_.clock.Slept(), 1900u);
  EXPECT_GE(pumps, static_cast<int>(world_.clock.Slept() / 10));
  EXPECT_FALSE(buttonsEnabled);
  EXPECT_EQ(world_.Messages(), std::vector<std::string>{LeftOver(1)});
}

// Each case leaves one object on the system: it is reported once, with the hint about the
// administrator only when the system refused it to a user who is not elevated, and neither
// counted nor given an index entry or a row.
struct LeftOverCase {
  const char* name;
  std::function<void(QuarantineWorld&)> arrange;
  std::vector<ReportRow> rows;
  bool hint = false;
  bool quarantine = true;
  const char* stays = "C:\\Other\\evil.exe";  // the file left over, if any
};

class LeftOverTest : public ::testing::TestWithParam<LeftOverCase> {};

TEST_P(LeftOverTest, IsReportedOnceAndStaysWhereItWas) {
  const LeftOverCase& test = GetParam();
  QuarantineWorld world;
  world.files.AddFile("C:\\Bad\\evil.exe", "first");
  world.files.AddFile("C:\\Other\\evil.exe", "second");
  world.registry.AddKey(RegistryRoot::kCurrentUser, "Software\\Bad\\EvilKey");
  test.arrange(world);
  world.Start();
  world.SetQuarantining(test.quarantine);
  world.Found(test.rows);
  const int quarantinedBefore = static_cast<int>(world.Index().size());

  world.Repair();

  ASSERT_EQ(world.Messages().size(), 1u);
  EXPECT_EQ(world.Messages()[0], LeftOver(1) + (test.hint ? kHint : ""));
  EXPECT_EQ(world.backend.Messages()[0].caption, "Warning");
  EXPECT_EQ(world.backend.Messages()[0].icon, ui::MessageIcon::kExclamation);
  EXPECT_EQ(world.Statistics().ObjectsQuarantined + world.Statistics().ObjectsRemoved,
            static_cast<int>(world.Index().size()) - quarantinedBefore);
  EXPECT_EQ(world.List().Count(), static_cast<int>(world.Index().size()));
  if (test.stays != nullptr) {
    EXPECT_TRUE(world.files.FileExists(test.stays));
  }
  EXPECT_EQ(world.PageIndex(), kStatusPage);
}

const std::string kLongFolder = "C:\\" + std::string(244, 'd');
const std::string kLongName(240, 'k');
constexpr RegistryRoot kUser = RegistryRoot::kCurrentUser;

// A key that stays, found at the row.
LeftOverCase KeyLeft(const char* name, std::function<void(QuarantineWorld&)> arrange,
                     ReportRow row = {"EvilKey", "HKEY_CURRENT_USER\\Software\\Bad", ""},
                     bool hint = false, bool quarantine = true) {
  return {name, std::move(arrange), {std::move(row)}, hint, quarantine, nullptr};
}

// A key that is no entry itself but holds one of Windows' own.
void HoldWindowsNotification(QuarantineWorld& world) {
  world.registry.SetValue(RegistryRoot::kLocalMachine,
                          "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify\\"
                          "crypt32chain",
                          "DLLName", platform::kRegString, std::string("crypt32.dll\0", 12));
}
const ReportRow kNotifyRow{
    "Notify", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", ""};

INSTANTIATE_TEST_SUITE_P(
    Repair, LeftOverTest,
    ::testing::Values(
        LeftOverCase{"FileInUse",
                     [](auto& w) { w.files.SetInUse("C:\\Other\\evil.exe"); },
                     {FileRow("evil.exe", kOther)}},
        LeftOverCase{"FileDenied",
                     [](auto& w) { w.files.SetDenied("C:\\Other\\evil.exe"); },
                     {FileRow("evil.exe", kOther)},
                     true},
        LeftOverCase{"FileThatCannotBeOpened",
                     [](auto& w) { w.files.SetUnopenable("C:\\Other\\evil.exe"); },
                     {FileRow("evil.exe", kOther)},
                     true},
        LeftOverCase{"FileDeniedWhenDeleting",
                     [](auto& w) { w.files.SetDenied("C:\\Other\\evil.exe"); },
                     {FileRow("evil.exe", kOther)},
                     true,
                     false},
        LeftOverCase{"FileDeniedToAnElevatedUser",
                     [](auto& w) {
                       w.files.SetDenied("C:\\Other\\evil.exe");
                       w.processes.SetElevated(true);
                     },
                     {FileRow("evil.exe", kOther)}},
        LeftOverCase{
            "KeyDenied",
            [](auto& w) {
              w.registry.DenyFullAccess(RegistryRoot::kCurrentUser, "Software\\Bad\\EvilKey");
            },
            {FileRow("evil.exe", kOther), {"EvilKey", "HKEY_CURRENT_USER\\Software\\Bad", ""}},
            true,
            true,
            nullptr},
        KeyLeft("KeyHoldingALink",
                [](auto& w) {
                  w.registry.AddLink(kUser, "Software\\Bad\\EvilKey\\L", kUser, "Software");
                }),
        KeyLeft(
            "KeyWithAnUnreadableValue",
            [](auto& w) {
              w.registry.SetValue(kUser, "Software\\Bad\\EvilKey", "v", 3, "x");
              w.registry.SetUnreadable(kUser, "Software\\Bad\\EvilKey", "v");
            },
            {"EvilKey", "HKEY_CURRENT_USER\\Software\\Bad", ""}, true),
        KeyLeft("KeyNameStandingForTwoKeysInTheCodePage",
                [](auto& w) {
                  for (const char16_t* path : {u"Software\\Bad\\Ж", u"Software\\Bad\\Щ"}) {
                    ASSERT_TRUE(
                        w.registry.CreateKeyWide(kUser, path, platform::RegistryAccess::kFull));
                  }
                },
                {"?", "HKEY_CURRENT_USER\\Software\\Bad", ""}),
        KeyLeft("KeyPathTooLongForTheIndex",
                [](auto& w) { w.registry.AddKey(kUser, "Software\\" + kLongName + "\\EvilKey"); },
                {"EvilKey", "HKEY_CURRENT_USER\\Software\\" + kLongName, ""}),
        KeyLeft(
            "ClassesKeyStillShownByTheMachinesCopy",
            [](auto& w) {
              w.registry.AddKey(RegistryRoot::kClassesRoot, "EvilKey");
              w.registry.AddKey(RegistryRoot::kCurrentUser, "Software\\Classes\\EvilKey");
              w.registry.AddKey(RegistryRoot::kLocalMachine, "Software\\Classes\\EvilKey");
            },
            {"EvilKey", "HKEY_CLASSES_ROOT", ""}, false, false),
        KeyLeft("KeyHoldingAWindowsEntry", HoldWindowsNotification, kNotifyRow),
        KeyLeft("KeyHoldingAWindowsEntryDeleted", HoldWindowsNotification, kNotifyRow, false,
                false),
        LeftOverCase{"SecondFileOfTheSameName",
                     [](auto&) {},
                     {FileRow("evil.exe"), FileRow("evil.exe", kOther)}},
        LeftOverCase{
            "NameTakenInTheQuarantine",
            [](auto& w) { w.files.AddFile("C:\\Program Files\\Nexolant\\Quarantine\\evil.exe"); },
            {FileRow("evil.exe", kOther)}},
        LeftOverCase{"FolderGoneSinceTheScan", [](auto&) {}, {FileRow("spyw1.dll", "C:\\Gone")}},
        // The ANSI listing's name of spy_\u0436.dll: no file bears it, the real one stays.
        LeftOverCase{"NameTheCodePageCannotHold",
                     [](auto&) {},
                     {FileRow("spy_?.dll")},
                     false,
                     true,
                     nullptr},
        LeftOverCase{"OriginTooLongForTheIndex",
                     [](auto& w) { w.files.AddFile(kLongFolder + "\\spyw1.dll"); },
                     {FileRow("spyw1.dll", kLongFolder)},
                     false,
                     true,
                     nullptr}),
    [](const auto& info) { return info.param.name; });

// A file moves only once its entry is on the disk; after a failed write no file moves.
TEST_F(RepairTest, NoFileMovesWhileTheIndexCannotBeWritten) {
  world_.files.AddFile("C:\\Bad\\spyw1.dll", "spy");
  world_.files.FailWritesAfter(0);
  world_.Found({FileRow("evil.exe"), FileRow("spyw1.dll")});

  world_.Repair();

  EXPECT_EQ(world_.Messages().back(), LeftOver(2));
  EXPECT_EQ(world_.files.Contents("C:\\Bad\\evil.exe"), "first");
  EXPECT_EQ(world_.files.Contents("C:\\Bad\\spyw1.dll"), "spy");
  EXPECT_TRUE(world_.Index().empty());
  EXPECT_EQ(world_.List().Count(), 0);
  EXPECT_EQ(world_.Statistics().ObjectsQuarantined, 0);
}

TEST_F(RepairTest, ObjectsAlreadyGoneAreNeitherFailuresNorCounted) {
  world_.files.AddFolder("C:\\Empty");
  world_.Found({{"badproc.exe", "Memory", "Bad process"},
                {"EvilKey", "HKEY_CURRENT_USER\\Software\\Bad", "Evil key"},
                {"Sub", "HKEY_CURRENT_USER\\Software\\Bad\\EvilKey", "Evil key"},
                {"EvilKey", "HKEY_CURRENT_USER\\Software\\Bad", "Evil key"},
                {"EvilKey", "HKEY_CLASSES_ROOT", "Evil key"},
                FileRow("evil.exe", "C:\\Empty")});

  world_.Repair();

  EXPECT_TRUE(world_.Messages().empty());
  EXPECT_EQ(world_.registry.DeletedKeys(),
            (StringList{"Software\\Bad\\EvilKey\\Sub", "Software\\Bad\\EvilKey"}));
  EXPECT_EQ(world_.Statistics().ObjectsRemoved, 0);
  EXPECT_EQ(world_.Statistics().ObjectsQuarantined, 1);
}

TEST_F(RepairTest, TheProgramsOwnFilesAreNeverTouched) {
  const std::string program = "C:\\Program Files\\Nexolant";
  world_.files.AddFile(program + "\\Nexolant.exe", "exe");
  world_.files.AddFile(program + "\\Nexolant.ini", "ini");
  world_.files.AddFile(program + "\\Quarantine\\evil.exe", "quarantined");
  world_.files.AddFile(program + "\\Quarantine.ini", "[Files]\r\nevil.exe=C:\\Bad\r\n");
  world_.SetQuarantining(false);
  world_.Found({{"nexolant.EXE", program, ""},
                {"Reference.dat", program, ""},
                {"Nexolant.ini", program, ""},
                {"Quarantine.ini", program, ""},
                {"evil.exe", program + "\\quarantine", ""}});

  world_.Repair();

  EXPECT_TRUE(world_.Messages().empty());
  EXPECT_EQ(world_.files.Names(program),
            (std::vector<std::string>{"Nexolant.exe", "Nexolant.ini", "Quarantine",
                                      "Quarantine.ini", "Reference.dat"}));
  EXPECT_EQ(world_.files.Contents(program + "\\Quarantine\\evil.exe"), "quarantined");
  EXPECT_EQ(world_.Statistics().ObjectsRemoved, 0);
}

TEST_F(RepairTest, AQuarantineFolderThatCannotBeMadeStopsRepairUntilItIsTriedAgain) {
  world_.files.AddFile(QuarantineWorld::kQuarantine, "a file in the way");
  world_.Found({{"EvilKey", "HKEY_CURRENT_USER\\Software\\Bad", "Evil key"}, FileRow("evil.exe")});

  world_.Repair();

  ASSERT_EQ(world_.backend.Messages().size(), 1u);
  EXPECT_EQ(world_.backend.Messages()[0].icon, ui::MessageIcon::kError);
  EXPECT_EQ(world_.PageIndex(), kReportPage);
  EXPECT_TRUE(world_.Get<ui::Button>("btnRepair").Enabled());
  EXPECT_TRUE(world_.Get<ui::Button>("btnCancel").Enabled());
  EXPECT_FALSE(world_.files.FileExists(QuarantineWorld::kIndex));
  EXPECT_EQ(world_.files.Contents("C:\\Bad\\evil.exe"), "first");
  EXPECT_TRUE(world_.registry.HasKey(RegistryRoot::kCurrentUser, "Software\\Bad\\EvilKey\\Sub"));

  ASSERT_TRUE(world_.files.RemoveFile(QuarantineWorld::kQuarantine));
  EXPECT_TRUE(world_.Repair());

  EXPECT_EQ(world_.backend.Messages().size(), 1u);
  EXPECT_EQ(world_.Index(), (std::map<std::string, std::string>{{"evil.exe", kBad}}));
  EXPECT_EQ(world_.Statistics().ObjectsRemoved, 0);
  EXPECT_EQ(world_.Statistics().ObjectsQuarantined, 2);
  EXPECT_EQ(world_.PageIndex(), kStatusPage);
}

TEST_F(RepairTest, CancelLeavesOnlyOnYesAndTouchesNothing) {
  world_.Found({FileRow("evil.exe")});
  world_.backend.QueueAnswer(ui::MessageResult::kNo);
  world_.Click("btnCancel");
  EXPECT_EQ(world_.PageIndex(), kReportPage);
  EXPECT_EQ(world_.Messages(),
            std::vector<std::string>{
                "Are you sure you want to cancel and leave the adware found on your system?"});

  world_.backend.QueueAnswer(ui::MessageResult::kYes);
  world_.Click("btnCancel");
  EXPECT_EQ(world_.PageIndex(), kStatusPage);
  EXPECT_TRUE(world_.Get<ui::SpeedButton>("ScanBtn").Enabled());
  EXPECT_EQ(world_.files.Contents("C:\\Bad\\evil.exe"), "first");
  EXPECT_EQ(world_.Report().Count(), 1);
}

// Every index write pumps; a click that arrives there must not start a second action.
TEST_F(RepairTest, NoActionStartsInsideAnother) {
  world_.files.AddFile("C:\\Bad\\spyw1.dll");
  world_.Found({FileRow("evil.exe"), FileRow("spyw1.dll")});
  std::vector<bool> accepted;
  const auto tryAll = [&] {
    for (const char* button : {"btnRepair", "btnCancel", "btnRestore", "btnEmpty"}) {
      accepted.push_back(world_.Click(button));
    }
  };
  world_.backend.RunAtPump(world_.backend.PumpCount() + 1, tryAll);
  world_.Repair();
  ASSERT_EQ(accepted.size(), 4u);
  EXPECT_EQ(accepted, std::vector<bool>(4, false));
  EXPECT_EQ(world_.Statistics().ObjectsQuarantined, 2);
  EXPECT_TRUE(world_.Messages().empty());

  world_.ShowQuarantinePage();
  world_.backend.ClickRow(world_.List(), 0);
  accepted.clear();
  world_.backend.RunAtPump(world_.backend.PumpCount() + 1, [&] {
    world_.backend.QueueAnswer(ui::MessageResult::kYes);
    accepted.push_back(world_.Click("btnEmpty"));
  });
  world_.Click("btnRestore");
  EXPECT_EQ(accepted, std::vector<bool>{false});
  EXPECT_EQ(world_.List().Count(), 1);
  EXPECT_TRUE(world_.Get<ui::Button>("btnEmpty").Enabled());
}

// A file named beyond the ANSI code page is found with "?" and quarantined through its exact
// name, unless its index line would pass the index's 255 characters: then it stays, reported.
TEST(RepairExactNames, AnEntryTheIndexCannotHoldLeavesTheFileInPlaceReported) {
  QuarantineWorld world("[ScanFiles]\nnxw_*.dll=Wide file\n");
  std::string longName = "C:\\Scan\\nxw_";
  for (int k = 0; k < 50; ++k) {
    longName += "\xD0\x96";
  }
  world.files.AddFile(world.files.FromExact(longName + ".dll"), "long");
  world.files.AddFile(world.files.FromExact("C:\\Scan\\\xD0\x96\\nxw_\xCE\xB1.dll"), "short");
  world.Start();
  world.ScanFolder("C:\\Scan");
  ASSERT_EQ(world.Report().Count(), 2);
  world.Repair();

  EXPECT_EQ(world.Messages(), std::vector<std::string>{LeftOver(1)});
  EXPECT_EQ(world.files.Contents(world.files.FromExact(longName + ".dll")), "long");
  EXPECT_EQ(world.Rows(), std::vector<std::string>{"nxw_?.dll|Wide file|C:\\Scan\\?"});
  EXPECT_EQ(world.Statistics().ObjectsQuarantined, 1);
}

}  // namespace
}  // namespace nexolant
