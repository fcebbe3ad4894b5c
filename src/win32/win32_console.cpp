#include "win32/win32_console.h"

#include <shellapi.h>

#include "win32/unique_handle.h"
#include "win32/wide_names.h"

namespace nexolant::win32 {

std::atomic<bool> ConsoleInterrupt::requested_ = false;

Win32ConsoleStream::Win32ConsoleStream(DWORD standardHandle)
    : handle_(GetStdHandle(standardHandle)) {
  DWORD mode = 0;
  console_ = handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE &&
             GetConsoleMode(handle_, &mode) != FALSE;
}

platform::Outcome Win32ConsoleStream::Write(std::string_view utf8) {
  if (handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE) {
    return platform::Outcome::Failure(ERROR_INVALID_HANDLE);
  }
  DWORD written = 0;
  if (console_) {
    const std::wstring wide = WideFromUtf8(utf8);
    return WriteConsoleW(handle_, wide.data(), static_cast<DWORD>(wide.size()), &written,
                         nullptr) != FALSE
               ? platform::Outcome{}
               : platform::Outcome::Failure(GetLastError());
  }
  return WriteFile(handle_, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr) !=
                 FALSE
             ? platform::Outcome{}
             : platform::Outcome::Failure(GetLastError());
}

// Without the handler Ctrl+C ends the process at once, as it ends any console program.
ConsoleInterrupt::ConsoleInterrupt() {
  requested_ = false;
  platform::BestEffort(SetConsoleCtrlHandler(&ConsoleInterrupt::Handle, TRUE) != FALSE);
}

// A handler left behind would only set a flag nobody reads.
ConsoleInterrupt::~ConsoleInterrupt() {
  platform::BestEffort(SetConsoleCtrlHandler(&ConsoleInterrupt::Handle, FALSE) != FALSE);
}

BOOL WINAPI ConsoleInterrupt::Handle(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
    return FALSE;
  }
  requested_ = true;
  return TRUE;
}

std::vector<std::string> CommandLineArguments() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  const UniqueLocalMemory owned(arguments);
  std::vector<std::string> result;
  for (int k = 1; arguments != nullptr && k < count; ++k) {
    result.push_back(Utf8FromWide(arguments[k]));
  }
  return result;
}

}  // namespace nexolant::win32
