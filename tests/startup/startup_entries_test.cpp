#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "quarantine/quarantine_world.h"
#include "registry/key_tree_read.h"
#include "repair/report_page.h"

namespace nexolant {
namespace {

using platform::RegistryRoot;
using Strings = std::vector<std::string>;

constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRun32 = "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kService = "SYSTEM\\CurrentControlSet\\Services\\GatorSvc";
constexpr const char* kHelpers =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
constexpr const char* kToolbars = "Software\\Microsoft\\Internet Explorer\\Toolbar";
constexpr const char* kHelper = "{11111111-2222-3333-4444-555555555555}";
constexpr const char* kToolbar = "{66666666-7777-8888-9999-000000000000}";
constexpr const char* kStartup = "C:\\Users\\me\\Start Menu\\Programs\\Startup";
constexpr const char* kGator = "C:\\Program Files\\Gator\\gator.exe";

// A machine where one adware program starts from every kind of place, beside Windows' own
// entries and entries that cannot be read.
class StartupEntriesTest : public ::testing::Test {
 protected:
  static constexpr const char* kReference =
      "[ScanFiles]\ngator.exe=Gator file\ngatorbho.dll=Gator helper\n"
      "[OtherKill]\ngmt.exe=Gator monitor\n"
      "[Registry]\nGatorHelper=Gator key\n";

  StartupEntriesTest() : world_(kReference) {
    FileSystem().AddFolder("C:\\Scan");
    for (const char* file :
         {kGator, "C:\\Program Files\\Gator\\gmt.exe", "C:\\Program Files\\Gator\\gatorbho.dll"}) {
      FileSystem().AddFile(file, "adware");
    }
    FileSystem().AddFile("C:\\Windows\\System32\\svchost.exe", "windows");
    FileSystem().SetKnownFolder(platform::KnownFolder::kStartup, kStartup);
    FileSystem().AddFile(std::string(kStartup) + "\\Gator.lnk", "shortcut bytes");
    FileSystem().AddFile(std::string(kStartup) + "\\broken.lnk", "not a shortcut");
    FileSystem().AddFile(std::string(kStartup) + "\\gmt.exe", "adware");
    world_.shortcuts.Add(std::string(kStartup) + "\\Gator.lnk", kGator, "/tray");

    Text(RegistryRoot::kCurrentUser, kRun, "Gator", std::string("\"") + kGator + "\" /tray");
    Text(RegistryRoot::kCurrentUser, kRun, "Empty", "");
    Text(RegistryRoot::kCurrentUser, kRun, "Huge", "C:\\" + std::string(40000, 'a') + "\\gmt.exe");
    world_.registry.SetValue(RegistryRoot::kCurrentUser, kRun, "Binary", platform::kRegBinary,
                             "gator.exe");
    // Found by its own name, but it starts a program of Windows.
    Text(RegistryRoot::kCurrentUser, kRun, "GatorHelper",
         "%SystemRoot%\\System32\\svchost.exe -k netsvcs");
    Text(RegistryRoot::kLocalMachine, kRun, "GMT", "C:\\Program Files\\Gator\\gmt.exe -auto");
    Text(RegistryRoot::kLocalMachine, kRun32, "Gator32", std::string("\"") + kGator + "\"");

    Text(RegistryRoot::kLocalMachine, kService, "ImagePath",
         "\"C:\\Program Files\\Gator\\gmt.exe\" -service");
    Text(RegistryRoot::kLocalMachine, std::string(kService) + "\\Parameters", "Mode", "quiet");
    world_.registry.AddKey(RegistryRoot::kLocalMachine,
                           "SYSTEM\\CurrentControlSet\\Services\\NoImage");

    world_.tasks.Add("\\GatorUpdate", {{.path = kGator, .arguments = "/update"}});
    world_.tasks.Add("\\Sub\\Empty", {});
    world_.tasks.Add("\\Locked", {{.path = "C:\\Program Files\\Gator\\gmt.exe"}}, true);

    world_.registry.AddKey(RegistryRoot::kLocalMachine, std::string(kHelpers) + "\\" + kHelper);
    Text(RegistryRoot::kLocalMachine, kToolbars, kToolbar, "");
    for (const char* clsid : {kHelper, kToolbar}) {
      Text(RegistryRoot::kClassesRoot, std::string("CLSID\\") + clsid + "\\InprocServer32", "",
           "C:\\Program Files\\Gator\\gatorbho.dll");
    }
  }

