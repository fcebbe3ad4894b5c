#include "registry/registration_file.h"

#include <numeric>
#include <string>

#include <gtest/gtest.h>

#include "contracts/key_tree_contract.h"

namespace nexolant {
namespace {

using contracts::Tree;
using contracts::Utf16z;
using platform::RegistryRoot;
using platform::WideString;

// The bytes of a file whose lines are joined with the given line end.
std::string File(std::initializer_list<std::u16string_view> lines,
                 std::u16string_view lineEnd = u"\r\n") {
  WideString text;
  for (const auto line : lines) {
    text += WideString(line) + WideString(lineEnd);
  }
  return "\xFF\xFE" + Utf16z(text).substr(0, text.size() * 2);
}

TEST(RegistrationFile, IsWrittenInTheRegistryEditorsForm) {
  std::string bytes(60, '\0');
  std::iota(bytes.begin(), bytes.end(), '\0');
  const SavedKey saved{RegistryRoot::kCurrentUser, u"Software\\Vendor",
                       Tree(u"App",
                            {{u"", platform::kRegString, Utf16z(u"x")},
                             {u"q\"\\", platform::kRegString, Utf16z(u"a\"b\\c")},
                             {u"n", platform::kRegDword, std::string("\x0a\0\0\0", 4)},
                             {u"b", platform::kRegBinary, bytes},
                             {u"unterminated", platform::kRegString, "ab"},
                             {u"z", platform::kRegNone, ""},
                             {u"o", 0x123, "\x01"}},
                            {Tree(u"Sub")})};
  const WideString expected =
      u"Windows Registry Editor Version 5.00\r\n\r\n"
      u"[HKEY_CURRENT_USER\\Software\\Vendor\\App]\r\n"
      u"@=\"x\"\r\n"
      u"\"q\\\"\\\\\"=\"a\\\"b\\\\c\"\r\n"
      u"\"n\"=dword:0000000a\r\n"
      u"\"b\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\r\n"
      u"  17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,2f,\\\r\n"
      u"  30,31,32,33,34,35,36,37,38,39,3a,3b\r\n"
      u"\"unterminated\"=hex(1):61,62\r\n"
      u"\"z\"=hex(0):\r\n"
      u"\"o\"=hex(123):01\r\n\r\n"
      u"[HKEY_CURRENT_USER\\Software\\Vendor\\App\\Sub]\r\n\r\n";
  const RegistrationWriteResult file = WriteRegistrationFile(saved);
  ASSERT_TRUE(file.ok()) << file.problem;
  EXPECT_EQ(file.bytes, "\xFF\xFE" + Utf16z(expected).substr(0, expected.size() * 2));
  EXPECT_EQ(ReadRegistrationFile(file.bytes).key, saved);

  EXPECT_FALSE(WriteRegistrationFile({RegistryRoot::kCurrentUser, u"", Tree(u"a\r\nb")}).ok());
  EXPECT_FALSE(
      WriteRegistrationFile({RegistryRoot::kCurrentUser, u"", Tree(u"a", {{u"\n", 0, ""}})}).ok());
  EXPECT_FALSE(WriteRegistrationFile({RegistryRoot::kCurrentUser, u"A\\\\B", Tree(u"a")}).ok());
}

TEST(RegistrationFile, HandEditedFormsAreReadExactly) {
  const auto read = ReadRegistrationFile(File(
      {u"Windows Registry Editor Version 5.00", u"; saved by hand", u"   ",
       u"[hkey_local_machine\\Software\\App]  ", u"\"a\" = \"b\"", u"@=dword:A",
       u"\"h\"=hex(B):FF, 00 ,\\", u"   01,\\", u"  02", u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\app\\S]"},
      u"\n"));
  ASSERT_TRUE(read.key) << read.problem;
  EXPECT_EQ(*read.key,
            (SavedKey{RegistryRoot::kLocalMachine, u"Software",
                      Tree(u"App",
                           {{u"a", platform::kRegString, Utf16z(u"b")},
                            {u"", platform::kRegDword, std::string("\x0a\0\0\0", 4)},
                            {u"h", platform::kRegQword, std::string("\xFF\0\x01\x02", 4)}},
                           {Tree(u"S")})}));
}

TEST(RegistrationFile, WhatCannotBeReadExactlyIsRejectedWithItsLine) {
  constexpr std::u16string_view kHeader = u"Windows Registry Editor Version 5.00";
  constexpr std::u16string_view kKey = u"[HKEY_CURRENT_USER\\A]";
  const struct {
    std::string bytes;
    const char* line;
  } cases[] = {
      {"Windows Registry Editor Version 5.00\r\n", "Line 1:"},
      {"\xFF\xFEW", "Line 1:"},
      {File({u"REGEDIT4", kKey}), "Line 1:"},
      {File({kHeader}), "Line 2:"},
      {File({kHeader, u"\"a\"=\"b\""}), "Line 2:"},
      {File({kHeader, u"[-HKEY_CURRENT_USER\\A]"}), "Line 2:"},
      {File({kHeader, u"[HKEY_NOWHERE\\A]"}), "Line 2:"},
      {File({kHeader, u"[HKEY_CURRENT_USER]"}), "Line 2:"},
      {File({kHeader, u"[HKEY_CURRENT_USER\\A\\\\B]"}), "Line 2:"},
      {File({kHeader, kKey, u"[HKEY_CURRENT_USER\\B]"}), "Line 3:"},
      {File({kHeader, kKey, u"[HKEY_LOCAL_MACHINE\\A\\B]"}), "Line 3:"},
      {File({kHeader, kKey, u"[HKEY_CURRENT_USER\\A\\B\\C]"}), "Line 3:"},
      {File({kHeader, kKey, u"[HKEY_CURRENT_USER\\A\\B]", u"[HKEY_CURRENT_USER\\a\\b]"}),
       "Line 4:"},
      {File({kHeader, kKey, u"\"a\"=\"1\"", u"\"A\"=\"2\""}), "Line 4:"},
      {File({kHeader, kKey, u"\"\"=\"x\""}), "Line 3:"},
      {File({kHeader, kKey, u"\"a\"=\"\\n\""}), "Line 3:"},
      {File({kHeader, kKey, u"\"a\"=\"b\"x"}), "Line 3:"},
      {File({kHeader, kKey, u"\"a\"-"}), "Line 3:"},
      {File({kHeader, kKey, u"\"a\"=-"}), "Line 3:"},
      {File({kHeader, kKey, u"\"a\"=dword:123456789"}), "Line 3:"},
      {File({kHeader, kKey, u"\"a\"=hex:1"}), "Line 3:"},
      {File({kHeader, kKey, u"\"a\"=hex:01,"}), "Line 3:"},
      {File({kHeader, kKey, u"\"a\"=hex:01;02"}), "Line 3:"},
      {File({kHeader, kKey, u"\"a\"=hex(g):01"}), "Line 3:"},
      {File({kHeader, kKey, u"\"a\"=hex:01,\\", u""}), "Line 4:"},
      {File({kHeader, kKey, u"\"a\"=str:x"}), "Line 3:"},
      {File({kHeader, kKey, u"hello"}), "Line 3:"},
      {File({kHeader, kKey, u"\"a\r\"=\"b\""}), "Line 3:"},
  };
  for (const auto& c : cases) {
    const RegistrationReadResult read = ReadRegistrationFile(c.bytes);
    EXPECT_FALSE(read.key) << c.line;
    EXPECT_EQ(read.problem.rfind(c.line, 0), 0u) << read.problem;
  }
}

}  // namespace
}  // namespace nexolant
