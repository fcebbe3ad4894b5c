#include "reference/find_signature.h"

#include <gtest/gtest.h>

#include "platform/portable/cp1252_locale.h"
#include "support/recording_backend.h"

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
  RecordingBackend backend_;
  ui::Application application_{backend_};
};

TEST_F(FindSignatureTest, ReturnsTheFirstMatchInListOrder) {
  const SignatureList list = List({"A.EXE", "B*", "*.DLL", "*.EXE", "X.EXE", "NOTEPAD.EXE"});
  EXPECT_EQ(FindSignature("notepad.exe", list, application_), 3);
  EXPECT_EQ(FindSignature("notepad.com", list, application_), -1);
}

TEST_F(FindSignatureTest, PumpsOncePerLookup) {
  const SignatureList list = List({"A.EXE", "B.EXE", "C.EXE"});
  FindSignature("c.exe", list, application_);
  EXPECT_EQ(backend_.PumpCount(), 1);
  FindSignature("d.exe", list, application_);
  EXPECT_EQ(backend_.PumpCount(), 2);
}

TEST_F(FindSignatureTest, AnEmptyListAnswersMinusOneWithoutPumping) {
  const SignatureList list = List({});
  EXPECT_EQ(FindSignature("notepad.exe", list, application_), -1);
  EXPECT_EQ(FindSignature("", list, application_), -1);
  EXPECT_EQ(backend_.PumpCount(), 0);
}

TEST_F(FindSignatureTest, InvalidMaskReachesTheCallerAfterThePump) {
  const SignatureList list = List({"*?", "*.EXE"});
  EXPECT_THROW(FindSignature("notepad.exe", list, application_), InvalidMask);
  EXPECT_EQ(backend_.PumpCount(), 1);
}

}  // namespace
}  // namespace nexolant
