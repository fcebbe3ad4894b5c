#include "win32/win32_registry.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "contracts/registry_contract.h"
#include "win32/unique_handle.h"

namespace nexolant::win32 {
namespace {

struct Win32RegistryTraits {
  static std::unique_ptr<platform::Registry> Make() { return std::make_unique<Win32Registry>(); }
  static std::string ScratchPath() {
    return "Software\\NexolantTest-" + std::to_string(GetCurrentProcessId());
  }
};

}  // namespace
}  // namespace nexolant::win32

namespace nexolant::contracts {
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, RegistryContract,
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
