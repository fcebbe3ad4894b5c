#include "processes/process_list.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "fakes/fake_processes.h"

namespace nexolant {
namespace {

constexpr platform::VersionInfo kNt4{platform::kPlatformNt, 4};

struct MethodCase {
  platform::VersionInfo version;
  bool byProcessStatus;
};

class ListingMethodTest : public testing::TestWithParam<MethodCase> {};

TEST_P(ListingMethodTest, ChoosesTheMethodByPlatformAndMajorVersion) {
  FakeProcessApi api;
  api.SetVersion(GetParam().version);
  api.Add(8, "C:\\Windows\\Explorer.EXE").exeFile = "EXPLORER.EXE";
  ProcessList list;
  EXPECT_TRUE(ListProcesses(api, list));
  const std::string expected =
      GetParam().byProcessStatus ? "C:\\Windows\\Explorer.EXE" : "EXPLORER.EXE";
  EXPECT_EQ(list, (ProcessList{{expected, 8}}));
}

INSTANTIATE_TEST_SUITE_P(Versions, ListingMethodTest,
                         testing::Values(MethodCase{{platform::kPlatformNt, 4}, true},
                                         MethodCase{{platform::kPlatformNt, 3}, false},
                                         MethodCase{{platform::kPlatformNt, 5}, false},
                                         MethodCase{{platform::kPlatformNt, 10}, false},
                                         MethodCase{{1, 4}, false}));

TEST(ListProcessesTest, SnapshotListsInSystemOrderWithDuplicatesAndClosesTheSnapshot) {
  FakeProcessApi api;
  api.Add(0, "[System Process]");
  api.Add(12, "C:\\A\\b.exe");
  api.Add(7, "C:\\Other\\b.exe");
  ProcessList list{{"stale", 1}};
  EXPECT_TRUE(ListProcesses(api, list));
  EXPECT_EQ(list, (ProcessList{{"[System Process]", 0}, {"b.exe", 12}, {"b.exe", 7}}));
  EXPECT_EQ(api.OpenHandles(), 0);
}

TEST(ListProcessesTest, ProcessStatusListsPathsAndSystemEntriesAndSkipsWhatCannotBeOpened) {
  FakeProcessApi api;
  api.SetVersion(kNt4);
  api.Add(0, "C:\\idle.exe");
  api.Add(2, "C:\\kernel.exe").path.reset();
  api.Add(3, "C:\\Bin\\tool.exe");
  api.Add(4, "C:\\locked.exe").openable = false;
  api.Add(5, "C:\\drv.exe").path = "";
  ProcessList list;
  EXPECT_TRUE(ListProcesses(api, list));
  EXPECT_EQ(list, (ProcessList{{"[System]", -1}, {"C:\\Bin\\tool.exe", 3}, {"[System]", -1}}));
  EXPECT_EQ(api.OpenAccessMasks(), (std::set<std::uint32_t>{0x410}));
  EXPECT_EQ(api.OpenHandles(), 0);
}

TEST(ListProcessesTest, FailuresEmptyTheListAndReturnFalse) {
  struct Case {
    const char* what;
    platform::VersionInfo version;
    void (*breakIt)(FakeProcessApi&);
  };
  const Case cases[] = {
      {"snapshot fails", {platform::kPlatformNt, 6}, [](FakeProcessApi& a) { a.FailSnapshots(); }},
      {"no snapshot functions",
       {platform::kPlatformNt, 6},
       [](FakeProcessApi& a) { a.SetToolhelpAvailable(false); }},
      {"ids cannot be fetched", kNt4, [](FakeProcessApi& a) { a.FailListProcessIds(); }},
      {"no PSAPI", kNt4, [](FakeProcessApi& a) { a.SetPsapiAvailable(false); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeProcessApi api;
    api.SetVersion(c.version);
    api.Add(3, "C:\\a.exe");
    c.breakIt(api);
    ProcessList list{{"stale", 1}};
    EXPECT_FALSE(ListProcesses(api, list));
    EXPECT_TRUE(list.empty());
  }
}

TEST(ListProcessesTest, SnapshotListingNeedsNoPsapi) {
  FakeProcessApi api;
  api.SetPsapiAvailable(false);
  api.Add(3, "C:\\a.exe");
  ProcessList list;
  EXPECT_TRUE(ListProcesses(api, list));
  EXPECT_EQ(list, (ProcessList{{"a.exe", 3}}));
}

TEST(ProcessIdBufferTest, GrowsUntilEveryProcessFits) {
  FakeProcessApi api;
  api.SetVersion(kNt4);
  for (std::uint32_t id = 1; id <= 3000; ++id) {
    api.Add(id * 4, "C:\\P\\p" + std::to_string(id) + ".exe");
  }
  ProcessList list;
  EXPECT_TRUE(ListProcesses(api, list));
  ASSERT_EQ(list.size(), 3000u);
  EXPECT_EQ(list.back(), (ProcessEntry{"C:\\P\\p3000.exe", 12000}));
  EXPECT_GT(api.EnumBufferSizes().back(), 3000 * sizeof(std::uint32_t));

  EXPECT_TRUE(TerminateProcessByName(api, "p3000.exe"));
  EXPECT_EQ(api.Terminated(), (std::vector<std::uint32_t>{12000}));
}

TEST(TerminateProcessByNameTest, ComparesBaseNamesAfterUpperCasingAToZ) {
  struct Case {
    const char* baseName;
    const char* given;
    bool terminated;
  };
  const Case cases[] = {
      {"ADWARE.EXE", "adware.exe", true},
      {"adware.exe", "ADWARE.EXE", true},
      {"AdWare.Exe", "aDwArE.eXe", true},
      {"adware.exe", "C:\\Program Files\\adware.exe", false},
      {"adware.exe", "adware", false},
      {"adware.exe", "adware.exe ", false},
      {"\xE9t\xE9.exe", "\xC9T\xC9.EXE", false},  // only a to z fold
      // "?" is how the listing shows what the code page lacks: the name may stand for others.
      {"???.exe", "???.exe", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.baseName) + " / " + c.given);
    FakeProcessApi api;
    api.Add(20, std::string("C:\\Apps\\") + c.baseName);
    EXPECT_EQ(TerminateProcessByName(api, c.given), c.terminated);
    EXPECT_EQ(api.Terminated().size(), c.terminated ? 1u : 0u);
    EXPECT_EQ(api.OpenHandles(), 0);
  }
}

TEST(TerminateProcessByNameTest, TerminatesEveryProcessOfTheNameAndReportsAnySuccess) {
  FakeProcessApi api;
  api.Add(30, "C:\\a\\spy.exe").terminateFails = true;
  api.Add(31, "C:\\b\\other.exe");
  api.Add(32, "C:\\c\\SPY.EXE");
  EXPECT_TRUE(TerminateProcessByName(api, "spy.exe"));
  EXPECT_EQ(api.Terminated(), (std::vector<std::uint32_t>{32}));
  EXPECT_EQ(api.OpenAccessMasks(), (std::set<std::uint32_t>{0x411}));

  FakeProcessApi stubborn;
  stubborn.Add(30, "C:\\a\\spy.exe").terminateFails = true;
  EXPECT_FALSE(TerminateProcessByName(stubborn, "spy.exe"));
}

TEST(TerminateProcessByNameTest, NeverTerminatesCriticalProcesses) {
  for (const std::string name : {"System", "Registry", "smss.exe", "csrss.exe", "wininit.exe",
                                 "winlogon.exe", "services.exe", "lsass.exe", "dwm.exe"}) {
    std::string upper = name;
    std::string lower = name;
    for (std::size_t i = 0; i < name.size(); ++i) {
      upper[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[i])));
      lower[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[i])));
    }
    SCOPED_TRACE(name);
    FakeProcessApi api;
    api.Add(80, "C:\\Windows\\System32\\" + name);
    api.Add(81, "C:\\Windows\\System32\\" + upper);
    for (const std::string& given : {name, upper, lower}) {
      EXPECT_FALSE(TerminateProcessByName(api, given));
    }
    EXPECT_TRUE(api.Terminated().empty());
  }
}

