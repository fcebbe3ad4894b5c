#include "platform/portable/cp1252_word_sort.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace nexolant::platform {
namespace {

// Accent weights; only their order among the forms of one letter matters, since accents are
// compared only where the letters are the same.
enum Accent : std::uint8_t {
  kNone,
  kOther,  // ª º ð ƒ ¹ ² ³ ™
  kAcute,
  kGrave,
  kCircumflex,
  kDiaeresis,
  kTilde,
  kRing,
  kStroke,
  kCedilla,
  kCaron,
};

struct Element {
  std::uint8_t primary = 0;
  std::uint8_t accent = kNone;
  std::uint8_t upper = 0;
};

// What one byte stands for: up to two elements, or none for the characters that only the last
// level sees, which carry a weight of their own there instead.
struct Collation {
  std::array<Element, 2> elements{};
  std::uint8_t count = 0;
  std::uint8_t lastLevelWeight = 0;
};

using Table = std::array<Collation, 256>;

// In increasing weight. The soft hyphen (0xAD) counts for nothing at all.
constexpr unsigned char kLastLevelOnly[] = {
    0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x0E, 0x0F, 0x10, 0x11, 0x12, 0x13, 0x14, 0x15,
    0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D, 0x1E, 0x1F, 0x7F, 0x27, 0x2D, 0x96, 0x97};

// Spaces, punctuation and other symbols, in increasing weight; all sort before the digits.
constexpr unsigned char kSymbols[] = {
    0x20, 0xA0, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x28,
    0x29, 0x2A, 0x2C, 0x2E, 0x2F, 0x3A, 0x3B, 0x3F, 0x40, 0x5B, 0x5C, 0x5D, 0x5E, 0x5F,
    0x60, 0x7B, 0x7C, 0x7D, 0x7E, 0xA1, 0xA6, 0xA8, 0xAF, 0xB4, 0xB8, 0xBF, 0x98, 0x91,
    0x92, 0x82, 0x93, 0x94, 0x84, 0x8B, 0x9B, 0xA2, 0xA3, 0xA4, 0xA5, 0x80, 0x2B, 0x3C,
    0x3D, 0x3E, 0xB1, 0xAB, 0xBB, 0xD7, 0xF7, 0xA7, 0xA9, 0xAC, 0xAE, 0xB0, 0xB5, 0xB6,
    0xB7, 0x85, 0x86, 0x87, 0x95, 0x89, 0x81, 0x8D, 0x8F, 0x90, 0x9D};

// The vulgar fractions sort between 0 and 1.
constexpr unsigned char kDigits[] = {0x30, 0xBC, 0xBD, 0xBE, 0x31, 0x32, 0x33,
                                     0x34, 0x35, 0x36, 0x37, 0x38, 0x39};

// A digit or letter with an accent, in its lower and (where the code page has one) upper form.
struct Variant {
  unsigned char lower;
  unsigned char upper;
  char base;
  Accent accent;
};

constexpr Variant kVariants[] = {
    {0xB9, 0, '1', kOther},         {0xB2, 0, '2', kOther},         {0xB3, 0, '3', kOther},
    {0xAA, 0, 'a', kOther},         {0xE1, 0xC1, 'a', kAcute},      {0xE0, 0xC0, 'a', kGrave},
    {0xE2, 0xC2, 'a', kCircumflex}, {0xE4, 0xC4, 'a', kDiaeresis},  {0xE3, 0xC3, 'a', kTilde},
    {0xE5, 0xC5, 'a', kRing},       {0xE7, 0xC7, 'c', kCedilla},    {0xF0, 0xD0, 'd', kOther},
    {0xE9, 0xC9, 'e', kAcute},      {0xE8, 0xC8, 'e', kGrave},      {0xEA, 0xCA, 'e', kCircumflex},
    {0xEB, 0xCB, 'e', kDiaeresis},  {0x83, 0, 'f', kOther},         {0xED, 0xCD, 'i', kAcute},
    {0xEC, 0xCC, 'i', kGrave},      {0xEE, 0xCE, 'i', kCircumflex}, {0xEF, 0xCF, 'i', kDiaeresis},
    {0xF1, 0xD1, 'n', kTilde},      {0xBA, 0, 'o', kOther},         {0xF3, 0xD3, 'o', kAcute},
    {0xF2, 0xD2, 'o', kGrave},      {0xF4, 0xD4, 'o', kCircumflex}, {0xF6, 0xD6, 'o', kDiaeresis},
    {0xF5, 0xD5, 'o', kTilde},      {0xF8, 0xD8, 'o', kStroke},     {0x9A, 0x8A, 's', kCaron},
    {0xFA, 0xDA, 'u', kAcute},      {0xF9, 0xD9, 'u', kGrave},      {0xFB, 0xDB, 'u', kCircumflex},
    {0xFC, 0xDC, 'u', kDiaeresis},  {0xFD, 0xDD, 'y', kAcute},      {0xFF, 0x9F, 'y', kDiaeresis},
    {0x9E, 0x8E, 'z', kCaron},
};

// A character that counts as two letters.
struct Expansion {
  unsigned char lower;
  unsigned char upper;
  char first;
  char second;
  Accent accent;
};

constexpr Expansion kExpansions[] = {
    {0xE6, 0xC6, 'a', 'e', kNone}, {0x9C, 0x8C, 'o', 'e', kNone}, {0xDF, 0, 's', 's', kNone},
    {0xFE, 0xDE, 't', 'h', kNone}, {0x99, 0, 't', 'm', kOther},
};

constexpr Collation Single(std::uint8_t primary, Accent accent = kNone, bool upper = false) {
  Collation collation;
  collation.elements[0] = {primary, accent, static_cast<std::uint8_t>(upper)};
  collation.count = 1;
  return collation;
}

constexpr Table MakeTable() {
  Table table{};
  std::uint8_t weight = 0;
  for (const unsigned char c : kLastLevelOnly) {
    table[c].lastLevelWeight = ++weight;
  }
  std::uint8_t primary = 0;
  for (const unsigned char c : kSymbols) {
    table[c] = Single(++primary);
  }
  table[0x88] = table['^'];  // the modifier circumflex weighs as "^"
  for (const unsigned char c : kDigits) {
    table[c] = Single(++primary);
  }
  for (char c = 'a'; c <= 'z'; ++c) {
    ++primary;
    table[static_cast<unsigned char>(c)] = Single(primary);
    table[static_cast<unsigned char>(c - 'a' + 'A')] = Single(primary, kNone, true);
  }
  for (const Variant& v : kVariants) {
    const std::uint8_t base = table[static_cast<unsigned char>(v.base)].elements[0].primary;
    table[v.lower] = Single(base, v.accent);
    if (v.upper != 0) {
      table[v.upper] = Single(base, v.accent, true);
    }
  }
  for (const Expansion& e : kExpansions) {
    const std::uint8_t first = table[static_cast<unsigned char>(e.first)].elements[0].primary;
    const std::uint8_t second = table[static_cast<unsigned char>(e.second)].elements[0].primary;
    for (const bool upper : {false, true}) {
      const unsigned char c = upper ? e.upper : e.lower;
      if (c != 0) {
        const auto u = static_cast<std::uint8_t>(upper);
        table[c].elements = {Element{first, e.accent, u}, Element{second, e.accent, u}};
        table[c].count = 2;
      }
    }
  }
  return table;
}

constexpr Table kTable = MakeTable();

constexpr bool EveryByteHasAWeight() {
  for (std::size_t c = 1; c < kTable.size(); ++c) {
    if (c != 0xAD && kTable[c].count == 0 && kTable[c].lastLevelWeight == 0) {
      return false;
    }
  }
  return true;
}
static_assert(EveryByteHasAWeight());

const Collation& Of(char c) {
  return kTable[static_cast<unsigned char>(c)];
}

// The elements of a text in order, skipping what only the last level sees.
class Elements {
 public:
  explicit Elements(std::string_view text) : text_(text) {}

