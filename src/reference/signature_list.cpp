#include "reference/signature_list.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>
#include <stdexcept>

#include "platform/ascii.h"

namespace nexolant {
namespace {

// Keys are at most this many characters of a pattern's literal head or tail.
constexpr std::size_t kMaxKeyLength = 8;
constexpr std::uint32_t kNoIndex = UINT32_MAX;

constexpr std::uint64_t kHashSeed = 14695981039346656037ull;
constexpr std::uint64_t kHashPrime = 1099511628211ull;

// One step of the hash, so that a name's keys of every length are hashed in one pass.
std::uint64_t HashStep(std::uint64_t hash, char c) {
  return (hash ^ static_cast<unsigned char>(c)) * kHashPrime;
}

// Prefix and literal keys are hashed from their first character on, suffix keys from their last.
std::uint64_t HashForward(std::string_view text) {
  std::uint64_t hash = kHashSeed;
  for (const char c : text) {
    hash = HashStep(hash, c);
  }
  return hash;
}

std::uint64_t HashBackward(std::string_view text) {
  std::uint64_t hash = kHashSeed;
  for (auto c = text.rbegin(); c != text.rend(); ++c) {
    hash = HashStep(hash, *c);
  }
  return hash;
}

std::size_t SlotOf(std::uint64_t hash, std::size_t mask) {
  return static_cast<std::size_t>(hash ^ (hash >> 32)) & mask;
}

// The key's word in a table's presence bits, and its two bits there, taken from the hash's
// upper bits (its lower bits are the least mixed).
std::size_t PresenceWordOf(std::uint64_t hash, std::size_t words) {
  return static_cast<std::size_t>(hash >> 40) & (words - 1);
}
std::uint64_t PresenceBitsOf(std::uint64_t hash) {
  return (std::uint64_t{1} << (hash >> 28 & 63)) | (std::uint64_t{1} << (hash >> 34 & 63));
}

// The longest key length in a set whose bit k stands for length k.
std::size_t LongestKey(std::uint32_t lengths) {
  return lengths == 0 ? 0 : static_cast<std::size_t>(std::bit_width(lengths)) - 1;
}

std::uint32_t CountNonStars(std::string_view text) {
  return static_cast<std::uint32_t>(text.size() - std::count(text.begin(), text.end(), '*'));
}

}  // namespace

// Entries arrive in index order. They are grouped by key through a hash table of their own,
// in one pass and without sorting, so that each key's run of indices stays ascending.
void SignatureList::KeyTable::Build(std::vector<Entry> entries) {
  *this = KeyTable();
  if (entries.empty()) {
    return;
  }
  struct Group {
    std::uint32_t entry;  // the first entry with the key
    std::uint32_t count;
  };
  std::vector<Group> groups;
  std::vector<std::uint32_t> groupOf(entries.size());
  {
    std::vector<std::uint32_t> table(std::bit_ceil(entries.size() * 2), kNoIndex);
    const std::size_t mask = table.size() - 1;
    for (std::size_t k = 0; k < entries.size(); ++k) {
      const Entry& entry = entries[k];
      std::size_t position = SlotOf(entry.hash, mask);
      for (; table[position] != kNoIndex; position = (position + 1) & mask) {
        const Entry& first = entries[groups[table[position]].entry];
        if (first.hash == entry.hash && first.key == entry.key) {
          break;
        }
      }
      if (table[position] == kNoIndex) {
        table[position] = static_cast<std::uint32_t>(groups.size());
        groups.push_back({static_cast<std::uint32_t>(k), 0});
      }
      ++groups[table[position]].count;
      groupOf[k] = table[position];
    }
  }
  slots_.resize(std::bit_ceil(groups.size() * 2));
  const std::size_t mask = slots_.size() - 1;
  present_.assign(std::max<std::size_t>(slots_.size() / 16, 1), 0);
  // Where the next index of each group goes.
  std::vector<std::uint32_t> next(groups.size());
  std::uint32_t runStart = 0;
  for (std::size_t g = 0; g < groups.size(); ++g) {
    const Entry& entry = entries[groups[g].entry];
    std::size_t position = SlotOf(entry.hash, mask);
    while (slots_[position].count != 0) {
      position = (position + 1) & mask;
    }
    present_[PresenceWordOf(entry.hash, present_.size())] |= PresenceBitsOf(entry.hash);
    Slot& slot = slots_[position];
    slot.hash = entry.hash;
    slot.keyOffset = static_cast<std::uint32_t>(keys_.size());
    slot.keyLength = static_cast<std::uint32_t>(entry.key.size());
    slot.first = runStart;
    slot.count = groups[g].count;
    keys_ += entry.key;
    next[g] = runStart;
    runStart += groups[g].count;
  }
  indices_.resize(entries.size());
  for (std::size_t k = 0; k < entries.size(); ++k) {
    indices_[next[groupOf[k]]++] = entries[k].index;
  }
}

std::span<const std::uint32_t> SignatureList::KeyTable::Lookup(std::string_view key,
                                                               std::uint64_t hash) const {
  if (slots_.empty()) {
    return {};
  }
  const std::uint64_t bits = PresenceBitsOf(hash);
  if ((present_[PresenceWordOf(hash, present_.size())] & bits) != bits) {
    return {};
  }
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t position = SlotOf(hash, mask); slots_[position].count != 0;
       position = (position + 1) & mask) {
    const Slot& slot = slots_[position];
    if (slot.hash == hash && slot.keyLength == key.size() &&
        std::memcmp(keys_.data() + slot.keyOffset, key.data(), key.size()) == 0) {
      return {indices_.data() + slot.first, slot.count};
    }
  }
  return {};
}