  MemoryFileSystem& FileSystem() { return world_.files; }
  void Text(RegistryRoot root, const std::string& path, const std::string& name,
            const std::string& text) {
    world_.registry.SetValue(root, path, name, platform::kRegString, text);
  }

  // Every key and value below the key, as "path|name|type|bytes", sorted: a restored value comes
  // back at the end of its key's list.
  Strings Tree(RegistryRoot root, const std::string& path) {
    Strings lines;
    const TreeReadResult read =
        ReadKeyTree(world_.registry, root, world_.registry.WideSpelling(path));
    if (read.status != TreeReadResult::Status::kRead) {
      return {"missing"};
    }
    const auto walk = [&](const auto& self, const KeyTree& key, const std::string& at) -> void {
      for (const TreeValue& value : key.values) {
        lines.push_back(at + "|" + world_.registry.AnsiSpelling(value.name) + "|" +
                        std::to_string(value.type) + "|" + value.bytes);
      }
      for (const KeyTree& subkey : key.subkeys) {
        self(self, subkey, at + "\\" + world_.registry.AnsiSpelling(subkey.name));
      }
    };
    walk(walk, read.tree, path);
    std::sort(lines.begin(), lines.end());
    return lines;
  }
  Strings Places() {
    Strings all;
    for (const auto& [root, path] : std::vector<std::pair<RegistryRoot, std::string>>{
             {RegistryRoot::kCurrentUser, kRun},
             {RegistryRoot::kLocalMachine, kRun},
             {RegistryRoot::kLocalMachine, kRun32},
             {RegistryRoot::kLocalMachine, "SYSTEM\\CurrentControlSet\\Services"},
             {RegistryRoot::kLocalMachine, kHelpers},
             {RegistryRoot::kLocalMachine, kToolbars}}) {
      const Strings tree = Tree(root, path);
      all.insert(all.end(), tree.begin(), tree.end());
    }
    for (const auto& [path, task] : world_.tasks.Tasks()) {
      all.push_back(path + "|" + task.xml);
    }
    all.push_back(world_.files.Contents(std::string(kStartup) + "\\Gator.lnk").value_or("gone"));
    return all;
  }
  Strings ReportRows() const {
    Strings rows;
    for (const ui::ListItem& item : world_.Report().Items()) {
      rows.push_back(item.caption + "|" + item.subItems.at(0) + "|" + item.subItems.at(1));
    }
    return rows;
  }

