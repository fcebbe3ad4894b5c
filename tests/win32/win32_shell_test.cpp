#include "win32/win32_shell.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "support/scoped_folder.h"
#include "win32/unique_handle.h"

namespace nexolant::win32 {
namespace {

using nexolant::testing::ScopedFolder;

// Waits up to a few seconds for a condition that another process brings about.
template <typename Condition>
bool Eventually(Condition condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

std::string ContentsWhenClosed(const std::string& path) {
  // Opening without sharing succeeds only once the writer has closed the file.
  const UniqueFileHandle file(
      CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) {
    return {};
  }
  char buffer[64];
  DWORD read = 0;
  ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr);
  return std::string(buffer, read);
}

TEST(Win32ShellTest, OpeningAMissingDocumentFails) {
  const ScopedFolder folder;
  Win32Shell shell;
  EXPECT_FALSE(shell.Open(folder.File("Nexolant.chm")));
  EXPECT_FALSE(shell.Open(folder.File("Missing\\Nexolant.chm")));
}

TEST(Win32ShellTest, OpeningADocumentWithoutAssociatedProgramFails) {
  const ScopedFolder folder;
  const std::string document = folder.File("notes.nexolant-unknown");
  std::ofstream(document) << "text";
  Win32Shell shell;
  EXPECT_FALSE(shell.Open(document));
}

TEST(Win32ShellTest, OpeningADocumentStartsItsProgram) {
  const ScopedFolder folder;
  const std::string marker = folder.File("opened.txt");
  const std::string script = folder.File("open.bat");
  std::ofstream(script) << "@echo opened> \"" << marker << "\"\r\n";
  Win32Shell shell;
  ASSERT_TRUE(shell.Open(script));
  EXPECT_TRUE(Eventually([&] { return ContentsWhenClosed(marker).rfind("opened", 0) == 0; }));
  // The script's interpreter may still hold the script for a moment.
  EXPECT_TRUE(Eventually([&] { return DeleteFileA(script.c_str()) != FALSE; }));
}

}  // namespace
}  // namespace nexolant::win32
