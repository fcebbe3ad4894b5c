#include "reference/find_signature.h"

#include <gtest/gtest.h>

#include "platform/portable/cp1252_locale.h"
#include "support/scripted_pump.h"

namespace nexolant {
namespace {

class FindSignatureTest : public ::testing::Test {
 protected:
  SignatureList List(StringList patterns) {
    SignatureList list;
    list.Assign(std::move(patterns), locale_);
    return list;
  }

  platform::Cp1252Locale locale_;
  ScriptedPump pump_;
};

TEST_F(FindSignatureTest, ReturnsTheFirstMatchInListOrder) {
  const SignatureList list = List({"A.EXE", "B*", "*.DLL", "*.EXE", "X.EXE", "NOTEPAD.EXE"});
  EXPECT_EQ(FindSignature("notepad.exe", list, pump_), 3);
  EXPECT_EQ(FindSignature("notepad.com", list, pump_), -1);
}

TEST_F(FindSignatureTest, PumpsOncePerLookup) {
  const SignatureList list = List({"A.EXE", "B.EXE", "C.EXE"});
  FindSignature("c.exe", list, pump_);
  EXPECT_EQ(pump_.Count(), 1);
  FindSignature("d.exe", list, pump_);
  EXPECT_EQ(pump_.Count(), 2);
}

TEST_F(FindSignatureTest, AnEmptyListAnswersMinusOneWithoutPumping) {
  const SignatureList list = List({});
  EXPECT_EQ(FindSignature("notepad.exe", list, pump_), -1);
  EXPECT_EQ(FindSignature("", list, pump_), -1);
  EXPECT_EQ(pump_.Count(), 0);
}

TEST_F(FindSignatureTest, InvalidMaskReachesTheCallerAfterThePump) {
  const SignatureList list = List({"*?", "*.EXE"});
  EXPECT_THROW(FindSignature("notepad.exe", list, pump_), InvalidMask);
  EXPECT_EQ(pump_.Count(), 1);
}

}  // namespace
}  // namespace nexolant
