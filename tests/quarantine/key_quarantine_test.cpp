#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "contracts/key_tree_contract.h"
#include "quarantine/quarantine_world.h"
#include "registry/registration_file.h"

namespace nexolant {
namespace {

using platform::RegistryRoot;
using Keys = std::map<std::string, std::string>;
using platform::WideString;

// A key planted below the root and parent, its Report row's location, and the parent path the
// Quarantine page and the index show for the real key.
struct KeyCase {
  const char* name;
  RegistryRoot root;
  platform::WideString parent;
  std::string location;
  std::string shown;
  platform::WideString key = u"EvilKey";
  std::string caption = "EvilKey";
};

class KeyRoundTripTest : public ::testing::TestWithParam<KeyCase> {};

// Saved, deleted, listed after a restart and restored: every value of every type comes back
// byte for byte, and the quarantine is left as if nothing had happened.
TEST_P(KeyRoundTripTest, AKeyComesBackExactly) {
  const KeyCase& test = GetParam();
  QuarantineWorld world;
  KeyTree sample = contracts::SampleTree();
  sample.name = test.key;
  ASSERT_TRUE(
      world.registry.CreateKeyWide(test.root, test.parent, platform::RegistryAccess::kFull));
  ASSERT_EQ(RestoreKeyTree(world.registry, test.root, test.parent, sample).status,
            TreeRestoreResult::Status::kRestored);
  const auto walk = [&] {
    return contracts::WalkThroughInterface(world.registry, test.root,
                                           JoinKeyPath(test.parent, test.key));
  };
  const auto before = walk();
  world.Start();
  world.Found({{test.caption, test.location, "Found"}});

  EXPECT_TRUE(world.Repair());
  EXPECT_EQ(walk(), std::nullopt);
  const Keys index = world.Index("Registry");
  ASSERT_EQ(index.size(), 1u);
  EXPECT_EQ(index.begin()->second, test.shown + "\\" + test.caption);
  EXPECT_TRUE(
      world.files.Contents(std::string(QuarantineWorld::kQuarantine) + "\\" + index.begin()->first)
          ->starts_with("\xFF\xFEW\0i\0n\0"));
  EXPECT_EQ(world.Statistics().ObjectsQuarantined, 1);
  world.Restart();
  // Listed with the description the key was found by, which its name does not give.
  EXPECT_EQ(world.Rows(), std::vector<std::string>{test.caption + "|Found|" + test.shown});
  // A key of that name now is never merged into: the restore warns and changes nothing.
  const WideString other = JoinKeyPath(test.parent, FoldAsciiCase(test.key));
  ASSERT_TRUE(
      world.registry.CreateKeyWide(test.root, other + u"\\Other", platform::RegistryAccess::kFull));
  const std::optional<std::string> saved = world.files.Contents(QuarantineWorld::kIndex);
  EXPECT_TRUE(world.Restore(test.caption));
  EXPECT_EQ(world.Messages(), std::vector<std::string>{kRestoreFailure});
  EXPECT_EQ(world.files.Contents(QuarantineWorld::kIndex), saved);
  ASSERT_TRUE(DeleteKeyTree(world.registry, test.root, other).Gone());
  EXPECT_TRUE(world.Restore(test.caption));

  EXPECT_EQ(world.Messages().size(), 1u);
  EXPECT_EQ(contracts::Normalized(*walk()), contracts::Normalized(*before));
  EXPECT_EQ(world.List().Count(), 0);
  EXPECT_FALSE(world.files.FileAttributes(QuarantineWorld::kIndex));
  EXPECT_FALSE(world.files.FileAttributes(QuarantineWorld::kQuarantine));
  EXPECT_EQ(world.Statistics().ObjectsQuarantined, 0);
}

constexpr RegistryRoot kUser = RegistryRoot::kCurrentUser;
constexpr RegistryRoot kMachine = RegistryRoot::kLocalMachine;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Quarantine, KeyRoundTripTest, ::testing::Values(
    KeyCase{"User", kUser, u"Software\\Bad", "HKEY_CURRENT_USER\\Software\\Bad",
            "HKEY_CURRENT_USER\\Software\\Bad"},
    KeyCase{"MachineHiveTop", kMachine, u"", "HKEY_LOCAL_MACHINE", "HKEY_LOCAL_MACHINE"},
    KeyCase{"NameBeyondAscii", kUser, u"Software", "HKEY_CURRENT_USER\\Software",
            "HKEY_CURRENT_USER\\Software", u"\u00C9vil", "\xC9vil"},
    KeyCase{"NameBeyondTheCodePage", kUser, u"Software", "HKEY_CURRENT_USER\\Software",
            "HKEY_CURRENT_USER\\Software", u"\u0416\u0443\u043A", "???"},
    KeyCase{"ClassesUsersCopy", kUser, u"Software\\Classes\\Gator.Toolbar",
            "HKEY_CLASSES_ROOT\\Gator.Toolbar", "HKEY_CURRENT_USER\\Software\\Classes\\Gator.Toolbar"},
    KeyCase{"ClassesMachinesCopy", kMachine, u"Software\\Classes", "HKEY_CLASSES_ROOT",
            "HKEY_LOCAL_MACHINE\\Software\\Classes"}),
    [](const auto& info) { return info.param.name; });
// clang-format on

// A save is a file any program of the user can edit. One that names a key the protection
// policy keeps, names another key than its row, or is larger than a save is written is never
// restored, and nothing is created; the row's own save comes back.
TEST(KeyQuarantineTest, OnlyTheRowsOwnUnprotectedKeyComesBack) {
  const auto save = [](RegistryRoot root, const char16_t* parent, const char16_t* name) {
    return WriteRegistrationFile({root, parent, {name, {}, {}}}).bytes;
  };
  struct EditedSave {
    const char* name;
    std::string bytes;
    const char* row;  // the key path the index gives the save
    bool restored;
  };
  const EditedSave cases[] = {
      {"Protected", save(kUser, u"Software", u"Policies"), "HKEY_CURRENT_USER\\Software\\Policies",
       false},
      {"AnotherKey", save(kMachine, u"SYSTEM\\CurrentControlSet\\Services", u"EvilKey"),
       "HKEY_CURRENT_USER\\Software\\EvilKey", false},
      {"TooLarge", std::string(QuarantineStore::kLargestKeySave + 1, ' '),
       "HKEY_CURRENT_USER\\Software\\EvilKey", false},
      {"ItsOwn", save(kUser, u"software", u"EVILKEY"), "HKEY_CURRENT_USER\\Software\\EvilKey",
       true},
  };
  for (const EditedSave& test : cases) {
    SCOPED_TRACE(test.name);
    QuarantineWorld world;
    world.registry.AddKey(kUser, "Software");
    world.registry.AddKey(kMachine, "SYSTEM\\CurrentControlSet\\Services");
    world.files.AddFolder(QuarantineWorld::kQuarantine);
    world.files.AddFile(std::string(QuarantineWorld::kQuarantine) + "\\Key1.reg", test.bytes);
    world.files.AddFile(QuarantineWorld::kIndex,
                        std::string("[Registry]\r\nKey1.reg=") + test.row + "\r\n");
    world.Start();
    const std::string caption = std::string(test.row).substr(std::string(test.row).rfind('\\') + 1);
    EXPECT_TRUE(world.Restore(caption));
    EXPECT_EQ(world.Messages().empty(), test.restored);
    EXPECT_FALSE(world.registry.HasKey(kUser, "Software\\Policies"));
    EXPECT_FALSE(world.registry.HasKey(kMachine, "SYSTEM\\CurrentControlSet\\Services\\EvilKey"));
    EXPECT_EQ(world.registry.HasKey(kUser, "Software\\EvilKey"), test.restored);
    EXPECT_EQ(world.List().Count(), test.restored ? 0 : 1);
  }
}

}  // namespace
}  // namespace nexolant
