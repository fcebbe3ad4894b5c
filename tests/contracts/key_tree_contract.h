#pragma once

#include <algorithm>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "contracts/registry_contract.h"
#include "registry/ansi_key_path.h"
#include "registry/key_path.h"
#include "registry/key_tree_read.h"
#include "registry/key_tree_restore.h"
#include "registry/registration_file.h"
#include "registry/tree_delete.h"

// Saving, deleting and restoring whole trees, held to the same results over every registry.
// Instantiate with a type that has what RegistryContract needs and
//   static std::optional<KeyTree> Walk(platform::Registry&, const platform::WideString& path);
//     the tree at a path of the current user's root, read without the code under test
//   static std::string StoreAndLoad(const std::string& bytes);  // the bytes, through a file
//   static bool MakeLink(platform::Registry&, const platform::WideString& link,
//                        const platform::WideString& target);  // paths of the current user

namespace nexolant::contracts {

// Values and subkeys in one order, for comparing trees from registries that list them in
// different orders.
inline KeyTree Normalized(KeyTree tree) {
  const auto byName = [](const auto& a, const auto& b) {
    return FoldAsciiCase(a.name) < FoldAsciiCase(b.name);
  };
  std::sort(tree.values.begin(), tree.values.end(), byName);
  for (KeyTree& subkey : tree.subkeys) {
    subkey = Normalized(std::move(subkey));
  }
  std::sort(tree.subkeys.begin(), tree.subkeys.end(), byName);
  return tree;
}

inline KeyTree Tree(platform::WideString name, std::vector<TreeValue> values = {},
                    std::vector<KeyTree> subkeys = {}) {
  return KeyTree{std::move(name), std::move(values), std::move(subkeys)};
}

// A walk through the registry interface that knows nothing of links or saving.
inline std::optional<KeyTree> WalkThroughInterface(platform::Registry& registry,
                                                   platform::KeyBase base,
                                                   const platform::WideString& path) {
  const auto key = registry.OpenKeyWide(base, path, platform::RegistryAccess::kRead,
                                        platform::LinkHandling::kFollow);
  if (!key.key) {
    return std::nullopt;
  }
  KeyTree tree = Tree(path.substr(path.rfind(u'\\') + 1));
  for (const auto& name : registry.ValueNamesWide(*key.key).names) {
    const auto value = registry.ReadValueWide(*key.key, name);
    tree.values.push_back({name, value.type, value.bytes});
  }
  for (const auto& name : registry.SubkeyNamesWide(*key.key).names) {
    tree.subkeys.push_back(
        WalkThroughInterface(registry, *key.key, name).value_or(Tree(u"unreadable " + name)));
  }
  return tree;
}

inline std::string Utf16z(std::u16string_view text) {
  std::string bytes;
  for (const char16_t unit : text) {
    bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  }
  return bytes + std::string(2, '\0');
}

// Every value type, zero bytes, empty strings in a multi-string, "=", "\"" and "\\" in names
// and data, the default value, empty keys, a deep chain and names in several scripts.
inline KeyTree SampleTree() {
  KeyTree tree = Tree(u"Saved");
  tree.values = {
      {u"", platform::kRegString, Utf16z(u"default")},
      {u"Path", platform::kRegString, Utf16z(u"C:\\Program Files\\\"App\"\\a=b.exe")},
      {u"na=me \"quoted\" \\ back", platform::kRegString, Utf16z(u"=\"\\")},
      {u"Empty text", platform::kRegString, Utf16z(u"")},
      {u"No terminator", platform::kRegString, std::string("a\0b", 3)},
      {u"Expand", platform::kRegExpandString, Utf16z(u"%SystemRoot%\\x")},
      {u"Multi", platform::kRegMultiString,
       Utf16z(u"one") + Utf16z(u"") + Utf16z(u"two") + std::string(2, '\0')},
      {u"Dword", platform::kRegDword, std::string("\x0a\0\0\x80", 4)},
      {u"Big endian", platform::kRegDwordBigEndian, std::string("\0\0\0\x0a", 4)},
      {u"Qword", platform::kRegQword, std::string("\1\0\0\0\0\0\0\0", 8)},
      {u"Binary", platform::kRegBinary, std::string("\0\1\0\xFF\0", 5)},
      {u"Long binary", platform::kRegBinary, std::string(300, '\0') + "\x7F"},
      {u"None", platform::kRegNone, ""},
      {u"Other type", 0x00ABCDEF, "bytes"},
  };
  tree.subkeys = {Tree(u"Empty"),
                  Tree(u"Кириллица", {{u"имя", platform::kRegString, Utf16z(u"текст")}}),
                  Tree(u"Ελληνικά", {{u"όνομα", platform::kRegBinary, "\x01"}}),
                  Tree(u"漢字キー", {{u"値", platform::kRegString, Utf16z(u"中文")}})};
  KeyTree* level = &tree.subkeys.emplace_back(Tree(u"Deep"));
  for (char16_t letter = u'a'; letter <= u't'; ++letter) {
    level = &level->subkeys.emplace_back(Tree(u"Level " + platform::WideString(1, letter)));
  }
  level->values.push_back({u"Bottom", platform::kRegDword, std::string("\1\0\0\0", 4)});
  return tree;
}

template <typename Traits>
class KeyTreeContract : public RegistryContract<Traits> {
 protected:
  platform::WideString ScratchPath() const {
    return platform::WideString(this->scratch_.Path().begin(), this->scratch_.Path().end());
  }
  platform::WideString Below(const platform::WideString& name) const {
    return ScratchPath() + u"\\" + name;
  }
  std::optional<KeyTree> Walk(const platform::WideString& path) {
    auto tree = Traits::Walk(this->Reg(), path);
    return tree ? std::optional(Normalized(*tree)) : std::nullopt;
  }
  TreeRestoreResult::Status Restore(const platform::WideString& parent, const KeyTree& tree) {
    return RestoreKeyTree(this->Reg(), ScratchKey::kRoot, parent, tree).status;
  }
};

TYPED_TEST_SUITE_P(KeyTreeContract);

using Restored = TreeRestoreResult::Status;

TYPED_TEST_P(KeyTreeContract, ATreeComesBackExactlyThroughARegistrationFile) {
  auto& reg = this->Reg();
  constexpr auto kRoot = ScratchKey::kRoot;
  const KeyTree sample = SampleTree();
  const platform::WideString path = this->Below(sample.name);
  ASSERT_EQ(this->Restore(this->ScratchPath(), sample), Restored::kRestored);
  ASSERT_EQ(this->Walk(path), Normalized(sample));

  const TreeReadResult read = ReadKeyTree(reg, kRoot, path);
  ASSERT_EQ(read.status, TreeReadResult::Status::kRead);
  EXPECT_EQ(Normalized(read.tree), Normalized(sample));
  const SavedKey saved{kRoot, this->ScratchPath(), read.tree};
  const RegistrationWriteResult file = WriteRegistrationFile(saved);
  ASSERT_TRUE(file.ok()) << file.problem;
  const std::string stored = TypeParam::StoreAndLoad(file.bytes);
  EXPECT_EQ(DeleteKeyTree(reg, kRoot, path).status, TreeDeleteResult::Status::kDeleted);
  EXPECT_EQ(this->Walk(path), std::nullopt);

  const RegistrationReadResult loaded = ReadRegistrationFile(stored);
  ASSERT_TRUE(loaded.key) << loaded.problem;
  EXPECT_EQ(*loaded.key, saved);
  EXPECT_EQ(this->Restore(loaded.key->parentPath, loaded.key->tree), Restored::kRestored);
  EXPECT_EQ(this->Walk(path), Normalized(sample));

  EXPECT_EQ(this->Restore(this->ScratchPath(), Tree(u"SAVED")), Restored::kExists);
  EXPECT_EQ(this->Restore(this->Below(u"Missing"), sample), Restored::kParentUnavailable);
  EXPECT_EQ(this->Walk(path), Normalized(sample));
}

TYPED_TEST_P(KeyTreeContract, APartlyRestoredTreeIsRemovedAgain) {
  const KeyTree clash = Tree(u"Clash", {{u"Value", platform::kRegDword, std::string(4, '\1')}},
                             {Tree(u"Twin", {}, {Tree(u"Inner")}), Tree(u"TWIN")});
  const TreeRestoreResult result =
      RestoreKeyTree(this->Reg(), ScratchKey::kRoot, this->ScratchPath(), clash);
  EXPECT_EQ(result.status, Restored::kFailed);
  EXPECT_EQ(result.error, platform::kErrorAlreadyExists);
  EXPECT_EQ(result.cleanup.status, TreeDeleteResult::Status::kDeleted);
  EXPECT_EQ(this->Walk(this->Below(u"Clash")), std::nullopt);
}

TYPED_TEST_P(KeyTreeContract, ALinkIsDeletedAsItselfAndItsTargetStays) {
  auto& reg = this->Reg();
  constexpr auto kRoot = ScratchKey::kRoot;
  const KeyTree target = Tree(u"Target", {{u"Kept", platform::kRegString, Utf16z(u"still here")}},
                              {Tree(u"Child", {{u"", platform::kRegDword, std::string(4, '\7')}})});
  ASSERT_EQ(this->Restore(this->ScratchPath(), target), Restored::kRestored);
  ASSERT_TRUE(
      reg.CreateKeyWide(kRoot, this->Below(u"Doomed\\Inner"), platform::RegistryAccess::kFull).key);
  const platform::WideString link = this->Below(u"Doomed\\Inner\\Link");
  ASSERT_TRUE(TypeParam::MakeLink(reg, link, this->Below(u"Target")))
      << "this system cannot create a registry link";
  ASSERT_EQ(this->Walk(link), Normalized(Tree(u"Link", target.values, target.subkeys)))
      << "the link does not lead to its target";

  const TreeReadResult read = ReadKeyTree(reg, kRoot, this->Below(u"Doomed"));
  EXPECT_EQ(read.status, TreeReadResult::Status::kHoldsLinks);
  EXPECT_EQ(read.links, std::vector<platform::WideString>{link});

  const TreeDeleteResult deleted = DeleteKeyTree(reg, kRoot, this->Below(u"Doomed"));
  EXPECT_EQ(deleted.status, TreeDeleteResult::Status::kDeleted)
      << (deleted.left.empty() ? 0 : deleted.left.front().error);
  EXPECT_EQ(this->Walk(this->Below(u"Doomed")), std::nullopt);
  EXPECT_EQ(this->Walk(this->Below(u"Target")), Normalized(target));

  // A link that is the tree's own top goes the same way.
  ASSERT_TRUE(TypeParam::MakeLink(reg, this->Below(u"TopLink"), this->Below(u"Target")));
  // The ANSI open either follows the link or opens it as itself, which has no subkeys.
  const std::string topLink = this->scratch_.Path() + "\\TopLink";
  for (const auto links :
       {platform::LinkHandling::kFollow, platform::LinkHandling::kOpenLinkItself}) {
    const platform::OpenedKey opened =
        reg.OpenKey(kRoot, topLink, platform::RegistryAccess::kRead, links);
    ASSERT_TRUE(opened.key) << opened.error;
    EXPECT_EQ(reg.SubkeyNames(*opened.key).size(),
              links == platform::LinkHandling::kFollow ? 1u : 0u);
  }
  EXPECT_EQ(ReadKeyTree(reg, kRoot, this->Below(u"TopLink")).status,
            TreeReadResult::Status::kHoldsLinks);
  EXPECT_EQ(DeleteKeyTree(reg, kRoot, this->Below(u"TopLink")).status,
            TreeDeleteResult::Status::kDeleted);
  EXPECT_EQ(this->Walk(this->Below(u"TopLink")), std::nullopt);
  EXPECT_EQ(this->Walk(this->Below(u"Target")), Normalized(target));
}

// Both systems show names in code page 1252, where "É" is one byte and Cyrillic reads as "?";
// a Greek alpha reads as "?" too, never as its look-alike "a".
TYPED_TEST_P(KeyTreeContract, AnAnsiPathIsSpelledAsTheRegistryListsIt) {
  using Status = WidenedKeyPath::Status;
  for (const char16_t* name : {u"\u00C9vil\\Sub", u"\u0416", u"\u0429", u"\u03B1dware"}) {
    ASSERT_TRUE(this->Reg().CreateKeyWide(ScratchKey::kRoot, this->Below(name),
                                          platform::RegistryAccess::kFull));
  }
  const auto widen = [this](const std::string& below) {
    return WidenKeyPath(this->Reg(), ScratchKey::kRoot, this->scratch_.Path() + "\\" + below);
  };
  EXPECT_EQ(widen("\xC9vil\\Sub").path, this->Below(u"\u00C9vil\\Sub"));
  EXPECT_EQ(widen("?").status, Status::kAmbiguous);
  EXPECT_EQ(widen("\xC9vil\\?").status, Status::kMissing);
  EXPECT_EQ(widen("\xC9vil\\\xC9").status, Status::kMissing);
  EXPECT_EQ(widen("?dware").path, this->Below(u"\u03B1dware"));
  const platform::OpenedKey scratch = this->Reg().OpenKey(ScratchKey::kRoot, this->scratch_.Path(),
                                                          platform::RegistryAccess::kRead);
  ASSERT_TRUE(scratch.key);
  StringList listed = this->Reg().SubkeyNames(*scratch.key);
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, (StringList{"?", "?", "?dware", "\xC9vil"}));
}

REGISTER_TYPED_TEST_SUITE_P(KeyTreeContract, ATreeComesBackExactlyThroughARegistrationFile,
                            APartlyRestoredTreeIsRemovedAgain,
                            ALinkIsDeletedAsItselfAndItsTargetStays,
                            AnAnsiPathIsSpelledAsTheRegistryListsIt);

}  // namespace nexolant::contracts
