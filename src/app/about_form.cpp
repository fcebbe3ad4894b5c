#include "app/about_form.h"

#include <array>
#include <string_view>
#include <utility>

#include "app/program_version.h"
#include "ui/artwork_names.h"
#include "ui/control_table.h"

namespace nexolant {
namespace {

using ui::ControlKind;
constexpr ui::Alignment kCenter = ui::Alignment::kCenter;

const ui::Font kTitleFont{.height = 17, .bold = true, .color = ui::colors::kBlue};
const ui::Font kAddressFont{
    .height = 13, .bold = true, .underline = true, .color = ui::colors::kRed};
const ui::Font kVersionFont{.height = 13, .bold = true, .color = ui::colors::kBlue};
const ui::Font kNoticeFont{.color = ui::colors::kNavy};

constexpr std::string_view kMagicWord = "about";

constexpr const char* kNotice =
    "This program is protected by copyright law.\r\n"
    "Copying or distributing it, in whole or in part,\r\n"
    "without the permission of its authors is prohibited\r\n"
    "and may be prosecuted to the full extent of the law.";

constexpr const char* kCredits =
    "Nexolant was designed and written\r\n"
    "by the Nexolant development team.\r\n"
    "Thanks to everyone who tested it\r\n"
    "and reported the adware they found.";

}  // namespace

const char* TAboutForm::NoticeText() {
  return kNotice;
}
const char* TAboutForm::CreditsText() {
  return kCredits;
}

TAboutForm::TAboutForm(platform::Shell& shell, std::string background)
    : ui::Form("AboutForm"), shell_(shell) {
  SetCaption("About");
  SetClientSize(408, 225);
  SetBorderStyle(ui::BorderStyle::kDialog);
  SetBorderIcons({.systemMenu = true, .minimize = false, .maximize = false});
  SetPosition(ui::FormPosition::kScreenCenter);
  SetFont(fonts::kWindow);
  SetKeyPreview(true);

  auto& backImg = Add<ui::Image>("BackImg");
  backImg.SetBounds({0, 0, 408, 225});
  backImg.SetPicture(std::move(background));
  backImg.SetCenter(true);
  const auto rows = std::to_array<ControlRow>({
      {.name = "Label1",
       .kind = ControlKind::kLabel,
       .bounds = {19, 8, 370, 20},
       .caption = "Nexolant",
       .font = &kTitleFont},
      {.name = "Label2",
       .kind = ControlKind::kLinkLabel,
       .bounds = {78, 40, 253, 16},
       .caption = kWebSiteAddress,
       .font = &kAddressFont,
       .slot = Label2_},
      {.name = "Bevel1", .kind = ControlKind::kBevel, .bounds = {24, 64, 369, 3}},
      {.name = "Label4",
       .kind = ControlKind::kLabel,
       .bounds = {8, 72, 393, 16},
       .caption = kVersionCaption,
       .font = &kVersionFont,
       .alignment = kCenter},
      {.name = "Bevel3", .kind = ControlKind::kBevel, .bounds = {24, 120, 369, 3}},
      {.name = "Label3",
       .kind = ControlKind::kLabel,
       .bounds = {8, 128, 393, 52},
       .caption = kNotice,
       .font = &kNoticeFont,
       .alignment = kCenter,
       .slot = Label3_},
      {.name = "Bevel2", .kind = ControlKind::kBevel, .bounds = {24, 184, 369, 3}},
      {.name = "HelpBtn",
       .kind = ControlKind::kButton,
       .bounds = {161, 195, 87, 23},
       .caption = "OK",
       .picture = artwork::kGlyphOk,
       .slot = HelpBtn_},
  });
  BuildControls(*this, rows);

  // The box's one button answers Enter and Escape.
  HelpBtn_->SetDefault(true);
  HelpBtn_->SetCancel(true);
  HelpBtn_->OnClick = [this](ui::Control&) { HelpBtnClick(); };
  Label2_->OnClick = [this](ui::Control&) { Label2Click(); };
  OnKeyPress = [this](ui::Form&, char& key) { FormKeyPress(key); };
}

// Collects typed letters while they spell the beginning of the magic word; a letter that
// breaks the spelling empties the buffer and does not begin a new attempt. The key goes on
// to the focused control.
void TAboutForm::FormKeyPress(char key) {
  if (showsCredits_) {
    return;
  }
  typed_ += key;
  if (!kMagicWord.starts_with(typed_)) {
    typed_.clear();
  } else if (typed_ == kMagicWord) {
    showsCredits_ = true;
    Label3_->SetCaption(kCredits);
  }
}

void TAboutForm::HelpBtnClick() {
  Close();
}

void TAboutForm::Label2Click() {
  // Without a browser the shell says so itself.
  platform::BestEffort(shell_.Open(kWebSiteAddress));
}

}  // namespace nexolant
