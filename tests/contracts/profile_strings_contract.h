#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/profile_strings.h"

namespace nexolant::contracts {

// What the contract needs around a ProfileStrings: the service, a file name in an existing
// folder where no file is yet, and the file's raw text.
class ProfileStringsHarness {
 public:
  virtual ~ProfileStringsHarness() = default;
  virtual platform::ProfileStrings& Profile() = 0;
  virtual std::string FileName() = 0;
  virtual std::string FileNameInMissingFolder() = 0;
  virtual void SetText(const std::string& text) = 0;  // as an editor would write the file
  virtual std::optional<std::string> Text() = 0;      // none when there is no file
  // Another program holds the file open and lets nobody else read or write it.
  virtual void Lock() = 0;
  virtual void Unlock() = 0;
};

using ProfileStringsHarnessFactory = std::unique_ptr<ProfileStringsHarness> (*)();

// The behaviour of the system's private-profile service that the stored settings rely on.
// Instantiate with INSTANTIATE_TEST_SUITE_P(Name, ProfileStringsContract, Values(&Factory)).
class ProfileStringsContract : public ::testing::TestWithParam<ProfileStringsHarnessFactory> {
 protected:
  static constexpr std::size_t kBuffer = 2048;

  void SetUp() override { harness_ = GetParam()(); }

  std::string Read(const std::string& section, const std::string& key,
                   const std::string& defaultValue = "<default>", std::size_t size = kBuffer) {
    return harness_->Profile().ReadString(section, key, defaultValue, size, harness_->FileName());
  }
  platform::Outcome Write(const std::string& section, const std::string& key,
                          const std::string& value) {
    return harness_->Profile().WriteString(section, key, value, harness_->FileName());
  }

