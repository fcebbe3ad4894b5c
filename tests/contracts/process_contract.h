#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ascii.h"
#include "platform/processes.h"

namespace nexolant::contracts {

// The behaviour of the raw process services that the program relies on, for every
// implementation. An instantiation supplies an environment type, created afresh for each test:
//   platform::ProcessApi& api();               the implementation under test, bound
//   std::uint32_t Start(const std::string& exeName);  starts a process of that executable name,
//                                              running until it is ended or the environment goes
//   bool Ended(std::uint32_t id);              waits (20 s at most) until it has ended
//   std::string UniqueName();                  an executable name no other process has
// and then: INSTANTIATE_TYPED_TEST_SUITE_P(Name, ProcessContract, Environment);
template <typename Environment>
class ProcessContract : public ::testing::Test {
 protected:
  // The snapshot's entries with that executable name (any letter case).
  std::vector<std::uint32_t> SnapshotIds(const std::string& exeName) {
    std::vector<std::uint32_t> ids;
    const std::unique_ptr<platform::ProcessSnapshot> snapshot = api_.CreateProcessSnapshot();
    EXPECT_TRUE(snapshot);
    if (!snapshot) {
      return ids;
    }
    for (auto entry = snapshot->First(); entry; entry = snapshot->Next()) {
      if (platform::AsciiUpperCase(entry->exeFile) == platform::AsciiUpperCase(exeName)) {
        ids.push_back(entry->processId);
      }
    }
    return ids;
  }

  std::vector<std::uint32_t> ListedIds() {
    std::vector<std::uint32_t> ids(4096);
    const std::optional<std::size_t> bytes = api_.ListProcessIds(ids);
    EXPECT_TRUE(bytes);
    ids.resize(bytes.value_or(0) / sizeof(std::uint32_t));
    return ids;
  }

  static bool Holds(const std::vector<std::uint32_t>& ids, std::uint32_t id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
  }

  Environment environment_;
  platform::ProcessApi& api_ = environment_.api();
};

TYPED_TEST_SUITE_P(ProcessContract);

TYPED_TEST_P(ProcessContract, ListingsHoldTheRunningProcessesOnce) {
  const std::string name = this->environment_.UniqueName();
  const std::uint32_t id = this->environment_.Start(name);
  EXPECT_EQ(this->SnapshotIds(name), std::vector<std::uint32_t>{id});
  const std::vector<std::uint32_t> listed = this->ListedIds();
  EXPECT_TRUE(this->Holds(listed, id));
  EXPECT_TRUE(this->Holds(listed, this->api_.CurrentProcessId()));
  EXPECT_EQ(std::count(listed.begin(), listed.end(), id), 1);
  // A buffer too small for every id comes back full.
  std::vector<std::uint32_t> one(1);
  EXPECT_EQ(this->api_.ListProcessIds(one), sizeof(std::uint32_t));
}

TYPED_TEST_P(ProcessContract, AnOpenedProcessNamesItsExecutable) {
  const std::string name = this->environment_.UniqueName();
  const std::uint32_t id = this->environment_.Start(name);
  const auto process =
      this->api_.OpenProcess(platform::kProcessQueryInformation | platform::kProcessVmRead, id);
  ASSERT_TRUE(process);
  const std::optional<platform::ModuleId> module = process->FirstModule();
  ASSERT_TRUE(module);
  EXPECT_EQ(platform::AsciiUpperCase(process->ModuleBaseName(*module).value_or("")),
            platform::AsciiUpperCase(name));
  const std::string path = process->ExecutablePath().value_or("");
  EXPECT_TRUE(platform::AsciiUpperCase(path).ends_with("\\" + platform::AsciiUpperCase(name)))
      << path;
}

TYPED_TEST_P(ProcessContract, ATerminatedProcessEndsAndLeavesTheListings) {
  const std::string name = this->environment_.UniqueName();
  const std::uint32_t id = this->environment_.Start(name);
  {
    const auto process = this->api_.OpenProcess(platform::kProcessTerminate, id);
    ASSERT_TRUE(process);
    EXPECT_TRUE(process->Terminate(0));
  }
  ASSERT_TRUE(this->environment_.Ended(id));
  EXPECT_TRUE(this->SnapshotIds(name).empty());
  EXPECT_FALSE(this->Holds(this->ListedIds(), id));
}

TYPED_TEST_P(ProcessContract, AnIdThatNoProcessHasOpensNothing) {
  const std::vector<std::uint32_t> listed = this->ListedIds();
  std::uint32_t unused = 4;
  while (this->Holds(listed, unused)) {
    unused += 4;
  }
  EXPECT_FALSE(this->api_.OpenProcess(platform::kProcessQueryInformation, unused));
}

REGISTER_TYPED_TEST_SUITE_P(ProcessContract, ListingsHoldTheRunningProcessesOnce,
                            AnOpenedProcessNamesItsExecutable,
                            ATerminatedProcessEndsAndLeavesTheListings,
                            AnIdThatNoProcessHasOpensNothing);

}  // namespace nexolant::contracts
