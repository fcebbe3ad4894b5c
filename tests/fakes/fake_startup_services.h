#pragma once

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "fakes/memory_registry.h"
#include "platform/startup_services.h"
#include "registry/tree_delete.h"

namespace nexolant {

// Shortcuts by path (ANSI or exact spelling, as given); any other file cannot be read as one.
class FakeShortcuts : public platform::Shortcuts {
 public:
  platform::ShortcutTarget TargetOf(const platform::Path& shortcut) override {
    const auto found = targets_.find(shortcut.HasExact() ? shortcut.exact : shortcut.ansi);
    if (found == targets_.end()) {
      return {.error = platform::kErrorInvalidParameter};
    }
    return found->second;
  }
  void Add(const std::string& path, std::string target, std::string arguments = {}) {
    targets_[path] = {.path = std::move(target), .arguments = std::move(arguments)};
  }

 private:
  std::map<std::string, platform::ShortcutTarget> targets_;
};

// A Task Scheduler in memory: tasks by exact path, each with its definition.
class FakeScheduledTasks : public platform::ScheduledTasks {
 public:
  struct Task {
    platform::ScheduledTask listed;
    std::string xml;
  };

  platform::TaskListResult List() override {
    platform::TaskListResult result{.error = listError_};
    for (const auto& [path, task] : tasks_) {
      result.tasks.push_back(task.listed);
    }
    return result;
  }
  platform::TaskDefinitionResult Definition(const std::string& path) override {
    const auto found = tasks_.find(path);
    if (found == tasks_.end()) {
      return {.error = platform::kErrorFileNotFound};
    }
    return {.xml = found->second.xml};
  }
  bool Exists(const std::string& path) override { return tasks_.contains(path); }
  platform::Outcome Delete(const std::string& path) override {
    if (undeletable_.contains(path)) {
      return platform::Outcome::Failure(platform::kErrorAccessDenied);
    }
    return tasks_.erase(path) == 1 ? platform::Outcome{}
                                   : platform::Outcome::Failure(platform::kErrorFileNotFound);
  }
  // A registered definition lists the actions it was added with, as the scheduler would read
  // them from it.
  platform::Outcome Register(const std::string& path, const std::string& xml) override {
    if (tasks_.contains(path)) {
      return platform::Outcome::Failure(platform::kErrorAlreadyExists);
    }
    const auto known = definitions_.find(xml);
    tasks_[path] = {
        .listed = {.path = path,
                   .actions = known == definitions_.end() ? std::vector<platform::TaskAction>{}
                                                          : known->second},
        .xml = xml};
    return {};
  }

  void Add(const std::string& path, std::vector<platform::TaskAction> actions,
           bool storedPassword = false) {
    const std::string xml = "<Task><Path>" + path + "</Path></Task>";
    definitions_[xml] = actions;
    tasks_[path] = {
        .listed = {.path = path, .actions = std::move(actions), .storedPassword = storedPassword},
        .xml = xml};
  }
  void SetListError(std::uint32_t error) { listError_ = error; }
  void DenyDelete(const std::string& path) { undeletable_.insert(path); }
  const std::map<std::string, Task>& Tasks() const { return tasks_; }

 private:
  std::map<std::string, Task> tasks_;
  std::map<std::string, std::vector<platform::TaskAction>> definitions_;
  std::set<std::string> undeletable_;
  std::uint32_t listError_ = 0;
};

// A service manager over the in-memory registry: deleting a service removes its key, as the
// manager does once the service has stopped.
class FakeServiceControl : public platform::ServiceControl {
 public:
  explicit FakeServiceControl(MemoryRegistry& registry) : registry_(registry) {}

  platform::Outcome Stop(const std::string& name) override {
    stopped_.push_back(name);
    return {};
  }
  platform::Outcome Delete(const std::string& name) override {
    deleted_.push_back(name);
    if (undeletable_.contains(name)) {
      return platform::Outcome::Failure(platform::kErrorAccessDenied);
    }
    const std::string path = "SYSTEM\\CurrentControlSet\\Services\\" + name;
    if (!registry_.HasKey(platform::RegistryRoot::kLocalMachine, path)) {
      return platform::Outcome::Failure(1060);  // the service does not exist
    }
    platform::BestEffort(DeleteKeyTree(registry_, platform::RegistryRoot::kLocalMachine,
                                       registry_.WideSpelling(path))
                             .Gone());
    return {};
  }

  void DenyDelete(const std::string& name) { undeletable_.insert(name); }
  const std::vector<std::string>& Stopped() const { return stopped_; }
  const std::vector<std::string>& Deleted() const { return deleted_; }

 private:
  MemoryRegistry& registry_;
  std::vector<std::string> stopped_;
  std::vector<std::string> deleted_;
  std::set<std::string> undeletable_;
};

}  // namespace nexolant
