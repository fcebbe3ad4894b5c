#include "ignore/ignored_objects.h"

#include <utility>

#include "platform/date_text.h"
#include "platform/errors.h"
#include "platform/file_digest.h"

namespace nexolant {
namespace {

// A list larger than this was not written by the program: it is left alone, unread.
constexpr std::size_t kLargestList = 64 * 1024 * 1024;

const char* const kCannotChange =
    "The list of ignored objects cannot be read, so Nexolant leaves it as it is.";

}  // namespace

IgnoredObjects::IgnoredObjects(IgnoredObjectsServices services, platform::Path listFile)
    : services_(services), listFile_(std::move(listFile)) {}

void IgnoredObjects::Load() {
  list_ = {};
  writable_ = true;
  if (!services_.files.FileExists(listFile_)) {
    return;
  }
  try {
    const auto reader = services_.files.OpenReader(listFile_);
    if (!reader || reader->Size() > kLargestList) {
      writable_ = false;
      return;
    }
    list_ = IgnoreList::Parse(services_.files.ReadWholeFile(listFile_));
  } catch (const platform::IoError&) {
    writable_ = false;
  }
}

bool IgnoredObjects::KeepsFile(const platform::Path& path) const {
  return KeepsFolder(path) || KeepsContent(IgnoredKind::kFile, path);
}

bool IgnoredObjects::KeepsFolder(const platform::Path& path) const {
  return list_.Find(IgnoredKind::kFolder, path.HasExact() ? path.exact : path.ansi) != nullptr;
}

bool IgnoredObjects::KeepsKey(std::string_view realPath) const {
  return list_.Find(IgnoredKind::kKey, realPath) != nullptr;
}

namespace {

IgnoredKind KindOfEntry(StartupKind kind) {
  switch (kind) {
    case StartupKind::kRunValue:
      return IgnoredKind::kValue;
    case StartupKind::kService:
      return IgnoredKind::kService;
    case StartupKind::kScheduledTask:
      return IgnoredKind::kTask;
    case StartupKind::kBrowserHelper:
      return IgnoredKind::kHelper;
    case StartupKind::kStartupFile:
      break;
  }
  return IgnoredKind::kFile;
}

}  // namespace

bool IgnoredObjects::KeepsEntry(const StartupEntry& entry) const {
  return !entry.place.empty() && list_.Find(KindOfEntry(entry.kind), entry.place) != nullptr;
}

bool IgnoredObjects::KeepsProcess(std::string_view imagePath) const {
  return !imagePath.empty() && KeepsContent(IgnoredKind::kProcess, std::string(imagePath));
}

// Only a path the list holds is hashed, so a scan reads no file for an empty list.
bool IgnoredObjects::KeepsContent(IgnoredKind kind, const platform::Path& path) const {
  const IgnoredObject* kept = list_.Find(kind, path.HasExact() ? path.exact : path.ansi);
  if (!kept) {
    return false;
  }
  const auto digest =
      platform::FileSha256(services_.files, services_.verifier, path, &services_.pump);
  return digest && platform::Sha256Hex(*digest) == kept->sha256;
}

std::optional<std::string> IgnoredObjects::KeepFile(const platform::Path& path) {
  return Keep(IgnoredKind::kFile, path, true);
}

std::optional<std::string> IgnoredObjects::KeepFolder(const platform::Path& path) {
  return Keep(IgnoredKind::kFolder, path, false);
}

std::optional<std::string> IgnoredObjects::KeepKey(std::string_view realPath) {
  return Keep(IgnoredKind::kKey, std::string(realPath), false);
}

std::optional<std::string> IgnoredObjects::KeepProcess(std::string_view imagePath) {
  return Keep(IgnoredKind::kProcess, std::string(imagePath), true);
}

std::optional<std::string> IgnoredObjects::KeepEntry(const StartupEntry& entry) {
  return Keep(KindOfEntry(entry.kind), entry.place, false);
}

std::optional<std::string> IgnoredObjects::Keep(IgnoredKind kind, const platform::Path& path,
                                                bool hashed) {
  if (!writable_) {
    return kCannotChange;
  }
  IgnoredObject object{
      .kind = kind, .path = path.HasExact() ? path.exact : path.ansi, .added = Now()};
  if (hashed) {
    const auto digest =
        platform::FileSha256(services_.files, services_.verifier, path, &services_.pump);
    if (!digest) {
      return "Nexolant could not read " + path.ansi + " to remember its content.";
    }
    object.sha256 = platform::Sha256Hex(*digest);
  }
  if (!ValidIgnoredObject(object)) {
    return "Nexolant cannot keep " + path.ansi + ": it has no full path.";
  }
  // The object was found valid above, which is all Add asks.
  return Change([&object](IgnoreList& list) { platform::BestEffort(list.Add(object)); });
}

std::optional<std::string> IgnoredObjects::Remove(std::size_t position) {
  if (!writable_) {
    return kCannotChange;
  }
  const IgnoredObject object = list_.Objects().at(position);
  return Change([&object](IgnoreList& list) { list.Remove(object.kind, object.path); });
}

std::optional<std::string> IgnoredObjects::Change(const std::function<void(IgnoreList&)>& change) {
  const platform::FolderLockScope locked(services_.lock, services_.pump);
  Load();
  if (!writable_) {
    return kCannotChange;
  }
  const IgnoreList before = list_;
  change(list_);
  if (std::optional<std::string> failure = Save()) {
    list_ = before;
    return failure;
  }
  return std::nullopt;
}

std::optional<std::string> IgnoredObjects::Save() {
  try {
    if (services_.files.FileExists(listFile_)) {
      services_.files.ReplaceWholeFile(listFile_, list_.Text());
    } else {
      services_.files.WriteWholeFile(listFile_, list_.Text());
    }
  } catch (const platform::IoError& error) {
    return std::string("The list of ignored objects could not be saved: ") + error.what();
  }
  if (OnChanged) {
    OnChanged();
  }
  return std::nullopt;
}

std::string IgnoredObjects::Now() const {
  return platform::IsoDateTime(services_.clock.Now());
}

}  // namespace nexolant
