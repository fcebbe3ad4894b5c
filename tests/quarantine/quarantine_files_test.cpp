#include "quarantine/quarantine_files.h"

#include <gtest/gtest.h>

namespace nexolant {
namespace {

// An index name that is not plain is ignored: joined to a folder, it would reach another file
// than the one it spells, a device, or no file at all.
TEST(IsPlainFileName, TakesOnlyNamesThatNameOneFileAsSpelled) {
  const std::pair<const char*, bool> cases[] = {
      {"bad.exe", true},       {"CONSOLE.EXE", true}, {"com10.dll", true}, {"LPT0", true},
      {".hidden", true},       {"a b.txt", true},     {"", false},         {".", false},
      {"..", false},           {"...", false},        {"bad.exe.", false}, {"bad.exe ", false},
      {"..\\evil.exe", false}, {"a/b", false},        {"C:bad", false},    {"a*.exe", false},
      {"a?.exe", false},       {"a|b", false},        {"a\tb", false},     {"CON", false},
      {"nul", false},          {"Aux.txt", false},    {"PRN .log", false}, {"COM1", false},
      {"lpt9.dat", false},     {"CONIN$", false},
  };
  for (const auto& [name, plain] : cases) {
    SCOPED_TRACE(name);
    EXPECT_EQ(IsPlainFileName(name), plain);
  }
}

}  // namespace
}  // namespace nexolant
