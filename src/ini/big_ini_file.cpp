#include "ini/big_ini_file.h"

#include <algorithm>
#include <exception>

#include "ini/ini_lines.h"
#include "ini/integer_text.h"

namespace nexolant {
namespace {

constexpr auto npos = std::string_view::npos;

std::string_view Cut(std::string_view text) {
  return text.substr(0, TBigIniFile::kMaxText);
}

// A name cut short names another file, which its ANSI spelling does.
platform::Path CutName(const platform::Path& path) {
  if (path.ansi.size() > TBigIniFile::kMaxText) {
    return std::string(Cut(path.ansi));
  }
  return path;
}

std::string WriteFailureText(std::string_view fileName, const platform::Locale& locale) {
  const auto folderEnd = fileName.find_last_of("\\:");
  const std::string name =
      locale.UpperCase(folderEnd == npos ? fileName : fileName.substr(folderEnd + 1));
  return "Morvane is unable to write to the " + name + " file. " + "\r" +
         "Please check to see whether this file is available. In order for " + "\r" +
         "Morvane to work properly, this file's attributes must " + "\r" +
         "be set to Archive and it must not be used by any other programs.";
}

}  // namespace

bool TBigIniFile::Storable(std::string_view section, std::string_view key, std::string_view value) {
  constexpr std::string_view kLineBreaks("\r\n\x1A", 3);
  const auto breaksLines = [&](std::string_view text) {
    return text.find_first_of(kLineBreaks) != npos;
  };
  if (key.empty() || key.find('=') != npos || key.size() + 1 + value.size() > kMaxText ||
      section.size() + 2 > kMaxText) {
    return false;
  }
  const bool looksLikeHeader = key.front() == '[' && !value.empty() && value.back() == ']';
  return !looksLikeHeader && !breaksLines(section) && !breaksLines(key) && !breaksLines(value);
}

TBigIniFile::TBigIniFile(IniServices services, const platform::Path& fileName)
    : services_(services), sections_(services.locale) {
  SetFileName(fileName);
}

TBigIniFile::~TBigIniFile() {
  try {
    Flush();
  } catch (...) {
    // A nested message handler or the message box failed; a destructor must not throw.
  }
}

std::string TBigIniFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) {
  const Found found = FindSectionAndKey(Cut(section), Cut(key), false);
  if (found.keyIndex < 0) {
    return std::string(Cut(defaultValue));
  }
  return std::string(Cut(ValueOf(found.section->lines[found.keyIndex])));
}

void TBigIniFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
  section = Cut(section);
  key = Cut(key);
  value = Cut(value);
  if (key.empty()) {
    if (section.empty() && value.empty()) {
      Flush();
    } else {
      EraseSection(section);
    }
    return;
  }
  std::string line;
  line.append(key).append("=").append(value);
  line.resize(std::min(line.size(), kMaxText));

  const Found found = FindSectionAndKey(section, key, true);
  if (found.keyIndex < 0) {
    found.section->lines.push_back(std::move(line));
    changed_ = true;
    return;
  }
  std::string& stored = found.section->lines[found.keyIndex];
  if (stored != line) {
    stored = std::move(line);
    changed_ = true;
  }
}

std::int32_t TBigIniFile::ReadInteger(std::string_view section, std::string_view key,
                                      std::int32_t defaultValue) {
  return ParseWholeNumber(ReadString(section, key, "")).value_or(defaultValue);
}

void TBigIniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

bool TBigIniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TBigIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TBigIniFile::ReadSection(std::string_view section, StringList& keys) {
  keys.clear();
  const int index = sections_.IndexOf(Cut(section));
  if (index < 0) {
    return;
  }
  // Bounds are checked again after each pump: a nested handler may change the image.
  for (std::size_t line = 0; index < sections_.Count() && line < sections_[index].lines.size();
       ++line) {
    keys.emplace_back(KeyOf(sections_[index].lines[line]));
    Pump();
  }
}

void TBigIniFile::ReadSections(StringList& sections) {
  sections.clear();
  for (int index = 0; index < sections_.Count(); ++index) {
    sections.push_back(sections_[index].name);
  }
}

void TBigIniFile::ReadSectionValues(std::string_view section, StringList& lines) {
  lines.clear();
  const int index = sections_.IndexOf(Cut(section));
  if (index >= 0) {
    lines = sections_[index].lines;
  }
}

void TBigIniFile::ReplaceSection(std::string_view section, const StringList& lines) {
  int index = sections_.IndexOf(Cut(section));
  if (index < 0) {
    if (lines.empty()) {
      return;
    }
    sections_.Add(std::string(Cut(section)));
    index = sections_.Count() - 1;
  }
  StringList cut;
  cut.reserve(lines.size());
  for (const std::string& line : lines) {
    cut.emplace_back(Cut(line));
  }
  TSection& target = sections_[index];
  if (target.lines != cut) {
    target.lines = std::move(cut);
    changed_ = true;
  }
}

