#pragma once

#include <array>
#include <cstddef>
#include <functional>

namespace nexolant {

// An item of the monitor's interval list: its caption on the Settings page and the timer's
// interval.
struct MonitorInterval {
  const char* caption;
  unsigned milliseconds;
};

inline constexpr std::array<MonitorInterval, 9> kMonitorIntervals = {{
    {"Each 60 minutes", 3600000},
    {"Each 30 minutes", 1800000},
    {"Each 15 minutes", 900000},
    {"Each 10 minutes", 600000},
    {"Each 5 minutes", 300000},
    {"Each 3 minutes", 180000},
    {"Each 1 minute", 60000},
    {"Each 30 seconds", 30000},
    {"Each 10 seconds", 10000},
}};

// The fastest, last item.
inline constexpr int kDefaultIntervalItem = 8;

// The options by what they mean; the stored ones first, in the order they are written.
enum class Option {
  kAutoStartMonitor,         // the first show switches the monitor on
  kMinimizeToTray,           // minimizing hides the window in the notification area
  kQuarantineBeforeRemoval,  // Repair quarantines files and keys instead of deleting them
  kIntervalItem,             // the monitor's interval: an item of kMonitorIntervals
  kAutoStartMonitorLeft,     // the left edge of the auto-start box, which the file keeps too
  kAutoTerminate,            // the monitor terminates the known processes it lists
  kDeepScanRegistry,         // the registry scan walks HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE
  kScanStartupEntries,       // a scan ends with the places programs start from
  kKeepScanLog,              // every scan leaves a log in the Logs folder
  kStartWithWindows,         // the Run value exists; never in the file, it is the value itself
};
inline constexpr std::size_t kOptionCount = static_cast<std::size_t>(Option::kStartWithWindows) + 1;

// How a stored option is written, and read back.
enum class StoredForm {
  kTick,  // "True" or "False" (any letter case); other text keeps the value
  kItem,  // a whole number, 0 for text that is not one; an item outside the list keeps it
  kLeft,  // a whole number, 0 for text that is not one
};

struct StoredOption {
  Option option;
  const char* key;
  StoredForm form;
  int byDefault;  // a tick as 1 or 0
};

// The keys of the [Settings] section after "FormVersion", in the order they are written. They
// are named after the page's controls and their properties, as the file has always had them.
inline constexpr std::array<StoredOption, 9> kStoredOptions = {{
    {Option::kAutoStartMonitor, "chkAutoStartMonitor_Checked", StoredForm::kTick, 0},
    {Option::kMinimizeToTray, "chkMinimize_Checked", StoredForm::kTick, 1},
    {Option::kQuarantineBeforeRemoval, "chkQuarantine_Checked", StoredForm::kTick, 1},
    {Option::kIntervalItem, "comboSpeed_ItemIndex", StoredForm::kItem, kDefaultIntervalItem},
    {Option::kAutoStartMonitorLeft, "chkAutoStartMonitor_Left", StoredForm::kLeft, 24},
    {Option::kAutoTerminate, "chkAutoTerminate_Checked", StoredForm::kTick, 1},
    {Option::kDeepScanRegistry, "chkDeepScanReg_Checked", StoredForm::kTick, 1},
    {Option::kScanStartupEntries, "chkScanStartup_Checked", StoredForm::kTick, 1},
    {Option::kKeepScanLog, "chkKeepLog_Checked", StoredForm::kTick, 1},
}};

// The options as the user set them or the file kept them. The Settings page shows them and
// writes the user's changes; the scan, the monitor, Repair and the tray read them.
class Options {
 public:
  Options();

  bool AutoStartMonitor() const { return Ticked(Option::kAutoStartMonitor); }
  bool MinimizeToTray() const { return Ticked(Option::kMinimizeToTray); }
  bool QuarantineBeforeRemoval() const { return Ticked(Option::kQuarantineBeforeRemoval); }
  bool AutoTerminate() const { return Ticked(Option::kAutoTerminate); }
  bool DeepScanRegistry() const { return Ticked(Option::kDeepScanRegistry); }
  bool ScanStartupEntries() const { return Ticked(Option::kScanStartupEntries); }
  bool KeepScanLog() const { return Ticked(Option::kKeepScanLog); }
  bool StartWithWindows() const { return Ticked(Option::kStartWithWindows); }
  int IntervalItem() const { return Value(Option::kIntervalItem); }
  unsigned IntervalMilliseconds() const { return kMonitorIntervals[IntervalItem()].milliseconds; }
  int AutoStartMonitorLeft() const { return Value(Option::kAutoStartMonitorLeft); }

  // A tick as 1 or 0.
  int Value(Option option) const { return values_[static_cast<std::size_t>(option)]; }
  // Any number but 0 ticks; an interval item outside the list keeps the one there is. Tells
  // OnChanged when the value changes.
  void Set(Option option, int value);

  std::function<void(Option)> OnChanged;

 private:
  bool Ticked(Option option) const { return Value(option) != 0; }

  std::array<int, kOptionCount> values_{};
};

}  // namespace nexolant
