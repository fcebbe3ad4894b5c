#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ini/section_list.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/message_pump.h"
#include "platform/string_list.h"
#include "platform/warning_sink.h"

namespace nexolant {

// Services an INI store needs: the files it reads and writes, the locale's text
// comparison for section and key names, the pump of its long loops and where a failed
// write is reported.
struct IniServices {
  platform::FileSystem& files;
  const platform::Locale& locale;
  platform::MessagePump& pump;
  platform::WarningSink& warnings;
};

// The INI engine: reads a whole INI file at creation, answers from memory and writes the
// whole file back, once, when flushed or destroyed after a change. Section, key, value and
// default texts longer than 255 characters are cut to 255.
class TBigIniFile final {
 public:
  static constexpr std::size_t kMaxText = 255;
  static constexpr std::int32_t kBufferSize = 28672;

  // Cuts the name to 255 characters and loads the file. Throws platform::IoError when an
  // existing file cannot be read.
  TBigIniFile(IniServices services, const platform::Path& fileName);
  ~TBigIniFile();  // flushes; never throws

  TBigIniFile(const TBigIniFile&) = delete;
  TBigIniFile& operator=(const TBigIniFile&) = delete;

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue);
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t defaultValue);
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  void ReadSection(std::string_view section, StringList& keys);
  void ReadSections(StringList& sections);
  void ReadSectionValues(std::string_view section, StringList& lines);
  void EraseSection(std::string_view section);
  bool SectionExists(std::string_view section);
  void DeleteKey(std::string_view section, std::string_view key);
  void CopyToStrings(StringList& lines);
  // Puts lines ("key=value", each cut to 255 characters) in place of the section's stored
  // lines, in one step; the section is added at the end when it is absent and lines are given.
  // Sets the changed flag when the lines differ from the stored ones.
  void ReplaceSection(std::string_view section, const StringList& lines);
  // Writes the file when something changed. A failed write leaves the old file as it was,
  // keeps the changed flag and is reported as a warning, not thrown.
  void Flush();
  // Reads the file into the image; a missing file adds nothing.
  void LoadFile(const platform::Path& fileName);
  void SetFileName(const platform::Path& fileName);

  // Whether WriteString(section, key, value) stores an entry that reads back as the same
  // section, key and value after the file is written and loaded again: nothing is cut, no
  // text holds a line break or an end-of-file mark, the key holds no "=" and the line does
  // not look like a section header. Callers that must not lose an entry check it first.
  static bool Storable(std::string_view section, std::string_view key, std::string_view value);

  // A stored line's key: the text before its first "="; its value: the text after it.
  static std::string_view KeyOf(std::string_view line) { return line.substr(0, line.find('=')); }
  static std::string_view ValueOf(std::string_view line) {
    const std::size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string_view() : line.substr(equals + 1);
  }

  const platform::Path& FileName() const { return fileName_; }
  bool Changed() const { return changed_; }
  std::int32_t SectionCursor() const { return sectionCursor_; }

 private:
  struct Found {
    TSection* section = nullptr;
    int keyIndex = -1;
  };
  Found FindSectionAndKey(std::string_view section, std::string_view key, bool create);
  void Parse(std::string_view text);
  std::string Serialize();
  void Pump() { services_.pump.ProcessMessages(); }

  IniServices services_;
  platform::Path fileName_;
  bool changed_ = false;
  TSectionList sections_;
  std::int32_t sectionCursor_ = 0;
};

}  // namespace nexolant
