#pragma once

#include <vector>

#include "ui/control.h"

namespace nexolant::ui {

// Controls whose actions must never run inside one another. An action pumps messages while it
// writes files or asks the user, so a click on another member could start there; while a
// Scope lives every member is disabled, and each gets its own state back when it ends.
class ExclusiveActions {
 public:
  void Add(Control& control) { members_.push_back(&control); }
  bool Running() const { return running_; }

  class Scope {
   public:
    explicit Scope(ExclusiveActions& actions) : actions_(actions) {
      actions_.running_ = true;
      for (Control* member : actions_.members_) {
        enabled_.push_back(member->Enabled());
        member->SetEnabled(false);
      }
    }
    ~Scope() {
      for (std::size_t i = 0; i < enabled_.size(); ++i) {
        actions_.members_[i]->SetEnabled(enabled_[i]);
      }
      actions_.running_ = false;
    }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    ExclusiveActions& actions_;
    std::vector<bool> enabled_;
  };

 private:
  std::vector<Control*> members_;
  bool running_ = false;
};

}  // namespace nexolant::ui
