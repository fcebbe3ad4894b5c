// The Quarantine page over any index file: the list is rebuilt from the index without writing
// anything, its rows are plain file names that the index holds or the ANSI spellings of exact
// entries (":" and a plain stored name, an encoded absolute path), and Restore and Empty then
// never touch a file outside the quarantine folder except by moving a quarantined file or
// folder back to an absolute origin. No quarantined file is lost: each one is in the folder,
// back at an origin, or deleted by Empty, also when index writes fail part of the way.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "fakes/fake_processes.h"
#include "fakes/fake_signature_evidence.h"
#include "fakes/memory_file_system.h"
#include "fakes/memory_registry.h"
#include "ini/big_ini_file.h"
#include "platform/portable/cp1252_locale.h"
#include "quarantine/exact_entry.h"
#include "quarantine/quarantine_files.h"
#include "quarantine/quarantine_page.h"
#include "reference/signature_source.h"
#include "settings/usage_statistics.h"
#include "support/recording_backend.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/notebook.h"

namespace {

using nexolant::MemoryFileSystem;
using nexolant::StringList;

constexpr std::string_view kFolder = "C:\\Program Files\\Nexolant\\";
constexpr std::string_view kPlanted = "quarantined file";

// The first byte chooses what happens around the rebuild; the second is the write budget in
// steps of 8 bytes; the rest is the index file.
struct Case {
  bool plant = false;       // a file in the folder for every plain key
  bool readOnly = false;    // the planted files are read-only
  bool restore = false;     // Restore is pressed once for every row
  bool empty = false;       // then Empty Quarantine, answered Yes
  bool failWrites = false;  // index writes fail after the budget
  bool orphan = false;      // a file in the folder that the index does not name
  bool inUse = false;       // the first planted file is held open
  bool folders = false;     // what is planted are hidden folders holding files and a folder
  std::size_t writeBudget = 0;
  std::string index;
};

Case Decode(const std::uint8_t* data, std::size_t size) {
  Case result;
  if (size < 2) {
    return result;
  }
  result.plant = data[0] & 1;
  result.readOnly = data[0] & 2;
  result.restore = data[0] & 4;
  result.empty = data[0] & 8;
  result.failWrites = data[0] & 16;
  result.orphan = data[0] & 32;
  result.inUse = data[0] & 64;
  result.folders = data[0] & 128;
  result.writeBudget = std::size_t{data[1]} * 8;
  // A few dozen entries reach every path; longer files only slow the runs down.
  result.index.assign(reinterpret_cast<const char*>(data + 2),
                      std::min<std::size_t>(size - 2, 1024));
  return result;
}

class FixedSignatures : public nexolant::SignatureSource {
 public:
  explicit FixedSignatures(const nexolant::platform::Locale& locale) {
    tables_.ScanFileNames.Assign({"EVIL*.EXE", "SPY?.DLL"}, locale);
    tables_.ScanFileDescriptions = {"Evil file", "Spy library"};
  }
  const nexolant::SignatureTables& Tables() const override { return tables_; }

