#include "win32/win32_registry.h"

#include <windows.h>

#include <sddl.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "contracts/key_tree_contract.h"
#include "contracts/registry_contract.h"
#include "platform/portable/cp1252_locale.h"
#include "protection/protection_policy.h"
#include "repair/key_removal.h"
#include "win32/temporary_file.h"
#include "win32/unique_handle.h"
#include "win32/win32_file_system.h"
#include "win32/win32_processes.h"
#include "win32/win32_signature_evidence.h"

namespace nexolant::win32 {
namespace {

using platform::WideString;

const wchar_t* Wide(const WideString& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

// The tree at a path of the current user's root through RegEnumKeyExW, RegEnumValueW and
// RegQueryValueExW alone.
std::optional<KeyTree> RawWalk(HKEY parent, const WideString& path, const WideString& name) {
  HKEY raw = nullptr;
  if (RegOpenKeyExW(parent, Wide(path), 0, KEY_READ, &raw) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  const UniqueRegistryKey key(raw);
  KeyTree tree = contracts::Tree(name);
  std::vector<wchar_t> buffer(16384);
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(buffer.size());
    if (RegEnumValueW(key.get(), index, buffer.data(), &length, nullptr, nullptr, nullptr,
                      nullptr) != ERROR_SUCCESS) {
      break;
    }
    DWORD type = 0;
    DWORD size = 0;
    RegQueryValueExW(key.get(), buffer.data(), nullptr, &type, nullptr, &size);
    std::string bytes(size, '\0');
    RegQueryValueExW(key.get(), buffer.data(), nullptr, &type,
                     reinterpret_cast<BYTE*>(bytes.data()), &size);
    tree.values.push_back(
        {WideString(reinterpret_cast<const char16_t*>(buffer.data()), length), type, bytes});
  }
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(buffer.size());
    if (RegEnumKeyExW(key.get(), index, buffer.data(), &length, nullptr, nullptr, nullptr,
                      nullptr) != ERROR_SUCCESS) {
      break;
    }
    const WideString subkey(reinterpret_cast<const char16_t*>(buffer.data()), length);
    tree.subkeys.push_back(
        RawWalk(key.get(), subkey, subkey).value_or(contracts::Tree(u"unreadable " + subkey)));
  }
  return tree;
}

// "\Registry\User\" and the user's security identifier: where the current user's root lies in
// the name space that link targets are written in.
WideString CurrentUserRootName() {
  HANDLE rawToken = nullptr;
  OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &rawToken);
  const UniqueHandle token(rawToken);
  std::vector<BYTE> user(512);
  DWORD size = 0;
  wchar_t* sid = nullptr;
  if (!GetTokenInformation(token.get(), TokenUser, user.data(), static_cast<DWORD>(user.size()),
                           &size) ||
      !ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &sid)) {
    return {};
  }
  const WideString name = u"\\Registry\\User\\" + WideString(reinterpret_cast<char16_t*>(sid));
  LocalFree(sid);
  return name;
}

struct Win32RegistryTraits {
  static std::unique_ptr<platform::Registry> Make() { return std::make_unique<Win32Registry>(); }
  static std::string ScratchPath() {
    return "Software\\NexolantTest-" + std::to_string(GetCurrentProcessId());
  }
  static std::optional<KeyTree> Walk(platform::Registry&, const WideString& path) {
    return RawWalk(HKEY_CURRENT_USER, path, path.substr(path.rfind(u'\\') + 1));
  }
  static std::string StoreAndLoad(const std::string& bytes) {
    Win32FileSystem files;
    const TemporaryFile file(files.CreateTempFile(files.TempFolder(), "reg"));
    files.WriteWholeFile(file.path(), bytes);
    return files.ReadWholeFile(file.path());
  }
  static bool MakeLink(platform::Registry&, const WideString& link, const WideString& target) {
    HKEY raw = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, Wide(link), 0, nullptr, REG_OPTION_CREATE_LINK,
                        KEY_ALL_ACCESS, nullptr, &raw, nullptr) != ERROR_SUCCESS) {
      return false;
    }
    const UniqueRegistryKey key(raw);
    const WideString targetName = CurrentUserRootName() + u"\\" + target;
    return RegSetValueExW(key.get(), L"SymbolicLinkValue", 0, REG_LINK,
                          reinterpret_cast<const BYTE*>(targetName.data()),
                          static_cast<DWORD>(targetName.size() * sizeof(char16_t))) ==
           ERROR_SUCCESS;
  }
};

}  // namespace
}  // namespace nexolant::win32

namespace nexolant::contracts {
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, RegistryContract,
                               ::testing::Types<win32::Win32RegistryTraits>);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, KeyTreeContract,
                               ::testing::Types<win32::Win32RegistryTraits>);
}  // namespace nexolant::contracts

