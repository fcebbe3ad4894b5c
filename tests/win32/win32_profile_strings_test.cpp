#include "win32/win32_profile_strings.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "contracts/profile_strings_contract.h"
#include "support/scoped_folder.h"
#include "win32/unique_handle.h"

namespace nexolant::win32 {
namespace {

using nexolant::testing::ScopedFolder;

class Win32ProfileStringsHarness : public contracts::ProfileStringsHarness {
 public:
  platform::ProfileStrings& Profile() override { return profile_; }
  std::string FileName() override { return folder_.File("Nexolant.ini"); }
  std::string FileNameInMissingFolder() override { return folder_.File("Missing\\Nexolant.ini"); }
  void SetText(const std::string& text) override {
    std::ofstream(FileName(), std::ios::binary | std::ios::trunc) << text;
  }
  std::optional<std::string> Text() override {
    std::ifstream file(FileName(), std::ios::binary);
    if (!file) {
      return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(file), {});
  }
  void Lock() override {
    lock_.reset(
        CreateFileA(FileName().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock_);
  }
  void Unlock() override { lock_.reset(); }

 private:
  ScopedFolder folder_;
  Win32ProfileStrings profile_;
  UniqueFileHandle lock_;
};

std::unique_ptr<contracts::ProfileStringsHarness> MakeWin32Harness() {
  return std::make_unique<Win32ProfileStringsHarness>();
}

using contracts::ProfileStringsContract;
INSTANTIATE_TEST_SUITE_P(Win32, ProfileStringsContract, ::testing::Values(&MakeWin32Harness));

}  // namespace
}  // namespace nexolant::win32
