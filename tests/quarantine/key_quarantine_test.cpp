#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "contracts/key_tree_contract.h"
#include "quarantine/quarantine_world.h"

namespace nexolant {
namespace {

using contracts::Normalized;
using platform::RegistryRoot;

constexpr const char* kRestoreFailure =
    "Unable to restore file! The original path may no longer exist.";

// A found key: where its real copy is planted, and the Report row the scan shows for it.
struct KeyCase {
  const char* name;
  RegistryRoot root;
  platform::WideString parent;  // of the real key
  ReportRow row;
  std::string shownParent;  // the parent path the Quarantine page shows
};

class KeyRoundTripTest : public ::testing::TestWithParam<KeyCase> {
 protected:
  std::optional<KeyTree> Walk(const KeyCase& test, const platform::WideString& name) {
    const auto tree =
        contracts::WalkThroughInterface(world_.registry, test.root, JoinKeyPath(test.parent, name));
    return tree ? std::optional(Normalized(*tree)) : std::nullopt;
  }

  QuarantineWorld world_;
};

// Saved, deleted, listed after a restart and restored: every value of every type comes back
// byte for byte, and the quarantine is left as if nothing had happened.
TEST_P(KeyRoundTripTest, AKeyComesBackExactly) {
  const KeyCase& test = GetParam();
  KeyTree sample = contracts::SampleTree();
  sample.name = platform::WideString(test.row.Caption.begin(), test.row.Caption.end());
  if (test.row.Caption.starts_with('\xC9')) {
    sample.name = u"\u00C9vil";
  }
  world_.registry.CreateKeyWide(test.root, test.parent, platform::RegistryAccess::kFull);
  ASSERT_EQ(RestoreKeyTree(world_.registry, test.root, test.parent, sample).status,
            TreeRestoreResult::Status::kRestored);
  const auto before = Walk(test, sample.name);
  world_.Start();
  world_.Found({test.row});

  EXPECT_TRUE(world_.Repair());
  EXPECT_EQ(Walk(test, sample.name), std::nullopt);
  const auto index = world_.Index("Registry");
  ASSERT_EQ(index.size(), 1u);
  EXPECT_EQ(index.begin()->second, test.shownParent + "\\" + test.row.Caption);
  const std::string save = std::string(QuarantineWorld::kQuarantine) + "\\" + index.begin()->first;
  EXPECT_TRUE(world_.files.Contents(save)->starts_with("\xFF\xFEW\0i\0n\0"));
  EXPECT_EQ(world_.Statistics().ObjectsQuarantined, 1);
  EXPECT_EQ(world_.Statistics().ObjectsRemoved, 0);

  world_.Restart();
  EXPECT_EQ(world_.Rows(), std::vector<std::string>{test.row.Caption + "|" + test.row.Description +
                                                    "|" + test.shownParent});
  EXPECT_EQ(world_.Summary(), "There are 1 object(s) in quarantine.");
  EXPECT_TRUE(world_.Restore(test.row.Caption));

  EXPECT_TRUE(world_.Messages().empty());
  EXPECT_EQ(Walk(test, sample.name), before);
  EXPECT_EQ(world_.List().Count(), 0);
  EXPECT_FALSE(world_.files.FileAttributes(QuarantineWorld::kIndex));
  EXPECT_FALSE(world_.files.FileAttributes(QuarantineWorld::kQuarantine));
  EXPECT_EQ(world_.Statistics().ObjectsQuarantined, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Quarantine, KeyRoundTripTest,
    ::testing::Values(KeyCase{"CurrentUser",
                              RegistryRoot::kCurrentUser,
                              u"Software\\Bad",
                              {"EvilKey", "HKEY_CURRENT_USER\\Software\\Bad", "Evil key"},
                              "HKEY_CURRENT_USER\\Software\\Bad"},
                      KeyCase{"LocalMachineHiveTop",
                              RegistryRoot::kLocalMachine,
                              u"",
                              {"EvilKey", "HKEY_LOCAL_MACHINE", "Evil key"},
                              "HKEY_LOCAL_MACHINE"},
                      KeyCase{"NameBeyondAscii",
                              RegistryRoot::kCurrentUser,
                              u"Software",
                              {"\xC9vil", "HKEY_CURRENT_USER\\Software", "Unavailable"},
                              "HKEY_CURRENT_USER\\Software"},
                      KeyCase{"ClassesRootUsersCopy",
                              RegistryRoot::kCurrentUser,
                              u"Software\\Classes\\CLSID",
                              {"EvilKey", "HKEY_CLASSES_ROOT\\CLSID", "Evil key"},
                              "HKEY_CURRENT_USER\\Software\\Classes\\CLSID"},
                      KeyCase{"ClassesRootMachinesCopy",
                              RegistryRoot::kLocalMachine,
                              u"Software\\Classes",
                              {"EvilKey", "HKEY_CLASSES_ROOT", "Evil key"},
                              "HKEY_LOCAL_MACHINE\\Software\\Classes"}),
    [](const auto& info) { return info.param.name; });

// A key of the saved name that exists now, or a parent that went, is never merged into or
// re-created: the restore warns and nothing changes. Empty then deletes the saves with the
// files; the index goes only with the last entry of both sections.
TEST(KeyQuarantine, RestoreNeverMergesAndEmptyDeletesTheSaves) {
  QuarantineWorld world;
  world.registry.AddKey(RegistryRoot::kCurrentUser, "Software\\Bad\\EvilKey\\Sub");
  world.registry.AddKey(RegistryRoot::kCurrentUser, "Software\\Gone\\EvilKey2");
  world.files.AddFile("C:\\Bad\\evil.exe", "file");
  world.Start();
  world.Found({{"EvilKey", "HKEY_CURRENT_USER\\Software\\Bad", "Evil key"},
               {"EvilKey2", "HKEY_CURRENT_USER\\Software\\Gone", "Evil key"},
               {"evil.exe", "C:\\Bad", "Evil file"}});
  EXPECT_TRUE(world.Repair());
  EXPECT_EQ(world.Statistics().ObjectsQuarantined, 3);
  world.registry.AddKey(RegistryRoot::kCurrentUser, "Software\\Bad\\EVILKEY\\Other");
  ASSERT_TRUE(world.registry.DeleteKey(RegistryRoot::kCurrentUser, "Software\\Gone"));
  const std::optional<std::string> index = world.files.Contents(QuarantineWorld::kIndex);

  for (const char* name : {"EvilKey", "EvilKey2"}) {
    EXPECT_TRUE(world.Restore(name));
    EXPECT_EQ(world.Messages().back(), kRestoreFailure);
  }
  EXPECT_FALSE(world.registry.HasKey(RegistryRoot::kCurrentUser, "Software\\Bad\\EvilKey\\Sub"));
  EXPECT_FALSE(world.registry.HasKey(RegistryRoot::kCurrentUser, "Software\\Gone"));
  EXPECT_EQ(world.files.Contents(QuarantineWorld::kIndex), index);
  EXPECT_EQ(world.List().Count(), 3);

  EXPECT_TRUE(world.Restore("evil.exe"));
  EXPECT_EQ(world.Index(), (std::map<std::string, std::string>{}));
  EXPECT_EQ(world.Index("Registry").size(), 2u);
  EXPECT_EQ(world.Statistics().ObjectsQuarantined, 3);
  EXPECT_TRUE(world.Empty());
  EXPECT_EQ(world.List().Count(), 0);
  EXPECT_FALSE(world.files.FileAttributes(QuarantineWorld::kIndex));
  EXPECT_FALSE(world.files.FileAttributes(QuarantineWorld::kQuarantine));
  EXPECT_EQ(world.Statistics().ObjectsQuarantined, 0);
}

// Unticked, a key is deleted as before: no save, no entry, no row, counted as removed.
TEST(KeyQuarantine, WithoutQuarantiningAKeyIsOnlyDeleted) {
  QuarantineWorld world;
  world.registry.AddKey(RegistryRoot::kCurrentUser, "Software\\Bad\\EvilKey\\Sub");
  world.Start();
  world.SetQuarantining(false);
  world.Found({{"EvilKey", "HKEY_CURRENT_USER\\Software\\Bad", "Evil key"}});
  EXPECT_TRUE(world.Repair());
  EXPECT_FALSE(world.registry.HasKey(RegistryRoot::kCurrentUser, "Software\\Bad\\EvilKey"));
  EXPECT_FALSE(world.files.FileAttributes(QuarantineWorld::kIndex));
  EXPECT_FALSE(world.files.FileAttributes(QuarantineWorld::kQuarantine));
  EXPECT_EQ(world.List().Count(), 0);
  EXPECT_EQ(world.Statistics().ObjectsRemoved, 1);
  EXPECT_EQ(world.Statistics().ObjectsQuarantined, 0);
}

}  // namespace
}  // namespace nexolant
