#include "contracts/registry_contract.h"

#include "fakes/memory_registry.h"

namespace nexolant::contracts {
namespace {

struct MemoryRegistryTraits {
  static std::unique_ptr<platform::Registry> Make() { return std::make_unique<MemoryRegistry>(); }
  static std::string ScratchPath() { return "Software\\NexolantTest"; }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, RegistryContract, ::testing::Types<MemoryRegistryTraits>);

}  // namespace
}  // namespace nexolant::contracts
