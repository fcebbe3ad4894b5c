#include "settings/form_storage.h"

#include <cstddef>
#include <string_view>

#include "ini/integer_text.h"
#include "platform/ascii.h"
#include "platform/errors.h"

namespace nexolant {
namespace {

constexpr const char* kVersionKey = "FormVersion";
constexpr int kVersion = 0;
constexpr std::size_t kReadBuffer = 2048;

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string ValueText(const StoredOption& stored, const Options& options) {
  const int value = options.Value(stored.option);
  if (stored.form == StoredForm::kTick) {
    return value != 0 ? "True" : "False";
  }
  return std::to_string(value);
}

void SetFromText(const StoredOption& stored, std::string_view text, Options& options) {
  if (stored.form != StoredForm::kTick) {
    options.Set(stored.option, ParseWholeNumber(text).value_or(0));
  } else if (platform::AsciiEqualNoCase(text, "True") ||
             platform::AsciiEqualNoCase(text, "False")) {
    options.Set(stored.option, platform::AsciiEqualNoCase(text, "True") ? 1 : 0);
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

void TFormStorage::Restore() {
  saved_ = false;
  // Restored whatever the reading does, so that the close saves what the options hold.
  restored_ = true;
  const FileRelease release(profile_, fileName_);
  const std::string version =
      profile_.ReadString(kSection, kVersionKey, "", kReadBuffer, fileName_);
  if (ParseWholeNumber(Trimmed(version)).value_or(0) < kVersion) {
    return;
  }
  for (const StoredOption& stored : kStoredOptions) {
    const std::string text = profile_.ReadString(kSection, stored.key, ValueText(stored, options_),
                                                 kReadBuffer, fileName_);
    SetFromText(stored, Trimmed(text), options_);
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
  for (const StoredOption& stored : kStoredOptions) {
    Write(stored.key, ValueText(stored, options_));
  }
}

void TFormStorage::Write(const std::string& key, const std::string& value) {
  if (!profile_.WriteString(kSection, key, value, fileName_)) {
    throw platform::IoError("Unable to write to " + fileName_.ansi);
  }
}

}  // namespace nexolant
