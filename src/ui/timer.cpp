#include "ui/timer.h"

#include "ui/application.h"

namespace nexolant::ui {

Timer::~Timer() {
  if (running_) {
    application_->Backend().StopTimer(*this);
  }
}

void Timer::SetEnabled(bool enabled) {
  if (enabled != enabled_) {
    enabled_ = enabled;
    Apply();
  }
}

void Timer::SetInterval(unsigned milliseconds) {
  if (milliseconds != interval_) {
    interval_ = milliseconds;
    Apply();
  }
}

void Timer::Tick() {
  if (running_ && OnTimer) {
    OnTimer(*this);
  }
}

void Timer::Apply() {
  ApplicationBackend& backend = application_->Backend();
  if (running_) {
    backend.StopTimer(*this);
    running_ = false;
  }
  if (enabled_ && interval_ > 0) {
    backend.StartTimer(*this);
    running_ = true;
  }
}

}  // namespace nexolant::ui
