#include "settings/form_storage.h"

#include <cstddef>
#include <string_view>
#include <utility>

#include "ini/integer_text.h"
#include "platform/errors.h"
#include "ui/check_box.h"
#include "ui/combo_box.h"

namespace nexolant {
namespace {

constexpr const char* kVersionKey = "FormVersion";
constexpr int kVersion = 0;
constexpr std::size_t kReadBuffer = 2048;

const char* PropertyName(StoredKind kind) {
  switch (kind) {
    case StoredKind::kChecked:
      return "Checked";
    case StoredKind::kItemIndex:
      return "ItemIndex";
    case StoredKind::kLeft:
      return "Left";
  }
  return "";
}

bool SameAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) {
      return false;
    }
  }
  return true;
}

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string ValueText(const StoredProperty& property) {
  switch (property.kind) {
    case StoredKind::kChecked:
      return dynamic_cast<const ui::CheckBox&>(property.control).Checked() ? "True" : "False";
    case StoredKind::kItemIndex:
      return std::to_string(dynamic_cast<const ui::ComboBox&>(property.control).ItemIndex());
    case StoredKind::kLeft:
      return std::to_string(property.control.Left());
  }
  return {};
}

void SetValue(const StoredProperty& property, int value) {
  switch (property.kind) {
    case StoredKind::kChecked:
      dynamic_cast<ui::CheckBox&>(property.control).SetChecked(value != 0);
      break;
    case StoredKind::kItemIndex: {
      auto& combo = dynamic_cast<ui::ComboBox&>(property.control);
      if (value >= 0 && static_cast<std::size_t>(value) < combo.Items().size()) {
        combo.SetItemIndex(value);
      }
      break;
    }
    case StoredKind::kLeft:
      property.control.SetLeft(value);
      break;
  }
}

void SetFromText(const StoredProperty& property, std::string_view text) {
  if (property.kind != StoredKind::kChecked) {
    SetValue(property, ParseWholeNumber(text).value_or(0));
  } else if (SameAscii(text, "True") || SameAscii(text, "False")) {
    SetValue(property, SameAscii(text, "True") ? 1 : 0);
  }
}

// Releases the file on every way out: the service writes what it may still hold of it.
class FileRelease {
 public:
  FileRelease(platform::ProfileStrings& profile, const platform::Path& fileName)
      : profile_(profile), fileName_(fileName) {}
  FileRelease(const FileRelease&) = delete;
  FileRelease& operator=(const FileRelease&) = delete;
  ~FileRelease() { profile_.Flush(fileName_); }

 private:
  platform::ProfileStrings& profile_;
  const platform::Path& fileName_;
};

}  // namespace

TFormStorage::TFormStorage(platform::ProfileStrings& profile,
                           std::vector<StoredProperty> properties)
    : profile_(profile), properties_(std::move(properties)) {}

std::string TFormStorage::KeyOf(const StoredProperty& property) {
  return property.control.Name() + "_" + PropertyName(property.kind);
}

void TFormStorage::ApplyDefaults() {
  for (const StoredProperty& property : properties_) {
    SetValue(property, property.layoutDefault);
  }
}

void TFormStorage::Restore() {
  saved_ = false;
  // Restored whatever the reading does, so that the close saves what the page shows.
  restored_ = true;
  const FileRelease release(profile_, fileName_);
  const std::string version =
      profile_.ReadString(kSection, kVersionKey, "", kReadBuffer, fileName_);
  if (ParseWholeNumber(Trimmed(version)).value_or(0) < kVersion) {
    return;
  }
  for (const StoredProperty& property : properties_) {
    const std::string text =
        profile_.ReadString(kSection, KeyOf(property), ValueText(property), kReadBuffer, fileName_);
    SetFromText(property, Trimmed(text));
  }
}

void TFormStorage::Save() {
  if (!restored_ || saved_) {
    return;
  }
  // One attempt: a close that failed to save does not fail again at the destruction.
  saved_ = true;
  const FileRelease release(profile_, fileName_);
  Write(kVersionKey, std::to_string(kVersion));
  for (const StoredProperty& property : properties_) {
    Write(KeyOf(property), ValueText(property));
  }
}

void TFormStorage::Write(const std::string& key, const std::string& value) {
  if (!profile_.WriteString(kSection, key, value, fileName_)) {
    throw platform::IoError("Unable to write to " + fileName_.ansi);
  }
}

}  // namespace nexolant
