// The entry of Nexolant.exe: the Win32 services and window system, the application titled
// "Nexolant", the main window, and the message loop until that window closes. No
// command-line argument is used and the current directory plays no part: every file lives
// in the folder of the executable.
#include <windows.h>

#include <exception>

#include "app/main_form.h"
#include "app/services.h"
#include "platform/folder_lock.h"
#include "platform/signature_verifier.h"
#include "ui/application.h"
#include "win32/system_library.h"
#include "win32/win32_backend.h"
#include "win32/win32_clock.h"
#include "win32/win32_downloader.h"
#include "win32/win32_file_system.h"
#include "win32/win32_folder_browser.h"
#include "win32/win32_folder_lock.h"
#include "win32/win32_locale.h"
#include "win32/win32_notification_area.h"
#include "win32/win32_processes.h"
#include "win32/win32_profile_strings.h"
#include "win32/win32_registry.h"
#include "win32/win32_scheduled_tasks.h"
#include "win32/win32_service_control.h"
#include "win32/win32_shell.h"
#include "win32/win32_shortcuts.h"
#include "win32/win32_signature_evidence.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
  nexolant::win32::LoadLibrariesFromTheSystemFolderOnly();
  using namespace nexolant;
  win32::Win32Backend backend;
  ui::Application application(backend);
  application.SetTitle("Nexolant");
  // The message loop runs outside any event handler, so that a close request is carried out
  // as soon as the handler it arrived in has returned.
  try {
    win32::Win32FileSystem files;
    win32::Win32Clock clock;
    const win32::Win32Locale locale;
    win32::Win32Shell shell;
    win32::Win32Registry registry;
    win32::Win32ProcessApi processes;
    win32::Win32ProfileStrings profileStrings;
    win32::Win32Downloader downloader;
    win32::Win32NotificationArea notificationArea(application);
    win32::Win32FolderBrowser folderBrowser;
    const win32::Win32SignatureEvidence evidence;
    win32::Win32Shortcuts shortcuts;
    win32::Win32ScheduledTasks tasks;
    win32::Win32ServiceControl serviceControl;
    const platform::Path programFolder = files.ProgramFolder();
    win32::Win32FolderLock folderLock(
        platform::FolderLockName(files, programFolder, platform::SystemSignatureVerifier()));
    TMainForm mainForm(AppServices{.files = files,
                                   .clock = clock,
                                   .locale = locale,
                                   .shell = shell,
                                   .registry = registry,
                                   .processes = processes,
                                   .profileStrings = profileStrings,
                                   .downloader = downloader,
                                   .notificationArea = notificationArea,
                                   .folderBrowser = folderBrowser,
                                   .evidence = evidence,
                                   .shortcuts = shortcuts,
                                   .tasks = tasks,
                                   .serviceControl = serviceControl,
                                   .folderLock = folderLock,
                                   .application = application,
                                   .programFolder = programFolder});
    application.Run(mainForm);
  } catch (...) {
    application.ReportCurrentException();
    return 1;
  }
  return 0;
}