 private:
  nexolant::SignatureTables tables_;
};

// Every file on drive C: by exact path, with its contents.
void Walk(MemoryFileSystem& files, const nexolant::platform::Path& folder,
          std::map<std::string, std::string>& found) {
  const nexolant::platform::Path inside = folder + "\\";
  const auto search = files.OpenSearch(inside + "*");
  while (search) {
    const std::optional<nexolant::platform::FindData> entry = search->Next();
    if (!entry) {
      break;
    }
    if (entry->name == "." || entry->name == "..") {
      continue;
    }
    const nexolant::platform::Path path =
        files.Join(inside, nexolant::platform::Path(entry->name, entry->exactName));
    if ((entry->attributes & nexolant::platform::kAttributeDirectory) == 0) {
      found[path.HasExact() ? path.exact : files.ExactSpelling(path.ansi)] =
          files.Contents(path).value_or("");
    } else {
      Walk(files, path, found);
    }
  }
}

// The stored name of an exact entry the rebuild lists; none for any other line.
std::optional<std::string> ListedExact(const std::string& key, const std::string& value) {
  const std::optional<std::string> stored = nexolant::StoredNameOfKey(key);
  const std::optional<std::string> path = nexolant::DecodeExactPath(value);
  if (!stored || !path || !nexolant::IsAbsolutePath(*path)) {
    return std::nullopt;
  }
  const std::size_t slash = path->rfind('\\');
  if (slash == std::string::npos || !nexolant::IsPlainFileName(path->substr(slash + 1))) {
    return std::nullopt;
  }
  return stored;
}

std::map<std::string, std::string> AllFiles(MemoryFileSystem& files) {
  std::map<std::string, std::string> found;
  Walk(files, "C:", found);
  return found;
}

// The planted files, or those of them inside the folder when one is given.
std::size_t CountPlanted(const std::map<std::string, std::string>& all,
                         const std::string& inside = {}) {
  std::size_t count = 0;
  for (const auto& [path, contents] : all) {
    count += contents == kPlanted && path.starts_with(inside) ? 1 : 0;
  }
  return count;
}

// A quarantined object at path: a file, or a hidden folder (which the scan reports as a file)
// holding two files, one of them a level down. The first file is what inUse holds open.
std::string Plant(MemoryFileSystem& files, const std::string& path, bool folder, bool readOnly) {
  if (!folder) {
    files.AddFile(path, std::string(kPlanted));
    files.SetReadOnly(path, readOnly);
    return path;
  }
  files.AddFolder(path + "\\sub");
  files.SetAttributes(
      path, nexolant::platform::kAttributeDirectory | nexolant::platform::kAttributeHidden);
  for (const std::string& file : {path + "\\inner.bin", path + "\\sub\\deep.bin"}) {
    files.AddFile(file, std::string(kPlanted));
    files.SetReadOnly(file, readOnly);
  }
  return path + "\\inner.bin";
}

// Files other than the planted ones keep their paths and contents; the index is the
// page's own to change.
void CheckOthersKept(const std::map<std::string, std::string>& before,
                     const std::map<std::string, std::string>& after, const std::string& index) {
  for (const auto& [path, contents] : before) {
    if (contents != kPlanted && path != index) {
      const auto now = after.find(path);
      if (now == after.end() || now->second != contents) {
        std::abort();
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const nexolant::platform::Cp1252Locale locale;
  static const FixedSignatures signatures(locale);
  Case input = Decode(data, size);
  const std::string folder(kFolder);
  const std::string indexPath = folder + nexolant::kQuarantineIndexName;
  const std::string quarantine = folder + nexolant::kQuarantineFolderName;

  MemoryFileSystem files;
  files.AddFolder("C:\\Windows");
  files.AddFile("C:\\Windows\\notepad.exe", "system file");
  files.AddFolder(folder);
  files.AddFile(folder + "Nexolant.ini", "[Settings]\r\n");
  files.AddFile(indexPath, input.index);
  files.AddFolder(quarantine);

  nexolant::RecordingBackend backend;
  nexolant::ui::Application application(backend);
  const nexolant::IniServices ini{
      .files = files, .locale = locale, .pump = application, .warnings = application};
  StringList keys;
  // Saved registry keys are listed too: a plain save name and a path from a hive to a key.
  std::size_t plainKeys = 0;
  {
    nexolant::TBigIniFile index(ini, indexPath);
    index.ReadSection(nexolant::kFilesSection, keys);
    StringList saves;
    index.ReadSectionValues(nexolant::kRegistrySection, saves);
    for (const std::string& line : saves) {
      const std::string save(nexolant::TBigIniFile::KeyOf(line));
      const std::string path(nexolant::TBigIniFile::ValueOf(line));
      plainKeys += nexolant::IsPlainFileName(save) && path.starts_with("HKEY_") &&
                   path.find('\\') != std::string::npos && !path.ends_with('\\');
    }
  }
  std::size_t exactKeys = 0;
  for (const std::string& key : keys) {
    std::optional<std::string> stored;
    if (!nexolant::IsPlainFileName(key)) {
      nexolant::TBigIniFile index(ini, indexPath);
      stored = ListedExact(key, index.ReadString(nexolant::kFilesSection, key, ""));
      if (!stored) {
        continue;
      }
      ++exactKeys;
    }
    ++plainKeys;
    const std::string path = quarantine + "\\" + stored.value_or(key);
    if (input.plant && !files.FileAttributes(path)) {
      const std::string first = Plant(files, path, input.folders, input.readOnly);
      if (input.inUse) {
        files.SetInUse(first);
        input.inUse = false;
      }
    }
  }
  // The orphan is a file no row names.
  bool orphan = input.orphan;
  for (const std::string& key : keys) {
    orphan = orphan && !locale.SameText(key, "orphan.bin");
  }
  if (orphan) {
    files.AddFile(quarantine + "\\orphan.bin", "not in the index");
  }

  nexolant::ui::Form form("MainForm");
  nexolant::ui::Notebook& notebook = form.Add<nexolant::ui::Notebook>("Notebook");
  nexolant::ui::NotebookPage& page = notebook.AddPage("Quarantine");
  nexolant::UsageStatistics statistics;
  nexolant::ui::ExclusiveActions actions;
  nexolant::MemoryRegistry registry;
  nexolant::FakeProcessApi processes;
  const nexolant::FakeSignatureEvidence evidence;
  const nexolant::protection::ProtectionPolicy protection({.files = files,
                                                           .registry = registry,
                                                           .locale = locale,
                                                           .ownProcessId = 1,
                                                           .processes = processes,
                                                           .evidence = evidence});
  nexolant::QuarantineStore store(ini, registry, folder, statistics, signatures, protection);
  nexolant::ui::DeferredActions deferred(application);
  nexolant::QuarantinePage quarantinePage(page, store, locale, application, actions, deferred);

  const std::map<std::string, std::string> before = AllFiles(files);
  quarantinePage.Rebuild();
  nexolant::ui::ListView& list = quarantinePage.Quarantine();

  // The rebuild only reads, and lists exactly the plain keys with their origins.
  const std::map<std::string, std::string> rebuilt = AllFiles(files);
  if (rebuilt != before || static_cast<std::size_t>(list.Count()) != plainKeys) {
    std::abort();
  }
  for (int row = 0; row < list.Count(); ++row) {
    const std::string& name = list.Item(row).caption;
    if ((exactKeys == 0 && !nexolant::IsPlainFileName(name)) ||
        list.Item(row).subItems.size() != 2) {
      std::abort();
    }
  }
  if (quarantinePage.btnEmpty().Enabled() != (list.Count() > 0)) {
    std::abort();
  }

  if (input.failWrites) {
    files.FailWritesAfter(input.writeBudget);
  }
  const std::size_t planted = CountPlanted(before);
  if (input.restore) {
    // A failed restore keeps its row: the next press goes to the row after it.
    int next = 0;
    for (int presses = list.Count(); presses > 0 && next < list.Count(); --presses) {
      list.SetItemIndex(next);
      const int rows = list.Count();
      quarantinePage.btnRestoreClick();
      next += list.Count() == rows ? 1 : 0;
    }
    if (CountPlanted(AllFiles(files)) != planted) {
      std::abort();
    }
  }
  // Empty deletes planted files inside the quarantine folder only.
  std::size_t deleted = 0;
  if (input.empty) {
    const std::map<std::string, std::string> beforeEmpty = AllFiles(files);
    quarantinePage.btnEmptyClick();
    const std::map<std::string, std::string> afterEmpty = AllFiles(files);
    deleted =
        CountPlanted(beforeEmpty, quarantine + "\\") - CountPlanted(afterEmpty, quarantine + "\\");
    if (CountPlanted(beforeEmpty) - CountPlanted(afterEmpty) != deleted ||
        (orphan && !files.FileExists(quarantine + "\\orphan.bin"))) {
      std::abort();
    }
  }
  files.AllowWrites();

  const std::map<std::string, std::string> after = AllFiles(files);
  CheckOthersKept(before, after, indexPath);
  if (CountPlanted(after) + deleted != planted) {
    std::abort();
  }
  return 0;
}
