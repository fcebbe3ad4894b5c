#include "update/update_leftovers.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "platform/ascii.h"
#include "platform/downloader.h"
#include "update/reference_update.h"

namespace nexolant {
namespace {

// A temporary name of ours: prefix, one to four hexadecimal digits, ".tmp", in any case.
bool IsOurTemporaryName(std::string_view name) {
  constexpr std::array kPrefixes = {kUpdateTempPrefix, kRecordTempPrefix,
                                    platform::kDownloadTempPrefix, platform::kReplaceTempPrefix};
  constexpr std::string_view kExtension = ".tmp";
  if (name.size() < 3 + 1 + kExtension.size() || name.size() > 3 + 4 + kExtension.size() ||
      !platform::AsciiEqualNoCase(name.substr(name.size() - kExtension.size()), kExtension)) {
    return false;
  }
  const std::string_view digits = name.substr(3, name.size() - 3 - kExtension.size());
  return std::all_of(digits.begin(), digits.end(),
                     [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }) &&
         std::any_of(kPrefixes.begin(), kPrefixes.end(), [&](const char* prefix) {
           return platform::AsciiEqualNoCase(name.substr(0, 3), prefix);
         });
}

}  // namespace

void RemoveUpdateLeftovers(platform::FileSystem& files, const platform::Path& programFolder) {
  try {
    std::vector<std::string> leftovers;
    if (const auto search = files.OpenSearch(programFolder + "nx*.tmp")) {
      while (const std::optional<platform::FindData> found = search->Next()) {
        if ((found->attributes & platform::kAttributeDirectory) == 0 &&
            IsOurTemporaryName(found->name)) {
          leftovers.push_back(found->name);
        }
      }
    }
    for (const std::string& name : leftovers) {
      // One that stays is tried again at the next start.
      platform::BestEffort(files.RemoveFile(programFolder + name));
    }
  } catch (...) {
    // Housekeeping: a start-up goes on without it.
  }
}

}  // namespace nexolant
