#include "quarantine/quarantine_page.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/artwork_names.h"
#include "ui/control_table.h"
#include "ui/list_view.h"

namespace nexolant {
namespace {

using ui::ControlKind;

}  // namespace

QuarantinePage::QuarantinePage(ui::NotebookPage& page, QuarantineStore& store,
                               const platform::Locale& locale, ui::Application& application,
                               ui::ExclusiveActions& actions, ui::DeferredActions& deferred)
    : store_(store),
      locale_(locale),
      application_(application),
      actions_(actions),
      deferred_(deferred) {
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
  Quarantine_->OnClick = [this](ui::Control&) { QuarantineClick(); };
  btnRestore_->OnClick = [this](ui::Control&) { btnRestoreClick(); };
  btnEmpty_->OnClick = [this](ui::Control&) { btnEmptyClick(); };
  actions_.Add(*btnRestore_);
  actions_.Add(*btnEmpty_);
  // The rows in the store's order, so each entry's row has the entry's index.
  store_.OnReset = [this] {
    std::vector<ui::ListItem> rows;
    rows.reserve(store_.Entries().size());
    for (const QuarantineEntry& entry : store_.Entries()) {
      rows.push_back({entry.name, {entry.description, entry.origin}});
    }
    Quarantine_->Assign(std::move(rows));
  };
  store_.OnRemoved = [this](int index) { Quarantine_->Delete(index); };
}

// A failure leaves the rows read so far, the summary line and the button as they are.
void QuarantinePage::Rebuild() {
  store_.Rebuild();
  if (store_.Count() > 0) {
    ShowCount("There are ");
  }
  EnableEmpty();
}

void QuarantinePage::Refresh() {
  const int before = store_.Count();
  store_.Rebuild();
  if (store_.Count() != before && store_.Count() > 0) {
    ShowCount("There are currently ");
  } else if (store_.Count() != before) {
    ShowEmptied();
  }
  btnRestore_->SetEnabled(Quarantine_->ItemIndex() >= 0);
  EnableEmpty();
}

void QuarantinePage::ShowRepairSummary() {
  ShowCount("There are ");
  EnableEmpty();
}

void QuarantinePage::QuarantineClick() {
  btnRestore_->SetEnabled(Quarantine_->ItemIndex() >= 0);
}

void QuarantinePage::btnRestoreClick() {
  if (deferred_.Defer([this] { btnRestoreClick(); })) {
    return;
  }
  const int index = Quarantine_->ItemIndex();
  if (actions_.Running() || index < 0) {
    return;
  }
  {
    const ui::ExclusiveActions::Scope running(actions_);
    if (!store_.Restore(index)) {
      application_.ShowWarning("Unable to restore file! The original path may no longer exist.",
                               "Warning");
    } else if (store_.Count() == 0) {
      ShowEmptied();
    } else {
      ShowCount("There are currently ");
    }
  }
  EnableEmpty();
}

void QuarantinePage::btnEmptyClick() {
  if (deferred_.Defer([this] { btnEmptyClick(); }) || actions_.Running()) {
    return;
  }
  {
    const ui::ExclusiveActions::Scope running(actions_);
    if (application_.ShowMessageBox("Are you sure you want to empty the quarantine?", "Warning",
                                    ui::MessageButtons::kYesNo,
                                    ui::MessageIcon::kQuestion) != ui::MessageResult::kYes) {
      return;
    }
    int left = 0;
    {
      const ui::ListUpdate update(*Quarantine_);
      left = store_.Empty();
    }
    if (left == 0) {
      ShowEmptied();
    } else {
      ShowCount("There are currently ");
      application_.ShowWarning(
          locale_.FormatCount(left) + " file(s) could not be deleted and remain in quarantine.",
          "Warning");
    }
  }
  EnableEmpty();
}

void QuarantinePage::ShowCount(std::string_view lead) {
  lblQuarantine_->SetCaption(std::string(lead) + locale_.FormatCount(store_.Count()) +
                             " object(s) in quarantine.");
}

void QuarantinePage::ShowEmptied() {
  lblQuarantine_->SetCaption("There are currently no objects in quarantine.");
}

void QuarantinePage::EnableEmpty() {
  btnEmpty_->SetEnabled(store_.Count() > 0);
}

}  // namespace nexolant
