#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "quarantine/quarantine_world.h"

namespace nexolant {
namespace {

using Entries = std::map<std::string, std::string>;

// A quarantine of three files from their folders, as an earlier run left it.
class QuarantinePageTest : public ::testing::Test {
 protected:
  QuarantinePageTest() {
    for (const auto& [name, folder] : kEntries) {
      world_.files.AddFolder(folder);
      world_.files.AddFile(std::string(QuarantineWorld::kQuarantine) + "\\" + name, name);
    }
    WriteIndex("[Files]\r\nspyw1.dll=C:\\A\r\nevil.exe=C:\\B\r\nother.txt=C:\\C\r\n");
  }

  void WriteIndex(const std::string& text) { world_.files.AddFile(QuarantineWorld::kIndex, text); }
  std::string Quarantined(const std::string& name) const {
    return std::string(QuarantineWorld::kQuarantine) + "\\" + name;
  }

  const Entries kEntries{{"spyw1.dll", "C:\\A"}, {"evil.exe", "C:\\B"}, {"other.txt", "C:\\C"}};
  QuarantineWorld world_{
      "[ScanFiles]\nab**c=Malformed\nevil.exe=Evil file\nspyw?.dll=Spy library\n"
      "[OtherKill]\n[Registry]\n"};
};

// Keys that are no plain file name never become rows or paths, and stay in the index; a
// malformed pattern met while looking up a description only costs that row its description.
TEST_F(QuarantinePageTest, RebuildListsThePlainNamesOfTheIndexSorted) {
  WriteIndex(
      "[Files]\r\nspyw1.dll=C:\\A\r\n..\\..\\boot.ini=C:\\\r\nabxyz.txt=C:\\X\r\na:b=C:\\\r\n"
      ".=C:\\\r\nevil.exe=C:\\B\r\nx/y=C:\\\r\nother.txt=C:\\C\r\n");
  const std::optional<std::string> index = world_.files.Contents(QuarantineWorld::kIndex);
  world_.Start();

  EXPECT_EQ(world_.Rows(), (std::vector<std::string>{
                               "abxyz.txt|Unavailable|C:\\X", "evil.exe|Evil file|C:\\B",
                               "other.txt|Unavailable|C:\\C", "spyw1.dll|Spy library|C:\\A"}));
  EXPECT_EQ(world_.Summary(), "There are 4 object(s) in quarantine.");
  EXPECT_TRUE(world_.Get<ui::Button>("btnEmpty").Enabled());
  EXPECT_FALSE(world_.Get<ui::Button>("btnRestore").Enabled());
  EXPECT_EQ(world_.files.Contents(QuarantineWorld::kIndex), index);
}

TEST_F(QuarantinePageTest, WithoutAnIndexNothingIsListed) {
  ASSERT_TRUE(world_.files.RemoveFile(QuarantineWorld::kIndex));
  world_.Start();
  EXPECT_EQ(world_.List().Count(), 0);
  EXPECT_EQ(world_.Summary(), "There are currently no objects in quarantine");
  EXPECT_FALSE(world_.Get<ui::Button>("btnEmpty").Enabled());
}

// The index file goes only with its last entry: an entry the list left out keeps it.
TEST_F(QuarantinePageTest, RestorePutsFilesBackAndForgetsTheirEntries) {
  WriteIndex(
      "[Files]\r\nspyw1.dll=C:\\A\r\nevil.exe=C:\\B\r\nother.txt=C:\\C\r\n..\\kept=C:\\K\r\n");
  world_.Start();
  world_.form->Statistics().SetQuarantined(3);

  EXPECT_TRUE(world_.Restore("evil.exe"));
  EXPECT_EQ(world_.files.Contents("C:\\B\\evil.exe"), "evil.exe");
  EXPECT_EQ(world_.Index(),
            (Entries{{"spyw1.dll", "C:\\A"}, {"other.txt", "C:\\C"}, {"..\\kept", "C:\\K"}}));
  EXPECT_EQ(world_.Summary(), "There are currently 2 object(s) in quarantine.");
  EXPECT_EQ(world_.Statistics().ObjectsQuarantined, 3);
  world_.Restart();
  EXPECT_EQ(world_.List().Count(), 2);

  world_.Restore("spyw1.dll");
  world_.Restore("other.txt");
  EXPECT_TRUE(world_.Messages().empty());
  EXPECT_EQ(world_.Index(), (Entries{{"..\\kept", "C:\\K"}}));
  EXPECT_FALSE(world_.files.FolderExists(QuarantineWorld::kQuarantine));
  EXPECT_EQ(world_.Summary(), "There are currently no objects in quarantine.");
  EXPECT_EQ(world_.Caption("lblObjectsQuarantined"), "0");
  EXPECT_FALSE(world_.Get<ui::Button>("btnEmpty").Enabled());

  world_.files.AddFile(Quarantined("a.exe"));
  WriteIndex("[Files]\r\na.exe=C:\\A\r\n");
  world_.Restart();
  world_.Restore("a.exe");
  EXPECT_FALSE(world_.files.FileExists(QuarantineWorld::kIndex));
}

// Nor does it put a file where nothing may be planted: the program's own folder, a system
// file's name in the Windows folder, a folder that a junction has taken the place of.
TEST_F(QuarantinePageTest, RestoreRefusesAnOriginItCannotPutTheFileBackInto) {
  WriteIndex(
      "[Files]\r\nspyw1.dll=C:\\A\r\nevil.exe=C:\\Gone\r\nother.txt=C\r\nspyw2.dll=\r\n"
      "spyw3.dll=..\\A\r\nversion.dll=C:\\Program Files\\Nexolant\r\n"
      "notepad.exe=C:\\Windows\r\nspyw4.dll=C:\\Linked\r\n");
  world_.files.AddFolder("C:\\Windows");
  world_.files.AddFolder("C:\\Linked");
  world_.files.SetAttributes("C:\\Linked",
                             platform::kAttributeDirectory | platform::kAttributeReparsePoint);
  const std::vector<std::string> refused{"spyw1.dll", "evil.exe",    "other.txt",   "spyw2.dll",
                                         "spyw3.dll", "version.dll", "notepad.exe", "spyw4.dll"};
  for (const std::string& name : refused) {
    if (!world_.files.FileExists(Quarantined(name))) {
      world_.files.AddFile(Quarantined(name), name);
    }
  }
  world_.files.AddFile("C:\\A\\spyw1.dll", "came back");
  world_.Start();

  for (const std::string& name : refused) {
    world_.Restore(name);
    EXPECT_EQ(world_.Messages().back(), kRestoreFailure) << name;
    EXPECT_EQ(world_.files.Contents(Quarantined(name)), name);
  }
  EXPECT_EQ(world_.Messages().size(), refused.size());
  EXPECT_EQ(world_.List().Count(), static_cast<int>(refused.size()));
  EXPECT_EQ(world_.Index().size(), refused.size());
  EXPECT_EQ(world_.files.Contents("C:\\A\\spyw1.dll"), "came back");
}

// The user confirmed, so read-only files go too; what still cannot be deleted stays listed,
// indexed and counted.
TEST_F(QuarantinePageTest, EmptyDeletesWhatItCanAndKeepsTheRest) {
  world_.files.SetReadOnly(Quarantined("evil.exe"));
  world_.files.SetDenied(Quarantined("spyw1.dll"));
  world_.Start();

  world_.Empty(false);
  EXPECT_EQ(world_.List().Count(), 3);
  EXPECT_TRUE(world_.files.FileExists(Quarantined("other.txt")));

  world_.Empty();
  EXPECT_EQ(world_.Messages().back(), "1 file(s) could not be deleted and remain in quarantine.");
  EXPECT_EQ(world_.Rows(), std::vector<std::string>{"spyw1.dll|Spy library|C:\\A"});
  EXPECT_EQ(world_.Index(), (Entries{{"spyw1.dll", "C:\\A"}}));
  EXPECT_EQ(world_.files.Names(QuarantineWorld::kQuarantine),
            std::vector<std::string>{"spyw1.dll"});
  EXPECT_EQ(world_.Caption("lblObjectsQuarantined"), "1");
  EXPECT_EQ(world_.Summary(), "There are currently 1 object(s) in quarantine.");
  EXPECT_TRUE(world_.Get<ui::Button>("btnEmpty").Enabled());

  world_.files.SetDenied(Quarantined("spyw1.dll"), false);
  world_.Empty();
  EXPECT_EQ(world_.List().Count(), 0);
  EXPECT_FALSE(world_.files.FileExists(QuarantineWorld::kIndex));
  EXPECT_FALSE(world_.files.FolderExists(QuarantineWorld::kQuarantine));
  EXPECT_EQ(world_.Statistics().ObjectsQuarantined, 0);
  EXPECT_EQ(world_.Summary(), "There are currently no objects in quarantine.");
  EXPECT_FALSE(world_.Get<ui::Button>("btnEmpty").Enabled());
}

// A Quarantine folder replaced by a junction leads elsewhere: Restore, Empty and a Repair that
// quarantines each say so, and nothing is moved into it, out of it or deleted.
TEST_F(QuarantinePageTest, AQuarantineFolderThatIsALinkIsNotUsed) {
  constexpr const char* kLinked =
      "The Quarantine folder is a link to another place; Nexolant will not use it.";
  world_.files.SetAttributes(QuarantineWorld::kQuarantine,
                             platform::kAttributeDirectory | platform::kAttributeReparsePoint);
  world_.files.AddFile("C:\\A\\spyw2.dll", "spy2");
  world_.Start();

  world_.Restore("evil.exe");
  EXPECT_EQ(world_.Messages(), (std::vector<std::string>{kLinked, kRestoreFailure}));
  world_.Empty();
  EXPECT_EQ(world_.Messages().at(3), kLinked);
  world_.SetQuarantining(true);
  world_.Found({ReportRow{"spyw2.dll", "C:\\A", "Spy library"}});
  world_.Repair();
  EXPECT_EQ(world_.Messages().at(5), kLinked);

  EXPECT_EQ(world_.files.Contents("C:\\A\\spyw2.dll"), "spy2");
  EXPECT_FALSE(world_.files.FileExists("C:\\B\\evil.exe"));
  EXPECT_EQ(world_.files.Names(QuarantineWorld::kQuarantine),
            (std::vector<std::string>{"evil.exe", "other.txt", "spyw1.dll"}));
  EXPECT_EQ(world_.Index().size(), 3u);
}

TEST_F(QuarantinePageTest, AClickOnTheListEnablesRestoreOnlyWithARowSelected) {
  world_.Start();
  world_.ShowQuarantinePage();
  world_.backend.ClickRow(world_.List(), 1);
  EXPECT_TRUE(world_.Get<ui::Button>("btnRestore").Enabled());
  world_.backend.ClickRow(world_.List(), -1);
  EXPECT_FALSE(world_.Get<ui::Button>("btnRestore").Enabled());
}

}  // namespace
}  // namespace nexolant
