// The entry of nexscan.exe, the console scanner: the Win32 services, the console's streams and
// Ctrl+C, the lock of the program folder shared with Nexolant.exe, and the scan the arguments
// ask for. Its exit code is the scan's. Every file lives in the folder of the executable.
#include <windows.h>

#include <exception>
#include <string>

#include "console/console_scan.h"
#include "platform/folder_lock.h"
#include "platform/signature_verifier.h"
#include "win32/system_library.h"
#include "win32/win32_clock.h"
#include "win32/win32_console.h"
#include "win32/win32_file_system.h"
#include "win32/win32_folder_lock.h"
#include "win32/win32_locale.h"
#include "win32/win32_processes.h"
#include "win32/win32_registry.h"
#include "win32/win32_scheduled_tasks.h"
#include "win32/win32_service_control.h"
#include "win32/win32_shortcuts.h"
#include "win32/win32_signature_evidence.h"

int main() {
  using namespace nexolant;
  win32::LoadLibrariesFromTheSystemFolderOnly();
  win32::Win32ConsoleStream out(STD_OUTPUT_HANDLE);
  win32::Win32ConsoleStream err(STD_ERROR_HANDLE);
  const win32::ConsoleInterrupt interrupt;
  try {
    win32::Win32FileSystem files;
    win32::Win32Clock clock;
    const win32::Win32Locale locale;
    win32::Win32Registry registry;
    win32::Win32ProcessApi processes;
    const win32::Win32SignatureEvidence evidence;
    win32::Win32Shortcuts shortcuts;
    win32::Win32ScheduledTasks tasks;
    win32::Win32ServiceControl serviceControl;
    const platform::Path programFolder = files.ProgramFolder();
    win32::Win32FolderLock folderLock(
        platform::FolderLockName(files, programFolder, platform::SystemSignatureVerifier()));
    return static_cast<int>(
        RunConsoleScanner(win32::CommandLineArguments(), {.files = files,
                                                          .registry = registry,
                                                          .processes = processes,
                                                          .clock = clock,
                                                          .locale = locale,
                                                          .evidence = evidence,
                                                          .shortcuts = shortcuts,
                                                          .tasks = tasks,
                                                          .serviceControl = serviceControl,
                                                          .folderLock = folderLock,
                                                          .out = out,
                                                          .err = err,
                                                          .interrupted = interrupt.Requested(),
                                                          .programFolder = programFolder}));
  } catch (const std::exception& error) {
    // The stream may be closed; the exit code tells all the same.
    platform::BestEffort(err.Write(std::string("nexscan: ") + error.what() + "\r\n"));
  }
  return static_cast<int>(ExitCode::kError);
}
