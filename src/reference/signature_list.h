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

  // Find over the patterns that are not marked inert, as if the marked ones were not in the
  // list: the look-up of the program, which never acts on a pattern found too broad.
  int FindActive(std::string_view name) const;

  // The index of every pattern that matches name, lowest first. A malformed pattern never
  // matches, and raises nothing here.
  std::vector<std::uint32_t> Matches(std::string_view name) const;

  // Marks a pattern inert: it stays in the list, counted and shown, but FindActive passes it
  // over. Assign clears the marks.
  void MarkInert(std::size_t index);
  bool IsInert(std::size_t index) const { return inertCount_ != 0 && inert_[index] != 0; }
  std::size_t InertCount() const { return inertCount_; }

 private:
  // Short keys to runs of pattern indices, lowest first; open addressing over one array.
  // Presence bits (two a key, both in one 64-bit word; eight bits or more a key) answer most
  // probes for absent keys without touching the slots: a scan probes a dozen keys per name,
  // nearly all absent, and the slots of ten thousand signatures do not stay in the processor's
  // cache between two names.
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
    std::vector<std::uint64_t> present_;  // a word per 16 slots, a power of two of them
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

  // Calls visit(run, literal) with every run of pattern indices that can answer anything but
  // "no match" for an upper-cased name; literal runs hold patterns equal to the name.
  template <typename Visit>
  void VisitCandidates(std::string_view text, Visit visit) const;
  template <bool kSkipInert>
  int Lookup(std::string_view name) const;
  template <bool kSkipInert>
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
  std::vector<std::uint8_t> inert_;       // by index, sized at the first mark
  std::size_t inertCount_ = 0;
  const platform::Locale* locale_ = nullptr;
};

// The form in which a lookup compares a name or a pattern: "a" to "z" upper-cased, then the
// locale's upper-casing.
std::string SignatureUpperCase(std::string_view text, const platform::Locale& locale);

}  // namespace nexolant
