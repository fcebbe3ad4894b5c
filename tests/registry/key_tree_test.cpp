#include <gtest/gtest.h>

#include "contracts/key_tree_contract.h"
#include "fakes/memory_registry.h"
#include "platform/errors.h"
#include "registry/classes_root.h"

namespace nexolant {
namespace {

using contracts::Tree;
using platform::RegistryRoot;

constexpr RegistryRoot kUserRoot = RegistryRoot::kCurrentUser;
constexpr RegistryRoot kMachine = RegistryRoot::kLocalMachine;

// A delete, read or restore that cannot finish says what stayed, where, and why.
TEST(KeyTree, FailuresSayWhatAndWhere) {
  MemoryRegistry registry;
  registry.AddKey(kUserRoot, "Top\\A\\Locked\\Below");
  registry.SetValue(kUserRoot, "Top\\B", "Secret", platform::kRegBinary, "x");
  registry.SetUnreadable(kUserRoot, "Top\\B", "Secret");
  registry.DenyFullAccess(kUserRoot, "Top\\A\\Locked");
  const TreeReadResult read = ReadKeyTree(registry, kUserRoot, u"Top");
  EXPECT_EQ(read.status, TreeReadResult::Status::kFailed);
  EXPECT_EQ(read.failedPath, u"Top\\B");
  EXPECT_EQ(read.tree, KeyTree{});
  EXPECT_EQ(RestoreKeyTree(registry, kUserRoot, u"Top\\A\\Locked", Tree(u"New")).status,
            TreeRestoreResult::Status::kParentUnavailable);
  for (const KeyTree& tree :
       {Tree(u"a\\b"), Tree(u"a", {}, {Tree(u"")}), Tree(std::u16string(256, u'k'))}) {
    EXPECT_EQ(RestoreKeyTree(registry, kUserRoot, u"", tree).status,
              TreeRestoreResult::Status::kRefused);
  }
  const TreeDeleteResult deleted = DeleteKeyTree(registry, kUserRoot, u"Top");
  EXPECT_EQ(deleted.status, TreeDeleteResult::Status::kNotDeleted);
  EXPECT_EQ(deleted.left,
            (std::vector<KeyLeft>{{u"Top\\A\\Locked", platform::kErrorAccessDenied}}));
  EXPECT_FALSE(registry.HasKey(kUserRoot, "Top\\B"));
  EXPECT_TRUE(registry.HasKey(kUserRoot, "Top\\A\\Locked\\Below"));
  EXPECT_EQ(DeleteKeyTree(registry, kUserRoot, u"Missing").status,
            TreeDeleteResult::Status::kMissing);
  for (const char16_t* path : {u"", u"\\Top", u"Top\\", u"Top\\\\A"}) {
    EXPECT_EQ(DeleteKeyTree(registry, kUserRoot, path).status, TreeDeleteResult::Status::kRefused);
  }
}

TEST(KeyTree, ClassesRootPathsResolveToTheirRealKeys) {
  MemoryRegistry registry;
  registry.AddKey(kUserRoot, "Software\\Classes\\Both\\Sub");
  registry.AddKey(kMachine, "Software\\Classes\\Both\\Sub");
  registry.AddKey(kMachine, "Software\\Classes\\MachineOnly");
  const auto both = ResolveClassesKey(registry, u"both\\SUB");
  EXPECT_EQ(both.Shown(), (KeyLocation{kUserRoot, u"Software\\Classes\\both\\SUB"}));
  EXPECT_EQ(both.machine, (KeyLocation{kMachine, u"Software\\Classes\\both\\SUB"}));
  EXPECT_TRUE(both.BothExist());
  const auto machine = ResolveClassesKey(registry, u"MachineOnly");
  EXPECT_EQ(machine.user, std::nullopt);
  EXPECT_EQ(machine.Shown(), (KeyLocation{kMachine, u"Software\\Classes\\MachineOnly"}));
  for (const char16_t* path : {u"Neither", u"", u"Both\\"}) {
    EXPECT_EQ(ResolveClassesKey(registry, path).Shown(), std::nullopt);
  }
}

}  // namespace
}  // namespace nexolant
