#include "settings/run_entry.h"

#include "registry/key_path.h"
#include "registry/t_registry.h"

namespace nexolant {

using platform::RegistryAccess;
using platform::RegistryRoot;

bool RunEntryExists(platform::Registry& registry) {
  TRegistry reg(registry, RegistryAccess::kRead);
  reg.SetRootKey(RegistryRoot::kCurrentUser);
  return reg.OpenKey(kRunKey, false).ok && reg.ValueExists(kRunValue);
}

// A key that cannot be opened leaves no open key: the existence test finds nothing and the
// write fails, which throws.
void AddRunEntry(platform::Registry& registry, const platform::Path& executablePath) {
  TRegistry reg(registry, RegistryAccess::kFull);
  reg.SetRootKey(RegistryRoot::kCurrentUser);
  platform::BestEffort(reg.OpenKey(kRunKey, true));
  if (!reg.ValueExists(kRunValue)) {
    const platform::WideString path = executablePath.HasExact()
                                          ? WideFromUtf8(executablePath.exact)
                                          : registry.WideSpelling(executablePath.ansi);
    reg.WriteString(kRunValue, u"\"" + path + u"\"");
  }
}

void RemoveRunEntry(platform::Registry& registry) {
  TRegistry reg(registry, RegistryAccess::kFull);
  reg.SetRootKey(RegistryRoot::kCurrentUser);
  // Without the key there is no value to delete.
  platform::BestEffort(reg.OpenKey(kRunKey, true));
  if (reg.ValueExists(kRunValue)) {
    // A value that stays is found again by the next start, which shows the box ticked.
    platform::BestEffort(reg.DeleteValue(kRunValue));
  }
}

}  // namespace nexolant
