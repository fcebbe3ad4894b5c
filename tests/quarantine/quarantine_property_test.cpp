#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "console/nexscan_run.h"
#include "quarantine/exact_entry.h"
#include "quarantine/quarantine_files.h"
#include "quarantine/quarantine_world.h"

namespace nexolant {
namespace {

using platform::RegistryRoot;

// The last two are beyond the ANSI code page (Greek alpha, a CJK character): found as
// "spyw?.dll", acted on only through their exact names.
constexpr const char* kNames[] = {"evil.exe", "spyw1.dll", "spyw2.dll", "spy\xCE\xB1.dll",
                                  "spy\xE8\x99\xAB.dll"};
constexpr unsigned kNameCount = 5;

bool IsExact(const std::string& name) {
  return name.find('\xCE') != std::string::npos || name.find('\xE8') != std::string::npos;
}
constexpr const char* kFolders[] = {"C:\\F0", "C:\\F1", "C:\\F2"};
constexpr const char* kKeyParent = "Software\\Bad";

struct Planted {
  std::string folder;
  std::string name;
  std::string content;    // unique, so the file is recognised wherever it is
  bool isFolder = false;  // a hidden folder found as a file: content is that of its one file
  bool deleted = false;   // by the user's own choice: a repair without quarantine, or Empty
};

enum class Place { kOrigin, kQuarantine, kNowhere };

// Random sequences of scans and repairs (quarantine on and off, names taken twice, hidden
// folders found as files, vanished folders, files in use, denied files, failing index writes),
// repairs by the console scanner beside the open window, restores, empties, plantings and
// restarts. After every step each planted file and key is in its place, or in the quarantine with
// an entry naming its true origin, or was deleted by the user's choice; every row has its entry,
// the console's too once the Quarantine page is shown again; the statistics count exactly what
// happened, the window's in the window and the console's in the file.
class QuarantineRun {
 public:
  explicit QuarantineRun(unsigned seed) : rng_(seed) {}

  void Go() {
    for (int i = 0; i < 4; ++i) {
      Plant();
    }
    world_.Start();
    for (int step = 0; step < 14 && !::testing::Test::HasFailure(); ++step) {
      switch (Pick(8)) {
        case 0:
        case 1:
          ScanAndRepair();
          break;
        case 7:
          ConsoleRepair();
          break;
        case 2:
          Restore();
          break;
        case 3:
          Empty();
          break;
        case 4:
          world_.Restart();
          quarantined_ = fileQuarantined_;
          removed_ = fileRemoved_;
          break;
        default:
          Plant();
          break;
      }
      Check();
    }
  }

 private:
  unsigned Pick(unsigned count) { return static_cast<unsigned>(rng_() % count); }
  std::string Quarantined(const std::string& name) const {
    return std::string(QuarantineWorld::kQuarantine) + "\\" + name;
  }

  bool Present(const std::string& path) { return world_.files.FileAttributes(path).has_value(); }
  static std::string ContentPath(const Planted& file, std::string path) {
    return file.isFolder ? path + "\\inner.dat" : path;
  }

  Place Where(const Planted& file) {
    if (world_.files.Contents(world_.files.FromExact(
            ContentPath(file, file.folder + "\\" + file.name))) == file.content) {
      return Place::kOrigin;
    }
    if (!StoredName(file).empty()) {
      return Place::kQuarantine;
    }
    return Place::kNowhere;
  }
  // The name the file lies under in the quarantine folder; empty when it is not there.
  std::string StoredName(const Planted& file) {
    for (const std::string& name : world_.files.Names(QuarantineWorld::kQuarantine)) {
      if (world_.files.Contents(ContentPath(file, Quarantined(name))) == file.content) {
        return name;
      }
    }
    return {};
  }
  std::vector<Place> Places() {
    std::vector<Place> places;
    for (const Planted& file : planted_) {
      places.push_back(Where(file));
    }
    return places;
  }

