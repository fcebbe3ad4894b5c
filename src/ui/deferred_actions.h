#pragma once

#include <exception>
#include <functional>
#include <utility>
#include <vector>

#include "ui/application.h"

namespace nexolant::ui {

// Keeps the user's actions that arrive while a long action pumps messages inside a handler
// of its own (the monitor's refresh), so that no scan, question or dialog starts inside it.
// When the long action is over they run in order, each as a handler of its own, as they would
// have outside it.
class DeferredActions {
 public:
  explicit DeferredActions(Application& application) : application_(application) {}
  DeferredActions(const DeferredActions&) = delete;
  DeferredActions& operator=(const DeferredActions&) = delete;

  bool Holding() const { return holds_ > 0; }

  // While holding, keeps action for the end of the hold and answers true.
  bool Defer(std::function<void()> action) {
    if (holds_ == 0) {
      return false;
    }
    kept_.push_back(std::move(action));
    return true;
  }

  // The long action, for the lifetime of the scope. When the last hold ends normally the kept
  // actions run; a failure that ends a hold drops them with it.
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
      for (std::function<void()>& action : std::exchange(actions_.kept_, {})) {
        actions_.application_.RunHandler(action);
      }
    }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    DeferredActions& actions_;
    int uncaught_ = std::uncaught_exceptions();
  };

 private:
  Application& application_;
  int holds_ = 0;
  std::vector<std::function<void()>> kept_;
};

}  // namespace nexolant::ui
