#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "ignore/ignore_list.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/folder_lock.h"
#include "platform/message_pump.h"
#include "platform/path.h"
#include "platform/signature_verifier.h"
#include "startup/startup_entry.h"

namespace nexolant {

// The file beside the program that holds the ignore list.
inline constexpr const char* kIgnoreListFileName = "Ignored.txt";

struct IgnoredObjectsServices {
  platform::FileSystem& files;
  const platform::SignatureVerifier& verifier;
  platform::Clock& clock;
  platform::MessagePump& pump;  // keeps the window answering while a file is hashed
  // Another process of the program may change the list too: each change is made under the
  // folder's lock, to the list as the file holds it then.
  platform::FolderLock& lock;
};

// The objects the user keeps, read from and written to the ignore list file. A kept object is
// never reported, terminated or removed; keeping can only spare an object, never remove one.
// A file or an image is kept only while its content is the one kept: a changed file is found
// again.
class IgnoredObjects {
 public:
  IgnoredObjects(IgnoredObjectsServices services, platform::Path listFile);

  // Reads the list again. A missing file is an empty list; a file that cannot be read is an
  // empty list that is never written over, so that nothing in it is lost.
  void Load();
  const IgnoreList& List() const { return list_; }

  bool KeepsFile(const platform::Path& path) const;
  bool KeepsFolder(const platform::Path& path) const;
  // A key by its real path, "HKEY_LOCAL_MACHINE\..." or "HKEY_CURRENT_USER\...".
  bool KeepsKey(std::string_view realPath) const;
  bool KeepsProcess(std::string_view imagePath) const;
  // A startup entry by its kind and place; a file in a Startup folder is kept as a file.
  bool KeepsEntry(const StartupEntry& entry) const;

  // Adds an object (its time of adding is now) to the list as the file holds it now and writes
  // it; a file or an image is hashed first. The text of the failure, none when it was kept.
  std::optional<std::string> KeepFile(const platform::Path& path);
  std::optional<std::string> KeepFolder(const platform::Path& path);
  std::optional<std::string> KeepKey(std::string_view realPath);
  std::optional<std::string> KeepProcess(std::string_view imagePath);
  std::optional<std::string> KeepEntry(const StartupEntry& entry);
  // Removes the object at that position of List().Objects() from the list as the file holds it
  // now, and writes it.
  std::optional<std::string> Remove(std::size_t position);

  // The list changed (an object was added or removed).
  std::function<void()> OnChanged;

 private:
  bool KeepsContent(IgnoredKind kind, const platform::Path& path) const;
  std::optional<std::string> Keep(IgnoredKind kind, const platform::Path& path, bool hashed);
  // Within the lock: reads the list again, changes it, and writes it; the list stays as read
  // when the write fails.
  std::optional<std::string> Change(const std::function<void(IgnoreList&)>& change);
  std::optional<std::string> Save();
  std::string Now() const;

  IgnoredObjectsServices services_;
  platform::Path listFile_;
  IgnoreList list_;
  bool writable_ = true;
};

}  // namespace nexolant
