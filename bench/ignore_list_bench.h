#pragma once

#include <string>

#include "ignore/ignore_list.h"
#include "platform/clock.h"

namespace nexolant::bench {

// The file phase never asks the time: only keeping an object does.
class StillClock : public platform::Clock {
 public:
  platform::DateTime Now() override { return 0; }
  void Sleep(std::uint32_t /*milliseconds*/) override {}
};

// An ignore list of count folders and files that the benchmark tree does not hold, so that
// every match of the file phase is looked up in it and none is kept.
inline std::string IgnoreListText(int count) {
  IgnoreList list;
  for (int k = 0; k < count; ++k) {
    const std::string path = "C:\\Kept\\Folder" + std::to_string(k);
    list.Add({.kind = IgnoredKind::kFolder, .path = path, .added = "2026-12-11 00:00:00"});
    list.Add({.kind = IgnoredKind::kFile,
              .path = path + "\\setup.exe",
              .sha256 = std::string(64, 'a'),
              .added = "2026-12-11 00:00:00"});
  }
  return list.Text();
}

}  // namespace nexolant::bench