  std::unique_ptr<ProfileStringsHarness> harness_;
};

TEST_P(ProfileStringsContract, AbsentFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(Read("Settings", "chkMinimize_Checked", "True"), "True");
  EXPECT_FALSE(harness_->Text()) << "reading creates no file";
  harness_->SetText("[General]\r\nTotalScans=3\r\n[Settings]\r\nFormVersion=0\r\n");
  EXPECT_EQ(Read("Missing", "TotalScans", "7"), "7");
  EXPECT_EQ(Read("Settings", "TotalScans", "7"), "7");
  EXPECT_EQ(Read("General", "TotalScans", "7"), "3");
}

TEST_P(ProfileStringsContract, WrittenValuesReadBackAndSurviveAFlush) {
  ASSERT_TRUE(Write("Settings", "FormVersion", "0"));
  ASSERT_TRUE(Write("Settings", "chkMinimize_Checked", "True"));
  ASSERT_TRUE(Write("Settings", "comboSpeed_ItemIndex", "8"));
  ASSERT_TRUE(Write("Settings", "chkMinimize_Checked", "False"));
  ASSERT_TRUE(Write("General", "FormVersion", "other section"));
  ASSERT_TRUE(Write("Settings", "empty", ""));
  harness_->Profile().Flush(harness_->FileName());

  EXPECT_EQ(Read("Settings", "FormVersion"), "0");
  EXPECT_EQ(Read("SETTINGS", "CHKMINIMIZE_CHECKED"), "False");
  EXPECT_EQ(Read("settings", "comboSpeed_itemindex"), "8");
  EXPECT_EQ(Read("General", "FormVersion"), "other section");
  EXPECT_EQ(Read("Settings", "empty"), "") << "an empty value is not an absent key";

  const std::optional<std::string> text = harness_->Text();
  ASSERT_TRUE(text);
  // Keys stay in the order of their first writing; an overwrite keeps its place.
  const auto version = text->find("FormVersion=0");
  const auto minimize = text->find("chkMinimize_Checked=False");
  const auto speed = text->find("comboSpeed_ItemIndex=8");
  ASSERT_NE(version, std::string::npos) << *text;
  ASSERT_NE(minimize, std::string::npos) << *text;
  ASSERT_NE(speed, std::string::npos) << *text;
  EXPECT_LT(version, minimize);
  EXPECT_LT(minimize, speed);
  EXPECT_EQ(text->find("chkMinimize_Checked=True"), std::string::npos) << *text;
}

TEST_P(ProfileStringsContract, WritesKeepTheRestOfAnEditedFile) {
  harness_->SetText("[General]\r\nTotalScans=3\r\nLastScan=-1\r\n\r\n[Settings]\r\nold=1\r\n");
  ASSERT_TRUE(Write("Settings", "FormVersion", "0"));
  ASSERT_TRUE(Write("Settings", "old", "2"));
  harness_->Profile().Flush(harness_->FileName());
  EXPECT_EQ(Read("General", "TotalScans"), "3");
  EXPECT_EQ(Read("General", "LastScan"), "-1");
  EXPECT_EQ(Read("Settings", "old"), "2");
  EXPECT_EQ(Read("Settings", "FormVersion"), "0");
  const std::string text = harness_->Text().value_or("");
  EXPECT_LT(text.find("[General]"), text.find("[Settings]")) << text;
  EXPECT_LT(text.find("old=2"), text.find("FormVersion=0")) << text;
}

TEST_P(ProfileStringsContract, ReadsHandEditedText) {
  harness_->SetText(
      "; stored options\r\n"
      "[Settings]\r\n"
      "  chkDeepScanReg_Checked =  false  \r\n"
      "quoted=\"a b \"\r\n"
      "single='x'\r\n"
      "unbalanced=\"y\n"
      "equals=a=b\n"
      "  [ Other ]  \n"
      "chkDeepScanReg_Checked=other\n");
  EXPECT_EQ(Read("Settings", "chkDeepScanReg_Checked"), "false");
  EXPECT_EQ(Read("Settings", "quoted"), "a b ");
  EXPECT_EQ(Read("Settings", "single"), "x");
  EXPECT_EQ(Read("Settings", "unbalanced"), "\"y");
  EXPECT_EQ(Read("Settings", "equals"), "a=b");
  EXPECT_EQ(Read("Other", "chkDeepScanReg_Checked"), "other");
}

TEST_P(ProfileStringsContract, ResultsAreCutToTheBuffer) {
  const std::string longValue(3000, 'v');
  ASSERT_TRUE(Write("Settings", "long", longValue));
  EXPECT_EQ(Read("Settings", "long"), std::string(kBuffer - 1, 'v'));
  ASSERT_TRUE(Write("Settings", "short", "abcdef"));
  EXPECT_EQ(Read("Settings", "short", "", 4), "abc");
  EXPECT_EQ(Read("Settings", "missing", "xyz  "), "xyz") << "trailing blanks of the default go";
  EXPECT_EQ(Read("Settings", "missing", "  xyz"), "  xyz");
  EXPECT_EQ(Read("Settings", "missing", "xyz", 3), "xy");
  EXPECT_EQ(Read("Settings", "short", "xyz", 1), "");
}

TEST_P(ProfileStringsContract, UnwritableFilesReportFailure) {
  const std::string missing = harness_->FileNameInMissingFolder();
  EXPECT_FALSE(harness_->Profile().WriteString("Settings", "FormVersion", "0", missing));
  EXPECT_EQ(harness_->Profile().ReadString("Settings", "FormVersion", "none", kBuffer, missing),
            "none");

  harness_->SetText("[Settings]\r\nFormVersion=0\r\n");
  harness_->Lock();
  EXPECT_FALSE(Write("Settings", "FormVersion", "1"));
  EXPECT_EQ(Read("Settings", "FormVersion", "none"), "none");
  harness_->Unlock();
  EXPECT_EQ(harness_->Text(), "[Settings]\r\nFormVersion=0\r\n");
}

}  // namespace nexolant::contracts
