#pragma once

namespace nexolant {

// What a scan needs of the active monitor: at the scan's end the monitor's timer runs exactly
// when monitoring is on.
class MonitorTimerControl {
 public:
  virtual ~MonitorTimerControl() = default;
  virtual void SyncTimerWithMonitoring() = 0;
};

}  // namespace nexolant
