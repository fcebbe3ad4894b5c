#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "contracts/process_contract.h"
#include "sleeper_process.h"
#include "support/scoped_folder.h"
#include "win32/win32_processes.h"

namespace nexolant::contracts {
namespace {

// Copies of the helper program under the names the tests ask for, in a folder of their own.
class Win32Environment {
 public:
  Win32Environment() { api_.BindPsapi(); }

  platform::ProcessApi& api() { return api_; }
  std::uint32_t Start(const std::string& exeName) {
    auto helper = std::make_unique<win32::HelperProcess>(win32::CopySleeper(folder_, exeName));
    const auto id = static_cast<std::uint32_t>(helper->id());
    helpers_.emplace(id, std::move(helper));
    return id;
  }
  bool Ended(std::uint32_t id) { return helpers_.at(id)->WaitForExit().has_value(); }
  std::string UniqueName() { return win32::UniqueExeName(); }

 private:
  testing::ScopedFolder folder_;
  win32::Win32ProcessApi api_;
  std::map<std::uint32_t, std::unique_ptr<win32::HelperProcess>> helpers_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ProcessContract, Win32Environment);

}  // namespace
}  // namespace nexolant::contracts
