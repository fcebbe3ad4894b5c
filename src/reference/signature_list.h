#pragma once

#include <cstddef>
#include <string>

#include "platform/locale.h"
#include "platform/string_list.h"

namespace nexolant {

// A names list of the signature tables: the patterns in file order, and an index built once
// from their upper-cased forms so that a lookup does not walk the whole list.
class SignatureList {
 public:
  SignatureList() = default;

  // Replaces the patterns and rebuilds the index.
  void Assign(StringList patterns, const platform::Locale& locale);

  std::size_t size() const { return patterns_.size(); }
  bool empty() const { return patterns_.empty(); }
  const std::string& operator[](std::size_t index) const { return patterns_[index]; }
  const StringList& Patterns() const { return patterns_; }

  // The lowest index whose pattern matches name, or -1; throws InvalidMask exactly when the
  // linear first-match rule would.
  int Find(std::string_view name) const;

 private:
  StringList patterns_;
  // index members are private to the implementation
};

}  // namespace nexolant
