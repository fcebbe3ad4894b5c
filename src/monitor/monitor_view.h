#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nexolant {

// One listed process: its name and its status ("No", or the description of the signature it
// matched, with the outcome of an automatic termination appended).
struct MonitorRow {
  std::string name;
  std::string status;
  bool known = false;  // a signature names it and it is no protected process
  std::int32_t processId = -1;
};

// What the Active Monitoring page shows of the monitor, told as it happens.
class MonitorView {
 public:
  virtual ~MonitorView() = default;

  // A refresh is under way (true), or the monitor is idle (false).
  virtual void ShowProcessing(bool refreshing) = 0;
  // A rebuild of the rows: begun (every row gone), every row in its sorted place once all are
  // known, and the end, which comes on every way out of a rebuild.
  virtual void BeginRows() = 0;
  virtual void ShowRows(const std::vector<MonitorRow>& rows) = 0;
  virtual void EndRows() = 0;
  virtual void ShowRowsCleared() = 0;
  virtual void ShowRowStatus(int index, const MonitorRow& row) = 0;
  virtual void ShowRowRemoved(int index) = 0;
  virtual void ShowMonitoring(bool on) = 0;
};

}  // namespace nexolant
