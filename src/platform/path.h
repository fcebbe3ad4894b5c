#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace nexolant::platform {

// A path of the file system as the program holds it: its ANSI spelling, which shows "?" for
// every character the code page cannot hold, and where the ANSI spelling does not give the
// path back, its exact spelling in UTF-8 too. The services reach a path through its exact
// spelling when it has one. A plain string is an ANSI path that spells itself.
struct Path {
  std::string ansi;
  std::string exact;  // empty when the ANSI spelling is the path

  Path() = default;
  Path(std::string ansiPath) : ansi(std::move(ansiPath)) {}  // NOLINT(google-explicit-constructor)
  Path(const char* ansiPath) : ansi(ansiPath) {}             // NOLINT(google-explicit-constructor)
  Path(std::string ansiPath, std::string exactPath)
      : ansi(std::move(ansiPath)), exact(std::move(exactPath)) {}

  bool HasExact() const { return !exact.empty(); }
  bool Empty() const { return ansi.empty() && exact.empty(); }

  // The path followed by text that ANSI and UTF-8 spell alike: separators, wildcards and the
  // program's own ASCII names. A name the system listed joins through FileSystem::Join.
  Path operator+(std::string_view ascii) const {
    Path joined = *this;
    joined.ansi += ascii;
    if (HasExact()) {
      joined.exact += ascii;
    }
    return joined;
  }

  bool operator==(const Path&) const = default;
};

}  // namespace nexolant::platform
