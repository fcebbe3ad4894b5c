#include "contracts/process_contract.h"

#include "fakes/fake_processes.h"

namespace nexolant::contracts {
namespace {

// The fake's table, with the program itself running as its own process.
class FakeEnvironment {
 public:
  FakeEnvironment() { api_.Add(api_.CurrentProcessId(), "C:\\Program\\Nexolant.exe"); }

  platform::ProcessApi& api() { return api_; }
  std::uint32_t Start(const std::string& exeName) {
    nextId_ += 4;
    api_.Add(nextId_, "C:\\Contract\\" + exeName);
    return nextId_;
  }
  bool Ended(std::uint32_t) { return true; }
  std::string UniqueName() { return "contract" + std::to_string(++names_) + ".exe"; }

 private:
  FakeProcessApi api_;
  std::uint32_t nextId_ = 1000;
  int names_ = 0;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, ProcessContract, FakeEnvironment);

}  // namespace
}  // namespace nexolant::contracts
