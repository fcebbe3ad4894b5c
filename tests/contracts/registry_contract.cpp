#include "contracts/registry_contract.h"

#include "contracts/key_tree_contract.h"
#include "fakes/memory_registry.h"

namespace nexolant::contracts {
namespace {

struct MemoryRegistryTraits {
  static std::unique_ptr<platform::Registry> Make() { return std::make_unique<MemoryRegistry>(); }
  static std::string ScratchPath() { return "Software\\NexolantTest"; }
  static std::optional<KeyTree> Walk(platform::Registry& registry,
                                     const platform::WideString& path) {
    return WalkThroughInterface(registry, ScratchKey::kRoot, path);
  }
  static std::string StoreAndLoad(const std::string& bytes) { return bytes; }
  static bool MakeLink(platform::Registry& registry, const platform::WideString& link,
                       const platform::WideString& target) {
    const auto ascii = [](const platform::WideString& path) {
      return std::string(path.begin(), path.end());
    };
    static_cast<MemoryRegistry&>(registry).AddLink(ScratchKey::kRoot, ascii(link),
                                                   ScratchKey::kRoot, ascii(target));
    return true;
  }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, RegistryContract, ::testing::Types<MemoryRegistryTraits>);
INSTANTIATE_TYPED_TEST_SUITE_P(Memory, KeyTreeContract, ::testing::Types<MemoryRegistryTraits>);

}  // namespace
}  // namespace nexolant::contracts
