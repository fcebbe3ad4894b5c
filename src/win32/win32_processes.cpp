#include "win32/win32_processes.h"

#include <cstring>
#include <memory>
#include <string>

#include "win32/bound_function.h"
#include "win32/system_library.h"
#include "win32/wide_names.h"

namespace nexolant::win32 {

namespace {

static_assert(sizeof(DWORD) == sizeof(std::uint32_t));

// The text of a buffer up to its first zero, in the ANSI code page.
std::string TextOf(const wchar_t* buffer, std::size_t size) {
  return AnsiFromWide(std::wstring_view(buffer, wcsnlen(buffer, size)));
}

// The file name of a path: what follows its last backslash.
std::wstring_view FileNameOf(std::wstring_view path) {
  return path.substr(path.find_last_of(L'\\') + 1);
}

// The module that stands for the executable's image when the name comes from the image rather
// than from the module list; the null module means the executable to PSAPI as well.
constexpr platform::ModuleId kExecutableImage = 0;

class Win32Snapshot : public platform::ProcessSnapshot {
 public:
  Win32Snapshot(UniqueFileHandle handle, const Win32ProcessApi::ToolhelpFunctions& functions)
      : handle_(std::move(handle)), functions_(functions) {}

  std::optional<platform::SnapshotEntry> First() override { return Deliver(functions_.first); }
  std::optional<platform::SnapshotEntry> Next() override { return Deliver(functions_.next); }

 private:
  std::optional<platform::SnapshotEntry> Deliver(BOOL(WINAPI* step)(HANDLE, PROCESSENTRY32W*)) {
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    if (!step(handle_.get(), &entry)) {
      return std::nullopt;
    }
    return platform::SnapshotEntry{TextOf(entry.szExeFile, MAX_PATH), entry.th32ProcessID};
  }

  UniqueFileHandle handle_;
  Win32ProcessApi::ToolhelpFunctions functions_;
};

class Win32OpenedProcess : public platform::OpenedProcess {
 public:
  Win32OpenedProcess(UniqueHandle handle, const Win32ProcessApi::PsapiFunctions& functions)
      : handle_(std::move(handle)), functions_(functions) {}

  // The executable's image when its name can be read from it, else the first module of the
  // module list, which fails on a 64-bit process read from a 32-bit program.
  std::optional<platform::ModuleId> FirstModule() override {
    imageName_ = ImageName();
    if (imageName_) {
      return kExecutableImage;
    }
    HMODULE module = nullptr;
    DWORD needed = 0;
    if (!functions_.enumProcessModules(handle_.get(), &module, sizeof(module), &needed) ||
        needed < sizeof(module)) {
      return std::nullopt;
    }
    return reinterpret_cast<platform::ModuleId>(module);
  }

  std::optional<std::string> ModuleBaseName(platform::ModuleId module) override {
    if (module == kExecutableImage && imageName_) {
      return AnsiFromWide(FileNameOf(*imageName_));
    }
    wchar_t name[MAX_PATH];
    if (functions_.getModuleBaseName(handle_.get(), reinterpret_cast<HMODULE>(module), name,
                                     MAX_PATH) == 0) {
      return std::nullopt;
    }
    return TextOf(name, MAX_PATH);
  }

  std::optional<std::string> ExecutablePath() override {
    wchar_t path[MAX_PATH + 1];
    if (functions_.getModuleFileNameEx(handle_.get(), nullptr, path, MAX_PATH + 1) == 0) {
      return std::nullopt;
    }
    return TextOf(path, MAX_PATH + 1);
  }

  platform::Outcome Terminate(std::uint32_t exitCode) override {
    return TerminateProcess(handle_.get(), exitCode) != 0
               ? platform::Outcome{}
               : platform::Outcome::Failure(GetLastError());
  }

 private:
  // The executable's full path in the Win32 form; none where the system cannot tell it.
  std::optional<std::wstring> ImageName() const {
    if (!functions_.queryImageName) {
      return std::nullopt;
    }
    std::wstring path(kLongestPath, L'\0');
    DWORD size = kLongestPath;
    if (!functions_.queryImageName(handle_.get(), 0, path.data(), &size) || size == 0) {
      return std::nullopt;
    }
    path.resize(size);
    return path;
  }

  static constexpr DWORD kLongestPath = 32768;

