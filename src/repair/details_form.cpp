#include "repair/details_form.h"

#include <array>
#include <utility>

#include "ui/artwork_names.h"
#include "ui/control_table.h"

namespace nexolant {

using ui::ControlKind;

TDetailsForm::TDetailsForm(std::vector<std::string> facts) : ui::Form("DetailsForm") {
  SetCaption("Details");
  SetClientSize(520, 232);
  SetBorderStyle(ui::BorderStyle::kDialog);
  SetBorderIcons({.systemMenu = true, .minimize = false, .maximize = false});
  SetPosition(ui::FormPosition::kScreenCenter);
  SetFont(fonts::kWindow);
  const auto rows = std::to_array<ControlRow>({
      {.name = "memFacts",
       .kind = ControlKind::kMemo,
       .bounds = {8, 8, 504, 184},
       .slot = memFacts_},
      {.name = "btnClose",
       .kind = ControlKind::kButton,
       .bounds = {423, 200, 89, 24},
       .caption = "Close",
       .picture = artwork::kGlyphOk,
       .slot = btnClose_},
  });
  BuildControls(*this, rows);
  memFacts_->SetLines(std::move(facts));
  memFacts_->SetReadOnly(true);
  memFacts_->SetWordWrap(false);
  memFacts_->SetScrollBars(ui::ScrollBars::kBoth);
  btnClose_->SetDefault(true);
  btnClose_->SetCancel(true);
  btnClose_->OnClick = [this](ui::Control&) { Close(); };
}

void ShowFindingDetails(ui::Application& application, const FindingDetailsServices& services,
                        const Finding& finding) {
  TDetailsForm details(FindingDetails(services, finding, &application));
  application.ShowModal(details);
}

}  // namespace nexolant
