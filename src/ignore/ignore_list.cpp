#include "ignore/ignore_list.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/ascii.h"

namespace nexolant {
namespace {

constexpr std::array<std::pair<IgnoredKind, std::string_view>, 8> kKindNames{{
    {IgnoredKind::kFile, "file"},
    {IgnoredKind::kFolder, "folder"},
    {IgnoredKind::kKey, "key"},
    {IgnoredKind::kProcess, "process"},
    {IgnoredKind::kValue, "value"},
    {IgnoredKind::kService, "service"},
    {IgnoredKind::kTask, "task"},
    {IgnoredKind::kHelper, "helper"},
}};

// The longest path Windows' wide functions take, with room for its UTF-8 form.
constexpr std::size_t kLongestLine = 4 * 32768;
constexpr std::size_t kTimeLength = 19;  // "YYYY-MM-DD HH:MM:SS"

bool HasHash(IgnoredKind kind) {
  return kind == IgnoredKind::kFile || kind == IgnoredKind::kProcess;
}

bool ValidHash(std::string_view hash) {
  return hash.size() == 64 && std::all_of(hash.begin(), hash.end(), [](char c) {
           return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
         });
}

bool ValidTime(std::string_view time) {
  constexpr std::string_view kShape = "0000-00-00 00:00:00";
  if (time.size() != kTimeLength) {
    return false;
  }
  for (std::size_t k = 0; k < kTimeLength; ++k) {
    const bool digit = time[k] >= '0' && time[k] <= '9';
    if (kShape[k] == '0' ? !digit : time[k] != kShape[k]) {
      return false;
    }
  }
  return true;
}

// A file, folder or image is named by a full path: a drive's ("C:\...") or a share's ("\\...").
bool ValidFilePath(std::string_view path) {
  const bool drive =
      path.size() >= 3 && platform::IsAsciiLetter(path[0]) && path[1] == ':' && path[2] == '\\';
  return drive || (path.size() > 2 && path.starts_with("\\\\"));
}

bool ValidKeyPath(std::string_view path) {
  return (path.starts_with("HKEY_LOCAL_MACHINE\\") || path.starts_with("HKEY_CURRENT_USER\\") ||
          path.starts_with("HKEY_USERS\\")) &&
         !path.ends_with('\\');
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string_view::npos) {
      return fields;
    }
    start = tab + 1;
  }
}

}  // namespace

std::string_view IgnoredKindName(IgnoredKind kind) {
  for (const auto& [known, name] : kKindNames) {
    if (known == kind) {
      return name;
    }
  }
  return {};
}

bool ValidIgnoredObject(const IgnoredObject& object) {
  const std::string_view path = object.path;
  if (path.empty() || path.find_first_of("\t\r\n") != std::string_view::npos ||
      !ValidTime(object.added)) {
    return false;
  }
  if (HasHash(object.kind) != !object.sha256.empty() ||
      (HasHash(object.kind) && !ValidHash(object.sha256))) {
    return false;
  }
  switch (object.kind) {
    case IgnoredKind::kFile:
    case IgnoredKind::kFolder:
    case IgnoredKind::kProcess:
      return ValidFilePath(path);
    case IgnoredKind::kTask:
      return path.size() > 1 && path.starts_with('\\');
    case IgnoredKind::kKey:
    case IgnoredKind::kValue:
    case IgnoredKind::kService:
    case IgnoredKind::kHelper:
      break;
  }
  return ValidKeyPath(path);
}

IgnoreList IgnoreList::Parse(std::string_view text) {
  IgnoreList list;
  if (text.starts_with("\xEF\xBB\xBF")) {
    text.remove_prefix(3);
  }
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) {
      line.remove_suffix(1);
    }
    std::optional<IgnoredObject> object = ParseLine(line);
    if (object && list.index_.contains(Key(object->kind, object->path))) {
      object.reset();
    }
    list.lines_.push_back({std::string(line), std::move(object)});
    if (list.lines_.back().object) {
      list.index_.emplace(Key(list.lines_.back().object->kind, list.lines_.back().object->path),
                          list.lines_.size() - 1);
    }
  }
  return list;
}

std::optional<IgnoredObject> IgnoreList::ParseLine(std::string_view line) {
  if (line.size() > kLongestLine) {
    return std::nullopt;
  }
  const std::vector<std::string_view> fields = SplitTabs(line);
  const auto kind = std::find_if(kKindNames.begin(), kKindNames.end(),
                                 [&](const auto& known) { return known.second == fields[0]; });
  if (kind == kKindNames.end() || fields.size() != (HasHash(kind->first) ? 4u : 3u)) {
    return std::nullopt;
  }
  IgnoredObject object{.kind = kind->first,
                       .path = std::string(fields[2]),
                       .sha256 = HasHash(kind->first) ? platform::AsciiLowerCase(fields[3]) : "",
                       .added = std::string(fields[1])};
  if (!ValidIgnoredObject(object)) {
    return std::nullopt;
  }
  return object;
}

std::string IgnoreList::LineText(const IgnoredObject& object) {
  std::string line =
      std::string(IgnoredKindName(object.kind)) + '\t' + object.added + '\t' + object.path;
  if (HasHash(object.kind)) {
    line += '\t' + object.sha256;
  }
  return line;
}

std::string IgnoreList::Text() const {
  std::string text;
  for (const Line& line : lines_) {
    text += line.object ? LineText(*line.object) : line.text;
    text += "\r\n";
  }
  return text;
}

std::vector<IgnoredObject> IgnoreList::Objects() const {
  std::vector<IgnoredObject> objects;
  objects.reserve(index_.size());
  for (const Line& line : lines_) {
    if (line.object) {
      objects.push_back(*line.object);
    }
  }
  return objects;
}

bool IgnoreList::Add(IgnoredObject object) {
  if (!ValidIgnoredObject(object)) {
    return false;
  }
  const auto found = index_.find(Key(object.kind, object.path));
  if (found != index_.end()) {
    lines_[found->second].object = std::move(object);
    return true;
  }
  lines_.push_back({std::string(), std::move(object)});
  index_.emplace(Key(lines_.back().object->kind, lines_.back().object->path), lines_.size() - 1);
  return true;
}

void IgnoreList::Remove(IgnoredKind kind, std::string_view path) {
  const auto found = index_.find(Key(kind, path));
  if (found != index_.end()) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(found->second));
    Reindex();
  }
}

const IgnoredObject* IgnoreList::Find(IgnoredKind kind, std::string_view path) const {
  const auto found = index_.find(Key(kind, path));
  return found == index_.end() ? nullptr : &*lines_[found->second].object;
}

std::string IgnoreList::Key(IgnoredKind kind, std::string_view path) {
  return std::string(IgnoredKindName(kind)) + '\t' + platform::AsciiUpperCase(path);
}

void IgnoreList::Reindex() {
  index_.clear();
  for (std::size_t line = 0; line < lines_.size(); ++line) {
    if (lines_[line].object) {
      index_.emplace(Key(lines_[line].object->kind, lines_[line].object->path), line);
    }
  }
}

}  // namespace nexolant
