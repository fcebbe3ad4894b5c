#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fakes/memory_file_system.h"
#include "platform/portable/cp1252_locale.h"
#include "protection/name_sample.h"
#include "protection/reference_safety.h"
#include "reference/find_signature.h"
#include "reference/hash_signatures.h"
#include "reference/reference_loader.h"
#include "shipped_reference.h"
#include "support/encipher_reference.h"
#include "support/recording_warnings.h"
#include "support/scripted_pump.h"
#include "support/stopped_clock.h"

namespace nexolant::protection {
namespace {

using testing::EncipherReference;

struct PatternCase {
  const char* pattern;
  PatternKind kind;
  const char* matched;  // the first sample name it matches; null for a narrow pattern
  bool protectedName;
};

constexpr PatternKind kFile = PatternKind::kFile;
constexpr PatternKind kKey = PatternKind::kKey;

TEST(TooBroadPatterns, TheSampleTellsBroadPatternsFromNarrowOnes) {
  const PatternCase cases[] = {
      {"*", kFile, "[System]", true},
      {"?*", kFile, "[System]", true},
      {"*.EXE", kFile, "smss.exe", true},
      {"*.dll", kFile, "hal.dll", true},
      {"S*", kFile, "System", true},
      {"explorer.exe", kFile, "explorer.exe", true},
      {"NOTEPAD.EXE", kFile, "notepad.exe", true},
      {"NEXOLANT.EXE", kFile, "Nexolant.exe", true},
      {"Document?", kFile, "Documents", true},
      {"setup*.exe", kFile, "setup.exe", false},
      {"*.ZIP", kFile, "archive.zip", false},
      {"????.mp3", kFile, "song.mp3", false},
      {"*", kKey, "SOFTWARE", true},
      {"Software", kKey, "SOFTWARE", true},
      {"ControlSet0??", kKey, "ControlSet001", false},
      {"{*}", kKey, "{20D04FE0-3AEA-1069-A2D8-08002B30309D}", false},
      {"GATOR.EXE", kFile, nullptr, false},
      {"NEWDOTNET*.DLL", kFile, nullptr, false},
      {"Claria", kKey, nullptr, false},
      {"explorer.exe", kKey, nullptr, false},  // file names are no key names
      {"Software", kFile, "SOFTWARE", true},   // the registry's hive file
      // Malformed patterns stay malformed: their lookups raise "Invalid mask" as before.
      {"**", kFile, nullptr, false},
      {"*?", kKey, nullptr, false},
  };
  const platform::Cp1252Locale locale;
  for (const PatternCase& test : cases) {
    SCOPED_TRACE(test.pattern);
    const std::optional<SampleMatch> match = FindSampleMatch(test.pattern, test.kind, locale);
    ASSERT_EQ(match.has_value(), test.matched != nullptr);
    if (match) {
      EXPECT_EQ(match->name, test.matched);
      EXPECT_EQ(match->protectedName, test.protectedName);
    }
  }
}

// Windows' own names, its hives and a floor of four plain characters before the extension
// tell broad patterns whatever their first letters.
TEST(TooBroadPatterns, WindowsOwnNamesAndTheFloorTellBroadPatterns) {
  const std::pair<const char*, PatternKind> broad[] = {
      {"ucrtbase.dll", kFile}, {"winedev*.exe", kFile}, {"NTUSER*", kFile},
      {"j*", kFile},           {"*-*", kFile},          {"*-*.dll", kFile},
      {"abc*.exe", kFile},     {"{4*", kKey},           {".b*", kKey},
  };
  const platform::Cp1252Locale locale;
  for (const auto& [pattern, kind] : broad) {
    SCOPED_TRACE(pattern);
    EXPECT_NE(TooBroadReason(pattern, kind, locale), std::nullopt);
  }
  for (const char* narrow : {"GATOR*.EXE", "abcd*.exe", "NEWDOTNET*.DLL", "adw?re.dll"}) {
    SCOPED_TRACE(narrow);
    EXPECT_EQ(TooBroadReason(narrow, kFile, locale), std::nullopt);
  }
  EXPECT_EQ(TooBroadReason("Clar*", kKey, locale), std::nullopt);
  EXPECT_EQ(TooBroadReason("a**", kFile, locale), std::nullopt) << "malformed, not broad";
}

class LoadedReference : public ::testing::Test {
 protected:
  ReferenceOutcome Load(const std::string& plain, const NameSample& sample) {
    files_.AddFile("C:\\Program\\Reference.dat", EncipherReference(plain));
    return LoadReference(
        {.files = files_, .clock = clock_, .locale = locale_, .pump = pump_, .warnings = warnings_},
        "C:\\Program\\", tables_, details_, sample);
  }

