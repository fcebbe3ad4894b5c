#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/locale.h"
#include "platform/string_list.h"
#include "reference/wildcard_match.h"

namespace nexolant {

// A names list of the signature tables: the patterns in file order, and an index built once
// from their upper-cased forms so that a lookup tests only the patterns that can match.
class SignatureList {
 public:
  SignatureList() = default;

  // Replaces the patterns and rebuilds the index. The locale must outlive the list.
  void Assign(StringList patterns, const platform::Locale& locale);

  std::size_t size() const { return patterns_.size(); }
  bool empty() const { return patterns_.empty(); }
  const std::string& operator[](std::size_t index) const { return patterns_[index]; }
  const StringList& Patterns() const { return patterns_; }

  // The lowest index whose pattern matches name, or -1; throws InvalidMask exactly when the
  // linear first-match rule would, i.e. when the lowest pattern that does not simply fail is
  // a malformed one.
  int Find(std::string_view name) const;

 private:
  // Short keys to runs of pattern indices, lowest first; open addressing over one array.
  class KeyTable {
   public:
    struct Entry {
      std::string key;
      std::uint64_t hash;
      std::uint32_t index;
    };
    void Build(std::vector<Entry> entries);
    std::span<const std::uint32_t> Lookup(std::string_view key, std::uint64_t hash) const;

   private:
    struct Slot {
      std::uint64_t hash = 0;
      std::uint32_t keyOffset = 0;
      std::uint32_t keyLength = 0;
      std::uint32_t first = 0;
      std::uint32_t count = 0;  // 0: free slot
    };
    std::vector<Slot> slots_;
    std::string keys_;
    std::vector<std::uint32_t> indices_;
  };

  // What a name must satisfy before the matcher can answer anything but "no match".
  struct Shape {
    std::uint32_t minLength;
    std::uint32_t suffixLength;  // literal tail the name must end with
  };

  struct Best {
    std::uint32_t index;
    bool invalid;
  };

  void Consider(std::span<const std::uint32_t> run, std::string_view name, Best& best) const;

  StringList patterns_;
  StringList upper_;  // ASCII then locale upper-cased, as a lookup compares them
  std::vector<Shape> shapes_;
  KeyTable literals_;  // patterns without wildcards, by their whole text
  KeyTable prefixes_;  // by the first characters of the literal text before the first wildcard
  KeyTable suffixes_;  // no literal head: by the last characters after the last wildcard
  std::uint32_t prefixLengths_ = 0;  // bit k set: some key of length k
  std::uint32_t suffixLengths_ = 0;
  std::vector<std::uint32_t> unindexed_;  // tested for every name
  const platform::Locale* locale_ = nullptr;
};

// The form in which a lookup compares a name or a pattern: "a" to "z" upper-cased, then the
// locale's upper-casing.
std::string SignatureUpperCase(std::string_view text, const platform::Locale& locale);

}  // namespace nexolant
