#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/processes.h"

namespace nexolant {

// An in-memory process table behind the raw process services. Processes are reported in the
// order they were added; a terminated process disappears from every later listing.
class FakeProcessApi : public platform::ProcessApi {
 public:
  struct Process {
    std::uint32_t id = 0;
    std::string exeFile;                  // as the snapshot reports it
    std::optional<std::string> path;      // full path; none when it cannot be read
    std::optional<std::string> baseName;  // module base name; none when it cannot be read
    bool openable = true;
    bool hasModule = true;
    bool terminateFails = false;
    bool throwsOnOpen = false;  // OpenProcess raises std::runtime_error
    // How many listings still report the process after its termination, as a process that
    // takes a while to end.
    int listedAfterTermination = 0;
  };

  FakeProcessApi();  // an NT 6 system with both libraries and process id 100 as its own

  // Adds a process whose names all derive from path; returns it for further changes.
  Process& Add(std::uint32_t id, const std::string& path);

  void SetVersion(platform::VersionInfo version) { version_ = version; }
  void SetCurrentProcessId(std::uint32_t id) { currentId_ = id; }
  void SetToolhelpAvailable(bool available) { toolhelp_ = available; }
  void SetPsapiAvailable(bool available) { psapi_ = available; }
  void FailSnapshots(bool fail = true) { failSnapshots_ = fail; }
  void FailListProcessIds(bool fail = true) { failEnum_ = fail; }
  void SetElevated(bool elevated) { elevated_ = elevated; }
  // Runs when a terminated process has ended, after its last listing.
  std::function<void(const Process&)> OnExit;

  // What the operations did.
  const std::vector<std::uint32_t>& Terminated() const { return terminated_; }
  const std::vector<std::size_t>& EnumBufferSizes() const { return enumBufferSizes_; }
  const std::set<std::uint32_t>& OpenAccessMasks() const { return accessMasks_; }
  int OpenHandles() const { return *openHandles_; }

  platform::VersionInfo Version() override { return version_; }
  std::uint32_t CurrentProcessId() override { return currentId_; }
  bool RunningElevated() override { return elevated_; }
  bool BindToolhelp() override { return toolhelp_; }
  bool BindPsapi() override { return psapi_; }
  std::unique_ptr<platform::ProcessSnapshot> CreateProcessSnapshot() override;
  std::optional<std::size_t> ListProcessIds(std::span<std::uint32_t> ids) override;
  std::unique_ptr<platform::OpenedProcess> OpenProcess(std::uint32_t access,
                                                       std::uint32_t processId) override;

 private:
  class Snapshot;
  class Opened;

  // The processes a listing reports; each lingering terminated one has one listing less.
  std::vector<const Process*> Listed();
  void Ended(Process& process);
  bool IsTerminated(std::uint32_t id) const;

  std::vector<std::unique_ptr<Process>> processes_;
  platform::VersionInfo version_{platform::kPlatformNt, 6};
  std::uint32_t currentId_ = 100;
  bool toolhelp_ = true;
  bool psapi_ = true;
  bool failSnapshots_ = false;
  bool failEnum_ = false;
  bool elevated_ = false;
  std::map<std::uint32_t, int> lingering_;  // terminated processes still listed, by id
  std::vector<std::uint32_t> terminated_;
  std::vector<std::size_t> enumBufferSizes_;
  std::set<std::uint32_t> accessMasks_;
  std::shared_ptr<int> openHandles_ = std::make_shared<int>(0);
};

}  // namespace nexolant
