#pragma once

// The tree the scan benchmarks walk: 20 folders of 20 subfolders of 500 files each (200,000
// files and 420 folders), with lower-case names and extensions as on a real disk, and one file
// in 1,000 named so that a signature of the benchmark's list matches it. The files are empty
// but one in 5,000, which holds 1 to 64 KiB: half of those are files the benchmark's hash
// signatures know, the other half files of the same sizes with other content. (10,000 sizes
// spread from 1 KiB to 16 MiB are each file's size about once in 1,700 files of such sizes.)
// Made once, on disk, with a list of the files that hold content beside it.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>

#include "platform/file_digest.h"
#include "platform/signature_verifier.h"
#include "platform/string_list.h"
#include "signature_patterns.h"

namespace nexolant::bench {

inline constexpr std::size_t kSignatureCount = 10000;
inline constexpr int kTopFolders = 20;
inline constexpr int kSubFolders = 20;
inline constexpr int kFilesPerFolder = 500;
inline constexpr std::size_t kTreeEntries =
    kTopFolders * (1 + kSubFolders * (1 + static_cast<std::size_t>(kFilesPerFolder)));

inline constexpr std::size_t kHashSignatureCount = 10000;
inline constexpr std::size_t kContentEvery = 5000;
inline constexpr std::size_t kKnownFiles =
    kTopFolders * kSubFolders * kFilesPerFolder / kContentEvery / 2;

// The size of the k-th known file of the tree, from 1 KiB to 64 KiB.
inline std::size_t KnownFileSize(std::size_t k) {
  return 1024 + (k * 7919) % (63 * 1024);
}

// The bytes of the k-th known file of the tree, or with other set, of a file of its size that
// the signatures do not know.
inline std::string KnownFileContent(std::size_t k, bool other = false) {
  std::string content(KnownFileSize(k), '\0');
  for (std::size_t n = 0; n < content.size(); ++n) {
    content[n] = static_cast<char>((n * 31 + k * 7 + (other ? 1 : 0)) % 253);
  }
  return content;
}

// The benchmark's hash signatures, as lines of [FileHashes]: first the known files of the tree,
// then sizes up to 16 MiB with digests no file has.
inline StringList HashSignatureLines(const platform::SignatureVerifier& verifier) {
  StringList lines;
  for (std::size_t k = 0; k < kKnownFiles; ++k) {
    lines.push_back(std::to_string(KnownFileSize(k)) + ":" +
                    platform::Sha256Hex(*verifier.Sha256(KnownFileContent(k))) + "=Known file");
  }
  PatternGenerator generator(11);
  while (lines.size() < kHashSignatureCount) {
    std::string digest;
    for (int k = 0; k < 64; ++k) {
      digest.push_back("0123456789abcdef"[generator.Below(16)]);
    }
    lines.push_back(std::to_string(1024 + generator.Below(16 << 20)) + ":" + digest +
                    "=Unseen file");
  }
  return lines;
}

// The list of the files of the tree that hold content, one path relative to the tree a line.
inline std::filesystem::path ContentFileList(const std::filesystem::path& root) {
  return root.string() + ".content";
}

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
  const fs::path done = root.string() + ".content-" + std::to_string(kContentEvery) + ".complete";
  if (fs::exists(done)) {
    return;
  }
  fs::remove_all(root);
  const StringList patterns = ScanSignatures();
  PatternGenerator generator(7);
  std::ofstream list(ContentFileList(root), std::ios::binary);
  std::size_t file = 0;
  std::size_t withContent = 0;
  for (int top = 0; top < kTopFolders; ++top) {
    for (int sub = 0; sub < kSubFolders; ++sub) {
      const fs::path relative =
          fs::path("folder" + std::to_string(top)) / ("sub" + std::to_string(sub));
      fs::create_directories(root / relative);
      std::set<std::string> names;
      while (names.size() < static_cast<std::size_t>(kFilesPerFolder)) {
        const bool hit = ++file % 1000 == 0;
        const std::string name =
            hit ? generator.NameFor(patterns[generator.Below(patterns.size())]) : generator.Name();
        if (!names.insert(name).second) {
          continue;
        }
        std::ofstream out(root / relative / name, std::ios::binary);
        if (file % kContentEvery == kContentEvery / 2 && withContent < 2 * kKnownFiles) {
          out << KnownFileContent(withContent / 2, withContent % 2 == 1);
          list << (relative / name).generic_string() << "\n";
          ++withContent;
        }
      }
    }
  }
  list.close();
  std::ofstream(done.string());
}

}  // namespace nexolant::bench
