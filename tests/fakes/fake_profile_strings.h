#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/profile_strings.h"

namespace nexolant {

// The private-profile service over a FileSystem, reading and rewriting the INI text on each
// call as the system does: names compare case-insensitively (ASCII), values are trimmed and
// lose one pair of enclosing quotes, new sections go to the end of the file and new keys to
// the end of their section, and every other line is kept.
class FakeProfileStrings : public platform::ProfileStrings {
 public:
  explicit FakeProfileStrings(platform::FileSystem& files) : files_(files) {}

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue, std::size_t bufferSize,
                         const platform::Path& fileName) override;
  platform::Outcome WriteString(const std::string& section, const std::string& key,
                                const std::string& value, const platform::Path& fileName) override;
  void Flush(const platform::Path& fileName) override { flushed_.push_back(fileName.ansi); }

  // Writes fail while set, leaving the file as it was.
  void FailWrites(bool fail = true) { failWrites_ = fail; }
  const std::vector<std::string>& Flushed() const { return flushed_; }  // ANSI spellings

 private:
  platform::FileSystem& files_;
  bool failWrites_ = false;
  std::vector<std::string> flushed_;
};

}  // namespace nexolant
