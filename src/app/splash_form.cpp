#include "app/splash_form.h"

#include "ui/artwork_names.h"

namespace nexolant {

TSplashForm::TSplashForm(ui::Application& application)
    : ui::Form("SplashForm"), Timer1_(application) {
  SetBorderStyle(ui::BorderStyle::kNone);
  SetBorderIcons({.systemMenu = false, .minimize = false, .maximize = false});
  SetClientSize(876, 525);
  SetPosition(ui::FormPosition::kScreenCenter);

  auto& image = Add<ui::Image>("Image1");
  image.SetBounds({0, 0, 876, 525});
  image.SetPicture(artwork::kSplash);
  image.SetCursor(ui::Cursor::kHourGlass);

  Timer1_.SetInterval(3000);
  Timer1_.OnTimer = [this](ui::Timer&) { Timer1Timer(); };
  Timer1_.SetEnabled(true);
}

void TSplashForm::Timer1Timer() {
  Close();
}

}  // namespace nexolant
