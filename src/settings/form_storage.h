#pragma once

#include <string>
#include <vector>

#include "platform/profile_strings.h"
#include "ui/control.h"

namespace nexolant {

// Which property of its control a stored property is, which says how it is written and read.
enum class StoredKind {
  kChecked,    // a check box's tick: "True" or "False" (any letter case); other text keeps it
  kItemIndex,  // a drop-down list's selection: a whole number, 0 for text that is not one; a
               // number outside the items keeps the selection
  kLeft,       // a control's left edge: a whole number, 0 for text that is not one
};

// One stored property: its control, which property, and the value the layout gives it
// (1 or 0 for a tick). Its key is the control's name, "_" and the property's name:
// "chkMinimize_Checked".
struct StoredProperty {
  ui::Control& control;
  StoredKind kind;
  int layoutDefault;
};

// Keeps a fixed list of control properties in the [Settings] section of an INI file through
// the private-profile service, with the version key "FormVersion" first. Restored once, at the
// window's first show; saved once, at its close, and only after a restore.
class TFormStorage {
 public:
  static constexpr const char* kSection = "Settings";

  TFormStorage(platform::ProfileStrings& profile, std::vector<StoredProperty> properties);

  void SetIniFileName(platform::Path fileName) { fileName_ = std::move(fileName); }

  // Gives every property its layout default.
  void ApplyDefaults();

  // Reads every property with its current value as the default, unless "FormVersion" is
  // below 0. Counts as restored on every way out, and releases the file.
  void Restore();

  // Writes "FormVersion" and then every property in order, once, and releases the file.
  // Nothing before a restore or after the first save. Throws platform::IoError ("Unable to
  // write to " and the file's full path) at the first key that cannot be written.
  void Save();

  static std::string KeyOf(const StoredProperty& property);

 private:
  void Write(const std::string& key, const std::string& value);

  platform::ProfileStrings& profile_;
  std::vector<StoredProperty> properties_;
  platform::Path fileName_;
  bool restored_ = false;
  bool saved_ = false;
};

}  // namespace nexolant
