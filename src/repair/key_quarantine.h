#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/registry.h"
#include "quarantine/quarantine_store.h"

namespace nexolant {

// What became of a found key that was to go into the quarantine.
struct [[nodiscard]] KeyQuarantineResult {
  bool quarantined = false;  // saved with its entry, then deleted whole
  bool removed = false;      // no longer there where the Report showed it (or already gone)
  std::uint32_t error = 0;   // the system's reason when it stayed, if it gave one
  std::string save{};        // the save's name in the Quarantine folder, once saved
};

// Saves the key at the ANSI path below the root into the quarantine, then deletes it without
// following links. Below the classes root the real key the view shows is saved and deleted;
// the view may still show the other real copy, and then the key was not removed. A key that
// cannot be saved exactly (it holds links, a value cannot be read, it cannot be written in the
// form, or the index or the save cannot be written), holds a key the policy keeps or may not be
// deleted is left as it is.
// The save goes into the section of its form; beforeDelete, when given, runs once the save is
// there and before the key is deleted (a service is deleted through the service manager, which
// removes its key itself). Throws platform::SystemError when the quarantine folder cannot be
// created.
KeyQuarantineResult QuarantineKey(platform::Registry& registry,
                                  const protection::ProtectionPolicy& protection,
                                  QuarantineStore& store, platform::RegistryRoot root,
                                  const std::string& path, const std::string& description,
                                  SaveForm form = SaveForm::kKey,
                                  const std::function<void()>& beforeDelete = {});

}  // namespace nexolant