  void Plant() {
    const std::string folder = kFolders[Pick(3)];
    const std::string name = kNames[Pick(kNameCount)];
    if (world_.files.FileAttributes(world_.files.FromExact(folder + "\\" + name))) {
      return;
    }
    const std::string content = "file " + std::to_string(planted_.size());
    const bool isFolder = Pick(4) == 0 && !IsExact(name);
    if (isFolder) {
      world_.files.AddFile(folder + "\\" + name + "\\inner.dat", content);
      world_.files.SetAttributes(folder + "\\" + name,
                                 platform::kAttributeDirectory | platform::kAttributeHidden);
    } else {
      world_.files.AddFile(world_.files.FromExact(folder + "\\" + name), content);
    }
    planted_.push_back({folder, name, content, isFolder});
    const std::string key = std::string(kKeyParent) + "\\Key" + std::to_string(planted_.size() % 4);
    world_.registry.AddKey(RegistryRoot::kCurrentUser, key);
    world_.registry.SetValue(RegistryRoot::kCurrentUser, key, "", platform::kRegBinary,
                             std::to_string(planted_.size()));
    keyDeleted_[key] = false;
  }

  void ScanAndRepair() {
    const bool quarantine = Pick(3) != 0;
    std::vector<Finding> rows;
    std::vector<std::string> faulted;
    for (const Planted& file : planted_) {
      if (Where(file) == Place::kOrigin && Pick(4) != 0) {
        if (IsExact(file.name)) {
          rows.push_back({RowKind::kFile,
                          {world_.files.AnsiSpelling(file.name), file.folder, "Found"},
                          {file.folder, file.name}});
          continue;
        }
        rows.push_back({RowKind::kFile, {file.name, file.folder, "Found"}, {}});
        if (Pick(6) == 0) {
          const std::string path = file.folder + "\\" + file.name;
          Pick(2) == 0 ? world_.files.SetInUse(path) : world_.files.SetDenied(path);
          faulted.push_back(path);
        }
      }
    }
    if (Pick(4) == 0) {
      rows.push_back({RowKind::kFile, {kNames[Pick(3)], "C:\\Gone", "Found"}, {}});
    }
    std::set<std::string> keysBefore;
    for (int i = 0; i < 4; ++i) {
      const std::string key = std::string(kKeyParent) + "\\Key" + std::to_string(i);
      if (Pick(2) == 0) {
        rows.push_back({RowKind::kRegistryKey,
                        {"Key" + std::to_string(i), "HKEY_CURRENT_USER\\Software\\Bad", "Key"},
                        {}});
        if (world_.registry.HasKey(RegistryRoot::kCurrentUser, key)) {
          keysBefore.insert(key);
        }
      }
    }
    std::shuffle(rows.begin(), rows.end(), rng_);
    if (Pick(5) == 0) {
      world_.files.FailWritesAfter(Pick(120));
    }
    const std::vector<Place> before = Places();
    world_.SetQuarantining(quarantine);
    world_.Found(rows);
    world_.Repair();
    world_.files.AllowWrites();
    for (const std::string& path : faulted) {
      world_.files.SetInUse(path, false);
      world_.files.SetDenied(path, false);
    }
    const std::vector<Place> after = Places();
    for (std::size_t i = 0; i < planted_.size(); ++i) {
      if (before[i] == Place::kOrigin && after[i] == Place::kQuarantine) {
        ++quarantined_;
      } else if (before[i] == Place::kOrigin && after[i] == Place::kNowhere && !quarantine) {
        planted_[i].deleted = true;
        ++removed_;
      }
    }
    for (const std::string& key : keysBefore) {
      if (!world_.registry.HasKey(RegistryRoot::kCurrentUser, key)) {
        quarantine ? ++quarantined_ : ++removed_;
        keyDeleted_[key] = !quarantine;
      }
    }
  }

