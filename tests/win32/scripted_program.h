#pragma once

#include <functional>
#include <string>

#include "app/main_form.h"
#include "fakes/fake_folder_browser.h"
#include "fakes/fake_notification_area.h"
#include "fakes/fake_shell.h"
#include "platform/folder_lock.h"
#include "platform/signature_verifier.h"
#include "support/scripted_backend.h"
#include "ui/application.h"
#include "win32/win32_clock.h"
#include "win32/win32_downloader.h"
#include "win32/win32_file_system.h"
#include "win32/win32_folder_lock.h"
#include "win32/win32_locale.h"
#include "win32/win32_processes.h"
#include "win32/win32_profile_strings.h"
#include "win32/win32_registry.h"
#include "win32/win32_scheduled_tasks.h"
#include "win32/win32_service_control.h"
#include "win32/win32_shortcuts.h"
#include "win32/win32_signature_evidence.h"

namespace nexolant::win32 {

// The program over the system's real files, registry, processes and private profiles, with the
// scripted window system and the shell, notification area and folder dialog faked.
struct ScriptedProgram {
  // One run of the main window from the program folder: start, the action in the main loop,
  // close.
  void Run(const std::string& programFolder, const std::function<void(TMainForm& form)>& action) {
    Win32FolderLock folderLock(
        platform::FolderLockName(files, programFolder, platform::SystemSignatureVerifier()));
    TMainForm form(AppServices{.files = files,
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
    backend.QueueInMainLoop([&] { action(form); });
    application.Run(form);
  }

  Win32FileSystem files;
  Win32Clock clock;
  const Win32Locale locale;
  FakeShell shell;
  Win32Registry registry;
  Win32ProcessApi processes;
  Win32ProfileStrings profileStrings;
  Win32Downloader downloader;
  FakeNotificationArea notificationArea;
  FakeFolderBrowser folderBrowser;
  const win32::Win32SignatureEvidence evidence;
  Win32Shortcuts shortcuts;
  Win32ScheduledTasks tasks;
  Win32ServiceControl serviceControl;
  ScriptedBackend backend;
  ui::Application application{backend};
};

}  // namespace nexolant::win32
