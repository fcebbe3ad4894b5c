#include "fakes/fake_processes.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace nexolant {

namespace {

// Counts a handle as open for as long as it lives.
class HandleCount {
 public:
  explicit HandleCount(std::shared_ptr<int> count) : count_(std::move(count)) { ++*count_; }
  ~HandleCount() { --*count_; }
  HandleCount(const HandleCount&) = delete;
  HandleCount& operator=(const HandleCount&) = delete;

 private:
  std::shared_ptr<int> count_;
};

}  // namespace

class FakeProcessApi::Snapshot : public platform::ProcessSnapshot {
 public:
  Snapshot(std::vector<const Process*> processes, std::shared_ptr<int> handles)
      : processes_(std::move(processes)), handle_(std::move(handles)) {}

  std::optional<platform::SnapshotEntry> First() override {
    next_ = 0;
    return Next();
  }
  std::optional<platform::SnapshotEntry> Next() override {
    if (next_ >= processes_.size()) {
      return std::nullopt;
    }
    const Process& process = *processes_[next_++];
    return platform::SnapshotEntry{process.exeFile, process.id};
  }

 private:
  std::vector<const Process*> processes_;
  std::size_t next_ = 0;
  HandleCount handle_;
};

class FakeProcessApi::Opened : public platform::OpenedProcess {
 public:
  Opened(FakeProcessApi& api, Process& process)
      : api_(api), process_(process), handle_(api.openHandles_) {}

  std::optional<platform::ModuleId> FirstModule() override {
    if (!process_.hasModule) {
      return std::nullopt;
    }
    return kExecutableModule;
  }
  std::optional<std::string> ModuleBaseName(platform::ModuleId module) override {
    if (module != kExecutableModule) {
      return std::nullopt;
    }
    return process_.baseName;
  }
  std::optional<std::string> ExecutablePath() override { return process_.path; }
  platform::Outcome Terminate(std::uint32_t) override {
    if (process_.terminateFails || api_.IsTerminated(process_.id)) {
      return platform::Outcome::Failure(platform::kErrorAccessDenied);
    }
    api_.terminated_.push_back(process_.id);
    if (process_.listedAfterTermination > 0) {
      api_.lingering_[process_.id] = process_.listedAfterTermination;
    } else {
      api_.Ended(process_);
    }
    return {};
  }

 private:
  static constexpr platform::ModuleId kExecutableModule = 0x400000;

  FakeProcessApi& api_;
  Process& process_;
  HandleCount handle_;
};

FakeProcessApi::FakeProcessApi() = default;

FakeProcessApi::Process& FakeProcessApi::Add(std::uint32_t id, const std::string& path) {
  auto process = std::make_unique<Process>();
  process->id = id;
  process->path = path;
  process->baseName = path.substr(path.find_last_of('\\') + 1);
  process->exeFile = *process->baseName;
  processes_.push_back(std::move(process));
  return *processes_.back();
}

std::vector<const FakeProcessApi::Process*> FakeProcessApi::Listed() {
  std::vector<const Process*> listed;
  for (const auto& process : processes_) {
    const auto lingering = lingering_.find(process->id);
    if (lingering != lingering_.end()) {
      listed.push_back(process.get());
      if (--lingering->second == 0) {
        lingering_.erase(lingering);
        Ended(*process);
      }
    } else if (!IsTerminated(process->id)) {
      listed.push_back(process.get());
    }
  }
  return listed;
}

void FakeProcessApi::Ended(Process& process) {
  if (OnExit) {
    OnExit(process);
  }
}

std::unique_ptr<platform::ProcessSnapshot> FakeProcessApi::CreateProcessSnapshot() {
  if (!toolhelp_ || failSnapshots_) {
    return nullptr;
  }
  return std::make_unique<Snapshot>(Listed(), openHandles_);
}

std::optional<std::size_t> FakeProcessApi::ListProcessIds(std::span<std::uint32_t> ids) {
  enumBufferSizes_.push_back(ids.size_bytes());
  if (!psapi_ || failEnum_) {
    return std::nullopt;
  }
  const std::vector<const Process*> running = Listed();
  const std::size_t count = std::min(running.size(), ids.size());
  for (std::size_t i = 0; i < count; ++i) {
    ids[i] = running[i]->id;
  }
  return count * sizeof(std::uint32_t);
}

std::unique_ptr<platform::OpenedProcess> FakeProcessApi::OpenProcess(std::uint32_t access,
                                                                     std::uint32_t processId) {
  accessMasks_.insert(access);
  const auto found = std::find_if(processes_.begin(), processes_.end(),
                                  [&](const auto& process) { return process->id == processId; });
  if (processId == 0 || found == processes_.end() || IsTerminated(processId)) {
    return nullptr;
  }
  Process& process = **found;
  if (process.throwsOnOpen) {
    throw std::runtime_error("process table changed");
  }
  if (!process.openable) {
    return nullptr;
  }
  return std::make_unique<Opened>(*this, process);
}

bool FakeProcessApi::IsTerminated(std::uint32_t id) const {
  return std::find(terminated_.begin(), terminated_.end(), id) != terminated_.end();
}

}  // namespace nexolant
