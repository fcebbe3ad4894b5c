#pragma once

#include "ui/application.h"
#include "ui/controls.h"

namespace nexolant {

// The start-up picture: borderless, centred, shown modally until its timer closes it after
// three seconds.
class TSplashForm : public ui::Form {
 public:
  explicit TSplashForm(ui::Application& application);

  ui::Timer& CloseTimer() { return Timer1_; }

 private:
  void Timer1Timer();

  ui::Timer Timer1_;
};

}  // namespace nexolant