void TBigIniFile::EraseSection(std::string_view section) {
  const int index = sections_.IndexOf(Cut(section));
  if (index < 0) {
    return;
  }
  sections_.Delete(index);
  changed_ = true;
  if (sectionCursor_ >= sections_.Count()) {
    sectionCursor_ = 0;
  }
}

bool TBigIniFile::SectionExists(std::string_view section) {
  return sections_.IndexOf(Cut(section)) >= 0;
}

void TBigIniFile::DeleteKey(std::string_view section, std::string_view key) {
  const Found found = FindSectionAndKey(Cut(section), Cut(key), true);
  if (found.keyIndex >= 0) {
    found.section->lines.erase(found.section->lines.begin() + found.keyIndex);
    changed_ = true;
  }
}

void TBigIniFile::CopyToStrings(StringList& lines) {
  for (int index = 0; index < sections_.Count(); ++index) {
    Pump();
    if (index >= sections_.Count() || sections_[index].lines.empty()) {
      continue;
    }
    const TSection& section = sections_[index];
    lines.push_back("[" + section.name + "]");
    lines.insert(lines.end(), section.lines.begin(), section.lines.end());
    lines.emplace_back();
  }
}

void TBigIniFile::Flush() {
  if (!changed_) {
    return;
  }
  if (fileName_.Empty()) {
    changed_ = false;
    return;
  }
  const std::string text = Serialize();
  try {
    services_.files.ReplaceWholeFile(fileName_, text);
  } catch (const std::exception&) {
    services_.warnings.ShowWarning(WriteFailureText(fileName_.ansi, services_.locale), "Warning");
    return;
  }
  changed_ = false;
}

void TBigIniFile::LoadFile(const platform::Path& fileName) {
  sectionCursor_ = 0;
  if (!services_.files.FileExists(fileName)) {
    return;
  }
  Parse(services_.files.ReadWholeFile(fileName));
  sections_.DropDuplicateSections();
}

void TBigIniFile::SetFileName(const platform::Path& fileName) {
  Flush();
  sections_.Clear();
  sectionCursor_ = 0;
  // Cleared before loading, so that a change the flush could not write is never written
  // over the new file when its load fails.
  changed_ = false;
  fileName_ = CutName(fileName);
  if (!fileName_.Empty()) {
    LoadFile(fileName_);
  }
}

TBigIniFile::Found TBigIniFile::FindSectionAndKey(std::string_view section, std::string_view key,
                                                  bool create) {
  const platform::Locale& locale = services_.locale;
  int index = -1;
  const int count = sections_.Count();
  if (count > 0) {
    if (sectionCursor_ < 0 || sectionCursor_ >= count) {
      sectionCursor_ = 0;
    }
    // The cursor stops on the section before its starting point when nothing matches.
    const int start = sectionCursor_;
    while (true) {
      if (locale.SameText(sections_[sectionCursor_].name, section)) {
        index = sectionCursor_;
        break;
      }
      const int next = (sectionCursor_ + 1) % count;
      if (next == start) {
        break;
      }
      sectionCursor_ = next;
      Pump();
      if (sections_.Count() != count) {
        // A nested handler changed the sections: finish with a plain search.
        index = sections_.IndexOf(section);
        sectionCursor_ = index < 0 ? 0 : index;
        break;
      }
    }
  }
  if (index < 0) {
    if (!create) {
      return {};
    }
    sections_.Add(std::string(section));
    sectionCursor_ = sections_.Count() - 1;
    return {&sections_[sectionCursor_], -1};
  }
  TSection& found = sections_[index];
  for (std::size_t line = 0; line < found.lines.size(); ++line) {
    if (locale.SameText(KeyOf(found.lines[line]), key)) {
      return {&found, static_cast<int>(line)};
    }
  }
  return {&found, -1};
}

void TBigIniFile::Parse(std::string_view text) {
  TSection* current = nullptr;
  ReadIniLines(
      text, kMaxText, [&](std::string name) { current = &sections_.Add(std::move(name)); },
      [&](const std::string& line) { current->lines.push_back(line); });
}

std::string TBigIniFile::Serialize() {
  std::string text;
  // Bounds are checked again after each pump: a nested handler may change the image.
  for (int index = 0; index < sections_.Count(); ++index) {
    Pump();
    if (index >= sections_.Count() || sections_[index].lines.empty()) {
      continue;
    }
    text.append("[").append(sections_[index].name).append("]\r\n");
    for (std::size_t line = 0; line < sections_[index].lines.size(); ++line) {
      Pump();
      if (index >= sections_.Count() || line >= sections_[index].lines.size()) {
        break;
      }
      text.append(sections_[index].lines[line]).append("\r\n");
    }
    text.append("\r\n");
  }
  return text;
}

}  // namespace nexolant
