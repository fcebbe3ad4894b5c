#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/locale.h"

namespace nexolant::platform {

// The case rules of the Windows-1252 code page, with "," as thousands separator, "." as
// decimal separator and dates as "dd/mm/yyyy hh:mm:ss". Serves where the system's own
// locale is not available: native builds, tests and tools.
class Cp1252Locale final : public Locale {
 public:
  std::string FormatCount(std::int64_t value) const override;

  // Throws std::out_of_range for a value outside the years 1 to 9999 or not finite.
  std::string FormatDateTime(DateTime value) const override;
  std::string FormatDate(DateTime value) const override;

  char DecimalSeparator() const override { return '.'; }
  void UpperCaseInPlace(std::string& text) const override;

  // Orders by the upper-cased bytes.
  int CompareText(std::string_view a, std::string_view b) const override;

  int CompareWordSort(std::string_view a, std::string_view b) const override;
};

}  // namespace nexolant::platform
