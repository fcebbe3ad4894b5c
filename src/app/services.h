#pragma once

#include "platform/clock.h"
#include "platform/downloader.h"
#include "platform/file_system.h"
#include "platform/folder_browser.h"
#include "platform/folder_lock.h"
#include "platform/locale.h"
#include "platform/notification_area.h"
#include "platform/processes.h"
#include "platform/profile_strings.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/signature_evidence.h"
#include "platform/startup_services.h"
#include "ui/application.h"

namespace nexolant {

// The system services the main window and its dialogs use, handed in by the entry (the
// Win32 implementations) or by a test (fakes). All must outlive the main window.
struct AppServices {
  platform::FileSystem& files;
  platform::Clock& clock;
  const platform::Locale& locale;
  platform::Shell& shell;
  platform::Registry& registry;
  platform::ProcessApi& processes;
  platform::ProfileStrings& profileStrings;
  platform::Downloader& downloader;
  platform::NotificationArea& notificationArea;
  platform::FolderBrowser& folderBrowser;
  const platform::SignatureEvidence& evidence;
  // Where adware starts from, beside the registry and the file system.
  platform::Shortcuts& shortcuts;
  platform::ScheduledTasks& tasks;
  platform::ServiceControl& serviceControl;
  // The lock of the program folder's files, which nexscan.exe shares.
  platform::FolderLock& folderLock;
  ui::Application& application;
  platform::Path programFolder;  // the executable's folder, with a trailing backslash
};

}  // namespace nexolant
