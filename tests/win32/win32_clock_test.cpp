#include "win32/win32_clock.h"

#include <windows.h>

#include <oleauto.h>

#include <gtest/gtest.h>

namespace nexolant::win32 {
namespace {

TEST(Win32ClockTest, AgreesWithTheSystemsOwnDateConversion) {
  Win32Clock clock;
  SYSTEMTIME local;
  GetLocalTime(&local);
  double expected = 0;
  ASSERT_TRUE(SystemTimeToVariantTime(&local, &expected));
  // One minute of slack for a clock tick between the two reads.
  EXPECT_NEAR(clock.Now(), expected, 1.0 / 1440);
}

}  // namespace
}  // namespace nexolant::win32
