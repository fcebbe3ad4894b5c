// A process for the process tests. It sets the event named by its first argument once it runs,
// then sleeps for up to 60 seconds, or for the number of seconds given as its second argument.
// With "terminate-self" as its second argument it instead asks to terminate every process of its
// own executable name, and exits with 3 when that was refused and 2 when it was reported done (a
// terminated process exits with 0).
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "processes/process_list.h"
#include "win32/unique_handle.h"
#include "win32/win32_processes.h"

namespace {

std::string OwnBaseName() {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const char* slash = std::strrchr(path, '\\');
  return slash ? slash + 1 : path;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace nexolant;
  if (argc > 1) {
    const win32::UniqueHandle ready(OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]));
    if (ready) {
      SetEvent(ready.get());
    }
  }
  if (argc > 2 && std::strcmp(argv[2], "terminate-self") == 0) {
    win32::Win32ProcessApi api;
    return TerminateProcessByName(api, OwnBaseName()) ? 2 : 3;
  }
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 0;
  Sleep(seconds > 0 ? static_cast<DWORD>(seconds) * 1000 : 60000);
  return 0;
}