TEST(TerminateProcessByNameTest, NeverTerminatesItsOwnProcess) {
  FakeProcessApi api;
  api.SetCurrentProcessId(40);
  api.Add(40, "C:\\Nexolant\\Nexolant.exe");
  api.Add(41, "C:\\Copy\\nexolant.exe");
  EXPECT_TRUE(TerminateProcessByName(api, "Nexolant.exe"));
  EXPECT_EQ(api.Terminated(), (std::vector<std::uint32_t>{41}));
  EXPECT_FALSE(TerminateProcessByName(api, "Nexolant.exe"));
}

TEST(TerminateProcessByNameTest, PassesOverProcessesWhoseBaseNameCannotBeRead) {
  FakeProcessApi api;
  api.Add(50, "C:\\x\\bad.exe").baseName.reset();
  api.Add(51, "C:\\x\\bad.exe").hasModule = false;
  api.Add(52, "C:\\x\\bad.exe").openable = false;
  api.Add(53, "C:\\y\\bad.exe");
  EXPECT_TRUE(TerminateProcessByName(api, "bad.exe"));
  EXPECT_EQ(api.Terminated(), (std::vector<std::uint32_t>{53}));
  EXPECT_EQ(api.OpenHandles(), 0);
}

TEST(TerminateProcessByNameTest, FalseWithoutPsapiOrProcessIds) {
  FakeProcessApi noPsapi;
  noPsapi.Add(60, "C:\\x\\ad.exe");
  noPsapi.SetPsapiAvailable(false);
  EXPECT_FALSE(TerminateProcessByName(noPsapi, "ad.exe"));
  EXPECT_TRUE(noPsapi.OpenAccessMasks().empty());

  FakeProcessApi noIds;
  noIds.Add(60, "C:\\x\\ad.exe");
  noIds.FailListProcessIds();
  EXPECT_FALSE(TerminateProcessByName(noIds, "ad.exe"));
  EXPECT_TRUE(noIds.Terminated().empty());
}

TEST(TerminateProcessByNameTest, AFailureEndsTheWalkAndTheResultSaysWhatWasDone) {
  FakeProcessApi api;
  api.Add(70, "C:\\x\\ad.exe");
  api.Add(71, "C:\\x\\other.exe").throwsOnOpen = true;
  api.Add(72, "C:\\y\\ad.exe");
  EXPECT_TRUE(TerminateProcessByName(api, "ad.exe"));
  EXPECT_EQ(api.Terminated(), (std::vector<std::uint32_t>{70}));
  EXPECT_EQ(api.OpenHandles(), 0);

  FakeProcessApi first;
  first.Add(71, "C:\\x\\other.exe").throwsOnOpen = true;
  first.Add(72, "C:\\y\\ad.exe");
  EXPECT_FALSE(TerminateProcessByName(first, "ad.exe"));
  EXPECT_TRUE(first.Terminated().empty());
}

}  // namespace
}  // namespace nexolant
