#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ignore/ignore_list.h"
#include "quarantine/quarantine_world.h"
#include "repair/report_page.h"

namespace nexolant {
namespace {

using platform::RegistryRoot;
using Choice = ReportPage::MenuChoice;

constexpr const char* kIgnoreFile = "C:\\Program Files\\Nexolant\\Ignored.txt";

int Menu(Choice choice) {
  return static_cast<int>(choice);
}

class ReviewTest : public ::testing::Test {
 protected:
  ReviewTest() {
    world_.files.AddFile("C:\\Bad\\one.exe", "one");
    world_.files.AddFile("C:\\Bad\\two.exe", "two");
    world_.files.AddFile("C:\\Bad\\three.exe", "three");
    world_.registry.AddKey(RegistryRoot::kCurrentUser, "Software\\Bad\\EvilKey");
    world_.Start();
  }

  std::vector<bool> Ticks() const {
    std::vector<bool> ticks;
    for (const ui::ListItem& item : world_.Report().Items()) {
      ticks.push_back(item.checked);
    }
    return ticks;
  }
  void FoundThreeFiles() {
    world_.Found({{"one.exe", "C:\\Bad", "Bad"},
                  {"two.exe", "C:\\Bad", "Bad"},
                  {"three.exe", "C:\\Bad", "Bad"}});
  }