  const Element* Next() {
    while (index_ < text_.size()) {
      const Collation& collation = Of(text_[index_]);
      if (part_ < collation.count) {
        return &collation.elements[part_++];
      }
      ++index_;
      part_ = 0;
    }
    return nullptr;
  }

 private:
  std::string_view text_;
  std::size_t index_ = 0;
  std::uint8_t part_ = 0;
};

int Sign(int left, int right) {
  return left < right ? -1 : (left > right ? 1 : 0);
}

int CompareLevel(std::string_view a, std::string_view b, std::uint8_t Element::*weight) {
  Elements left(a);
  Elements right(b);
  for (;;) {
    const Element* x = left.Next();
    const Element* y = right.Next();
    if (x == nullptr || y == nullptr) {
      return Sign(x != nullptr, y != nullptr);
    }
    if (x->*weight != y->*weight) {
      return Sign(x->*weight, y->*weight);
    }
  }
}

// The characters only the last level sees, each with its place: the number of characters
// before it that count at any level.
class LastLevelMarks {
 public:
  struct Mark {
    std::size_t place;
    std::uint8_t weight;
  };

  explicit LastLevelMarks(std::string_view text) : text_(text) {}

  bool Next(Mark& mark) {
    while (index_ < text_.size()) {
      const Collation& collation = Of(text_[index_++]);
      if (collation.lastLevelWeight != 0) {
        mark = {place_++, collation.lastLevelWeight};
        return true;
      }
      place_ += collation.count != 0 ? 1 : 0;
    }
    return false;
  }

 private:
  std::string_view text_;
  std::size_t index_ = 0;
  std::size_t place_ = 0;
};

// At the same place the lighter mark sorts first; at different places the earlier one weighs
// more; having no more marks sorts first.
int CompareLastLevel(std::string_view a, std::string_view b) {
  LastLevelMarks left(a);
  LastLevelMarks right(b);
  LastLevelMarks::Mark x{};
  LastLevelMarks::Mark y{};
  for (;;) {
    const bool more = left.Next(x);
    if (more != right.Next(y)) {
      return more ? 1 : -1;
    }
    if (!more) {
      return 0;
    }
    if (x.place != y.place) {
      return x.place < y.place ? 1 : -1;
    }
    if (x.weight != y.weight) {
      return Sign(x.weight, y.weight);
    }
  }
}

}  // namespace

int CompareWordSort1252(std::string_view a, std::string_view b) {
  for (std::uint8_t Element::*weight : {&Element::primary, &Element::accent, &Element::upper}) {
    const int order = CompareLevel(a, b, weight);
    if (order != 0) {
      return order;
    }
  }
  return CompareLastLevel(a, b);
}

}  // namespace nexolant::platform
