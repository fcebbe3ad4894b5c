// Nexolant.exe and nexscan.exe import only libraries that Windows always loads from its system
// folder, so a DLL planted beside the programs can never be loaded in their place at start-up.
#include <windows.h>

#include <dbghelp.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "win32/unique_handle.h"

namespace nexolant::win32 {
namespace {

std::string Upper(std::string text) {
  CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

TEST(ImportTableTest, TheProgramsImportOnlyLibrariesWindowsLoadsFromItsSystemFolder) {
  // Known DLLs, which Windows maps from its system folder whatever the search order says (among
  // them msvcrt.dll, the C library under mingw-w64's statically linked runtime), and for the
  // window comctl32, which its manifest binds to the side-by-side copy of version 6.
  const std::set<std::string> known = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL",    "ADVAPI32.DLL",
                                       "SHELL32.DLL",  "OLE32.DLL",  "OLEAUT32.DLL", "MSVCRT.DLL"};
  std::set<std::string> withCommonControls = known;
  withCommonControls.insert("COMCTL32.DLL");
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string folder(path, std::string(path).find_last_of('\\') + 1);
  for (const auto& [name, allowed] :
       {std::pair{"Nexolant.exe", withCommonControls}, std::pair{"nexscan.exe", known}}) {
    SCOPED_TRACE(name);
    const std::string program = folder + name;
    const UniqueModule image(
        LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(image) << "cannot map " << program << ": error " << GetLastError();
    // The low bits of the handle mark an image mapped as a resource.
    auto* base = reinterpret_cast<char*>(reinterpret_cast<ULONG_PTR>(image.get()) & ~ULONG_PTR{3});

    std::set<std::string> imported;
    ULONG size = 0;
    for (auto* entry = static_cast<const IMAGE_IMPORT_DESCRIPTOR*>(
             ImageDirectoryEntryToData(base, TRUE, IMAGE_DIRECTORY_ENTRY_IMPORT, &size));
         entry != nullptr && entry->Name != 0; ++entry) {
      imported.insert(Upper(base + entry->Name));
    }
    for (auto* entry = static_cast<const IMAGE_DELAYLOAD_DESCRIPTOR*>(
             ImageDirectoryEntryToData(base, TRUE, IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT, &size));
         entry != nullptr && entry->DllNameRVA != 0; ++entry) {
      imported.insert(Upper(base + entry->DllNameRVA));
    }
    EXPECT_TRUE(imported.contains("KERNEL32.DLL")) << "the import table was read";
    for (const std::string& library : imported) {
      EXPECT_TRUE(allowed.contains(library)) << program << " imports " << library;
    }
  }
}

}  // namespace
}  // namespace nexolant::win32
