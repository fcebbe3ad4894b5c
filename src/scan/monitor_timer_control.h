#pragma once

namespace nexolant {

// What a scan needs of the active monitor: at the scan's end the monitor's timer runs exactly
// when monitoring is on; and no scan starts inside a refresh of the monitor's list (a click
// on Next dispatched by the refresh's pumps is refused).
class MonitorTimerControl {
 public:
  virtual ~MonitorTimerControl() = default;
  virtual void SyncTimerWithMonitoring() = 0;
  virtual bool Refreshing() const = 0;
};

}  // namespace nexolant
