#include "quarantine/quarantine_page.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <utility>

#include "quarantine/quarantine_files.h"
#include "reference/find_signature.h"
#include "reference/wildcard_match.h"
#include "ui/artwork_names.h"
#include "ui/control_table.h"
#include "ui/list_view.h"

namespace nexolant {
namespace {

using ui::ControlKind;

}  // namespace

QuarantinePage::QuarantinePage(ui::NotebookPage& page, QuarantineServices services,
                               QuarantinePeers peers)
    : services_(std::move(services)), peers_(peers) {
  const auto rows = std::to_array<ControlRow>({
      {.name = "lblQuarantineHeading",
       .kind = ControlKind::kLabel,
       .bounds = {16, 8, 0, 0},
       .caption = "Items in quarantine",
       .font = &fonts::kWindowBold},
      {.name = "shpQuarantineBand",
       .kind = ControlKind::kShape,
       .bounds = {16, 24, 473, 25},
       .color = panel_colors::kPanel},
      {.name = "imgQuarantine",
       .kind = ControlKind::kImage,
       .bounds = {19, 26, 21, 21},
       .picture = artwork::kQuarantinePageIcon},
      {.name = "lblQuarantine",
       .kind = ControlKind::kLabel,
       .bounds = {42, 30, 0, 0},
       .caption = "There are currently no objects in quarantine",
       .slot = lblQuarantine_},
      {.name = "Quarantine",
       .kind = ControlKind::kListView,
       .bounds = {16, 56, 473, 153},
       .color = panel_colors::kPanel,
       .slot = Quarantine_},
      {.name = "btnRestore",
       .kind = ControlKind::kButton,
       .bounds = {16, 212, 113, 23},
       .caption = "Restore",
       .picture = artwork::kGlyphRestore,
       .enabled = false,
       .slot = btnRestore_},
      {.name = "btnEmpty",
       .kind = ControlKind::kButton,
       .bounds = {344, 212, 145, 23},
       .caption = "Empty Quarantine",
       .picture = artwork::kGlyphEmpty,
       .enabled = false,
       .slot = btnEmpty_},
  });
  BuildControls(page, rows);
  Quarantine_->AddColumn("Name", 150);
  Quarantine_->AddColumn("Type", 150);
  Quarantine_->AddColumn("Original location", 169);
  const platform::Locale& locale = services_.locale;
  Quarantine_->SetCompare(
      [&locale](std::string_view a, std::string_view b) { return locale.CompareWordSort(a, b); });
  Quarantine_->SetSorted(true);
  Quarantine_->OnClick = [this](ui::Control&) { QuarantineClick(); };
  btnRestore_->OnClick = [this](ui::Control&) { btnRestoreClick(); };
  btnEmpty_->OnClick = [this](ui::Control&) { btnEmptyClick(); };
}

IniServices QuarantinePage::Ini() const {
  return {services_.files, services_.locale, services_.application, services_.application};
}

std::string QuarantinePage::IndexPath() const {
  return services_.programFolder + kQuarantineIndexName;
}

std::string QuarantinePage::FolderPath() const {
  return services_.programFolder + kQuarantineFolderName;
}

std::string QuarantinePage::QuarantinedPath(const std::string& name) const {
  return FolderPath() + "\\" + name;
}

// The description of the file signature the name matches; a name that matches none, or meets
// a malformed pattern first, has none.
std::string QuarantinePage::Description(const std::string& name) const {
  const SignatureTables& tables = peers_.signatures.Tables();
  try {
    const int index = FindSignature(name, tables.ScanFileNames, services_.application);
    if (index >= 0) {
      return tables.ScanFileDescriptions.at(index);
    }
  } catch (const InvalidMask&) {
  }
  return "Unavailable";
}

// Keys that are no plain file name would lead outside the quarantine folder: they are left
// out, and stay in the index.
void QuarantinePage::Rebuild() {
  TBigIniFile index(Ini(), IndexPath());
  StringList keys;
  index.ReadSection(kFilesSection, keys);
  for (const std::string& key : keys) {
    if (IsPlainFileName(key)) {
      Quarantine_->Add(key, {Description(key), index.ReadString(kFilesSection, key, "Unknown")});
    }
  }
  if (Quarantine_->Count() > 0) {
    ShowCount("There are ");
  }
  EnableEmpty();
}

void QuarantinePage::QuarantineClick() {
  btnRestore_->SetEnabled(Quarantine_->ItemIndex() >= 0);
}

void QuarantinePage::btnRestoreClick() {
  const int index = Quarantine_->ItemIndex();
  if (peers_.actions.Running() || index < 0) {
    return;
  }
  {
    const ui::ExclusiveActions::Scope running(peers_.actions);
    Restore(index);
  }
  EnableEmpty();
}

// Only an absolute origin is a place to move back to; anything else (the "Unknown" of an
// entry without value included) fails like a missing folder.
void QuarantinePage::Restore(int index) {
  const std::string name = Quarantine_->Item(index).caption;
  const std::string origin = Quarantine_->Item(index).subItems.at(1);
  if (!IsAbsolutePath(origin) ||
      !services_.files.Move(QuarantinedPath(name), PathInFolder(origin, name))) {
    services_.application.ShowWarning(
        "Unable to restore file! The original path may no longer exist.", "Warning");
    return;
  }
  Quarantine_->Delete(index);
  ForgetEntries({name});
  if (Quarantine_->Count() == 0) {
    ShowEmptied();
  } else {
    ShowCount("There are currently ");
  }
}

void QuarantinePage::btnEmptyClick() {
  if (peers_.actions.Running()) {
    return;
  }
  {
    const ui::ExclusiveActions::Scope running(peers_.actions);
    if (services_.application.ShowMessageBox(
            "Are you sure you want to empty the quarantine?", "Warning", ui::MessageButtons::kYesNo,
            ui::MessageIcon::kQuestion) != ui::MessageResult::kYes) {
      return;
    }
    Empty();
  }
  EnableEmpty();
}

// The user confirmed, so read-only files go too. A file that stays keeps its row and entry.
void QuarantinePage::Empty() {
  StringList deleted;
  Quarantine_->BeginUpdate();
  for (int index = Quarantine_->Count() - 1; index >= 0; --index) {
    const std::string name = Quarantine_->Item(index).caption;
    if (DeleteQuarantined(name)) {
      deleted.push_back(name);
      Quarantine_->Delete(index);
    }
  }
  Quarantine_->EndUpdate();
  ForgetEntries(deleted);
  const int left = Quarantine_->Count();
  if (left == 0) {
    ShowEmptied();
    return;
  }
  peers_.statistics.SetQuarantined(left);
  ShowCount("There are currently ");
  services_.application.ShowWarning(services_.locale.FormatCount(left) +
                                        " file(s) could not be deleted and remain in quarantine.",
                                    "Warning");
}

bool QuarantinePage::DeleteQuarantined(const std::string& name) {
  const std::string path = QuarantinedPath(name);
  const std::optional<std::uint32_t> attributes = services_.files.FileAttributes(path);
  if (!attributes) {
    return true;
  }
  if ((*attributes & platform::kAttributeDirectory) != 0) {
    return false;
  }
  if ((*attributes & platform::kAttributeReadOnly) != 0) {
    const std::uint32_t writable = *attributes & ~platform::kAttributeReadOnly;
    services_.files.ChangeAttributes(path, writable != 0 ? writable : platform::kAttributeNormal);
  }
  return services_.files.RemoveFile(path);
}

void QuarantinePage::ForgetEntries(const StringList& names) {
  if (names.empty()) {
    return;
  }
  bool emptied = false;
  {
    TBigIniFile index(Ini(), IndexPath());
    StringList keys;
    index.ReadSection(kFilesSection, keys);
    for (const std::string& name : names) {
      const auto key = std::find_if(keys.begin(), keys.end(), [&](const std::string& key) {
        return services_.locale.SameText(key, name);
      });
      if (key != keys.end()) {
        keys.erase(key);
      }
    }
    emptied = keys.empty();
    if (!emptied) {
      for (const std::string& name : names) {
        index.DeleteKey(kFilesSection, name);
      }
    }
  }
  if (emptied) {
    services_.files.RemoveFile(IndexPath());
  }
}

void QuarantinePage::ShowCount(std::string_view lead) {
  lblQuarantine_->SetCaption(std::string(lead) +
                             services_.locale.FormatCount(Quarantine_->Count()) +
                             " object(s) in quarantine.");
}

// Another file in the folder keeps it; that is no failure.
void QuarantinePage::ShowEmptied() {
  services_.files.RemoveFolder(FolderPath());
  peers_.statistics.ClearQuarantined();
  lblQuarantine_->SetCaption("There are currently no objects in quarantine.");
}

void QuarantinePage::EnableEmpty() {
  btnEmpty_->SetEnabled(Quarantine_->Count() > 0);
}

}  // namespace nexolant
