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

// Reviews a deciphered reference text. Errors are the patterns that the program would keep
// inert and the update would refuse: those that match a protected name or are too broad.
// Warnings are the entries that the program would drop or misread. Findings come in line
// order, those about the whole file last.
std::vector<ReviewFinding> ReviewReferenceText(std::string_view text,
                                               const platform::Locale& locale);

}  // namespace nexolant::nexref