// Why a lookup that tests only some patterns answers as the linear walk does: the walk stops
// at the first pattern whose answer is a match or "Invalid mask", so it is enough to test
// every pattern that can give either answer and keep the lowest. The matcher takes the
// characters before the first wildcard one by one, so either answer needs the name to begin
// with them. A pattern without a malformed "*" can only match a name that ends with the
// literal characters after its last wildcard, and a malformed one never matches: it raises
// on reaching its bad "*" with name left, or fails. Patterns with neither a literal head nor
// (well-formed) a literal tail are tested for every name.
void SignatureList::Assign(StringList patterns, const platform::Locale& locale) {
  if (patterns.size() > static_cast<std::size_t>(INT_MAX)) {
    throw std::length_error("Too many signatures");
  }
  // Built aside and moved in, so that a failure leaves the list as it was.
  SignatureList built;
  built.locale_ = &locale;
  built.upper_.reserve(patterns.size());
  built.shapes_.reserve(patterns.size());
  std::vector<KeyTable::Entry> literals;
  std::vector<KeyTable::Entry> prefixes;
  std::vector<KeyTable::Entry> suffixes;
  for (std::size_t k = 0; k < patterns.size(); ++k) {
    const auto index = static_cast<std::uint32_t>(k);
    std::string upper = SignatureUpperCase(patterns[k], locale);
    const std::size_t firstWildcard = upper.find_first_of("*?");
    Shape shape{static_cast<std::uint32_t>(upper.size()), 0};
    if (firstWildcard == std::string::npos) {
      // Matches exactly the names equal to it.
      literals.push_back({upper, HashForward(upper), index});
    } else {
      const std::size_t malformedStar = FindMalformedStar(upper);
      if (malformedStar != std::string::npos) {
        // The matcher raises only on reaching that "*" with name left, and every character
        // before it but a "*" has taken one name character by then. It never answers true.
        shape.minLength = CountNonStars(std::string_view(upper).substr(0, malformedStar)) + 1;
      } else {
        // Every character but a "*" takes one name character, a trailing "*" at least one,
        // and the literal tail after the last wildcard must end the name.
        shape.minLength = CountNonStars(upper) + (upper.back() == '*' ? 1 : 0);
        shape.suffixLength =
            static_cast<std::uint32_t>(upper.size() - 1 - upper.find_last_of("*?"));
      }
      if (firstWildcard > 0) {
        // Any answer but "no match" needs the name to begin with the literal head.
        std::string key = upper.substr(0, std::min(firstWildcard, kMaxKeyLength));
        built.prefixLengths_ |= 1u << key.size();
        const std::uint64_t hash = HashForward(key);
        prefixes.push_back({std::move(key), hash, index});
      } else if (shape.suffixLength > 0) {
        std::string key =
            upper.substr(upper.size() - std::min<std::size_t>(shape.suffixLength, kMaxKeyLength));
        built.suffixLengths_ |= 1u << key.size();
        const std::uint64_t hash = HashBackward(key);
        suffixes.push_back({std::move(key), hash, index});
      } else {
        built.unindexed_.push_back(index);
      }
    }
    built.upper_.push_back(std::move(upper));
    built.shapes_.push_back(shape);
  }
  built.literals_.Build(std::move(literals));
  built.prefixes_.Build(std::move(prefixes));
  built.suffixes_.Build(std::move(suffixes));
  built.patterns_ = std::move(patterns);
  *this = std::move(built);
}

