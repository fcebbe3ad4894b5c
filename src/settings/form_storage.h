#pragma once

#include <string>
#include <utility>

#include "platform/profile_strings.h"
#include "settings/options.h"

namespace nexolant {

// Keeps the stored options (kStoredOptions) in the [Settings] section of an INI file through
// the private-profile service, with the version key "FormVersion" first. Restored once, at the
// window's first show; saved once, at its close, and only after a restore.
class TFormStorage {
 public:
  static constexpr const char* kSection = "Settings";

  TFormStorage(platform::ProfileStrings& profile, Options& options)
      : profile_(profile), options_(options) {}

  void SetIniFileName(platform::Path fileName) { fileName_ = std::move(fileName); }

  // Reads every stored option with its current value as the default, unless "FormVersion" is
  // below 0. Counts as restored on every way out, and releases the file.
  void Restore();

  // Writes "FormVersion" and then every stored option in order, once, and releases the file.
  // Nothing before a restore or after the first save. Throws platform::IoError ("Unable to
  // write to " and the file's full path) at the first key that cannot be written.
  void Save();

 private:
  void Write(const std::string& key, const std::string& value);

  platform::ProfileStrings& profile_;
  Options& options_;
  platform::Path fileName_;
  bool restored_ = false;
  bool saved_ = false;
};

}  // namespace nexolant