namespace nexolant::win32 {
namespace {

using Win32RegistryTest = contracts::RegistryContract<Win32RegistryTraits>;
using platform::RegistryAccess;
using platform::RegistryValue;

TEST_F(Win32RegistryTest, ValuesOfOtherTypesAreReadWithTheirTypeAndBytes) {
  HKEY raw = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, scratch_.Path().c_str(), 0, KEY_SET_VALUE, &raw),
            ERROR_SUCCESS);
  const UniqueRegistryKey key(raw);
  const DWORD number = 0x01020304;
  ASSERT_EQ(RegSetValueExA(key.get(), "Number", 0, REG_DWORD,
                           reinterpret_cast<const BYTE*>(&number), sizeof number),
            ERROR_SUCCESS);
  const char expandable[] = "%SystemRoot%\\x";
  ASSERT_EQ(RegSetValueExA(key.get(), "Expandable", 0, REG_EXPAND_SZ,
                           reinterpret_cast<const BYTE*>(expandable), sizeof expandable),
            ERROR_SUCCESS);

  const RegistryValue numberValue = Reg().ReadValue(Scratch(), "Number");
  EXPECT_EQ(numberValue.status, RegistryValue::Status::kFound);
  EXPECT_EQ(numberValue.type, platform::kRegDword);
  EXPECT_EQ(numberValue.data, std::string("\x04\x03\x02\x01", 4));
  const RegistryValue expandValue = Reg().ReadValue(Scratch(), "Expandable");
  EXPECT_EQ(expandValue.type, platform::kRegExpandString);
  EXPECT_EQ(expandValue.data, std::string(expandable, sizeof expandable));
}

// Repair's delete of a found key takes a link inside it as itself: the key the link leads to
// (here a stand-in for a protected key) keeps its values.
TEST_F(Win32RegistryTest, RepairDeletesALinkInAFoundKeyAndNeverWhatItLeadsTo) {
  const WideString scratch(scratch_.Path().begin(), scratch_.Path().end());
  const platform::OpenedKey sub = Reg().CreateKeyWide(
      platform::RegistryRoot::kCurrentUser, scratch + u"\\Kept\\Sub", RegistryAccess::kFull);
  ASSERT_TRUE(sub);
  ASSERT_TRUE(
      Reg().WriteValueWide(*sub.key, u"Value", platform::kRegBinary, std::string("\1\0\2", 3)));
  ASSERT_TRUE(Reg().CreateKeyWide(platform::RegistryRoot::kCurrentUser,
                                  scratch + u"\\EvilKey\\Inner", RegistryAccess::kFull));
  ASSERT_TRUE(Win32RegistryTraits::MakeLink(Reg(), scratch + u"\\EvilKey\\Inner\\Link",
                                            scratch + u"\\Kept"));
  const std::optional<KeyTree> kept = RawWalk(HKEY_CURRENT_USER, scratch + u"\\Kept", u"Kept");
  ASSERT_TRUE(kept);

  win32::Win32FileSystem files;
  const platform::Cp1252Locale locale;
  win32::Win32ProcessApi processes;
  const win32::Win32SignatureEvidence evidence;
  const protection::ProtectionPolicy protection({.files = files,
                                                 .registry = Reg(),
                                                 .locale = locale,
                                                 .ownProcessId = GetCurrentProcessId(),
                                                 .processes = processes,
                                                 .evidence = evidence});
  const KeyRemovalResult result = DeleteFoundKey(
      Reg(), protection, platform::RegistryRoot::kCurrentUser, scratch_.Path() + "\\EvilKey");
  EXPECT_TRUE(result.deleted && result.removed) << result.error;
  EXPECT_EQ(RawWalk(HKEY_CURRENT_USER, scratch + u"\\EvilKey", u"EvilKey"), std::nullopt);
  EXPECT_EQ(RawWalk(HKEY_CURRENT_USER, scratch + u"\\Kept", u"Kept"), kept);
}

#ifdef _WIN64
TEST_F(Win32RegistryTest, TheSixtyFourBitViewHoldsThe32BitProgramsKeys) {
  const auto software =
      Reg().OpenKey(platform::RegistryRoot::kLocalMachine, "Software", RegistryAccess::kRead);
  ASSERT_TRUE(software);
  const StringList names = Reg().SubkeyNames(*software);
  EXPECT_TRUE(std::any_of(names.begin(), names.end(), [](const std::string& name) {
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name.c_str(), -1, "Wow6432Node", -1) ==
           CSTR_EQUAL;
  }));
}
#endif

}  // namespace
}  // namespace nexolant::win32
