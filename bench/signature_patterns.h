#pragma once

// Signature patterns and file names shaped like a real reference file and a real disk, from
// a fixed seed, for the benchmarks.
#include <array>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

namespace nexolant::bench {

class PatternGenerator {
 public:
  explicit PatternGenerator(std::uint32_t seed) : random_(seed) {}

  std::size_t Below(std::size_t bound) {
    return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random_);
  }

  std::string Word(std::size_t minLength, std::size_t maxLength, char first) {
    static constexpr char kTail[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string word;
    const std::size_t length = minLength + Below(maxLength - minLength + 1);
    for (std::size_t k = 0; k < length; ++k) {
      word.push_back(k == 0 ? static_cast<char>(first + Below(26)) : kTail[Below(36)]);
    }
    return word;
  }

  std::string Extension() {
    static constexpr std::array<const char*, 8> kExtensions{".EXE", ".DLL", ".SYS", ".OCX",
                                                            ".INI", ".DAT", ".TMP", ".CPL"};
    return kExtensions[Below(kExtensions.size())];
  }

  // Mostly literal names, then "*WORD.EXT" and "*.EXT" tails, "WORD*" and "WORD*.EXT" heads,
  // and a few "WORD?.EXT".
  std::string Pattern() {
    const std::size_t kind = Below(100);
    if (kind < 70) {
      return Word(3, 10, 'A') + Extension();
    }
    if (kind < 80) {
      const std::string tail = Word(3, 8, 'A') + Extension();
      return "*" + tail;
    }
    if (kind < 82) {
      return "*." + Word(3, 3, 'A');
    }
    if (kind < 90) {
      return Word(4, 8, 'A') + "*";
    }
    if (kind < 97) {
      return Word(4, 8, 'A') + "*" + Extension();
    }
    return Word(4, 8, 'A') + "?" + Extension();
  }

  // A file name as a scan meets it, in lower case.
  std::string Name() {
    std::string name = Word(3, 12, 'A') + Extension();
    for (char& c : name) {
      if (c >= 'A' && c <= 'Z') {
        c = static_cast<char>(c - 'A' + 'a');
      }
    }
    return name;
  }

  // A name the pattern matches: each wildcard filled with one character.
  std::string NameFor(const std::string& pattern) {
    std::string name;
    for (const char c : pattern) {
      name.push_back(c == '*' || c == '?' ? '_' : static_cast<char>(std::tolower(c)));
    }
    return name;
  }

 private:
  std::mt19937 random_;
};

}  // namespace nexolant::bench
