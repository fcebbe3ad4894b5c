#pragma once

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "support/scoped_folder.h"
#include "win32/unique_handle.h"

// Started copies of the helper program nexolant_sleeper.exe, for the tests of the process
// services.
namespace nexolant::win32 {

inline std::string UpperCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

inline std::string LowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// A name no other process has: the test process's id and a running number.
inline std::string UniqueExeName() {
  static int count = 0;
  return "NxSleep_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++count) +
         ".exe";
}

inline std::string OwnPath() {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

// The helper program, copied under the given name into a scratch folder.
inline std::string CopySleeper(const testing::ScopedFolder& folder, const std::string& exeName) {
  const std::string own = OwnPath();
  const std::string source = own.substr(0, own.find_last_of('\\') + 1) + "nexolant_sleeper.exe";
  const std::string target = folder.File(exeName);
  if (!CopyFileA(source.c_str(), target.c_str(), TRUE)) {
    throw std::runtime_error("cannot copy " + source);
  }
  return target;
}

inline std::wstring Widen(const std::string& ansi) {
  std::wstring wide(ansi.size(), L'\0');
  wide.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(),
                          static_cast<int>(wide.size()))));
  return wide;
}

// The helper program, copied into a scratch folder under a name in any script.
inline std::wstring CopySleeper(const testing::ScopedFolder& folder, const std::wstring& exeName) {
  const std::wstring source = Widen(CopySleeper(folder, UniqueExeName()));
  const std::wstring target = source.substr(0, source.find_last_of(L'\\') + 1) + exeName;
  if (!CopyFileW(source.c_str(), target.c_str(), TRUE)) {
    throw std::runtime_error("cannot copy the helper");
  }
  return target;
}

// Owns a started process: terminates it if it still runs and waits for its end.
class OwnedProcess {
 public:
  OwnedProcess() = default;
  ~OwnedProcess() {
    if (handle_ && WaitForSingleObject(handle_.get(), 0) == WAIT_TIMEOUT) {
      TerminateProcess(handle_.get(), 1);
      WaitForSingleObject(handle_.get(), 20000);
    }
  }
  OwnedProcess(const OwnedProcess&) = delete;
  OwnedProcess& operator=(const OwnedProcess&) = delete;

  void Adopt(HANDLE process) { handle_.reset(process); }
  HANDLE get() const { return handle_.get(); }

 private:
  UniqueHandle handle_;
};

// A started copy of the helper, running until it has set its ready event; reaped when it goes,
// so that no test leaves a process behind, whatever way it ends.
class HelperProcess {
 public:
  explicit HelperProcess(const std::string& path, const std::string& mode = "")
      : HelperProcess(Widen(path), Widen(mode)) {}
  explicit HelperProcess(const std::wstring& path, const std::wstring& mode = L"") {
    const std::string eventName = "nexolant_sleeper_ready_" +
                                  std::to_string(GetCurrentProcessId()) + "_" +
                                  std::to_string(++started_);
    const UniqueHandle ready(CreateEventA(nullptr, TRUE, FALSE, eventName.c_str()));
    std::wstring commandLine = L"\"" + path + L"\" " + Widen(eventName) + L" " + mode;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!ready || !CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                  CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info)) {
      throw std::runtime_error("cannot start the helper");
    }
    process_.Adopt(info.hProcess);
    CloseHandle(info.hThread);
    id_ = info.dwProcessId;
    HANDLE waitFor[] = {ready.get(), process_.get()};
    if (WaitForMultipleObjects(2, waitFor, FALSE, 30000) == WAIT_TIMEOUT) {
      throw std::runtime_error("the helper did not start");
    }
  }

  std::int32_t id() const { return static_cast<std::int32_t>(id_); }
  bool Running() const { return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }
  // The exit code once the process has ended within 30 seconds; none while it runs.
  std::optional<DWORD> WaitForExit() const {
    DWORD code = 0;
    if (WaitForSingleObject(process_.get(), 30000) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process_.get(), &code)) {
      return std::nullopt;
    }
    return code;
  }

 private:
  static inline int started_ = 0;
  OwnedProcess process_;
  DWORD id_ = 0;
};

}  // namespace nexolant::win32
