#pragma once

#include <algorithm>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "platform/registry.h"
#include "platform/string_list.h"

// What every platform::Registry must do, checked against the in-memory fake natively and
// against the real registry under Wine. Instantiate with a type that has
//   static std::unique_ptr<platform::Registry> Make();
//   static std::string ScratchPath();  // a key of HKEY_CURRENT_USER owned by this process
// The scratch key is created before each test and deleted with everything below it after.

namespace nexolant::contracts {

// Deletes a key with everything below it, for cleaning up, through the wide operations so
// that names in any script go too and links go as themselves. The empty path, which names the
// base itself, is left alone.
inline void DeleteRegistryTree(platform::Registry& registry, platform::KeyBase base,
                               const platform::WideString& path) {
  const auto key = registry.OpenKeyWide(base, path, platform::RegistryAccess::kFull,
                                        platform::LinkHandling::kOpenLinkItself);
  if (path.empty() || !key.key) {
    return;
  }
  for (const auto& name : registry.SubkeyNamesWide(*key.key).names) {
    DeleteRegistryTree(registry, *key.key, name);
  }
  // A cleanup: a test that left more than it can delete fails on its own checks.
  platform::BestEffort(registry.DeleteOpenedKey(*key.key));
}

inline void DeleteRegistryTree(platform::Registry& registry, platform::KeyBase base,
                               const std::string& asciiPath) {
  DeleteRegistryTree(registry, base, platform::WideString(asciiPath.begin(), asciiPath.end()));
}

// A key of the current user's root for one test, gone again when this is destroyed.
class ScratchKey {
 public:
  ScratchKey(platform::Registry& registry, std::string path)
      : registry_(&registry), path_(std::move(path)) {
    DeleteRegistryTree(*registry_, kRoot, path_);
    key_ = registry_->CreateKey(kRoot, path_, platform::RegistryAccess::kFull).key;
  }
  ~ScratchKey() {
    key_.reset();
    DeleteRegistryTree(*registry_, kRoot, path_);
  }
  ScratchKey(const ScratchKey&) = delete;
  ScratchKey& operator=(const ScratchKey&) = delete;

  static constexpr platform::RegistryRoot kRoot = platform::RegistryRoot::kCurrentUser;
  const std::string& Path() const { return path_; }
  const platform::RegistryKeyPtr& Key() const { return key_; }  // opened with full access

 private:
  platform::Registry* registry_;
  std::string path_;
  platform::RegistryKeyPtr key_;
};

template <typename Traits>
class RegistryContract : public ::testing::Test {
 protected:
  RegistryContract() : registry_(Traits::Make()), scratch_(*registry_, Traits::ScratchPath()) {}

  void SetUp() override { ASSERT_TRUE(scratch_.Key()) << "cannot create " << scratch_.Path(); }

  platform::Registry& Reg() { return *registry_; }
  const platform::RegistryKey& Scratch() { return *scratch_.Key(); }