  // nexscan repairs one folder while the window is open; its figures go to the file.
  void ConsoleRepair() {
    const bool quarantine = Pick(3) != 0;
    const std::string folder = kFolders[Pick(3)];
    if (!world_.files.FolderExists(folder)) {
      return;
    }
    std::vector<std::string> arguments = {"folder", folder, "--repair"};
    if (!quarantine) {
      arguments.push_back("--no-quarantine");
    }
    const std::vector<Place> before = Places();
    NexscanRun nexscan(world_);
    const ExitCode code = nexscan.Run(arguments);
    EXPECT_TRUE(code == ExitCode::kNothingFound || code == ExitCode::kAllRemoved ||
                code == ExitCode::kSomethingLeft)
        << nexscan.err.text;
    const std::vector<Place> after = Places();
    for (std::size_t i = 0; i < planted_.size(); ++i) {
      if (before[i] == Place::kOrigin && after[i] == Place::kQuarantine) {
        ++fileQuarantined_;
      } else if (before[i] == Place::kOrigin && after[i] == Place::kNowhere && !quarantine) {
        planted_[i].deleted = true;
        ++fileRemoved_;
      }
    }
    world_.ShowQuarantinePage();
  }

  void Restore() {
    if (world_.List().Count() == 0) {
      return;
    }
    const ui::ListItem row = world_.List().Item(static_cast<int>(Pick(world_.List().Count())));
    world_.Restore(row.caption);
    if (world_.List().Count() == 0 && world_.List().IndexOfCaption(row.caption) < 0) {
      quarantined_ = 0;
    }
  }

  // Empty Quarantine is disabled while the list is empty.
  void Empty() {
    if (world_.List().Count() == 0) {
      return;
    }
    std::vector<std::string> denied;
    for (const ui::ListItem& row : world_.List().Items()) {
      const std::string path = Quarantined(row.caption);
      if (IsPlainFileName(row.caption) && Present(path) && Pick(4) == 0) {
        Pick(2) == 0 ? world_.files.SetDenied(path) : world_.files.SetReadOnly(path);
        denied.push_back(path);
      }
    }
    const std::vector<Place> before = Places();
    world_.Empty();
    const std::vector<Place> after = Places();
    for (std::size_t i = 0; i < planted_.size(); ++i) {
      if (before[i] == Place::kQuarantine && after[i] == Place::kNowhere) {
        planted_[i].deleted = true;
      }
    }
    for (const std::string& path : denied) {
      if (Present(path)) {
        world_.files.SetDenied(path, false);
        world_.files.SetReadOnly(path, false);
      }
    }
    quarantined_ = world_.List().Count();
    for (auto& [key, deleted] : keyDeleted_) {
      deleted = deleted || !KeySaved(key);
    }
  }

  bool KeySaved(const std::string& key) {
    for (const auto& [save, path] : world_.Index("Registry")) {
      if (path == "HKEY_CURRENT_USER\\" + key && Present(Quarantined(save))) {
        return true;
      }
    }
    return world_.registry.HasKey(RegistryRoot::kCurrentUser, key);
  }

