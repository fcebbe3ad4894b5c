#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/locale.h"

namespace nexolant::nexref {

enum class Severity { kWarning, kError };

struct ReviewFinding {
  int line = 0;  // 0: about the whole file
  std::string text;
  Severity severity = Severity::kWarning;
};

// Reviews a deciphered reference text. Errors are what the program would keep inert or pass
// over and the update would refuse: the patterns that match a protected name or are too broad,
// and the malformed or conflicting lines of [FileHashes]. Warnings are the entries that the
// program would drop or misread. Findings come in line order, those about the whole file last.
std::vector<ReviewFinding> ReviewReferenceText(std::string_view text,
                                               const platform::Locale& locale);

}  // namespace nexolant::nexref
