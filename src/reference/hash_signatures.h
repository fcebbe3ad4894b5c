#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/locale.h"

namespace nexolant {

// The section of the reference file that knows files by their content.
inline constexpr std::string_view kFileHashesSection = "FileHashes";

// One known file: its size in bytes, its SHA-256 as 64 lower-case hexadecimal digits and the
// description shown in the report.
struct HashSignature {
  std::uint64_t size = 0;
  std::string sha256;
  std::string description;
};

// What an entry line of [FileHashes] ("SIZE:SHA256=description") holds that keeps it out of
// the list.
enum class HashLineFault {
  kNone,
  kNoSize,        // no ":" before the "="
  kBadSize,       // not a whole number of bytes in decimal digits
  kZeroSize,      // no known file is empty
  kSizeOverflow,  // beyond what a file size can hold
  kBadDigest,     // not 64 hexadecimal digits
  kRepeated,      // the same file with the same description again: harmless, passed over
  kConflict,      // the same file with another description
};

// One line's fault, in the words a reviewer of the file reads; empty for kNone.
std::string HashLineFaultText(HashLineFault fault, std::string_view line);

// The known files of [FileHashes], looked up by size first: a walk asks KnowsSize of every
// entry, and reads only a file whose size some known file has.
class HashSignatures {
 public:
  // What Add did: the fault, and for kNone, kRepeated and kConflict the index of the entry the
  // line added or repeated.
  struct Added {
    HashLineFault fault = HashLineFault::kNone;
    std::size_t index = 0;
  };

  // Adds the entry line "SIZE:SHA256=description" (digits of either case). A malformed line,
  // a repeat and a conflict with an earlier line add nothing.
  Added Add(std::string_view line);
  // The signatures of entry lines as the loader reads them: the malformed lines, repeats and
  // conflicts are passed over, and the others hold.
  static HashSignatures FromLines(const std::vector<std::string>& lines);

  std::size_t size() const { return signatures_.size(); }
  bool empty() const { return signatures_.empty(); }
  const HashSignature& operator[](std::size_t index) const { return signatures_[index]; }

  bool KnowsSize(std::uint64_t size) const { return bySize_.contains(size); }
  // The known file of that size and SHA-256 (64 hexadecimal digits, lower case); null when none.
  const HashSignature* Find(std::uint64_t size, std::string_view sha256) const;

 private:
  std::vector<HashSignature> signatures_;
  // Sizes to the indices of the signatures of that size.
  std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> bySize_;
};

// A fault of an entry line of [FileHashes], with the line's number in the text.
struct HashLineProblem {
  int line = 0;
  HashLineFault fault = HashLineFault::kNone;
  std::string text;
};

// The faults of the [FileHashes] entries of a deciphered reference text, repeats included, in
// line order: the entries of the first section of that name (found without regard to case),
// which is the one the loader reads; section names compare as the INI engine compares them.
// Lines are numbered from 1 as an editor shows them.
std::vector<HashLineProblem> HashSectionFaults(std::string_view plainText,
                                               const platform::Locale& locale);

}  // namespace nexolant
