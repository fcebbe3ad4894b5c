#include "fakes/fake_profile_strings.h"

#include <memory>
#include <optional>
#include <string>

#include "contracts/profile_strings_contract.h"
#include "fakes/memory_file_system.h"

namespace nexolant {
namespace {

class FakeProfileStringsHarness : public contracts::ProfileStringsHarness {
 public:
  FakeProfileStringsHarness() { files_.AddFolder("C:\\App"); }

  platform::ProfileStrings& Profile() override { return profile_; }
  std::string FileName() override { return "C:\\App\\Nexolant.ini"; }
  std::string FileNameInMissingFolder() override { return "C:\\App\\Missing\\Nexolant.ini"; }
  void SetText(const std::string& text) override { files_.AddFile(FileName(), text); }
  std::optional<std::string> Text() override { return files_.Contents(FileName()); }
  void Lock() override { SetLocked(true); }
  void Unlock() override { SetLocked(false); }

 private:
  void SetLocked(bool locked) {
    files_.SetReadOnly(FileName(), locked);
    files_.SetUnreadable(FileName(), locked);
  }

  MemoryFileSystem files_;
  FakeProfileStrings profile_{files_};
};

std::unique_ptr<contracts::ProfileStringsHarness> MakeFakeHarness() {
  return std::make_unique<FakeProfileStringsHarness>();
}

using contracts::ProfileStringsContract;
INSTANTIATE_TEST_SUITE_P(Fake, ProfileStringsContract, ::testing::Values(&MakeFakeHarness));

}  // namespace
}  // namespace nexolant