template <bool kSkipInert>
void SignatureList::Consider(std::span<const std::uint32_t> run, std::string_view name,
                             Best& best) const {
  for (const std::uint32_t index : run) {
    if (index >= best.index) {
      return;
    }
    if (kSkipInert && inert_[index] != 0) {
      continue;
    }
    const Shape shape = shapes_[index];
    const std::string_view pattern = upper_[index];
    if (name.size() < shape.minLength ||
        !name.ends_with(pattern.substr(pattern.size() - shape.suffixLength))) {
      continue;
    }
    const WildcardOutcome outcome = EvaluateWildcardMatch(name, pattern);
    if (outcome != WildcardOutcome::kNoMatch) {
      best = {index, outcome == WildcardOutcome::kInvalidMask};
      return;
    }
  }
}

template <typename Visit>
void SignatureList::VisitCandidates(std::string_view text, Visit visit) const {
  visit(literals_.Lookup(text, HashForward(text)), true);
  // Every key length that occurs is probed with the name's head and tail of that length.
  const std::size_t prefixProbes = std::min(text.size(), LongestKey(prefixLengths_));
  std::uint64_t hash = kHashSeed;
  for (std::size_t length = 1; length <= prefixProbes; ++length) {
    hash = HashStep(hash, text[length - 1]);
    if ((prefixLengths_ >> length & 1u) != 0) {
      visit(prefixes_.Lookup(text.substr(0, length), hash), false);
    }
  }
  const std::size_t suffixProbes = std::min(text.size(), LongestKey(suffixLengths_));
  hash = kHashSeed;
  for (std::size_t length = 1; length <= suffixProbes; ++length) {
    hash = HashStep(hash, text[text.size() - length]);
    if ((suffixLengths_ >> length & 1u) != 0) {
      visit(suffixes_.Lookup(text.substr(text.size() - length), hash), false);
    }
  }
  visit(std::span<const std::uint32_t>(unindexed_), false);
}

template <bool kSkipInert>
int SignatureList::Lookup(std::string_view name) const {
  if (patterns_.empty()) {
    return -1;
  }
  const std::string upper = SignatureUpperCase(name, *locale_);
  Best best{kNoIndex, false};
  VisitCandidates(upper, [&](std::span<const std::uint32_t> run, bool literal) {
    if (!literal) {
      Consider<kSkipInert>(run, upper, best);
      return;
    }
    // Equal to the name: the first one that counts matches.
    for (const std::uint32_t index : run) {
      if (!kSkipInert || inert_[index] == 0) {
        best.index = index;
        return;
      }
    }
  });
  if (best.index == kNoIndex) {
    return -1;
  }
  if (best.invalid) {
    throw InvalidMask();
  }
  return static_cast<int>(best.index);
}

int SignatureList::Find(std::string_view name) const {
  return Lookup<false>(name);
}

int SignatureList::FindActive(std::string_view name) const {
  return inertCount_ == 0 ? Lookup<false>(name) : Lookup<true>(name);
}

std::vector<std::uint32_t> SignatureList::Matches(std::string_view name) const {
  std::vector<std::uint32_t> found;
  if (patterns_.empty()) {
    return found;
  }
  const std::string upper = SignatureUpperCase(name, *locale_);
  const std::string_view text = upper;
  // Each pattern has one key, so no index is visited twice.
  VisitCandidates(text, [&](std::span<const std::uint32_t> run, bool literal) {
    for (const std::uint32_t index : run) {
      const Shape shape = shapes_[index];
      const std::string_view pattern = upper_[index];
      if (literal || (text.size() >= shape.minLength &&
                      text.ends_with(pattern.substr(pattern.size() - shape.suffixLength)) &&
                      EvaluateWildcardMatch(text, pattern) == WildcardOutcome::kMatch)) {
        found.push_back(index);
      }
    }
  });
  std::sort(found.begin(), found.end());
  return found;
}

void SignatureList::MarkInert(std::size_t index) {
  if (inert_.empty()) {
    inert_.assign(patterns_.size(), 0);
  }
  if (inert_.at(index) == 0) {
    inert_[index] = 1;
    ++inertCount_;
  }
}

std::string SignatureUpperCase(std::string_view text, const platform::Locale& locale) {
  std::string upper = platform::AsciiUpperCase(text);
  // The locale leaves upper-case ASCII as it is, and every ANSI code page holds ASCII
  // unchanged; asking the system costs more than the look-up itself under Wine.
  const bool ascii = std::all_of(upper.begin(), upper.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (!ascii) {
    locale.UpperCaseInPlace(upper);
  }
  return upper;
}

}  // namespace nexolant
