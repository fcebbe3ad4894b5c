#pragma once

// Run values and services planted in the registry of a Wine prefix for the startup phase's
// benchmark, removed again at the end of the scope. Each names a program of its own under
// Program Files; one in 100 is named so that a signature of the benchmark's list matches it.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/string_list.h"
#include "signature_patterns.h"
#include "win32/unique_handle.h"

namespace nexolant::bench {

class PlantedStartupEntries {
 public:
  // runValues alternate between the user's and the machine's Run key.
  PlantedStartupEntries(const StringList& patterns, int runValues, int services) {
    PatternGenerator generator(11);
    const auto program = [&](int k) {
      const std::string name = k % 100 == 0
                                   ? generator.NameFor(patterns[generator.Below(patterns.size())])
                                   : generator.Name();
      return "\"C:\\Program Files\\Bench Vendor\\" + name + "\"";
    };
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      HKEY key = nullptr;
      RegCreateKeyExA(root, kRunKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
      runKeys_.emplace_back(key);
    }
    for (int k = 0; k < runValues; ++k) {
      const std::string command = program(k) + " /background";
      RegSetValueExA(runKeys_[k % 2].get(), Name(k).c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(command.c_str()),
                     static_cast<DWORD>(command.size() + 1));
    }
    runValues_ = runValues;
    for (int k = 0; k < services; ++k) {
      const std::string path = std::string(kServicesKey) + Name(k);
      const std::string image = program(k);
      const DWORD type = SERVICE_WIN32_OWN_PROCESS;
      const DWORD start = SERVICE_DEMAND_START;
      HKEY created = nullptr;
      if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &created, nullptr) != ERROR_SUCCESS) {
        continue;
      }
      const win32::UniqueRegistryKey key(created);
      RegSetValueExA(key.get(), "ImagePath", 0, REG_EXPAND_SZ,
                     reinterpret_cast<const BYTE*>(image.c_str()),
                     static_cast<DWORD>(image.size() + 1));
      RegSetValueExA(key.get(), "Type", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&type),
                     sizeof type);
      RegSetValueExA(key.get(), "Start", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&start),
                     sizeof start);
      servicePaths_.push_back(path);
    }
  }
  ~PlantedStartupEntries() {
    for (int k = 0; k < runValues_; ++k) {
      RegDeleteValueA(runKeys_[k % 2].get(), Name(k).c_str());
    }
    for (const std::string& path : servicePaths_) {
      RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
    }
  }
  PlantedStartupEntries(const PlantedStartupEntries&) = delete;
  PlantedStartupEntries& operator=(const PlantedStartupEntries&) = delete;

 private:
  static constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  static constexpr const char* kServicesKey = "SYSTEM\\CurrentControlSet\\Services\\";

  static std::string Name(int k) {
    char name[32];
    std::snprintf(name, sizeof name, "NexolantBench%04d", k);
    return name;
  }

  std::vector<win32::UniqueRegistryKey> runKeys_;
  int runValues_ = 0;
  std::vector<std::string> servicePaths_;
};

}  // namespace nexolant::bench
