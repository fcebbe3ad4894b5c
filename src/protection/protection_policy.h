#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>

#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/processes.h"
#include "platform/signature_evidence.h"
#include "protection/entry_protection.h"
#include "protection/file_protection.h"
#include "protection/key_protection.h"
#include "protection/name_sample.h"

namespace nexolant::protection {

// What the policy needs from the system.
struct ProtectionServices {
  platform::FileSystem& files;      // must outlive the policy
  platform::Registry& registry;     // must outlive the policy
  const platform::Locale& locale;   // must outlive the policy
  std::uint32_t ownProcessId;       // the running program's
  platform::ProcessApi& processes;  // must outlive the policy
  // Windows' own word on a file, asked only of what a name already matched; must outlive the
  // policy.
  const platform::SignatureEvidence& evidence;
};

// What no reference file may make the program touch: Windows' own processes, files, folders
// and keys, and the program's own process, folder and keys. Every place that finds or acts on
// something asks it first; what it protects is never reported, terminated, moved or deleted.
// Patterns that would match what every machine holds are kept inert by the reference loader
// (TooBroadSample) and refused by the update (ReferenceHazard).
class ProtectionPolicy {
 public:
  // Reads the program folder, the Windows folder and the known folders once.
  explicit ProtectionPolicy(const ProtectionServices& services);

  // A process of Windows by its executable name, or the program's own process. A path counts
  // by its last name for the listed processes, and as a file for Windows' other programs. A
  // process whose image Windows vouches for is Windows' own whatever its name.
  bool IsProtectedProcess(std::string_view name, std::uint32_t processId) const;
  // The name alone, for an action by name that meets processes it has not listed.
  bool IsProtectedProcessName(std::string_view name) const;

  // A file or folder, by its path in any spelling (short names, "..", "/", trailing dots). A
  // file Windows vouches for is one of its own (kSystemName) wherever it lies.
  bool IsProtectedPath(std::string_view path) const {
    return ProtectionOf(path) != PathProtection::kNone;
  }
  PathProtection ProtectionOf(std::string_view path) const;

  // For a folder walk that enters only plain folders: the start folder is asked about once,
  // each entry found below it by its own names (FileProtection::ClassifyBelow).
  WalkStart WalkStartOf(std::string_view folder) const { return files_.StartOf(folder); }
  bool IsProtectedBelow(const WalkStart& start, std::string_view names) const;

  // A key: a root ("HKEY_LOCAL_MACHINE", "HKLM", ...), "\" and its path. A service, a class, a
  // Winlogon notification or a browser helper of Windows counts by the program it names.
  bool IsProtectedKey(std::string_view path) const;

  // Windows' own entries and the command lines they hold.
  const EntryProtection& Entries() const { return entries_; }

  // The form in which paths are compared (PathForm); empty for a path naming no plain file.
  std::string NormalPath(std::string_view path) const;
  // Whether path is folder or lies inside it, compared in normal form; false when either
  // names no plain file.
  bool IsSameOrInsideFolder(std::string_view path, std::string_view folder) const;
  // The running program's folder in normal form.
  std::string ProgramFolder() const;

 private:
  bool Vouched(const std::string& normal) const;
  bool ImageVouched(std::string_view name, std::uint32_t processId) const;

  const platform::Locale& locale_;
  std::uint32_t ownProcessId_;
  platform::ProcessApi& processes_;
  const platform::SignatureEvidence& evidence_;
  FileProtection files_;
  KeyProtection keys_;
  EntryProtection entries_;
  std::unordered_set<std::string> processNames_;     // upper-cased
  std::unordered_set<std::string> windowsPrograms_;  // upper-cased executables of Windows
};

}  // namespace nexolant::protection
