#include "scan/registry_scan.h"

#include "reference/find_signature.h"
#include "registry/key_path.h"
#include "registry/real_key.h"
#include "registry/t_registry.h"

namespace nexolant {

using platform::RegistryRoot;

bool RegistryScan::ScanRegistry(bool deep) {
  flags_.RegistryScanRunning = true;
  WalkRegistryKey(RegistryRoot::kClassesRoot, "", {});
  if (deep) {
    WalkRegistryKey(RegistryRoot::kCurrentUser, "", {});
    WalkRegistryKey(RegistryRoot::kLocalMachine, "", {});
  }
  const bool stopped = flags_.StopRequested;
  flags_.StopRequested = false;
  flags_.RegistryScanRunning = false;
  return stopped;
}

void RegistryScan::WalkRegistryKey(RegistryRoot root, const std::string& path,
                                   const platform::WideString& exactPath) {
  if (path.find("\\\\") != std::string::npos || flags_.StopRequested) {
    return;
  }
  pump_.ProcessMessages();
  const std::string hive = HiveName(root);
  const std::string location = path.empty() ? hive : hive + "\\" + path;
  platform::SubkeyNameForms names;
  {
    // A link key is opened as itself, which has no subkeys: the walk never passes through a
    // link, so a link to an ancestor cannot make it endless and no tree is listed twice.
    TRegIniFile key(registry_, platform::RegistryAccess::kRead,
                    platform::LinkHandling::kOpenLinkItself);
    key.SetRootKey(root);
    // One open answers whether the key is there: a key that cannot be opened for reading is
    // one the walk cannot list either.
    if (!key.OpenKeyExact(exactPath) && !path.empty()) {
      return;
    }
    names = key.GetKeyNameForms();
    const SignatureTables& tables = signatures_.Tables();
    for (const std::string& name : names.ansi) {
      if (flags_.StopRequested) {
        break;
      }
      results_.CountScanned();
      results_.ShowCurrent(location + "\\" + name);
      const int index = FindActiveSignature(name, tables.RegistryNames, pump_);
      if (index >= 0 && !protection_.IsProtectedKey(location + "\\" + name) &&
          !(ignored_.List().Count() > 0 &&
            ignored_.KeepsKey(RealPathOfKeyRow(registry_, location, name)))) {
        pump_.ProcessMessages();
        results_.AddRow(RowKind::kRegistryKey,
                        {name, location, tables.RegistryDescriptions.at(index)});
      }
    }
  }
  for (std::size_t k = 0; k < names.ansi.size(); ++k) {
    if (flags_.StopRequested) {
      break;
    }
    const std::string& name = names.ansi[k];
    WalkRegistryKey(root, path.empty() ? name : path + "\\" + name,
                    JoinKeyPath(exactPath, names.exact[k]));
  }
  pump_.ProcessMessages();
}

}  // namespace nexolant
