#pragma once

#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_form.h"
#include "app/main_form_fixture.h"
#include "ini/big_ini_file.h"
#include "platform/ascii.h"
#include "processes/process_list.h"
#include "repair/repair.h"
#include "support/recording_warnings.h"
#include "support/scripted_pump.h"
#include "ui/check_box.h"

namespace nexolant {

// The warning of a restore that cannot put its object back.
inline constexpr const char* kRestoreFailure =
    "Unable to restore file! The original path may no longer exist.";

// A main window over in-memory services, with the program folder, a reference file and helpers
// to plant objects, fill the Report list as a scan does, and use the Report and Quarantine
// pages as the user does.
struct QuarantineWorld {
  static constexpr const char* kFolder = "C:\\Program Files\\Nexolant\\";
  static constexpr const char* kQuarantine = "C:\\Program Files\\Nexolant\\Quarantine";
  static constexpr const char* kIndex = "C:\\Program Files\\Nexolant\\Quarantine.ini";
  static constexpr const char* kReference =
      "[ScanFiles]\nevil.exe=Evil file\nspyw?.dll=Spy library\n"
      "[OtherKill]\nbadproc.exe=Bad process\n"
      "[Registry]\nEvilKey=Evil key\n";

  explicit QuarantineWorld(std::string_view reference = kReference) {
    files.AddFolder(kFolder);
    files.SetProgramFolder(kFolder);
    files.AddFile(std::string(kFolder) + "Reference.dat", EncipherReference(reference));
  }

  TMainForm& Start() {
    form = std::make_unique<TMainForm>(AppServices{.files = files,
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
                                                   .programFolder = kFolder});
    application.CreateForm(*form);
    return *form;
  }
  void Restart() {
    form.reset();
    Start();
  }

  template <class T>
  T& Get(std::string_view name) const {
    return Named<T>(*form, name);
  }
  ui::ListView& Report() const { return Get<ui::ListView>("Report"); }
  ui::ListView& List() const { return Get<ui::ListView>("Quarantine"); }
  std::string Caption(std::string_view name) const { return Get<ui::Label>(name).Caption(); }
  std::string Summary() const { return Caption("lblQuarantine"); }
  int PageIndex() const { return Get<ui::Notebook>("Notebook").PageIndex(); }

  // The end of a scan that found rows: navigation locked, the Report page shown. A process row
  // carries the first running process of its name, as the scan would have found it.
  void Found(const std::vector<ReportRow>& rows) {
    std::vector<Finding> found;
    ProcessList running;
    ListProcesses(processes, running);
    for (const ReportRow& row : rows) {
      Finding finding{.kind = KindOfLocation(row.Location), .row = row};
      for (const ProcessEntry& process : running) {
        if (finding.kind == RowKind::kProcess && finding.processId < 0 &&
            platform::AsciiEqualNoCase(process.name.substr(process.name.rfind('\\') + 1),
                                       row.Caption)) {
          finding.processId = process.processId;
          finding.imagePath =
              ImagePathOfProcess(processes, static_cast<std::uint32_t>(process.processId))
                  .value_or("");
        }
      }
      found.push_back(std::move(finding));
    }
    Found(found);
  }
  void Found(const std::vector<Finding>& found) {
    Findings& findings = form->ScanFindings();
    findings.Clear();
    for (const Finding& finding : found) {
      findings.Add(finding);
    }
    form->LockNavigation();
    form->ShowReportPage();
  }
  // A chosen-folder scan of folder, without the registry, up to the Report page.
  void ScanFolder(const std::string& folder) {
    folderBrowser.QueueChoice(folder);
    Click("ScanBtn");
    Click("lblSelect");
    if (Get<ui::CheckBox>("chkRegScan").Checked()) {
      Click("chkRegScan");
    }
    Click("btnNext");
    Click("btnStop");
  }
  void SetQuarantining(bool on) { form->UserOptions().Set(Option::kQuarantineBeforeRemoval, on); }
  bool Click(std::string_view name) {
    ui::Control* control = form->FindControl(name);
    if (control == nullptr) {
      throw std::logic_error("no control " + std::string(name));
    }
    return backend.Click(*control);
  }
  bool Repair() { return Click("btnRepair"); }
  void ShowQuarantinePage() { Click("QuarantineBtn"); }
  // Selects the row of that name on the Quarantine page and presses Restore.
  bool Restore(const std::string& name) {
    ShowQuarantinePage();
    backend.ClickRow(List(), List().IndexOfCaption(name));
    return Click("btnRestore");
  }
  bool Empty(bool confirm = true) {
    ShowQuarantinePage();
    backend.QueueAnswer(confirm ? ui::MessageResult::kYes : ui::MessageResult::kNo);
    return Click("btnEmpty");
  }

  // The index's entries of [Files] as name -> origin (or of [Registry] as save -> key path),
  // read as the program reads them.
  std::map<std::string, std::string> Index(const char* section = "Files") {
    RecordingWarnings warnings;
    ScriptedPump pump;
    TBigIniFile index({.files = files, .locale = locale, .pump = pump, .warnings = warnings},
                      kIndex);
    StringList keys;
    index.ReadSection(section, keys);
    std::map<std::string, std::string> entries;
    for (const std::string& key : keys) {
      entries.emplace(key, index.ReadString(section, key, ""));
    }
    return entries;
  }
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    for (const ui::ListItem& item : List().Items()) {
      rows.push_back(item.caption + "|" + item.subItems.at(0) + "|" + item.subItems.at(1));
    }
    return rows;
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const RecordedMessage& message : backend.Messages()) {
      texts.push_back(message.text);
    }
    return texts;
  }
  const StatisticsValues& Statistics() const { return form->Statistics().Values(); }

  MemoryFileSystem files;
  FixedClock clock;
  AsciiLocale locale;
  FakeShell shell;
  MemoryRegistry registry;
  FakeProcessApi processes;
  FakeProfileStrings profileStrings{files};
  FakeDownloader downloader{files};
  FakeNotificationArea notificationArea;
  FakeFolderBrowser folderBrowser;
  FakeSignatureEvidence evidence;
  FakeShortcuts shortcuts;
  FakeScheduledTasks tasks;
  FakeServiceControl serviceControl{registry};
  FakeFolderLock folderLock;
  ScriptedBackend backend;
  ui::Application application{backend};
  std::unique_ptr<TMainForm> form;
};

}  // namespace nexolant