  std::unique_ptr<platform::Registry> registry_;
  ScratchKey scratch_;
};

TYPED_TEST_SUITE_P(RegistryContract);

using platform::RegistryAccess;
using platform::RegistryValue;

TYPED_TEST_P(RegistryContract, CreateMakesEveryMissingKeyAndOpenIgnoresCase) {
  auto& reg = this->Reg();
  ASSERT_TRUE(reg.CreateKey(this->Scratch(), "One\\Two\\Three", RegistryAccess::kFull));
  EXPECT_TRUE(reg.OpenKey(this->Scratch(), "one\\TWO", RegistryAccess::kRead));
  EXPECT_TRUE(reg.OpenKey(this->Scratch(), "ONE\\two\\three", RegistryAccess::kFull));
  EXPECT_TRUE(reg.CreateKey(this->Scratch(), "One\\Two", RegistryAccess::kFull));
  EXPECT_FALSE(reg.OpenKey(this->Scratch(), "One\\Missing", RegistryAccess::kRead));
  EXPECT_FALSE(reg.OpenKey(this->Scratch(), "One\\Two\\Three\\Four", RegistryAccess::kFull));

  const auto fromRoot =
      reg.OpenKey(ScratchKey::kRoot, this->scratch_.Path() + "\\One", RegistryAccess::kRead);
  ASSERT_TRUE(fromRoot);
  EXPECT_EQ(reg.SubkeyNames(*fromRoot), StringList{"Two"});
  const auto relative = reg.OpenKey(*fromRoot, "Two", RegistryAccess::kRead);
  ASSERT_TRUE(relative);
  EXPECT_EQ(reg.SubkeyNames(*relative), StringList{"Three"});
  const auto same = reg.OpenKey(*relative, "", RegistryAccess::kRead);
  ASSERT_TRUE(same);
  EXPECT_EQ(reg.SubkeyNames(*same), StringList{"Three"});
}

TYPED_TEST_P(RegistryContract, TheEmptyPathOpensTheRootItself) {
  const auto root = this->Reg().OpenKey(ScratchKey::kRoot, "", RegistryAccess::kRead);
  ASSERT_TRUE(root);
  const StringList names = this->Reg().SubkeyNames(*root);
  EXPECT_NE(std::find(names.begin(), names.end(), "Software"), names.end());
}

TYPED_TEST_P(RegistryContract, SubkeysAreListedSortedWithoutRegardToCase) {
  auto& reg = this->Reg();
  for (const char* name : {"Zeta", "alpha", "Gamma2", "beta", "gamma1", "Delta9", "delta10"}) {
    ASSERT_TRUE(reg.CreateKey(this->Scratch(), name, RegistryAccess::kFull)) << name;
  }
  EXPECT_EQ(reg.SubkeyNames(this->Scratch()),
            (StringList{"alpha", "beta", "delta10", "Delta9", "gamma1", "Gamma2", "Zeta"}));
  const auto leaf = reg.OpenKey(this->Scratch(), "Zeta", RegistryAccess::kRead);
  ASSERT_TRUE(leaf);
  EXPECT_TRUE(reg.SubkeyNames(*leaf).empty());
}

TYPED_TEST_P(RegistryContract, LongestNamesAreListedWhole) {
  const std::string longest(255, 'k');
  ASSERT_TRUE(this->Reg().CreateKey(this->Scratch(), longest, RegistryAccess::kFull));
  ASSERT_TRUE(this->Reg().CreateKey(this->Scratch(), "a", RegistryAccess::kFull));
  EXPECT_EQ(this->Reg().SubkeyNames(this->Scratch()), (StringList{"a", longest}));
}

TYPED_TEST_P(RegistryContract, DeleteRefusesAKeyThatHasSubkeys) {
  auto& reg = this->Reg();
  ASSERT_TRUE(reg.CreateKey(this->Scratch(), "Parent\\Child", RegistryAccess::kFull));
  const platform::Outcome hasSubkeys = reg.DeleteKey(this->Scratch(), "Parent");
  EXPECT_FALSE(hasSubkeys);
  EXPECT_EQ(hasSubkeys.error, platform::kErrorAccessDenied);
  EXPECT_TRUE(reg.OpenKey(this->Scratch(), "Parent\\Child", RegistryAccess::kRead));
  EXPECT_TRUE(reg.DeleteKey(this->Scratch(), "parent\\CHILD"));
  const platform::Outcome missing = reg.DeleteKey(this->Scratch(), "Parent\\Child");
  EXPECT_FALSE(missing);
  EXPECT_EQ(missing.error, platform::kErrorFileNotFound);
  EXPECT_TRUE(reg.DeleteKey(ScratchKey::kRoot, this->scratch_.Path() + "\\Parent"));
  EXPECT_TRUE(reg.SubkeyNames(this->Scratch()).empty());
}

TYPED_TEST_P(RegistryContract, StringsAreStoredWithTheirTerminatingZero) {
  auto& reg = this->Reg();
  const std::string path = "C:\\Program Files\\Nexolant\\Nexolant.exe";
  ASSERT_TRUE(reg.WriteString(this->Scratch(), "Nexolant", reg.WideSpelling(path)));
  EXPECT_TRUE(reg.ValueExists(this->Scratch(), "NEXOLANT"));
  RegistryValue value = reg.ReadValue(this->Scratch(), "nexolant");
  EXPECT_EQ(value.status, RegistryValue::Status::kFound);
  EXPECT_EQ(value.type, platform::kRegString);
  EXPECT_EQ(value.data, path + '\0');

  ASSERT_TRUE(reg.WriteString(this->Scratch(), "Nexolant", u""));
  value = reg.ReadValue(this->Scratch(), "Nexolant");
  EXPECT_EQ(value.status, RegistryValue::Status::kFound);
  EXPECT_EQ(value.data, std::string(1, '\0'));

  EXPECT_FALSE(reg.ValueExists(this->Scratch(), ""));
  ASSERT_TRUE(reg.WriteString(this->Scratch(), "", u"default"));
  EXPECT_EQ(reg.ReadValue(this->Scratch(), "").data, std::string("default") + '\0');
}

TYPED_TEST_P(RegistryContract, MissingValuesAreMissingUntilWrittenAndAfterDeletion) {
  auto& reg = this->Reg();
  EXPECT_FALSE(reg.ValueExists(this->Scratch(), "Value"));
  EXPECT_EQ(reg.ReadValue(this->Scratch(), "Value").status, RegistryValue::Status::kMissing);
  EXPECT_FALSE(reg.DeleteValue(this->Scratch(), "Value"));
  ASSERT_TRUE(reg.WriteString(this->Scratch(), "Value", u"x"));
  EXPECT_TRUE(reg.DeleteValue(this->Scratch(), "VALUE"));
  EXPECT_FALSE(reg.ValueExists(this->Scratch(), "Value"));
  EXPECT_EQ(reg.ReadValue(this->Scratch(), "Value").status, RegistryValue::Status::kMissing);
}

TYPED_TEST_P(RegistryContract, ValuesAreNoKeysAndKeysAreNoValues) {
  auto& reg = this->Reg();
  ASSERT_TRUE(reg.WriteString(this->Scratch(), "Named", u"x"));
  ASSERT_TRUE(reg.CreateKey(this->Scratch(), "Sub", RegistryAccess::kFull));
  EXPECT_EQ(reg.SubkeyNames(this->Scratch()), StringList{"Sub"});
  EXPECT_FALSE(reg.OpenKey(this->Scratch(), "Named", RegistryAccess::kRead));
  EXPECT_FALSE(reg.ValueExists(this->Scratch(), "Sub"));
}

TYPED_TEST_P(RegistryContract, ReadAccessReadsButDoesNotChangeValues) {
  auto& reg = this->Reg();
  ASSERT_TRUE(reg.WriteString(this->Scratch(), "Kept", u"old"));
  ASSERT_TRUE(reg.CreateKey(this->Scratch(), "Sub", RegistryAccess::kFull));
  const auto readOnly =
      reg.OpenKey(ScratchKey::kRoot, this->scratch_.Path(), RegistryAccess::kRead);
  ASSERT_TRUE(readOnly);
  EXPECT_EQ(reg.SubkeyNames(*readOnly), StringList{"Sub"});
  EXPECT_TRUE(reg.ValueExists(*readOnly, "Kept"));
  EXPECT_EQ(reg.ReadValue(*readOnly, "Kept").data, std::string("old") + '\0');
  EXPECT_FALSE(reg.WriteString(*readOnly, "Kept", u"new"));
  EXPECT_FALSE(reg.DeleteValue(*readOnly, "Kept"));
  EXPECT_EQ(reg.ReadValue(this->Scratch(), "Kept").data, std::string("old") + '\0');
}

using platform::LinkHandling;
using platform::WideString;

// Names in Cyrillic, Greek and CJK characters, which no ANSI code page holds all of, are
// listed as they are; text WriteString stores is kept in UTF-16.
TYPED_TEST_P(RegistryContract, WideNamesAndTextPassUnchanged) {
  auto& reg = this->Reg();
  const std::vector<WideString> names = {u"Ключ", u"Κλειδί", u"注册表项"};
  for (const WideString& name : names) {
    const auto created = reg.CreateKeyWide(this->Scratch(), name, RegistryAccess::kFull);
    ASSERT_TRUE(created.key && created.created);
    ASSERT_TRUE(reg.WriteValueWide(*created.key, name, platform::kRegNone, "").ok);
    EXPECT_EQ(reg.ValueNamesWide(*created.key).names, std::vector<WideString>{name});
  }
  const auto listed = reg.SubkeyNamesWide(this->Scratch()).names;
  EXPECT_EQ(std::set<WideString>(listed.begin(), listed.end()),
            std::set<WideString>(names.begin(), names.end()));
  ASSERT_TRUE(reg.WriteString(this->Scratch(), "Text", u"ab"));
  EXPECT_EQ(reg.ReadValueWide(this->Scratch(), u"Text").bytes, std::string("a\0b\0\0\0", 6));
}

TYPED_TEST_P(RegistryContract, ValuesOfEveryTypeAreStoredByteForByte) {
  const struct {
    const char16_t* name;
    std::uint32_t type;
    std::string bytes;
  } values[] = {
      {u"", platform::kRegString, std::string("d\0\0\0", 4)},
      {u"Unterminated", platform::kRegString, std::string("x\0y\0", 4)},
      {u"Empty text", platform::kRegString, ""},
      {u"Expand", platform::kRegExpandString, std::string("%\0A\0%\0\0\0", 8)},
      {u"Multi", platform::kRegMultiString, std::string("a\0\0\0b\0\0\0\0\0", 10)},
      {u"Dword", platform::kRegDword, "\x01\x02\x03\x04"},
      {u"Short dword", platform::kRegDword, "\x01\x02"},
      {u"Qword", platform::kRegQword, std::string("\x01\0\0\0\0\0\0\x80", 8)},
      {u"Binary", platform::kRegBinary, std::string("\0\xFF\0", 3)},
      {u"None", platform::kRegNone, ""},
      {u"Other", 0x12345, "raw"},
      {u"a=\"b\\c\"", platform::kRegString, std::string("=\0\"\0\\\0\0\0", 8)},
  };
  auto& reg = this->Reg();
  for (const auto& value : values) {
    ASSERT_TRUE(reg.WriteValueWide(this->Scratch(), value.name, value.type, value.bytes).ok);
  }
  EXPECT_EQ(reg.ValueNamesWide(this->Scratch()).names.size(), std::size(values));
  for (const auto& value : values) {
    const auto read = reg.ReadValueWide(this->Scratch(), value.name);
    EXPECT_EQ(read.error, 0u) << value.type;
    EXPECT_EQ(read.type, value.type);
    EXPECT_EQ(read.bytes, value.bytes);
  }
  EXPECT_TRUE(reg.DeleteValueWide(this->Scratch(), u"MULTI").ok);
  EXPECT_EQ(reg.ReadValueWide(this->Scratch(), u"Multi").error, platform::kErrorFileNotFound);
  EXPECT_EQ(reg.DeleteValueWide(this->Scratch(), u"Multi").error, platform::kErrorFileNotFound);
}

TYPED_TEST_P(RegistryContract, WideKeyOperationsReturnTheirErrors) {
  auto& reg = this->Reg();
  ASSERT_TRUE(reg.CreateKeyWide(this->Scratch(), u"Parent\\Child", RegistryAccess::kFull).key);
  EXPECT_FALSE(reg.CreateKeyWide(this->Scratch(), u"parent", RegistryAccess::kFull).created);
  EXPECT_EQ(
      reg.OpenKeyWide(this->Scratch(), u"Missing", RegistryAccess::kRead, LinkHandling::kFollow)
          .error,
      platform::kErrorFileNotFound);

  const auto readOnly =
      reg.OpenKeyWide(this->Scratch(), u"Parent", RegistryAccess::kRead, LinkHandling::kFollow);
  ASSERT_TRUE(readOnly.key);
  EXPECT_EQ(reg.WriteValueWide(*readOnly.key, u"v", platform::kRegNone, "").error,
            platform::kErrorAccessDenied);

  const auto parent =
      reg.OpenKeyWide(this->Scratch(), u"Parent", RegistryAccess::kFull, LinkHandling::kFollow);
  const auto child =
      reg.OpenKeyWide(*parent.key, u"Child", RegistryAccess::kFull, LinkHandling::kOpenLinkItself);
  ASSERT_TRUE(child.key);
  EXPECT_EQ(reg.DeleteOpenedKey(*parent.key).error, platform::kErrorAccessDenied);
  EXPECT_TRUE(reg.DeleteOpenedKey(*child.key).ok);
  EXPECT_EQ(reg.ValueNamesWide(*child.key).error, platform::kErrorKeyDeleted);
  EXPECT_EQ(reg.WriteValueWide(*child.key, u"v", platform::kRegNone, "").error,
            platform::kErrorKeyDeleted);
  EXPECT_TRUE(reg.DeleteOpenedKey(*parent.key).ok);
  EXPECT_TRUE(reg.SubkeyNamesWide(this->Scratch()).names.empty());
}

REGISTER_TYPED_TEST_SUITE_P(
    RegistryContract, CreateMakesEveryMissingKeyAndOpenIgnoresCase, TheEmptyPathOpensTheRootItself,
    SubkeysAreListedSortedWithoutRegardToCase, LongestNamesAreListedWhole,
    DeleteRefusesAKeyThatHasSubkeys, StringsAreStoredWithTheirTerminatingZero,
    MissingValuesAreMissingUntilWrittenAndAfterDeletion, ValuesAreNoKeysAndKeysAreNoValues,
    ReadAccessReadsButDoesNotChangeValues, WideNamesAndTextPassUnchanged,
    ValuesOfEveryTypeAreStoredByteForByte, WideKeyOperationsReturnTheirErrors);

}  // namespace nexolant::contracts
