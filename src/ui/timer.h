#pragma once

#include <functional>

namespace nexolant::ui {

class Application;

// A window timer on the user-interface thread, disabled when made. It runs while Enabled and
// Interval > 0: the backend then calls Tick() every Interval milliseconds (through
// Application::RunHandler), also inside ProcessMessages. Changing the interval of a running timer
// restarts it.
class Timer {
 public:
  using Event = std::function<void(Timer& sender)>;

  explicit Timer(Application& application) : application_(&application) {}
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  ~Timer();

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned milliseconds);
  bool Running() const { return running_; }

  Event OnTimer;

  // Input from the backend: the interval has passed. Runs OnTimer while running.
  void Tick();

 private:
  void Apply();

  Application* application_;
  bool enabled_ = false;
  unsigned interval_ = 1000;
  bool running_ = false;
};

}  // namespace nexolant::ui
