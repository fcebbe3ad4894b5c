#include "scan/folder_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_folder_browser.h"
#include "fakes/memory_file_system.h"
#include "fakes/memory_registry.h"
#include "scan/folder_dialog_language.h"
#include "scan/scan_fixture.h"

namespace nexolant {
namespace {

using platform::RegistryRoot;

const char* const kResourceLocale = "Control Panel\\Desktop\\ResourceLocale";
const char* const kDefaultInternational = ".DEFAULT\\Control Panel\\International";

struct LanguageCase {
  const char* name;
  const char* resourceLocale;  // null: no such key
  const char* defaultLocale;   // null: no such key
  std::string instruction;
};

class FolderDialogLanguageTest : public ::testing::TestWithParam<LanguageCase> {};

// The current user's resource locale decides while its key opens (even with an empty or
// unusable value); otherwise the default user's locale; the default row covers the rest.
TEST_P(FolderDialogLanguageTest, TakesTheInstructionFromTheUsersLanguage) {
  const LanguageCase& language = GetParam();
  MemoryRegistry registry;
  if (language.resourceLocale != nullptr) {
    registry.SetValue(RegistryRoot::kCurrentUser, kResourceLocale, "", platform::kRegString,
                      std::string(language.resourceLocale) + '\0');
  }
  if (language.defaultLocale != nullptr) {
    registry.SetValue(RegistryRoot::kUsers, kDefaultInternational, "Locale", platform::kRegString,
                      std::string(language.defaultLocale) + '\0');
  }
  MemoryFileSystem files;
  FakeFolderBrowser browser;
  const TPBFolderDialog dialog(browser, files, registry);
  EXPECT_EQ(dialog.Instruction(), language.instruction);
  EXPECT_EQ(registry.OpenKeyCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, FolderDialogLanguageTest,
    ::testing::Values(LanguageCase{"German", "00000407", "00000409", "Ausgew\xE4hlter Ordner:"},
                      LanguageCase{"LowerCaseHex", "00000c07", nullptr, "Ausgew\xE4hlter Ordner:"},
                      LanguageCase{"Dutch", "00000413", nullptr, "Huidige map"},
                      LanguageCase{"Unlisted", "0000041D", "00000406", "Current folder:"},
                      LanguageCase{"EmptyValue", "", "00000406", "Current folder:"},
                      LanguageCase{"DefaultUser", nullptr, "00000406", "Valgt mappe:"},
                      LanguageCase{"Italian", nullptr, "00000410", "Cartella selezionata:"},
                      LanguageCase{"Nothing", nullptr, nullptr, "Current folder:"}),
    [](const auto& info) { return std::string(info.param.name); });

// A value that is not text reads as no language; the window is made all the same.
TEST(FolderDialogLanguage, AValueThatIsNotTextFallsBackToTheDefaultRow) {
  MemoryRegistry registry;
  registry.SetValue(RegistryRoot::kCurrentUser, kResourceLocale, "", platform::kRegDword,
                    std::string("\x07\x04\0\0", 4));
  EXPECT_EQ(UserLanguageCode(registry), "");
  EXPECT_EQ(FolderDialogInstruction(""), "Current folder:");
}

class SelectLinkTest : public ScanTest {
 protected:
  void SetUp() override {
    Start();
    files_.AddFolder("D:\\Data");
    ASSERT_TRUE(backend_.Click(Control("ScanBtn")));
  }
  bool SelectTicked() const { return Get<ui::RadioButton>("chkSelect").Checked(); }
  void ClickSelect() { ASSERT_TRUE(backend_.Click(Control("lblSelect"))); }
};

// Select ticks the chosen-folder mode before the dialog, and Cancel keeps the earlier choice.
TEST_F(SelectLinkTest, CancelKeepsTheFolderAndTheTick) {
  ASSERT_TRUE(Get<ui::RadioButton>("chkQuick").Checked());
  folderBrowser_.QueueCancel();
  ClickSelect();
  EXPECT_TRUE(SelectTicked());
  EXPECT_EQ(Scan().ScanFolder(), "");

  folderBrowser_.QueueChoice("D:\\Data");
  ClickSelect();
  ASSERT_TRUE(backend_.Click(Control("chkQuick")));
  folderBrowser_.QueueCancel();
  ClickSelect();
  EXPECT_TRUE(SelectTicked());
  EXPECT_EQ(Scan().ScanFolder(), "D:\\Data");
}

// The first opening selects nothing; later ones the folder last confirmed, while it exists.
TEST_F(SelectLinkTest, OpensOnTheLastConfirmedFolder) {
  folderBrowser_.QueueChoice("D:\\Data");
  ClickSelect();
  folderBrowser_.QueueCancel();
  ClickSelect();
  files_.AddFolder("D:\\Gone");
  folderBrowser_.QueueChoice("D:\\Gone");
  ClickSelect();
  ASSERT_TRUE(files_.RemoveFolder("D:\\Gone"));
  ClickSelect();
  std::vector<std::string> initial;
  for (const platform::FolderBrowseRequest& request : folderBrowser_.Requests()) {
    initial.push_back(request.initialFolder);
    EXPECT_EQ(request.instruction, "Current folder:");
  }
  EXPECT_EQ(initial, (std::vector<std::string>{"", "D:\\Data", "D:\\Data", ""}));
}

// An item without a file-system path empties the folder, so Next asks for a choice.
TEST_F(SelectLinkTest, AnItemWithoutAPathLeavesNoFolder) {
  folderBrowser_.QueueChoice("D:\\Data");
  ClickSelect();
  folderBrowser_.QueueChoice("");
  ClickSelect();
  EXPECT_EQ(Scan().ScanFolder(), "");
  ASSERT_TRUE(backend_.Click(Control("btnNext")));
  ASSERT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(backend_.Messages()[0].text, "Please choose a path to scan first.");
}

// A drive root comes back with its backslash; its rows show the drive without a doubled one.
TEST_F(SelectLinkTest, ADriveRootScansWithoutADoubledBackslash) {
  files_.AddFile("D:\\EVIL.EXE");
  files_.AddFile("D:\\Data\\Deep\\evil.exe");
  folderBrowser_.ShowSelection({.path = "D:\\"});
  folderBrowser_.QueueChoice("D:\\");
  ClickSelect();
  EXPECT_EQ(folderBrowser_.StatusTexts(), (std::vector<std::string>{"D:\\"}));
  EXPECT_EQ(Scan().ScanFolder(), "D:\\");
  RunScan();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"evil.exe|D:\\Data\\Deep|Evil file",
                                              "EVIL.EXE|D:|Evil file"}));
  EXPECT_EQ(Label("lblFI").Caption(), "2");
  EXPECT_EQ(Scan().ScanFolder(), "");
}

}  // namespace
}  // namespace nexolant
