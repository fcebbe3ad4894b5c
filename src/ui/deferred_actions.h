#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "ui/application.h"
#include "ui/control.h"

namespace nexolant::ui {

// Keeps the user's actions that arrive while a long action pumps messages inside a handler
// of its own (the monitor's refresh), so that no scan, question or dialog starts inside it.
// When the long action is over they go to the window system's queue in order, and each is
// asked when it is dispatched, as a real click is, whether it may still run: its control
// showing and enabled (so its page current) and no modal window open. A second click of a
// double click then meets the state the first one left, as it would outside a refresh.
class DeferredActions {
 public:
  explicit DeferredActions(Application& application) : application_(application) {}
  DeferredActions(const DeferredActions&) = delete;
  DeferredActions& operator=(const DeferredActions&) = delete;

  // While holding, keeps action (and the control whose click raised it) for the end of the
  // hold and answers true.
  bool Defer(std::function<void()> action) {
    if (holds_ == 0) {
      return false;
    }
    kept_.push_back({Control::Clicked(), std::move(action)});
    return true;
  }

  // The long action, for the lifetime of the scope. When the last hold ends normally the kept
  // actions are posted; a failure that ends a hold drops them with it.
  class Hold {
   public:
    explicit Hold(DeferredActions& actions) : actions_(actions) { ++actions_.holds_; }
    ~Hold() {
      if (--actions_.holds_ > 0) {
        return;
      }
      if (std::uncaught_exceptions() > uncaught_) {
        actions_.kept_.clear();
        return;
      }
      for (Kept& kept : std::exchange(actions_.kept_, {})) {
        actions_.Post(std::move(kept));
      }
    }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    DeferredActions& actions_;
    int uncaught_ = std::uncaught_exceptions();
  };

 private:
  struct Kept {
    Control* sender;  // null when no click raised the action
    std::function<void()> action;
  };

  // The queue may outlive the controls: a posted action left when the window is gone does
  // nothing.
  void Post(Kept kept) {
    application_.Post(
        [alive = std::weak_ptr<int>(alive_), &application = application_, kept = std::move(kept)] {
          if (alive.expired() || application.ModalOpen() ||
              (kept.sender != nullptr && !kept.sender->AcceptsInput())) {
            return;
          }
          const Control::ClickScope scope(kept.sender);
          kept.action();
        });
  }

  Application& application_;
  int holds_ = 0;
  std::vector<Kept> kept_;
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace nexolant::ui
