#include "registry/t_registry.h"

#include <gtest/gtest.h>

#include "fakes/memory_registry.h"

namespace nexolant {
namespace {

using platform::RegistryAccess;
using platform::RegistryRoot;

constexpr RegistryRoot kUser = RegistryRoot::kCurrentUser;

template <typename Action>
std::string FailureText(Action action) {
  try {
    action();
  } catch (const RegistryError& error) {
    return error.what();
  }
  return "no failure";
}

class TRegistryTest : public ::testing::Test {
 protected:
  MemoryRegistry registry_;
};

TEST_F(TRegistryTest, ANewObjectHasTheCurrentUserRootFullAccessAndNoOpenKey) {
  registry_.AddKey(kUser, "Software");
  TRegistry reg(registry_);
  EXPECT_EQ(reg.RootKey(), kUser);
  EXPECT_EQ(reg.Access(), RegistryAccess::kFull);
  EXPECT_FALSE(reg.HasOpenKey());
  StringList names{"stale"};
  reg.GetKeyNames(names);
  EXPECT_TRUE(names.empty());
  EXPECT_FALSE(reg.ValueExists(""));
  EXPECT_EQ(reg.ReadString("Nexolant"), "");
  EXPECT_FALSE(reg.DeleteValue("Nexolant"));
  EXPECT_EQ(FailureText([&] { reg.WriteString("Nexolant", u"x"); }),
            "Failed to set data for 'Nexolant'");
}

TEST_F(TRegistryTest, PathsStartAtTheRootWithABackslashElseAtTheOpenKey) {
  registry_.AddKey(kUser, "Software\\App\\Sub\\AppChild");
  registry_.AddKey(kUser, "Software\\App\\Only");
  registry_.AddKey(kUser, "Sub\\RootChild");
  TRegistry reg(registry_);

  EXPECT_FALSE(reg.KeyExists("Only"));  // no open key: from the root
  EXPECT_TRUE(reg.KeyExists("Software\\App\\Only"));
  ASSERT_TRUE(reg.OpenKey("Software\\App", false));

  const struct {
    const char* path;
    bool exists;
  } cases[] = {
      {"Only", true},
      {"\\Only", false},
      {"Sub\\AppChild", true},
      {"\\Sub\\RootChild", true},
      {"Sub\\RootChild", false},
      {"\\Software\\App\\Only", true},
      {"Software", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(reg.KeyExists(c.path), c.exists) << c.path;
  }

  StringList names;
  ASSERT_TRUE(reg.OpenKey("Sub", false));
  reg.GetKeyNames(names);
  EXPECT_EQ(names, StringList{"AppChild"});
  ASSERT_TRUE(reg.OpenKey("\\Sub", false));
  reg.GetKeyNames(names);
  EXPECT_EQ(names, StringList{"RootChild"});
}

TEST_F(TRegistryTest, OpenKeyReplacesTheOpenKeyOnSuccessAndChangesNothingOnFailure) {
  registry_.AddKey(kUser, "A\\FromA");
  registry_.AddKey(kUser, "B\\FromB");
  StringList names;
  {
    TRegistry reg(registry_);
    ASSERT_TRUE(reg.OpenKey("\\A", false));
    EXPECT_FALSE(reg.OpenKey("Missing", false));
    EXPECT_FALSE(reg.OpenKey("\\B\\Missing", false));
    reg.GetKeyNames(names);
    EXPECT_EQ(names, StringList{"FromA"});
    ASSERT_TRUE(reg.OpenKey("\\B", false));
    reg.GetKeyNames(names);
    EXPECT_EQ(names, StringList{"FromB"});
    EXPECT_EQ(registry_.OpenKeyCount(), 1);
    reg.CloseKey();
    EXPECT_FALSE(reg.HasOpenKey());
    EXPECT_EQ(registry_.OpenKeyCount(), 0);
    ASSERT_TRUE(reg.OpenKey("\\A", false));
  }
  EXPECT_EQ(registry_.OpenKeyCount(), 0);
}

TEST_F(TRegistryTest, OpenKeyCreatesOnlyWhenAskedAndNeverForTheEmptyPath) {
  registry_.AddKey(kUser, "Top");
  TRegistry reg(registry_);
  EXPECT_FALSE(reg.OpenKey("\\New\\Deep", false));
  EXPECT_FALSE(registry_.HasKey(kUser, "New"));
  ASSERT_TRUE(reg.OpenKey("\\New\\Deep", true));
  EXPECT_TRUE(registry_.HasKey(kUser, "New\\Deep"));
  ASSERT_TRUE(reg.OpenKey("Child", true));
  EXPECT_TRUE(registry_.HasKey(kUser, "New\\Deep\\Child"));

  ASSERT_TRUE(reg.OpenKey("\\", true));
  StringList names;
  reg.GetKeyNames(names);
  EXPECT_EQ(names, (StringList{"New", "Top"}));
}

TEST_F(TRegistryTest, OnlyAnotherRootClosesTheOpenKey) {
  registry_.AddKey(kUser, "Key");
  TRegistry reg(registry_);
  ASSERT_TRUE(reg.OpenKey("Key", false));
  reg.SetRootKey(kUser);
  EXPECT_TRUE(reg.HasOpenKey());
  reg.SetRootKey(RegistryRoot::kLocalMachine);
  EXPECT_FALSE(reg.HasOpenKey());
  EXPECT_EQ(reg.RootKey(), RegistryRoot::kLocalMachine);
  EXPECT_EQ(registry_.OpenKeyCount(), 0);
}

TEST_F(TRegistryTest, AKeyWithoutFullAccessExistsButListsNoSubkeys) {
  registry_.AddKey(kUser, "Software\\Locked\\Inner");
  registry_.AddKey(kUser, "Software\\Open");
  registry_.DenyFullAccess(kUser, "Software\\Locked");
  TRegistry reg(registry_);
  ASSERT_TRUE(reg.OpenKey("\\Software\\Open", false));
  EXPECT_TRUE(reg.KeyExists("\\Software\\Locked"));
  EXPECT_FALSE(reg.OpenKey("\\Software\\Locked", false));
  EXPECT_EQ(registry_.OpenKeyCount(), 1);  // the key exists test closed its key

  TRegIniFile fresh(registry_);
  EXPECT_FALSE(fresh.OpenKey("\\Software\\Locked", false));
  EXPECT_TRUE(fresh.KeyExists("\\Software\\Locked"));
  StringList names{"stale"};
  fresh.GetKeyNames(names);
  EXPECT_TRUE(names.empty());
}

TEST_F(TRegistryTest, DeleteKeyDeletesSubkeysFirstTheLastOneFirst) {
  for (const char* path : {"Doomed\\A", "Doomed\\B\\B1", "Doomed\\B\\B2", "Doomed\\C", "Doomed2"}) {
    registry_.AddKey(kUser, path);
  }
  registry_.SetValue(kUser, "Doomed", "Value", platform::kRegString, std::string("x\0", 2));
  TRegistry reg(registry_);
  EXPECT_TRUE(reg.DeleteKey("\\doomed"));
  EXPECT_EQ(registry_.DeletedKeys(), (StringList{"Doomed\\C", "Doomed\\B\\B2", "Doomed\\B\\B1",
                                                 "Doomed\\B", "Doomed\\A", "Doomed"}));
  EXPECT_TRUE(registry_.HasKey(kUser, "Doomed2"));
  EXPECT_EQ(registry_.OpenKeyCount(), 0);
}

TEST_F(TRegistryTest, DeleteKeyTakesRelativePathsFromTheOpenKey) {
  registry_.AddKey(kUser, "Software\\X\\Y");
  registry_.AddKey(kUser, "X");
  TRegistry reg(registry_);
  ASSERT_TRUE(reg.OpenKey("Software", false));
  EXPECT_TRUE(reg.DeleteKey("X"));
  EXPECT_TRUE(registry_.HasKey(kUser, "X"));
  EXPECT_TRUE(reg.DeleteKey("\\X"));
  EXPECT_EQ(registry_.DeletedKeys(), (StringList{"Software\\X\\Y", "Software\\X", "X"}));
  EXPECT_TRUE(reg.HasOpenKey());
}

TEST_F(TRegistryTest, DeleteKeyIsFalseWhenTheKeyItselfStays) {
  registry_.AddKey(kUser, "Keep\\A");
  registry_.AddKey(kUser, "Keep\\Locked");
  registry_.DenyFullAccess(kUser, "Keep\\Locked");
  TRegistry reg(registry_);
  EXPECT_FALSE(reg.DeleteKey("\\Keep"));
  EXPECT_EQ(registry_.DeletedKeys(), StringList{"Keep\\A"});
  EXPECT_TRUE(registry_.HasKey(kUser, "Keep\\Locked"));
  EXPECT_FALSE(reg.DeleteKey("\\Missing"));
}

TEST_F(TRegistryTest, DeleteKeyNeverEmptiesARootOrTheOpenKey) {
  registry_.AddKey(kUser, "Software\\App\\Sub");
  TRegistry reg(registry_);
  for (const char* path : {"", "\\", "\\\\", "\\Software\\", "\\Software\\\\App", "\\\\Software"}) {
    EXPECT_FALSE(reg.DeleteKey(path)) << path;
  }
  ASSERT_TRUE(reg.OpenKey("\\Software\\App", false));
  EXPECT_FALSE(reg.DeleteKey(""));
  EXPECT_TRUE(registry_.DeletedKeys().empty());
  EXPECT_TRUE(registry_.HasKey(kUser, "Software\\App\\Sub"));
}

TEST_F(TRegistryTest, ReadStringGivesTextUpToItsZeroAndEmptyForMissingOrEmptyValues) {
  const struct {
    const char* name;
    std::uint32_t type;
    std::string data;
    const char* expected;
  } cases[] = {
      {"Plain", platform::kRegString, std::string("C:\\App.exe\0", 11), "C:\\App.exe"},
      {"Expand", platform::kRegExpandString, std::string("%WINDIR%\0", 9), "%WINDIR%"},
      {"EmbeddedZero", platform::kRegString, std::string("ab\0cd\0", 6), "ab"},
      {"NoZero", platform::kRegString, "unterminated", "unterminated"},
      {"EmptyText", platform::kRegString, "", ""},
      {"EmptyNumber", platform::kRegDword, "", ""},
      {"", platform::kRegString, std::string("0409\0", 5), "0409"},
  };
  for (const auto& c : cases) {
    registry_.SetValue(kUser, "Values", c.name, c.type, c.data);
  }
  TRegistry reg(registry_);
  ASSERT_TRUE(reg.OpenKey("Values", false));
  for (const auto& c : cases) {
    EXPECT_EQ(reg.ReadString(c.name), c.expected) << c.name;
  }
  EXPECT_EQ(reg.ReadString("Missing"), "");
}

TEST_F(TRegistryTest, FailuresNameTheValue) {
  registry_.SetValue(kUser, "Values", "Count", platform::kRegDword, std::string(4, '\1'));
  registry_.SetValue(kUser, "Values", "Blob", platform::kRegBinary, "ab");
  registry_.SetValue(kUser, "Values", "Secret", platform::kRegString, std::string("x\0", 2));
  registry_.SetUnreadable(kUser, "Values", "Secret");
  TRegistry reg(registry_);
  ASSERT_TRUE(reg.OpenKey("Values", false));
  EXPECT_EQ(FailureText([&] { reg.ReadString("Count"); }), "Invalid data type for 'Count'");
  EXPECT_EQ(FailureText([&] { reg.ReadString("Blob"); }), "Invalid data type for 'Blob'");
  EXPECT_EQ(FailureText([&] { reg.ReadString("Secret"); }), "Failed to get data for 'Secret'");

  TRegistry readOnly(registry_, RegistryAccess::kRead);
  ASSERT_TRUE(readOnly.OpenKey("Values", false));
  EXPECT_EQ(FailureText([&] { readOnly.WriteString("Nexolant", u"x"); }),
            "Failed to set data for 'Nexolant'");
  EXPECT_FALSE(readOnly.DeleteValue("Count"));
  EXPECT_TRUE(readOnly.ValueExists("Count"));
}

TEST_F(TRegistryTest, WriteStringStoresTheTextAndItsZero) {
  const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  TRegistry reg(registry_);
  ASSERT_TRUE(reg.OpenKey(run, true));
  EXPECT_FALSE(reg.ValueExists("Nexolant"));
  reg.WriteString("Nexolant", u"C:\\Apps\\Nexolant.exe");
  const auto stored = registry_.Value(kUser, run, "Nexolant");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, platform::kRegString);
  EXPECT_EQ(stored->data, std::string("C:\\Apps\\Nexolant.exe\0", 21));
  EXPECT_TRUE(reg.ValueExists("nexolant"));
  EXPECT_EQ(reg.ReadString("Nexolant"), "C:\\Apps\\Nexolant.exe");
  EXPECT_TRUE(reg.DeleteValue("Nexolant"));
  EXPECT_FALSE(reg.DeleteValue("Nexolant"));
  EXPECT_FALSE(reg.ValueExists("Nexolant"));
}

TEST(HiveNames, NameTheThreeRootsAndOnlyThem) {
  EXPECT_EQ(HiveName(RegistryRoot::kClassesRoot), "HKEY_CLASSES_ROOT");
  EXPECT_EQ(HiveName(RegistryRoot::kCurrentUser), "HKEY_CURRENT_USER");
  EXPECT_EQ(HiveName(RegistryRoot::kLocalMachine), "HKEY_LOCAL_MACHINE");
  EXPECT_EQ(HiveName(RegistryRoot::kUsers), "");
}

TEST(HiveNames, HiveRootComparesExactlyAndFallsBackToTheClassesRoot) {
  const struct {
    const char* name;
    RegistryRoot root;
  } cases[] = {
      {"HKEY_CURRENT_USER", RegistryRoot::kCurrentUser},
      {"HKEY_LOCAL_MACHINE", RegistryRoot::kLocalMachine},
      {"HKEY_CLASSES_ROOT", RegistryRoot::kClassesRoot},
      {"hkey_current_user", RegistryRoot::kClassesRoot},
      {"HKEY_LOCAL_MACHINE\\", RegistryRoot::kClassesRoot},
      {"HKEY_USERS", RegistryRoot::kClassesRoot},
      {"C:", RegistryRoot::kClassesRoot},
      {"", RegistryRoot::kClassesRoot},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HiveRoot(c.name), c.root) << c.name;
  }
}

}  // namespace
}  // namespace nexolant
