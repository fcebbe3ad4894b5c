#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_processes.h"
#include "fakes/fake_signature_evidence.h"
#include "fakes/memory_file_system.h"
#include "fakes/memory_registry.h"
#include "platform/portable/cp1252_locale.h"
#include "protection/protection_policy.h"

namespace nexolant::protection {
namespace {

// A machine whose Windows folder, program folder and Quarantine are reached under other names
// too: drives mapped to them or to a folder holding them, and Wine's drive for the host, which
// holds C:'s root.
MemoryFileSystem Machine(bool finalPathsByDeepestDrive) {
  MemoryFileSystem files;
  for (const char* file :
       {"C:\\Windows\\System32\\kernel32.dll", "C:\\Windows\\System32\\adware.dll",
        "C:\\Windows\\explorer.exe", "C:\\Program\\Nexolant.exe",
        "C:\\Program\\Quarantine\\evil.exe", "C:\\Data\\evil.exe", "Z:\\host\\evil.exe"}) {
    files.AddFile(file);
  }
  files.AddAlias("M:", "C:\\Windows");
  files.AddAlias("S:", "C:\\Windows\\System32");
  files.AddAlias("N:", "C:\\Program");
  files.AddAlias("Q:", "C:\\Program\\Quarantine");
  files.AddAlias("R:", "C:\\");
  files.AddAlias("Z:\\host\\drive_c", "C:");
  files.SetFinalPathsByDeepestDrive(finalPathsByDeepestDrive);
  return files;
}

struct OtherNameCase {
  const char* start;  // where a walk starts
  const char* names;  // what it finds below
  bool isProtected;
};

constexpr OtherNameCase kCases[] = {
    {"M:\\", "System32\\kernel32.dll", true},
    {"M:\\", "explorer.exe", true},
    {"M:\\", "System32\\adware.dll", false},
    {"M:\\System32\\", "kernel32.dll", true},
    {"S:\\", "kernel32.dll", true},
    {"S:\\", "adware.dll", false},
    {"N:\\", "Nexolant.exe", true},
    {"N:\\", "Quarantine\\evil.exe", true},
    {"Q:\\", "evil.exe", true},
    {"R:\\", "Windows\\explorer.exe", true},
    {"R:\\", "Data\\evil.exe", false},
    {"Z:\\host\\drive_c\\", "Windows\\System32\\kernel32.dll", true},
    {"Z:\\host\\drive_c\\Program\\", "Quarantine\\evil.exe", true},
    {"Z:\\host\\drive_c\\", "Data\\evil.exe", false},
    {"Z:\\host\\", "evil.exe", false},
    {"C:\\Data\\", "evil.exe", false},
};

// Whether the system's final path sees through a mapped drive (Windows) or names the deepest
// drive holding the place (Wine), the full check and a walk from any of the names get the answer
// of the place's own name.
TEST(ProtectionUnderOtherNames, AnotherNameForTheSamePlaceGetsTheSameAnswer) {
  for (const bool deepestDrive : {false, true}) {
    MemoryFileSystem files = Machine(deepestDrive);
    platform::Cp1252Locale locale;
    MemoryRegistry registry;
    FakeProcessApi processes;
    const FakeSignatureEvidence evidence;
    const ProtectionPolicy policy({.files = files,
                                   .registry = registry,
                                   .locale = locale,
                                   .ownProcessId = 1,
                                   .processes = processes,
                                   .evidence = evidence});
    for (const auto& [start, names, isProtected] : kCases) {
      SCOPED_TRACE(std::string(start) + names + (deepestDrive ? " (deepest drive)" : ""));
      EXPECT_EQ(policy.IsProtectedPath(std::string(start) + names), isProtected);
      EXPECT_EQ(policy.IsProtectedBelow(policy.WalkStartOf(start), names), isProtected);
    }
  }
}

}  // namespace
}  // namespace nexolant::protection
