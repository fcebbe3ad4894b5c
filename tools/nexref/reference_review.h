#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/locale.h"

namespace nexolant::nexref {

struct ReviewWarning {
  int line = 0;  // 0: about the whole file
  std::string text;
};

// Reviews a deciphered reference text for entries that the program would drop, misread or
// match against names it must never touch. Warnings come in line order, those about the
// whole file last.
std::vector<ReviewWarning> ReviewReferenceText(std::string_view text,
                                               const platform::Locale& locale);

}  // namespace nexolant::nexref