  QuarantineWorld world_;
};

// A row is ticked when it is added; what the user unticks stays where it is and is counted
// neither way, and the summary tells what was done.
TEST_F(ReviewTest, RepairActsOnTickedRowsOnly) {
  FoundThreeFiles();
  EXPECT_EQ(Ticks(), (std::vector<bool>{true, true, true}));

  ASSERT_TRUE(world_.backend.ToggleRows(world_.Report(), {1}));
  EXPECT_EQ(Ticks(), (std::vector<bool>{true, false, true}));
  EXPECT_FALSE(world_.form->ScanFindings().Items()[1].ticked);

  EXPECT_TRUE(world_.Repair());

  EXPECT_TRUE(world_.Messages().empty());
  EXPECT_EQ(world_.files.Contents("C:\\Bad\\two.exe"), "two");
  EXPECT_FALSE(world_.files.FileAttributes("C:\\Bad\\one.exe"));
  EXPECT_FALSE(world_.files.FileAttributes("C:\\Bad\\three.exe"));
  EXPECT_EQ(world_.Statistics().ObjectsQuarantined, 2);
  EXPECT_EQ(world_.Summary(), "There are 2 object(s) in quarantine.");
}

// Untick all, then Space on two selected rows ticks both (the first's opposite), Tick all
// ticks the rest; a dismissed menu changes nothing.
TEST_F(ReviewTest, TheMenuAndSpaceTickAndUntickTogether) {
  FoundThreeFiles();
  ui::ListView& report = world_.Report();

  ASSERT_TRUE(world_.backend.OpenMenu(report, Menu(Choice::kUntickAll)));
  EXPECT_EQ(Ticks(), (std::vector<bool>{false, false, false}));
  ASSERT_TRUE(world_.backend.SelectRows(report, {0, 2}));
  ASSERT_TRUE(world_.backend.ToggleRows(report, report.Selection()));
  EXPECT_EQ(Ticks(), (std::vector<bool>{true, false, true}));
  ASSERT_TRUE(world_.backend.OpenMenu(report, ui::kNoMenuChoice));
  EXPECT_EQ(Ticks(), (std::vector<bool>{true, false, true}));
  ASSERT_TRUE(world_.backend.OpenMenu(report, Menu(Choice::kTickAll)));
  EXPECT_EQ(Ticks(), (std::vector<bool>{true, true, true}));

  const ui::MenuItems& items = world_.backend.Menus().back().items;
  std::vector<std::string> captions;
  for (const ui::MenuItem& item : items) {
    captions.push_back(item.caption);
  }
  EXPECT_EQ(captions, (std::vector<std::string>{"&Tick all", "&Untick all", "&Details...",
                                                "&Open containing folder", "Always &ignore"}));
  EXPECT_TRUE(items[3].enabled);

  ASSERT_TRUE(world_.backend.OpenMenu(report, Menu(Choice::kUntickAll)));
  EXPECT_TRUE(world_.Repair());
  EXPECT_EQ(world_.Statistics().ObjectsQuarantined, 0);
  EXPECT_EQ(world_.files.Names("C:\\Bad"),
            (std::vector<std::string>{"one.exe", "three.exe", "two.exe"}));
}

// Always ignore keeps the row, unticked, writes the list beside the program, and the next
// scan counts the object without reporting it; a changed file is found again, and removing
// the entry in the dialog makes the next scan find it too.
TEST_F(ReviewTest, AnIgnoredFileIsKeptUntilItChangesOrIsRemovedFromTheList) {
  world_.files.AddFile("C:\\Scan\\spyw1.dll", "mine");
  world_.ScanFolder("C:\\Scan");
  ASSERT_EQ(world_.Report().Count(), 1);
  ASSERT_TRUE(world_.backend.SelectRows(world_.Report(), {0}));
  ASSERT_TRUE(world_.backend.OpenMenu(world_.Report(), Menu(Choice::kAlwaysIgnore)));

  EXPECT_EQ(Ticks(), std::vector<bool>{false});
  const IgnoreList saved = IgnoreList::Parse(world_.files.Contents(kIgnoreFile).value_or(""));
  ASSERT_EQ(saved.Count(), 1u);
  EXPECT_EQ(saved.Objects()[0].path, "C:\\Scan\\spyw1.dll");
  EXPECT_TRUE(world_.Repair());
  EXPECT_EQ(world_.files.Contents("C:\\Scan\\spyw1.dll"), "mine");

  world_.ScanFolder("C:\\Scan");
  EXPECT_EQ(world_.Report().Count(), 0);
  EXPECT_EQ(world_.Caption("lblOS"), "1");

  world_.files.AddFile("C:\\Scan\\spyw1.dll", "changed");
  world_.ScanFolder("C:\\Scan");
  EXPECT_EQ(world_.Report().Count(), 1);

  world_.files.AddFile("C:\\Scan\\spyw1.dll", "mine");
  ASSERT_FALSE(world_.form->Ignored().Remove(0));
  EXPECT_EQ(IgnoreList::Parse(world_.files.Contents(kIgnoreFile).value_or("")).Count(), 0u);
  world_.ScanFolder("C:\\Scan");
  EXPECT_EQ(world_.Report().Count(), 1);
}

// Keys are kept by their real path, folders by path; a kept object that a row still names
// is never touched by Repair.
TEST_F(ReviewTest, KeptKeysAndFoldersAreNeverRemoved) {
  world_.files.AddFile("C:\\Bad\\spyware\\payload.dll", "payload");
  world_.files.SetAttributes("C:\\Bad\\spyware",
                             platform::kAttributeDirectory | platform::kAttributeHidden);
  world_.Found({{"EvilKey", "HKEY_CURRENT_USER\\Software\\Bad", "Evil key"},
                {"spyware", "C:\\Bad", "Spy folder"},
                {"one.exe", "C:\\Bad", "Bad"}});
  ASSERT_TRUE(world_.backend.SelectRows(world_.Report(), {0, 1}));
  ASSERT_TRUE(world_.backend.OpenMenu(world_.Report(), Menu(Choice::kAlwaysIgnore)));
  EXPECT_EQ(Ticks(), (std::vector<bool>{false, false, true}));
  // Ticked again by hand: the list still keeps them.
  ASSERT_TRUE(world_.backend.OpenMenu(world_.Report(), Menu(Choice::kTickAll)));

  EXPECT_TRUE(world_.Repair());

  EXPECT_TRUE(world_.registry.HasKey(RegistryRoot::kCurrentUser, "Software\\Bad\\EvilKey"));
  EXPECT_EQ(world_.files.Contents("C:\\Bad\\spyware\\payload.dll"), "payload");
  EXPECT_FALSE(world_.files.FileAttributes("C:\\Bad\\one.exe"));
  const std::vector<IgnoredObject> kept = world_.form->Ignored().List().Objects();
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_EQ(kept[0].kind, IgnoredKind::kKey);
  EXPECT_EQ(kept[0].path, "HKEY_CURRENT_USER\\Software\\Bad\\EvilKey");
  EXPECT_EQ(kept[1].kind, IgnoredKind::kFolder);
}

// Each process row ends its own process by id: the unticked copy of the same name, and an id
// that now runs another program, go on running.
TEST_F(ReviewTest, ProcessesAreEndedByIdOnly) {
  world_.processes.Add(7, "C:\\Bad\\badproc.exe");
  world_.processes.Add(8, "C:\\Bad\\badproc.exe");
  world_.processes.Add(9, "C:\\Good\\badproc.exe");
  Finding first{.kind = RowKind::kProcess,
                .row = {"badproc.exe", "Memory", "Bad process"},
                .processId = 7,
                .imagePath = "C:\\Bad\\badproc.exe"};
  Finding second = first;
  second.processId = 8;
  second.ticked = false;
  Finding reused = first;
  reused.processId = 9;
  world_.Found({first, second, reused});

  world_.Repair();

  EXPECT_EQ(world_.processes.Terminated(), std::vector<std::uint32_t>{7});
}

// A user's list that cannot be read is never written over, and says so.
TEST_F(ReviewTest, AnUnreadableListIsLeftAlone) {
  world_.files.AddFile(kIgnoreFile, "folder\t2026-01-01 00:00:00\tC:\\Mine\r\n");
  world_.files.SetUnreadable(kIgnoreFile);
  world_.form->Ignored().Load();
  FoundThreeFiles();
  ASSERT_TRUE(world_.backend.SelectRows(world_.Report(), {0}));
  ASSERT_TRUE(world_.backend.OpenMenu(world_.Report(), Menu(Choice::kAlwaysIgnore)));

  EXPECT_EQ(world_.Messages(),
            std::vector<std::string>{
                "The list of ignored objects cannot be read, so Nexolant leaves it as it is."});
  EXPECT_EQ(Ticks(), (std::vector<bool>{true, true, true}));
  world_.files.SetUnreadable(kIgnoreFile, false);
  EXPECT_EQ(world_.files.Contents(kIgnoreFile), "folder\t2026-01-01 00:00:00\tC:\\Mine\r\n");
}

}  // namespace
}  // namespace nexolant
