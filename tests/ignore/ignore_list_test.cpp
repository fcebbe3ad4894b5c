#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ignore/ignore_list.h"

namespace nexolant {
namespace {

const std::string kHash(64, 'a');
const std::string kTime = "2026-12-11 10:20:30";

std::string Line(std::string_view kind, std::string_view path, std::string_view hash = {}) {
  std::string line = std::string(kind) + '\t' + kTime + '\t' + std::string(path);
  if (!hash.empty()) {
    line += '\t' + std::string(hash);
  }
  return line;
}

// Every bad line ignores nothing and comes back as it was, in its place; the good ones hold.
TEST(IgnoreList, BadLinesArePassedOverAndKeptAsTheyAre) {
  struct Case {
    const char* why;
    std::string line;
  };
  const std::vector<Case> bad = {
      {"unknown kind", Line("service", "C:\\a.exe", kHash)},
      {"short hash", Line("file", "C:\\a.exe", std::string(63, 'a'))},
      {"hash not hex", Line("file", "C:\\a.exe", std::string(64, 'g'))},
      {"hash on a folder", Line("folder", "C:\\a", kHash)},
      {"no hash on a process", Line("process", "C:\\a.exe")},
      {"relative path", Line("file", "a.exe", kHash)},
      {"key through the classes root", Line("key", "HKEY_CLASSES_ROOT\\Foo")},
      {"not a time", "folder\tyesterday\tC:\\a"},
      {"too many fields", Line("folder", "C:\\a") + "\textra"},
      {"empty path", Line("folder", "")},
      {"overlong", Line("folder", "C:\\" + std::string(200000, 'x'))},
      {"empty line", ""},
      {"repeat of an earlier object", Line("folder", "c:\\GOOD")},
  };
  std::string text = "\xEF\xBB\xBF" + Line("folder", "C:\\Good") + "\r\n";
  for (const Case& c : bad) {
    text += c.line + "\r\n";
  }
  text += Line("file", "C:\\Keep\\setup.exe", std::string(64, 'B')) + "\n";

  const IgnoreList list = IgnoreList::Parse(text);

  ASSERT_EQ(list.Count(), 2u);
  EXPECT_NE(list.Find(IgnoredKind::kFolder, "c:\\good"), nullptr);
  const IgnoredObject* file = list.Find(IgnoredKind::kFile, "C:\\KEEP\\SETUP.EXE");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->sha256, std::string(64, 'b'));
  EXPECT_EQ(list.Find(IgnoredKind::kFile, "C:\\Keep"), nullptr);
  EXPECT_EQ(list.Find(IgnoredKind::kFolder, "C:\\Keep\\setup.exe"), nullptr);
  // Written back: the byte-order mark goes, lines end in CRLF, everything else stays.
  std::string expected = Line("folder", "C:\\Good") + "\r\n";
  for (const Case& c : bad) {
    expected += c.line + "\r\n";
  }
  expected += Line("file", "C:\\Keep\\setup.exe", std::string(64, 'b')) + "\r\n";
  EXPECT_EQ(list.Text(), expected);
}

TEST(IgnoreList, AddReplacesTheSameObjectAndRemoveKeepsTheUnreadLines) {
  IgnoreList list =
      IgnoreList::Parse("garbage\r\n" + Line("key", "HKEY_CURRENT_USER\\Software\\X"));
  EXPECT_FALSE(list.Add({.kind = IgnoredKind::kFile, .path = "C:\\a.exe", .added = kTime}));
  EXPECT_TRUE(list.Add(
      {.kind = IgnoredKind::kProcess, .path = "C:\\a.exe", .sha256 = kHash, .added = kTime}));
  const std::string changed(64, 'c');
  EXPECT_TRUE(list.Add(
      {.kind = IgnoredKind::kProcess, .path = "c:\\A.EXE", .sha256 = changed, .added = kTime}));
  ASSERT_EQ(list.Count(), 2u);
  EXPECT_EQ(list.Find(IgnoredKind::kProcess, "C:\\a.exe")->sha256, changed);

  list.Remove(IgnoredKind::kKey, "hkey_current_user\\software\\x");

  EXPECT_EQ(list.Find(IgnoredKind::kKey, "HKEY_CURRENT_USER\\Software\\X"), nullptr);
  EXPECT_EQ(list.Text(), "garbage\r\n" + Line("process", "c:\\A.EXE", changed) + "\r\n");
  EXPECT_EQ(IgnoreList::Parse(list.Text()).Objects(), list.Objects());
}

TEST(IgnoreList, ThousandsOfEntriesAreFoundByPath) {
  std::string text;
  for (int k = 0; k < 5000; ++k) {
    text += Line("folder", "C:\\Folder" + std::to_string(k)) + "\n";
  }
  const IgnoreList list = IgnoreList::Parse(text);
  EXPECT_EQ(list.Count(), 5000u);
  EXPECT_NE(list.Find(IgnoredKind::kFolder, "c:\\folder4999"), nullptr);
  EXPECT_EQ(list.Find(IgnoredKind::kFolder, "C:\\Folder5000"), nullptr);
}

}  // namespace
}  // namespace nexolant
