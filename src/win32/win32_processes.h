#pragma once

#include <windows.h>

#include <tlhelp32.h>

#include <optional>

#include "platform/processes.h"
#include "win32/unique_handle.h"

namespace nexolant::win32 {

// The process services on the Win32 API. "kernel32.dll" and "PSAPI.dll" are loaded from the
// system's folder and their functions resolved at the first operation that needs them; a
// library counts as bound only when every function the program uses resolved. The image name
// of an opened process is read with QueryFullProcessImageNameW where the system has it (Vista
// and later): unlike the module list, it can be read from a 32-bit program on a 64-bit
// process. Names are read wide and given in the ANSI code page with "?" for what it lacks
// (AnsiFromWide), never as a look-alike. A version given to the constructor replaces the system's,
// so that either listing method can be used on any system. Snapshots and opened processes must not
// outlive the object that made them.
class Win32ProcessApi : public platform::ProcessApi {
 public:
  struct ToolhelpFunctions {
    HANDLE(WINAPI* createSnapshot)(DWORD, DWORD) = nullptr;
    BOOL(WINAPI* first)(HANDLE, PROCESSENTRY32W*) = nullptr;
    BOOL(WINAPI* next)(HANDLE, PROCESSENTRY32W*) = nullptr;
  };
  struct PsapiFunctions {
    BOOL(WINAPI* enumProcesses)(DWORD*, DWORD, DWORD*) = nullptr;
    BOOL(WINAPI* enumProcessModules)(HANDLE, HMODULE*, DWORD, DWORD*) = nullptr;
    DWORD(WINAPI* getModuleBaseName)(HANDLE, HMODULE, wchar_t*, DWORD) = nullptr;
    DWORD(WINAPI* getModuleFileNameEx)(HANDLE, HMODULE, wchar_t*, DWORD) = nullptr;
    // Of kernel32, and optional: null where the system lacks it.
    BOOL(WINAPI* queryImageName)(HANDLE, DWORD, wchar_t*, DWORD*) = nullptr;
  };

  explicit Win32ProcessApi(std::optional<platform::VersionInfo> version = std::nullopt);

  platform::VersionInfo Version() override;
  std::uint32_t CurrentProcessId() override;
  bool RunningElevated() override;
  bool BindToolhelp() override;
  bool BindPsapi() override;
  std::unique_ptr<platform::ProcessSnapshot> CreateProcessSnapshot() override;
  std::optional<std::size_t> ListProcessIds(std::span<std::uint32_t> ids) override;
  std::unique_ptr<platform::OpenedProcess> OpenProcess(std::uint32_t access,
                                                       std::uint32_t processId) override;

 private:
  HMODULE Kernel32();

  std::optional<platform::VersionInfo> version_;
  UniqueModule kernel32_;
  UniqueModule psapi_;
  ToolhelpFunctions toolhelp_;
  PsapiFunctions psapiFunctions_;
};

}  // namespace nexolant::win32
