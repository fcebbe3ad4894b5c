#include "fakes/memory_registry.h"

#include <gtest/gtest.h>

namespace nexolant {
namespace {

using platform::RegistryAccess;
using platform::RegistryRoot;

constexpr RegistryRoot kUser = RegistryRoot::kCurrentUser;

TEST(MemoryRegistry, ADeniedKeyOpensForReadingOnlyAndStays) {
  MemoryRegistry registry;
  registry.AddKey(kUser, "Locked\\Inner");
  registry.DenyFullAccess(kUser, "Locked");
  EXPECT_FALSE(registry.OpenKey(kUser, "locked", RegistryAccess::kFull));
  EXPECT_FALSE(registry.CreateKey(kUser, "Locked", RegistryAccess::kFull));
  EXPECT_FALSE(registry.CreateKey(kUser, "Locked\\New", RegistryAccess::kFull));
  const auto key = registry.OpenKey(kUser, "Locked", RegistryAccess::kRead);
  ASSERT_TRUE(key);
  EXPECT_EQ(registry.SubkeyNames(*key), StringList{"Inner"});
  EXPECT_TRUE(registry.DeleteKey(kUser, "Locked\\Inner"));
  EXPECT_FALSE(registry.DeleteKey(kUser, "Locked"));
  EXPECT_TRUE(registry.HasKey(kUser, "Locked"));
}

TEST(MemoryRegistry, HandlesOfADeletedKeyFail) {
  MemoryRegistry registry;
  registry.SetValue(kUser, "Gone", "Value", platform::kRegString, std::string("x\0", 2));
  const auto key = registry.OpenKey(kUser, "Gone", RegistryAccess::kFull);
  ASSERT_TRUE(key);
  EXPECT_TRUE(registry.DeleteKey(kUser, "Gone"));
  EXPECT_FALSE(registry.ValueExists(*key, "Value"));
  EXPECT_FALSE(registry.WriteString(*key, "Value", u"y"));
  EXPECT_FALSE(registry.CreateKey(*key, "Child", RegistryAccess::kFull));
  EXPECT_EQ(registry.OpenKeyCount(), 1);
}

TEST(MemoryRegistry, PathsWithAnEmptyNameAreRefused) {
  MemoryRegistry registry;
  registry.AddKey(kUser, "A\\B");
  for (const char* path : {"\\A", "A\\", "A\\\\B"}) {
    EXPECT_FALSE(registry.OpenKey(kUser, path, RegistryAccess::kRead)) << path;
    EXPECT_FALSE(registry.CreateKey(kUser, path, RegistryAccess::kFull)) << path;
    EXPECT_FALSE(registry.DeleteKey(kUser, path)) << path;
  }
  const auto a = registry.OpenKey(kUser, "A", RegistryAccess::kFull);
  ASSERT_TRUE(a);
  EXPECT_FALSE(registry.DeleteKey(*a, ""));
  EXPECT_TRUE(registry.HasKey(kUser, "A\\B"));
}

TEST(MemoryRegistry, RootsAreSeparateTrees) {
  MemoryRegistry registry;
  registry.AddKey(RegistryRoot::kLocalMachine, "Software\\Classes\\.txt");
  EXPECT_FALSE(registry.HasKey(RegistryRoot::kClassesRoot, ".txt"));
  EXPECT_FALSE(registry.HasKey(kUser, "Software"));
  EXPECT_TRUE(registry.HasKey(RegistryRoot::kLocalMachine, "SOFTWARE\\classes\\.TXT"));
}

TEST(MemoryRegistry, UnreadableValuesExistButCannotBeRead) {
  MemoryRegistry registry;
  registry.SetValue(kUser, "Key", "Secret", platform::kRegString, std::string("x\0", 2));
  registry.SetUnreadable(kUser, "Key", "Secret");
  const auto key = registry.OpenKey(kUser, "Key", RegistryAccess::kRead);
  ASSERT_TRUE(key);
  EXPECT_TRUE(registry.ValueExists(*key, "Secret"));
  EXPECT_EQ(registry.ReadValue(*key, "Secret").status,
            platform::RegistryValue::Status::kUnreadable);
  EXPECT_THROW(registry.SetUnreadable(kUser, "Key", "Missing"), std::out_of_range);
  EXPECT_THROW(registry.DenyFullAccess(kUser, "Missing"), std::out_of_range);
}

}  // namespace
}  // namespace nexolant
