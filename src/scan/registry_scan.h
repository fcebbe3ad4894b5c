#pragma once

#include <string>

#include "ignore/ignored_objects.h"
#include "platform/message_pump.h"
#include "platform/registry.h"
#include "protection/protection_policy.h"
#include "reference/signature_source.h"
#include "scan/scan_results.h"
#include "scan/scan_state.h"

namespace nexolant {

// The registry phase: the key trees of the classes root and, with a deep scan, of the
// current user and the local machine, compared by subkey name with the known registry names.
// Within a key all its subkeys are counted, shown and matched first, then each is walked in
// turn; the key is closed before the walk goes deeper, so at most one key is open. Keys are
// opened for reading only, so that a user without administrator rights sees the machine's
// keys too. A protected key, or one the user keeps, is never reported. A Stop (StopRequested) ends
// the walk at its next test.
class RegistryScan {
 public:
  RegistryScan(platform::Registry& registry, ScanResults& results,
               const SignatureSource& signatures, const protection::ProtectionPolicy& protection,
               const IgnoredObjects& ignored, platform::MessagePump& pump, ScanFlags& flags)
      : registry_(registry),
        results_(results),
        signatures_(signatures),
        protection_(protection),
        ignored_(ignored),
        pump_(pump),
        flags_(flags) {}

  // True when a Stop ended it.
  bool ScanRegistry(bool deep);

 private:
  // The path as the Report shows it, and the same path exactly, which reaches keys whose names
  // the ANSI code page cannot hold.
  void WalkRegistryKey(platform::RegistryRoot root, const std::string& path,
                       const platform::WideString& exactPath);

  platform::Registry& registry_;
  ScanResults& results_;
  const SignatureSource& signatures_;
  const protection::ProtectionPolicy& protection_;
  const IgnoredObjects& ignored_;
  platform::MessagePump& pump_;
  ScanFlags& flags_;
};

}  // namespace nexolant