  void Check() {
    const std::map<std::string, std::string> index = world_.Index();
    for (const Planted& file : planted_) {
      SCOPED_TRACE(file.folder + "\\" + file.name + " " + file.content);
      switch (Where(file)) {
        case Place::kOrigin:
          break;
        case Place::kQuarantine:
          if (IsExact(file.name)) {
            const std::string key = ExactEntryKey(StoredName(file));
            ASSERT_TRUE(index.contains(key));
            EXPECT_EQ(DecodeExactPath(index.at(key)), file.folder + "\\" + file.name);
            break;
          }
          ASSERT_TRUE(index.contains(file.name));
          EXPECT_EQ(index.at(file.name), file.folder);
          break;
        case Place::kNowhere:
          EXPECT_TRUE(file.deleted);
          break;
      }
    }
    for (const auto& [key, deleted] : keyDeleted_) {
      EXPECT_TRUE(deleted || KeySaved(key)) << key;
    }
    const std::map<std::string, std::string> keys = world_.Index("Registry");
    for (const std::string& name : world_.files.Names(QuarantineWorld::kQuarantine)) {
      EXPECT_TRUE(index.contains(name) || index.contains(ExactEntryKey(name)) ||
                  keys.contains(name))
          << name;
    }
    // A reader of plain names lists every plain entry and passes over the others.
    std::map<std::string, std::string> exactRows;  // "folder\name" as shown, by key
    for (const auto& [key, value] : index) {
      EXPECT_NE(IsPlainFileName(key), StoredNameOfKey(key).has_value()) << key;
      if (!IsPlainFileName(key)) {
        exactRows[key] = world_.files.AnsiSpelling(DecodeExactPath(value).value_or(""));
      }
    }
    std::multiset<std::string> keyPaths;
    for (const auto& [save, path] : keys) {
      keyPaths.insert(path);
      EXPECT_FALSE(index.contains(save)) << save;
      if (Present(Quarantined(save))) {
        EXPECT_GE(world_.List().IndexOfCaption(path.substr(path.rfind('\\') + 1)), 0) << path;
      }
    }
    for (const ui::ListItem& row : world_.List().Items()) {
      if (row.subItems.at(1).starts_with("HKEY_")) {
        EXPECT_TRUE(keyPaths.contains(row.subItems.at(1) + "\\" + row.caption)) << row.caption;
        continue;
      }
      if (!IsPlainFileName(row.caption)) {
        const std::string shown = row.subItems.at(1) + "\\" + row.caption;
        EXPECT_TRUE(std::any_of(exactRows.begin(), exactRows.end(), [&](const auto& entry) {
          return entry.second == shown;
        })) << shown;
        continue;
      }
      ASSERT_TRUE(index.contains(row.caption)) << row.caption;
      EXPECT_EQ(index.at(row.caption), row.subItems.at(1));
    }
    for (const auto& [name, origin] : index) {
      const std::string stored = StoredNameOfKey(name).value_or(name);
      if (!IsPlainFileName(name) && Present(Quarantined(stored))) {
        const std::vector<ui::ListItem>& rows = world_.List().Items();
        EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [&](const ui::ListItem& row) {
          return row.subItems.at(1) + "\\" + row.caption == exactRows[name];
        })) << name;
      } else if (Present(Quarantined(name))) {
        EXPECT_GE(world_.List().IndexOfCaption(name), 0) << name;
      }
    }
    // Each row shows the store's entry at the row's index, the one Restore acts on.
    const std::vector<QuarantineEntry>& entries = world_.form->QuarantineFiles().Entries();
    ASSERT_EQ(world_.List().Count(), static_cast<int>(entries.size()));
    for (std::size_t row = 0; row < entries.size(); ++row) {
      const ui::ListItem& item = world_.List().Item(static_cast<int>(row));
      EXPECT_EQ(item.caption, entries[row].name);
      EXPECT_EQ(item.subItems, (StringList{entries[row].description, entries[row].origin}));
    }
    EXPECT_EQ(world_.Statistics().ObjectsQuarantined, quarantined_);
    EXPECT_EQ(world_.Statistics().ObjectsRemoved, removed_);
  }

  std::mt19937 rng_;
  QuarantineWorld world_;
  std::vector<Planted> planted_;
  std::map<std::string, bool> keyDeleted_;  // by the user's own choice
  int quarantined_ = 0;
  int removed_ = 0;
  // What the console scanners wrote into the settings file, which the window reads at a restart.
  int fileQuarantined_ = 0;
  int fileRemoved_ = 0;
};

TEST(QuarantineProperty, NoPlantedFileEverLosesItsOriginAndTheCountsAreWhatHappened) {
  for (unsigned seed = 1; seed <= 1000 && !::testing::Test::HasFailure(); ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    QuarantineRun(seed).Go();
  }
}

}  // namespace
}  // namespace nexolant
