#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <string_view>
#include <vector>

#include "platform/console_stream.h"

namespace nexolant::win32 {

// A standard handle as a console stream: the console's own wide call when it is a console, the
// UTF-8 bytes as they are when it was redirected to a file or a pipe.
class Win32ConsoleStream final : public platform::ConsoleStream {
 public:
  explicit Win32ConsoleStream(DWORD standardHandle);

  platform::Outcome Write(std::string_view utf8) override;

 private:
  HANDLE handle_;  // the process's own, not to be closed
  bool console_;
};

// Ctrl+C and Ctrl+Break set the flag, for the pump of the program to read, and the process goes
// on; other console events take their usual course. One at a time, for the program's life.
class ConsoleInterrupt {
 public:
  ConsoleInterrupt();
  ~ConsoleInterrupt();
  ConsoleInterrupt(const ConsoleInterrupt&) = delete;
  ConsoleInterrupt& operator=(const ConsoleInterrupt&) = delete;

  const std::atomic<bool>& Requested() const { return requested_; }

 private:
  static BOOL WINAPI Handle(DWORD event);

  // The handler runs on a thread of its own that the system starts, with no argument to reach
  // an object by.
  static std::atomic<bool> requested_;
};

// The program's arguments after its name, read wide from the command line, in UTF-8.
std::vector<std::string> CommandLineArguments();

}  // namespace nexolant::win32