  QuarantineWorld world_;
};

TEST_F(StartupEntriesTest, EachEntryIsFoundByTheProgramItStartsOrItsOwnName) {
  world_.Start();
  world_.ScanFolder("C:\\Scan");
  const std::string startup = kStartup;
  EXPECT_EQ(ReportRows(),
            (Strings{
                "Gator|HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run|Gator "
                "file",
                "GMT|HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run|Gator "
                "monitor",
                "Gator32|HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Microsoft\\Windows\\Current"
                "Version\\Run|Gator file",
                "Gator.lnk|" + startup + "|Gator file",
                "gmt.exe|" + startup + "|Gator monitor",
                "GatorSvc|Service|Gator monitor",
                "GatorUpdate|Scheduled task|Gator file",
                "Locked|Scheduled task|Gator monitor",
                std::string(kHelper) + "|Browser helper|Gator helper",
                std::string(kToolbar) + "|Browser helper|Gator helper",
            }));
  // Values, services and helpers count as registry keys; files and tasks as files.
  EXPECT_EQ(world_.Caption("lblRI"), "6");
  EXPECT_EQ(world_.Caption("lblFI"), "4");

  // A kept entry is not found again; the scan finds the rest as before.
  ASSERT_TRUE(world_.backend.SelectRows(world_.Report(), {5}));
  ASSERT_TRUE(world_.backend.OpenMenu(world_.Report(),
                                      static_cast<int>(ReportPage::MenuChoice::kAlwaysIgnore)));
  world_.Click("btnCancel");
  world_.ScanFolder("C:\\Scan");
  const Strings again = ReportRows();
  EXPECT_EQ(again.size(), 9u);
  EXPECT_EQ(std::count(again.begin(), again.end(), "GatorSvc|Service|Gator monitor"), 0);
}

// Repair takes each entry alone into the quarantine (the task with a stored password stays), and
// Restore brings each back exactly, beside what its key holds now.
TEST_F(StartupEntriesTest, RepairAndRestoreRoundTripEveryKind) {
  const Strings before = Places();
  world_.Start();
  world_.SetQuarantining(true);
  world_.ScanFolder("C:\\Scan");
  ASSERT_TRUE(world_.Repair());

  EXPECT_FALSE(world_.registry.Value(RegistryRoot::kCurrentUser, kRun, "Gator"));
  EXPECT_TRUE(world_.registry.Value(RegistryRoot::kCurrentUser, kRun, "Binary"));
  EXPECT_TRUE(world_.registry.Value(RegistryRoot::kCurrentUser, kRun, "GatorHelper"));
  EXPECT_FALSE(world_.registry.HasKey(RegistryRoot::kLocalMachine, kService));
  EXPECT_EQ(world_.serviceControl.Stopped(), Strings{"GatorSvc"});
  EXPECT_FALSE(
      world_.registry.HasKey(RegistryRoot::kLocalMachine, std::string(kHelpers) + "\\" + kHelper));
  EXPECT_FALSE(world_.registry.Value(RegistryRoot::kLocalMachine, kToolbars, kToolbar));
  EXPECT_FALSE(world_.tasks.Exists("\\GatorUpdate"));
  EXPECT_TRUE(world_.tasks.Exists("\\Locked"));
  EXPECT_FALSE(world_.files.FileExists(std::string(kStartup) + "\\Gator.lnk"));
  EXPECT_EQ(world_.Messages().size(), 1u) << "the task that stayed";
  EXPECT_EQ(world_.Statistics().ObjectsQuarantined, 9);
  EXPECT_EQ(world_.Index("Values").size(), 4u);
  EXPECT_EQ(world_.Index("Services").size(), 1u);
  EXPECT_EQ(world_.Index("BrowserHelpers").size(), 1u);
  EXPECT_EQ(world_.Index("Tasks").size(), 1u);

  // An entry of that name made again meanwhile is not replaced.
  Text(RegistryRoot::kCurrentUser, kRun, "Gator", "C:\\Other\\other.exe");
  ASSERT_TRUE(world_.Restore("Gator"));
  EXPECT_EQ(world_.registry.Value(RegistryRoot::kCurrentUser, kRun, "Gator")->data,
            "C:\\Other\\other.exe");
  EXPECT_EQ(world_.List().IndexOfCaption("Gator"), 2);
  Text(RegistryRoot::kCurrentUser, kRun, "Gator", std::string("\"") + kGator + "\" /tray");
  world_.registry.AddKey(RegistryRoot::kCurrentUser, "Software\\Unrelated");

  // The entries come back across a restart, which reads them from the index, each listed with
  // the description it was found by, though its name would give none.
  const Strings rows = world_.Rows();
  const std::size_t described = world_.Index("Descriptions").size();
  EXPECT_GE(described, 5u) << "the service, the task, the helpers and the values by program";
  world_.Restart();
  EXPECT_EQ(world_.Rows(), rows);
  EXPECT_TRUE(world_.registry.DeleteValue(
      *world_.registry.OpenKey(RegistryRoot::kCurrentUser, kRun, platform::RegistryAccess::kFull),
      "Gator"));
  ASSERT_TRUE(world_.Restore("GatorSvc"));
  EXPECT_EQ(world_.Index("Descriptions").size(), described - 1) << "the service's line goes too";
  for (const char* name :
       {"Gator", "GMT", "Gator32", "Gator.lnk", "gmt.exe", "GatorUpdate", kHelper, kToolbar}) {
    ASSERT_TRUE(world_.Restore(name)) << name;
  }
  EXPECT_EQ(Places(), before);
  EXPECT_EQ(world_.List().Items().size(), 0u);
  EXPECT_FALSE(world_.files.FileAttributes(QuarantineWorld::kIndex));
}

}  // namespace
}  // namespace nexolant
