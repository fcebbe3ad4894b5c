#pragma once

#include <string>
#include <vector>

#include "repair/finding_details.h"
#include "scan/finding.h"
#include "ui/application.h"
#include "ui/controls.h"

namespace nexolant {

// The Details dialog: the facts of one row in a read-only box, and Close, which Enter and
// Escape press too.
class TDetailsForm : public ui::Form {
 public:
  explicit TDetailsForm(std::vector<std::string> facts);

  ui::Memo& memFacts() const { return *memFacts_; }
  ui::Button& btnClose() const { return *btnClose_; }

 private:
  ui::Memo* memFacts_ = nullptr;
  ui::Button* btnClose_ = nullptr;
};

// Reads the facts of finding, pumping while a file is hashed, and shows them in the modal
// Details dialog until it is closed.
void ShowFindingDetails(ui::Application& application, const FindingDetailsServices& services,
                        const Finding& finding);

}  // namespace nexolant
