#include "fakes/fake_profile_strings.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/errors.h"

namespace nexolant {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string_view TrimRight(std::string_view text) {
  const auto last = text.find_last_not_of(kBlanks);
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t k = 0; k < a.size(); ++k) {
    if (std::toupper(static_cast<unsigned char>(a[k])) !=
        std::toupper(static_cast<unsigned char>(b[k]))) {
      return false;
    }
  }
  return true;
}

// Lines without their "\r\n" or "\n".
std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    lines.emplace_back(line);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

// The name of a "[name]" line.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  const auto close = line.find(']');
  if (line.empty() || line.front() != '[' || close == std::string_view::npos) {
    return std::nullopt;
  }
  return Trim(line.substr(1, close - 1));
}

struct Entry {
  std::string_view key;
  std::string_view value;
};

// The key and value of a "key=value" line; comments and other lines have none.
std::optional<Entry> KeyLine(std::string_view line) {
  line = Trim(line);
  const auto equals = line.find('=');
  if (line.empty() || line.front() == ';' || equals == std::string_view::npos) {
    return std::nullopt;
  }
  return Entry{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Where a section's lines are: its header and the line after its last non-blank line.
struct SectionSpan {
  std::size_t header;
  std::size_t end;
};

std::optional<SectionSpan> FindSection(const std::vector<std::string>& lines,
                                       std::string_view section) {
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const auto name = SectionName(lines[k]);
    if (!name || !SameName(*name, section)) {
      continue;
    }
    SectionSpan span{k, k + 1};
    for (std::size_t line = k + 1; line < lines.size() && !SectionName(lines[line]); ++line) {
      if (!Trim(lines[line]).empty()) {
        span.end = line + 1;
      }
    }
    return span;
  }
  return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<std::string>& lines, SectionSpan span,
                                   std::string_view key) {
  for (std::size_t k = span.header + 1; k < span.end; ++k) {
    const auto entry = KeyLine(lines[k]);
    if (entry && SameName(entry->key, key)) {
      return k;
    }
  }
  return std::nullopt;
}

}  // namespace

std::string FakeProfileStrings::ReadString(const std::string& section, const std::string& key,
                                           const std::string& defaultValue, std::size_t bufferSize,
                                           const platform::Path& fileName) {
  std::string result(TrimRight(defaultValue));
  if (files_.FileExists(fileName)) {
    try {
      const std::vector<std::string> lines = SplitLines(files_.ReadWholeFile(fileName));
      if (const auto span = FindSection(lines, section)) {
        if (const auto line = FindKey(lines, *span, key)) {
          result = Unquoted(KeyLine(lines[*line])->value);
        }
      }
    } catch (const platform::IoError&) {
      // An unreadable file answers like a missing one.
    }
  }
  result.resize(std::min(result.size(), bufferSize == 0 ? 0 : bufferSize - 1));
  return result;
}

platform::Outcome FakeProfileStrings::WriteString(const std::string& section,
                                                  const std::string& key, const std::string& value,
                                                  const platform::Path& fileName) {
  if (failWrites_) {
    return platform::Outcome::Failure(platform::kErrorAccessDenied);
  }
  try {
    std::vector<std::string> lines;
    if (files_.FileExists(fileName)) {
      lines = SplitLines(files_.ReadWholeFile(fileName));
    }
    if (const auto span = FindSection(lines, section)) {
      if (const auto line = FindKey(lines, *span, key)) {
        lines[*line] = std::string(KeyLine(lines[*line])->key) + "=" + value;
      } else {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(span->end), key + "=" + value);
      }
    } else {
      lines.push_back("[" + section + "]");
      lines.push_back(key + "=" + value);
    }
    files_.ReplaceWholeFile(fileName, JoinLines(lines));
    return {};
  } catch (const platform::IoError&) {
    return platform::Outcome::Failure(platform::kErrorAccessDenied);
  }
}

}  // namespace nexolant
