#pragma once

#include <string>

#include "ui/application_backend.h"

namespace nexolant::bench {

// A window system with nothing to dispatch, whose message boxes answer OK at once.
class IdleBackend final : public ui::ApplicationBackend {
 public:
  void ProcessMessages() override {}
  // The benchmarks hold no user input for later, so nothing is posted.
  void WakeForPosted() override {}
  ui::MessageResult ShowMessageBox(const std::string&, const std::string&, ui::MessageButtons,
                                   ui::MessageIcon) override {
    return ui::MessageResult::kOk;
  }
};

}  // namespace nexolant::bench
