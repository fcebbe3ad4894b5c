#include "processes/process_list.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <unordered_map>
#include <utility>

#include "platform/ascii.h"
#include "protection/protected_names.h"

namespace nexolant {

namespace {

constexpr std::size_t kInitialIdCount = 1024;

bool IsProtectedName(const std::string& upperCaseName) {
  const auto names = protection::ProtectedProcessNames();
  return std::any_of(names.begin(), names.end(), [&](std::string_view protectedName) {
    return platform::AsciiUpperCase(protectedName) == upperCaseName;
  });
}

// The ids of all running processes; the buffer grows until every id fits.
std::optional<std::vector<std::uint32_t>> FetchProcessIds(platform::ProcessApi& api) {
  std::vector<std::uint32_t> ids(kInitialIdCount);
  for (;;) {
    const std::optional<std::size_t> bytes = api.ListProcessIds(ids);
    if (!bytes) {
      return std::nullopt;
    }
    const std::size_t count = *bytes / sizeof(std::uint32_t);
    if (count < ids.size()) {
      ids.resize(count);
      return ids;
    }
    ids.resize(ids.size() * 2);
  }
}

bool ListBySnapshot(platform::ProcessApi& api, ProcessList& list) {
  if (!api.BindToolhelp()) {
    return false;
  }
  const std::unique_ptr<platform::ProcessSnapshot> snapshot = api.CreateProcessSnapshot();
  if (!snapshot) {
    return false;
  }
  for (auto entry = snapshot->First(); entry; entry = snapshot->Next()) {
    list.push_back({std::move(entry->exeFile), static_cast<std::int32_t>(entry->processId)});
  }
  return true;
}

bool ListByProcessStatus(platform::ProcessApi& api, ProcessList& list) {
  if (!api.BindPsapi()) {
    return false;
  }
  const auto ids = FetchProcessIds(api);
  if (!ids) {
    return false;
  }
  for (const std::uint32_t id : *ids) {
    if (id == 0) {
      continue;
    }
    const auto process =
        api.OpenProcess(platform::kProcessQueryInformation | platform::kProcessVmRead, id);
    if (!process) {
      continue;
    }
    std::optional<std::string> path = process->ExecutablePath();
    if (path && !path->empty()) {
      list.push_back({std::move(*path), static_cast<std::int32_t>(id)});
    } else {
      list.push_back({"[System]", -1});
    }
  }
  return true;
}

bool UsesProcessStatusListing(const platform::VersionInfo& version) {
  return version.platformId == platform::kPlatformNt && version.majorVersion == 4;
}

// The executable's base name of the process, upper-cased, on the handle that would terminate
// it; none when it cannot be opened or read.
std::optional<std::string> UpperCaseBaseName(platform::OpenedProcess& process) {
  const std::optional<platform::ModuleId> module = process.FirstModule();
  if (!module) {
    return std::nullopt;
  }
  std::optional<std::string> baseName = process.ModuleBaseName(*module);
  if (!baseName) {
    return std::nullopt;
  }
  return platform::AsciiUpperCase(*baseName);
}

}  // namespace

bool ListProcesses(platform::ProcessApi& api, ProcessList& list) {
  list.clear();
  ProcessList found;
  const bool listed = UsesProcessStatusListing(api.Version()) ? ListByProcessStatus(api, found)
                                                              : ListBySnapshot(api, found);
  list = std::move(found);
  return listed;
}

std::optional<std::string> ImagePathOfProcess(platform::ProcessApi& api, std::uint32_t processId) {
  if (!api.BindPsapi()) {
    return std::nullopt;
  }
  const auto process =
      api.OpenProcess(platform::kProcessQueryInformation | platform::kProcessVmRead, processId);
  std::optional<std::string> path = process ? process->ExecutablePath() : std::nullopt;
  return path && !path->empty() ? path : std::nullopt;
}

bool TerminateProcessById(platform::ProcessApi& api, std::uint32_t processId, std::string_view name,
                          std::string_view imagePath) {
  const std::string upperName = platform::AsciiUpperCase(name.substr(name.find_last_of('\\') + 1));
  if (IsProtectedName(upperName) || upperName.find('?') != std::string::npos || processId == 0 ||
      processId == api.CurrentProcessId() || !api.BindPsapi()) {
    return false;
  }
  // Both checks are made on the handle that terminates, so the process judged is the one ended.
  const auto process = api.OpenProcess(
      platform::kProcessQueryInformation | platform::kProcessVmRead | platform::kProcessTerminate,
      processId);
  if (!process || UpperCaseBaseName(*process) != upperName) {
    return false;
  }
  if (!imagePath.empty()) {
    const std::optional<std::string> running = process->ExecutablePath();
    if (!running || platform::AsciiUpperCase(*running) != platform::AsciiUpperCase(imagePath)) {
      return false;
    }
  }
  return process->Terminate(0).ok;
}

bool TerminateProcessByName(platform::ProcessApi& api, std::string_view name) {
  const std::string names[] = {std::string(name)};
  return TerminateProcessesByName(api, names).front();
}

std::vector<bool> TerminateProcessesByName(platform::ProcessApi& api,
                                           std::span<const std::string> names) {
  std::vector<bool> terminated(names.size(), false);
  // The index of each wanted upper-cased name. Only a base name equal to a wanted one is
  // terminated, so a protected wanted name would only ever reach a process of Windows itself.
  // A "?" stands for a character the code page lacks, so that name may be the listed form of
  // several processes' names: it ends none.
  std::unordered_map<std::string, std::size_t> wanted;
  for (std::size_t k = 0; k < names.size(); ++k) {
    std::string upper = platform::AsciiUpperCase(names[k]);
    if (!IsProtectedName(upper) && upper.find('?') == std::string::npos) {
      wanted.emplace(std::move(upper), k);
    }
  }
  if (wanted.empty()) {
    return terminated;
  }
  try {
    if (!api.BindPsapi()) {
      return terminated;
    }
    const auto ids = FetchProcessIds(api);
    if (!ids) {
      return terminated;
    }
    const std::uint32_t self = api.CurrentProcessId();
    for (const std::uint32_t id : *ids) {
      if (id == self) {
        continue;
      }
      // The name is read on the handle that terminates, so an id reused since the listing
      // is judged by its own process.
      const auto process =
          api.OpenProcess(platform::kProcessQueryInformation | platform::kProcessVmRead |
                              platform::kProcessTerminate,
                          id);
      if (!process) {
        continue;
      }
      const std::optional<std::string> baseName = UpperCaseBaseName(*process);
      const auto found = baseName ? wanted.find(*baseName) : wanted.end();
      if (found != wanted.end() && process->Terminate(0).ok) {
        terminated[found->second] = true;
      }
    }
  } catch (const std::exception&) {
    // The walk ends here; the results still tell what was terminated.
  }
  return terminated;
}

}  // namespace nexolant
