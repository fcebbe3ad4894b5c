#pragma once

#include "ignore/ignored_objects.h"
#include "ui/application.h"
#include "ui/controls.h"

namespace nexolant {

// The dialog of the objects the user keeps: one row each (kind, path, when added), Remove for
// the selected row and Close. A removed object is found again by the next scan.
class TIgnoredObjectsForm : public ui::Form {
 public:
  TIgnoredObjectsForm(IgnoredObjects& ignored, ui::Application& application);

  ui::ListView& lstIgnored() const { return *lstIgnored_; }
  ui::Button& btnRemove() const { return *btnRemove_; }
  ui::Button& btnClose() const { return *btnClose_; }

  // Handlers.
  void btnRemoveClick();

 private:
  void ShowObjects();

  IgnoredObjects& ignored_;
  ui::Application& application_;
  ui::ListView* lstIgnored_ = nullptr;
  ui::Button* btnRemove_ = nullptr;
  ui::Button* btnClose_ = nullptr;
};

}  // namespace nexolant
