#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/locale.h"

namespace nexolant::win32 {

// The user's default locale as the system formats and compares text. The number format is
// read once, at construction.
class Win32Locale final : public platform::Locale {
 public:
  Win32Locale();

  std::string FormatCount(std::int64_t value) const override;

  // Throws std::out_of_range for a value the system cannot show: not finite, before
  // 1601-01-01 or after 9999-12-31.
  std::string FormatDateTime(platform::DateTime value) const override;
  std::string FormatDate(platform::DateTime value) const override;
  std::string ErrorText(std::uint32_t code) const override;

  char DecimalSeparator() const override { return decimalSeparator_.front(); }
  void UpperCaseInPlace(std::string& text) const override;
  int CompareText(std::string_view a, std::string_view b) const override;
  // With the thread's locale and no flags, as lstrcmpA compares.
  int CompareWordSort(std::string_view a, std::string_view b) const override;

 private:
  std::string decimalSeparator_;
  std::string thousandSeparator_;
  unsigned grouping_ = 3;
  unsigned negativeOrder_ = 1;
};

}  // namespace nexolant::win32