  UniqueHandle handle_;
  Win32ProcessApi::PsapiFunctions functions_;
  std::optional<std::wstring> imageName_;
};

}  // namespace

Win32ProcessApi::Win32ProcessApi(std::optional<platform::VersionInfo> version)
    : version_(version) {}

platform::VersionInfo Win32ProcessApi::Version() {
  if (version_) {
    return *version_;
  }
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExA(&info)) {
    return {};
  }
  return {info.dwPlatformId, info.dwMajorVersion};
}

std::uint32_t Win32ProcessApi::CurrentProcessId() {
  return GetCurrentProcessId();
}

// A system without process tokens (the 95/98/ME family) has no rights to lack. Where the token
// knows no elevation (before Vista), membership of the administrators decides.
bool Win32ProcessApi::RunningElevated() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
    return GetLastError() == ERROR_CALL_NOT_IMPLEMENTED;
  }
  const UniqueHandle owned(token);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  if (GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size)) {
    return elevation.TokenIsElevated != 0;
  }
  SID_IDENTIFIER_AUTHORITY authority = SECURITY_NT_AUTHORITY;
  PSID administrators = nullptr;
  if (!AllocateAndInitializeSid(&authority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS,
                                0, 0, 0, 0, 0, 0, &administrators)) {
    return false;
  }
  const std::unique_ptr<void, decltype(&FreeSid)> sid(administrators, &FreeSid);
  BOOL member = FALSE;
  return CheckTokenMembership(nullptr, sid.get(), &member) && member;
}

HMODULE Win32ProcessApi::Kernel32() {
  if (!kernel32_) {
    kernel32_ = LoadSystemLibrary("kernel32.dll");
  }
  return kernel32_.get();
}

bool Win32ProcessApi::BindToolhelp() {
  if (toolhelp_.createSnapshot) {
    return true;
  }
  const HMODULE module = Kernel32();
  ToolhelpFunctions functions;
  if (module && BindFunction(module, "CreateToolhelp32Snapshot", functions.createSnapshot) &&
      BindFunction(module, "Process32FirstW", functions.first) &&
      BindFunction(module, "Process32NextW", functions.next)) {
    toolhelp_ = functions;
  }
  return toolhelp_.createSnapshot != nullptr;
}

bool Win32ProcessApi::BindPsapi() {
  if (psapi_) {
    return true;
  }
  UniqueModule module = LoadSystemLibrary("PSAPI.dll");
  PsapiFunctions functions;
  if (module && BindFunction(module.get(), "EnumProcesses", functions.enumProcesses) &&
      BindFunction(module.get(), "EnumProcessModules", functions.enumProcessModules) &&
      BindFunction(module.get(), "GetModuleBaseNameW", functions.getModuleBaseName) &&
      BindFunction(module.get(), "GetModuleFileNameExW", functions.getModuleFileNameEx)) {
    if (const HMODULE kernel32 = Kernel32()) {
      BindFunction(kernel32, "QueryFullProcessImageNameW", functions.queryImageName);
    }
    psapi_ = std::move(module);
    psapiFunctions_ = functions;
  }
  return static_cast<bool>(psapi_);
}

std::unique_ptr<platform::ProcessSnapshot> Win32ProcessApi::CreateProcessSnapshot() {
  if (!BindToolhelp()) {
    return nullptr;
  }
  UniqueFileHandle snapshot(toolhelp_.createSnapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) {
    return nullptr;
  }
  return std::make_unique<Win32Snapshot>(std::move(snapshot), toolhelp_);
}

std::optional<std::size_t> Win32ProcessApi::ListProcessIds(std::span<std::uint32_t> ids) {
  if (!BindPsapi()) {
    return std::nullopt;
  }
  DWORD filled = 0;
  if (!psapiFunctions_.enumProcesses(reinterpret_cast<DWORD*>(ids.data()),
                                     static_cast<DWORD>(ids.size_bytes()), &filled)) {
    return std::nullopt;
  }
  return filled;
}

std::unique_ptr<platform::OpenedProcess> Win32ProcessApi::OpenProcess(std::uint32_t access,
                                                                      std::uint32_t processId) {
  if (!BindPsapi()) {
    return nullptr;
  }
  UniqueHandle process(::OpenProcess(access, FALSE, processId));
  if (!process) {
    return nullptr;
  }
  return std::make_unique<Win32OpenedProcess>(std::move(process), psapiFunctions_);
}

}  // namespace nexolant::win32
