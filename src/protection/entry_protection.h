#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/registry.h"
#include "protection/command_line.h"
#include "protection/file_protection.h"
#include "protection/key_protection.h"

namespace nexolant::protection {

// The registry entries that Windows and adware both write, each told by the program it starts:
// a service (its image; svchost's ServiceDll), a COM class (its in-process or local server), a
// Winlogon notification (its DLLName) and a browser helper (its class's server). An entry is
// Windows' own when that program is a protected file or bears the name of one of Windows' files,
// and also when it cannot be told: no program, one the registry does not give, or one missing
// from the Windows folder.
class EntryProtection {
 public:
  EntryProtection(platform::Registry& registry, platform::FileSystem& files,
                  const FileProtection& fileProtection);

  // Whether key (canonical) is such an entry of Windows, or lies inside one.
  bool IsWindowsOwnEntry(const KeyProtection::Canonical& key) const;

  // The program a command line starts, as the entries write them (ProgramOfCommand).
  std::string ProgramOf(std::string_view command) const {
    return ProgramOfCommand(command, folders_);
  }
  // Whether the program, a full path (empty when it cannot be told), is Windows' own.
  bool IsWindowsProgram(const std::string& program) const;

  // The program of the service whose key is at path below the local machine: its image, or
  // for svchost the library it names; empty when it cannot be told.
  std::string ServiceProgram(const std::string& path) const;
  // The in-process (else local) server of the class; empty when it cannot be told.
  std::string ClassProgram(const std::string& clsid) const;

 private:
  std::optional<std::string> ReadString(platform::RegistryRoot root, const std::string& path,
                                        const std::string& name) const;

  platform::Registry& registry_;
  platform::FileSystem& files_;
  const FileProtection& fileProtection_;
  CommandFolders folders_;
  std::string windowsKey_;  // the Windows folder as FileProtection keys it
};

}  // namespace nexolant::protection
