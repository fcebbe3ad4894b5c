#pragma once

#include <string>

#include "ini/big_ini_file.h"
#include "platform/folder_lock.h"
#include "settings/usage_statistics.h"

namespace nexolant {

// The file beside the executable that holds the usage statistics ([General]) and the stored
// options ([Settings]).
inline constexpr const char* kSettingsFileName = "Nexolant.ini";

// Reads the usage statistics from the [General] section of the settings file at start-up and
// writes them back at shutdown through the INI engine, which carries the file's other sections
// through. "LastScan" is a date-time (days since 1899-12-30) in the general format, with the
// locale's decimal separator, or -1 for never. Another process of the program may write the
// figures meanwhile: the save merges with what the file holds then, under the folder's lock.
class StatisticsStore {
 public:
  StatisticsStore(IniServices services, UsageStatistics& statistics, platform::FolderLock& lock)
      : services_(services), statistics_(statistics), lock_(lock) {}

  // Reads and shows the four figures. A "LastScan" that is not a number, or not a date the
  // calendar can show, reads as never, and then the figures are kept but not shown. Throws
  // platform::IoError when the file exists but cannot be read; the figures then stay as they
  // were and Save leaves the file alone.
  void Load(const platform::Path& fileName);

  // Writes the four figures as UsageStatistics::MergedWith makes them of the file's, once; later
  // calls do nothing.
  void Save(const platform::Path& fileName);

 private:
  IniServices services_;
  UsageStatistics& statistics_;
  platform::FolderLock& lock_;
  bool fileUnreadable_ = false;
  bool saved_ = false;
};

}  // namespace nexolant
