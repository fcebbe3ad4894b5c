#include "app/tray.h"

namespace nexolant {

Tray::Tray(platform::NotificationArea& area, ui::Application& application, const Options& options)
    : application_(application), options_(options), TrayIcon_(area, kHint) {
  TrayIcon_.OnClick = [this](TrayButton) { RxTrayIcon1Click(); };
  TrayIcon_.OnTaskbarCreated = [this] { TrayIconTaskbarCreated(); };
  application_.OnMinimize = [this] { AppEvents1Minimize(); };
  application_.OnRestore = [this] { AppEvents1Restore(); };
}

Tray::~Tray() {
  application_.OnMinimize = nullptr;
  application_.OnRestore = nullptr;
}

void Tray::RxTrayIcon1Click() {
  TrayIcon_.SetActive(false);
  application_.Restore();
  application_.BringToFront();
}

void Tray::AppEvents1Minimize() {
  const bool toTray = options_.MinimizeToTray();
  TrayIcon_.SetActive(toTray);
  if (toTray && TrayIcon_.Shown()) {
    application_.ShowTaskbarButton(false);
  }
}

void Tray::AppEvents1Restore() {
  if (TrayIcon_.Active()) {
    application_.ShowTaskbarButton(true);
  }
}

void Tray::TrayIconTaskbarCreated() {
  if (TrayIcon_.Active() && !TrayIcon_.Shown()) {
    application_.ShowTaskbarButton(true);
  }
}

}  // namespace nexolant
