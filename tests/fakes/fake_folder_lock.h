#pragma once

#include <memory>

#include "platform/folder_lock.h"

namespace nexolant {

// One process's view of a folder lock that fake processes share: made alone, a lock of its own;
// made with another, the same lock seen from a second process, which times out while the first
// holds it. Counts how often it was taken and whether it is held.
class FakeFolderLock : public platform::FolderLock {
 public:
  FakeFolderLock() : shared_(std::make_shared<Shared>()) {}
  explicit FakeFolderLock(const FakeFolderLock* first) : shared_(first->shared_) {}
  FakeFolderLock(const FakeFolderLock&) = delete;
  FakeFolderLock& operator=(const FakeFolderLock&) = delete;

  platform::Outcome Acquire(std::uint32_t /*milliseconds*/) override {
    if (shared_->owner != nullptr && shared_->owner != this) {
      return platform::Outcome::Failure(platform::kErrorTimeout);
    }
    shared_->owner = this;
    ++depth_;
    ++taken_;
    return {};
  }
  void Release() override {
    if (--depth_ == 0) {
      shared_->owner = nullptr;
    }
  }

  bool Held() const { return depth_ > 0; }
  int Taken() const { return taken_; }

 private:
  struct Shared {
    const FakeFolderLock* owner = nullptr;
  };
  std::shared_ptr<Shared> shared_;
  int depth_ = 0;
  int taken_ = 0;
};

}  // namespace nexolant
