#pragma once

// The tree the scan benchmarks walk: 20 folders of 20 subfolders of 500 files each (200,000
// files and 420 folders), with lower-case names and extensions as on a real disk, and one file
// in 1,000 named so that a signature of the benchmark's list matches it. Made once, on disk.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "platform/string_list.h"
#include "signature_patterns.h"

namespace nexolant::bench {

inline constexpr std::size_t kSignatureCount = 10000;
inline constexpr int kTopFolders = 20;
inline constexpr int kSubFolders = 20;
inline constexpr int kFilesPerFolder = 500;
inline constexpr std::size_t kTreeEntries =
    kTopFolders * (1 + kSubFolders * (1 + static_cast<std::size_t>(kFilesPerFolder)));

// The benchmark's signatures, the same every time.
inline StringList ScanSignatures() {
  PatternGenerator generator(static_cast<std::uint32_t>(kSignatureCount));
  StringList patterns;
  for (std::size_t k = 0; k < kSignatureCount; ++k) {
    patterns.push_back(generator.Pattern());
  }
  return patterns;
}

// Makes the tree under root unless a finished one is there.
inline void EnsureScanTree(const std::filesystem::path& root) {
  namespace fs = std::filesystem;
  const fs::path done = root.string() + ".complete";
  if (fs::exists(done)) {
    return;
  }
  fs::remove_all(root);
  const StringList patterns = ScanSignatures();
  PatternGenerator generator(7);
  std::size_t file = 0;
  for (int top = 0; top < kTopFolders; ++top) {
    for (int sub = 0; sub < kSubFolders; ++sub) {
      const fs::path folder =
          root / ("folder" + std::to_string(top)) / ("sub" + std::to_string(sub));
      fs::create_directories(folder);
      std::set<std::string> names;
      while (names.size() < static_cast<std::size_t>(kFilesPerFolder)) {
        const bool hit = ++file % 1000 == 0;
        const std::string name =
            hit ? generator.NameFor(patterns[generator.Below(patterns.size())]) : generator.Name();
        if (names.insert(name).second) {
          std::ofstream(folder / name);
        }
      }
    }
  }
  std::ofstream(done.string());
}

}  // namespace nexolant::bench
