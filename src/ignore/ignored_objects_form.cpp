#include "ignore/ignored_objects_form.h"

#include <algorithm>
#include <array>
#include <vector>

#include "ui/control_table.h"

namespace nexolant {
namespace {

using ui::ControlKind;

std::string KindCaption(IgnoredKind kind) {
  switch (kind) {
    case IgnoredKind::kFile:
      return "File";
    case IgnoredKind::kFolder:
      return "Folder";
    case IgnoredKind::kKey:
      return "Registry key";
    case IgnoredKind::kProcess:
      return "Process";
    case IgnoredKind::kValue:
      return "Startup value";
    case IgnoredKind::kService:
      return "Service";
    case IgnoredKind::kTask:
      return "Scheduled task";
    case IgnoredKind::kHelper:
      return "Browser helper";
  }
  return {};
}

}  // namespace

TIgnoredObjectsForm::TIgnoredObjectsForm(IgnoredObjects& ignored, ui::Application& application)
    : ui::Form("IgnoredObjectsForm"), ignored_(ignored), application_(application) {
  SetCaption("Ignored objects");
  SetClientSize(472, 265);
  SetBorderStyle(ui::BorderStyle::kDialog);
  SetBorderIcons({.systemMenu = true, .minimize = false, .maximize = false});
  SetPosition(ui::FormPosition::kScreenCenter);
  SetFont(fonts::kWindow);
  // In tab order.
  const auto rows = std::to_array<ControlRow>({
      {.name = "lblIgnored",
       .kind = ControlKind::kLabel,
       .bounds = {8, 8, 0, 0},
       .caption = "Nexolant never reports, terminates or removes these objects."},
      {.name = "lstIgnored",
       .kind = ControlKind::kListView,
       .bounds = {8, 28, 456, 194},
       .color = ui::Color::Window(),
       .slot = lstIgnored_},
      {.name = "btnRemove",
       .kind = ControlKind::kButton,
       .bounds = {304, 232, 75, 25},
       .caption = "Remove",
       .slot = btnRemove_},
      {.name = "btnClose",
       .kind = ControlKind::kButton,
       .bounds = {389, 232, 75, 25},
       .caption = "Close",
       .slot = btnClose_},
  });
  BuildControls(*this, rows);
  lstIgnored_->AddColumn("Kind", 80);
  lstIgnored_->AddColumn("Path", 246);
  lstIgnored_->AddColumn("Added", 126);
  // Close answers Enter and Escape.
  btnClose_->SetDefault(true);
  btnClose_->SetCancel(true);
  btnClose_->OnClick = [this](ui::Control&) { SetModalResult(ui::ModalResult::kOk); };
  btnRemove_->OnClick = [this](ui::Control&) { btnRemoveClick(); };
  ShowObjects();
}

void TIgnoredObjectsForm::ShowObjects() {
  std::vector<ui::ListItem> items;
  for (const IgnoredObject& object : ignored_.List().Objects()) {
    items.push_back({KindCaption(object.kind), {object.path, object.added}});
  }
  lstIgnored_->Assign(std::move(items));
  btnRemove_->SetEnabled(lstIgnored_->Count() > 0);
}

// The row keeps its place in the list when the list cannot be written.
void TIgnoredObjectsForm::btnRemoveClick() {
  const int selected = lstIgnored_->ItemIndex();
  if (selected < 0) {
    return;
  }
  if (const std::optional<std::string> failure =
          ignored_.Remove(static_cast<std::size_t>(selected))) {
    application_.ShowWarning(*failure, "Warning");
    return;
  }
  ShowObjects();
  lstIgnored_->SetItemIndex(std::min(selected, lstIgnored_->Count() - 1));
}

}  // namespace nexolant
