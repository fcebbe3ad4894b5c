#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace nexolant {

// What the user keeps of what a scan found.
enum class IgnoredKind { kFile, kFolder, kKey, kProcess, kValue, kService, kTask, kHelper };

// One object the user keeps: a file by its exact path and content, a folder by its exact path,
// a key by its real path (never through the classes root), a process by its image's exact path
// and content. A startup entry is kept by its kind and place: a Run value by its key's path,
// "\" and its name; a service and a browser helper by their key's path (a toolbar by its
// value's); a scheduled task by its path, "\Folder\Name". A file in a Startup folder is a
// file.
struct IgnoredObject {
  IgnoredKind kind = IgnoredKind::kFile;
  std::string path{};    // UTF-8
  std::string sha256{};  // 64 lowercase hexadecimal digits, for a file or a process's image
  std::string added{};   // when it was added, "YYYY-MM-DD HH:MM:SS"

  bool operator==(const IgnoredObject&) const = default;
};

// The lowercase name of a kind as the list writes it.
std::string_view IgnoredKindName(IgnoredKind kind);

// The text form of the ignore list: one object per line, its kind, the time it was added, its
// path and, for a file or a process, the SHA-256 of its content, separated by tabs. A line that
// cannot be read (an unknown kind, a bad hash, a repeated object, an overlong line) ignores
// nothing and is written back as it was, in its place.
class IgnoreList {
 public:
  static IgnoreList Parse(std::string_view text);
  std::string Text() const;

  // The objects read or added, in the order of the list.
  std::vector<IgnoredObject> Objects() const;
  std::size_t Count() const { return index_.size(); }

  // Adds the object at the end, or replaces the entry of the same kind and path (a file kept
  // again after it changed). False when the object is not valid.
  bool Add(IgnoredObject object);
  // Removes the entry of that kind and path (as Find finds it), if there is one.
  void Remove(IgnoredKind kind, std::string_view path);

  // The entry of that kind whose path equals path (as Windows compares ASCII letters), if any.
  const IgnoredObject* Find(IgnoredKind kind, std::string_view path) const;

 private:
  struct Line {
    std::string text;  // as read, for a line that is kept unread
    std::optional<IgnoredObject> object;
  };
  static std::optional<IgnoredObject> ParseLine(std::string_view line);
  static std::string LineText(const IgnoredObject& object);
  static std::string Key(IgnoredKind kind, std::string_view path);
  void Reindex();

  std::vector<Line> lines_;
  std::unordered_map<std::string, std::size_t> index_;  // Key → line
};

// Whether text is a valid object of the list (kind, path, hash and time as the list needs them).
bool ValidIgnoredObject(const IgnoredObject& object);

}  // namespace nexolant
