#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "platform/errors.h"

namespace nexolant::platform {

// The system's version information as far as the choice of the listing method needs it.
struct VersionInfo {
  std::uint32_t platformId = 0;  // 2 for the NT family
  std::uint32_t majorVersion = 0;
};

inline constexpr std::uint32_t kPlatformNt = 2;

// Access rights for OpenProcess.
inline constexpr std::uint32_t kProcessTerminate = 0x0001;
inline constexpr std::uint32_t kProcessVmRead = 0x0010;
inline constexpr std::uint32_t kProcessQueryInformation = 0x0400;

// One entry of a process snapshot.
struct SnapshotEntry {
  std::string exeFile;  // the executable name as the snapshot reports it
  std::uint32_t processId = 0;
};

// A snapshot of the running processes; destroying it closes the snapshot.
class ProcessSnapshot {
 public:
  virtual ~ProcessSnapshot() = default;
  virtual std::optional<SnapshotEntry> First() = 0;  // none when no entry is delivered
  virtual std::optional<SnapshotEntry> Next() = 0;
};

// A module of an opened process, valid while that process stays open.
using ModuleId = std::uintptr_t;

// An opened process; destroying it closes the handle.
class OpenedProcess {
 public:
  virtual ~OpenedProcess() = default;
  // The first module the system reports, which is the executable.
  virtual std::optional<ModuleId> FirstModule() = 0;
  // The module's file name without folder; none when it cannot be read.
  virtual std::optional<std::string> ModuleBaseName(ModuleId module) = 0;
  // The executable's full path; none when it cannot be read.
  virtual std::optional<std::string> ExecutablePath() = 0;
  virtual Outcome Terminate(std::uint32_t exitCode) = 0;
};

// The raw process services of the system. The snapshot functions of "kernel32.dll" and the
// process status functions of "PSAPI.dll" are bound at run time; an operation whose functions
// are not bound fails without calling anything.
class ProcessApi {
 public:
  virtual ~ProcessApi() = default;

  virtual VersionInfo Version() = 0;
  virtual std::uint32_t CurrentProcessId() = 0;
  // Whether the program runs with an administrator's full rights: elevated, or as a member of
  // the administrators where the system has no elevation.
  virtual bool RunningElevated() = 0;

  // Bind their library when it is not bound yet; true when all of its functions the program
  // uses are available. A failed binding is tried again at the next call.
  virtual bool BindToolhelp() = 0;
  virtual bool BindPsapi() = 0;

  // A snapshot of the processes; null when it cannot be taken.
  virtual std::unique_ptr<ProcessSnapshot> CreateProcessSnapshot() = 0;

  // Fills ids from the start with the ids of the running processes and returns the number of
  // bytes filled; a full buffer may mean that more processes run. None on failure.
  virtual std::optional<std::size_t> ListProcessIds(std::span<std::uint32_t> ids) = 0;

  // Null when the process cannot be opened with the given access rights.
  virtual std::unique_ptr<OpenedProcess> OpenProcess(std::uint32_t access,
                                                     std::uint32_t processId) = 0;
};

}  // namespace nexolant::platform