  MemoryFileSystem files_;
  nexolant::testing::StoppedClock clock_{45000.5};
  platform::Cp1252Locale locale_;
  ScriptedPump pump_;
  RecordingWarnings warnings_;
  SignatureTables tables_;
  StringList details_;
};

// The loader keeps every pattern, so the Details page counts the file as it is, and marks the
// broad ones: the program's look-up passes them over, the plain one still answers the rule.
TEST_F(LoadedReference, BroadPatternsAreKeptCountedAndInert) {
  ASSERT_EQ(Load("[ScanFiles]\n*=a\n?*=b\n*.EXE=c\nGATOR.EXE=d\n*.DLL=e\nnotepad.exe=f\n"
                 "A**=g\n[OtherKill]\nexplorer.exe=h\nS*=i\n[Registry]\nSoftware=j\nS*=k\n"
                 "Claria=l\n",
                 TooBroadSample()),
            ReferenceOutcome::kLoaded);

  EXPECT_EQ(details_[5], "Total adware signatures: 7");
  EXPECT_EQ(details_[6], "Total process signatures: 9");
  EXPECT_EQ(details_[7], "Total registry signatures: 3");
  EXPECT_EQ(tables_.ScanFileNames.InertCount(), 5u);
  EXPECT_EQ(tables_.ProcessNames.InertCount(), 7u);
  EXPECT_EQ(tables_.RegistryNames.InertCount(), 2u);
  EXPECT_FALSE(tables_.ScanFileNames.IsInert(6)) << "a malformed pattern is not broad";

  struct Lookup {
    const char* name;
    const SignatureList& list;
    int active;  // FindActiveSignature
    int plain;   // FindSignature
  };
  const Lookup lookups[] = {
      {"gator.exe", tables_.ScanFileNames, 3, 0},    {"bad.exe", tables_.ScanFileNames, -1, 0},
      {"notepad.exe", tables_.ScanFileNames, -1, 0}, {"library.dll", tables_.ScanFileNames, -1, 0},
      {"explorer.exe", tables_.ProcessNames, -1, 0}, {"svchost.exe", tables_.ProcessNames, -1, 1},
      {"gator.exe", tables_.ProcessNames, 5, 2},     {"SOFTWARE", tables_.RegistryNames, -1, 0},
      {"Sample", tables_.RegistryNames, -1, 1},      {"claria", tables_.RegistryNames, 2, 2},
  };
  for (const Lookup& lookup : lookups) {
    SCOPED_TRACE(lookup.name);
    EXPECT_EQ(FindActiveSignature(lookup.name, lookup.list, pump_), lookup.active);
    EXPECT_EQ(FindSignature(lookup.name, lookup.list, pump_), lookup.plain);
  }
  // "A**" is reached with name left only by names that no broad pattern took first.
  EXPECT_THROW(FindActiveSignature("AB", tables_.ScanFileNames, pump_), InvalidMask);
}

TEST_F(LoadedReference, TheShippedSignaturesAreAllNarrow) {
  ASSERT_EQ(Load(kShippedReference, TooBroadSample()), ReferenceOutcome::kLoaded);
  ASSERT_GT(tables_.ProcessNames.size(), 100u);
  EXPECT_EQ(tables_.ScanFileNames.InertCount(), 0u);
  EXPECT_EQ(tables_.ProcessNames.InertCount(), 0u);
  EXPECT_EQ(tables_.RegistryNames.InertCount(), 0u);
  EXPECT_EQ(ReferenceHazard(tables_, locale_), std::nullopt);
}

// The standard anti-malware test file, known by its size and SHA-256 only, so that a user can
// see detection work without any real adware.
TEST_F(LoadedReference, TheShippedReferenceKnowsTheTestFileByItsContent) {
  ASSERT_EQ(Load(kShippedReference, TooBroadSample()), ReferenceOutcome::kLoaded);
  ASSERT_EQ(tables_.FileHashes.size(), 1u);
  const HashSignature* testFile = tables_.FileHashes.Find(
      68, "275a021bbfb6489e54d471899f7db9d1663fc695ec2fe2a2c4538aabf651fd0f");
  ASSERT_NE(testFile, nullptr);
  EXPECT_TRUE(testFile->description.starts_with("Test file: ")) << testFile->description;
  EXPECT_TRUE(HashSectionFaults(kShippedReference, locale_).empty());
}

TEST_F(LoadedReference, TheFirstHazardInSectionOrderIsNamed) {
  struct HazardCase {
    const char* plain;
    std::optional<std::string> reason;
  };
  const HazardCase cases[] = {
      {"[ScanFiles]\nGATOR.EXE=a\n*.zip=b\n*.EXE=c\n",
       "Pattern \"*.zip\" of [ScanFiles] is too broad: it matches the ordinary name "
       "\"archive.zip\"."},
      {"[Registry]\nS*=a\n[OtherKill]\nGMT.EXE=b\nexplorer.exe=c\n[ScanFiles]\nA.EXE=d\n",
       "Pattern \"explorer.exe\" of [OtherKill] matches the protected name \"explorer.exe\"."},
      {"[ScanFiles]\nGATOR.EXE=a\n[Registry]\n{4*=b\n",
       "Pattern \"{4*\" of [Registry] is too broad: it holds fewer than 4 characters other than "
       "wildcards before its extension."},
      {"[ScanFiles]\n**=malformed, not broad\n", std::nullopt},
  };
  for (const HazardCase& test : cases) {
    SCOPED_TRACE(test.plain);
    files_.AddFile("C:\\Update\\New.dat", EncipherReference(test.plain));
    EXPECT_EQ(ReferenceFileHazard({.files = files_,
                                   .clock = clock_,
                                   .locale = locale_,
                                   .pump = pump_,
                                   .warnings = warnings_},
                                  "C:\\Update\\New.dat"),
              test.reason);
  }
  EXPECT_EQ(ReferenceFileHazard({.files = files_,
                                 .clock = clock_,
                                 .locale = locale_,
                                 .pump = pump_,
                                 .warnings = warnings_},
                                "C:\\missing.dat"),
            std::nullopt);
}

}  // namespace
}  // namespace nexolant::protection
