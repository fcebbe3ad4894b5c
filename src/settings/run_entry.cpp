#include "settings/run_entry.h"

#include "registry/t_registry.h"

namespace nexolant {

using platform::RegistryAccess;
using platform::RegistryRoot;

bool RunEntryExists(platform::Registry& registry) {
  TRegistry reg(registry, RegistryAccess::kRead);
  reg.SetRootKey(RegistryRoot::kCurrentUser);
  return reg.OpenKey(kRunKey, false) && reg.ValueExists(kRunValue);
}

// A key that cannot be opened leaves no open key: the existence test finds nothing and the
// write fails.
void AddRunEntry(platform::Registry& registry, const std::string& executablePath) {
  TRegistry reg(registry, RegistryAccess::kFull);
  reg.SetRootKey(RegistryRoot::kCurrentUser);
  reg.OpenKey(kRunKey, true);
  if (!reg.ValueExists(kRunValue)) {
    reg.WriteString(kRunValue, "\"" + executablePath + "\"");
  }
}

void RemoveRunEntry(platform::Registry& registry) {
  TRegistry reg(registry, RegistryAccess::kFull);
  reg.SetRootKey(RegistryRoot::kCurrentUser);
  reg.OpenKey(kRunKey, true);
  if (reg.ValueExists(kRunValue)) {
    reg.DeleteValue(kRunValue);
  }
}

}  // namespace nexolant
