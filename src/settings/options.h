#pragma once

namespace nexolant {

// The options of the Settings page that other subsystems read at the moment they act.
class Options {
 public:
  virtual ~Options() = default;

  virtual bool MinimizeToTray() const = 0;
  virtual bool QuarantineBeforeRemoval() const = 0;
  virtual bool DeepScanRegistry() const = 0;
  virtual bool AutoTerminate() const = 0;
  virtual bool AutoStartMonitor() const = 0;
};

}  // namespace nexolant
