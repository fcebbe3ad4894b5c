// The readers of stored whole numbers and dates take any text without harm, and what the writers
// produce reads back: a whole number to itself, a date to a value whose text is the same again.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ini/integer_text.h"
#include "settings/float_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  if (const auto number = nexolant::ParseWholeNumber(text)) {
    if (nexolant::ParseWholeNumber(std::to_string(*number)) != number)
      std::abort();
  }

  for (const char separator : {'.', ','}) {
    const auto value = nexolant::TextToFloat(text, separator);
    if (!value)
      continue;
    if (!std::isfinite(*value))
      std::abort();
    const std::string written = nexolant::FloatToText(*value, separator);
    const auto reread = nexolant::TextToFloat(written, separator);
    if (!reread || nexolant::FloatToText(*reread, separator) != written)
      std::abort();
  }
  return 0;
}
