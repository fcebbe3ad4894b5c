#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "app/main_form.h"
#include "fakes/fake_downloader.h"
#include "fakes/fake_folder_browser.h"
#include "fakes/fake_folder_lock.h"
#include "fakes/fake_notification_area.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_profile_strings.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_signature_evidence.h"
#include "fakes/fake_startup_services.h"
#include "fakes/memory_file_system.h"
#include "fakes/memory_registry.h"
#include "support/ascii_locale.h"
#include "support/encipher_reference.h"
#include "support/named_control.h"
#include "support/scripted_backend.h"
#include "ui/application.h"

namespace nexolant {

inline constexpr platform::DateTime kStartTime = 46000.5;

// Stands at kStartTime until the program sleeps; each sleep moves it on and is recorded.
class FixedClock : public platform::Clock {
 public:
  platform::DateTime Now() override { return kStartTime + slept_ / 86'400'000.0; }
  void Sleep(std::uint32_t milliseconds) override {
    slept_ += milliseconds;
    ++sleeps_;
    if (OnSleep) {
      OnSleep();
    }
  }
  std::uint64_t Slept() const { return slept_; }
  int Sleeps() const { return sleeps_; }
  std::function<void()> OnSleep;

 private:
  std::uint64_t slept_ = 0;
  int sleeps_ = 0;
};

using testing::EncipherReference;

// A main window over in-memory services and the scripted window system.
class MainFormTest : public ::testing::Test {
 protected:
  static constexpr const char* kFolder = "C:\\Program Files\\Nexolant\\";

  MainFormTest() {
    files_.AddFolder(kFolder);
    files_.SetProgramFolder(kFolder);
  }

  AppServices Services() {
    return {.files = files_,
            .clock = clock_,
            .locale = locale_,
            .shell = shell_,
            .registry = registry_,
            .processes = processes_,
            .profileStrings = profileStrings_,
            .downloader = downloader_,
            .notificationArea = notificationArea_,
            .folderBrowser = folderBrowser_,
            .evidence = evidence_,
            .shortcuts = shortcuts_,
            .tasks = tasks_,
            .serviceControl = serviceControl_,
            .folderLock = folderLock_,
            .application = application_,
            .programFolder = kFolder};
  }

  // Builds the window and runs its creation handler, as the entry does.
  TMainForm& Create() {
    form_ = std::make_unique<TMainForm>(Services());
    application_.CreateForm(*form_);
    return *form_;
  }

  void PutReference(std::string_view plain) {
    files_.AddFile(std::string(kFolder) + "Reference.dat", EncipherReference(plain));
  }

  template <class T>
  T& Get(std::string_view name) const {
    return Named<T>(*form_, name);
  }
  ui::Label& Label(std::string_view name) const { return Get<ui::Label>(name); }
  ui::SpeedButton& Side(std::string_view name) const { return Get<ui::SpeedButton>(name); }
  ui::Control& Control(std::string_view name) const {
    ui::Control* control = form_->FindControl(name);
    if (control == nullptr) {
      throw std::logic_error("no control " + std::string(name));
    }
    return *control;
  }
  int PageIndex() const { return Get<ui::Notebook>("Notebook").PageIndex(); }
  std::string Title() const { return Label("lblStatus").Caption(); }

  MemoryFileSystem files_;
  FixedClock clock_;
  AsciiLocale locale_;
  FakeShell shell_;
  MemoryRegistry registry_;
  FakeProcessApi processes_;
  FakeProfileStrings profileStrings_{files_};
  FakeDownloader downloader_{files_};
  FakeNotificationArea notificationArea_;
  FakeFolderBrowser folderBrowser_;
  FakeSignatureEvidence evidence_;
  FakeShortcuts shortcuts_;
  FakeScheduledTasks tasks_;
  FakeServiceControl serviceControl_{registry_};
  FakeFolderLock folderLock_;
  ScriptedBackend backend_;
  ui::Application application_{backend_};
  std::unique_ptr<TMainForm> form_;
};

}  // namespace nexolant
