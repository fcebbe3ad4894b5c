#pragma once

#include <vector>

#include "platform/shell.h"

namespace nexolant {

// Records what was opened and answers with a chosen result.
class FakeShell : public platform::Shell {
 public:
  platform::Outcome Open(const platform::Path& target) override {
    opened_.push_back(target);
    return result_;
  }

  void SetResult(bool result) {
    result_ =
        result ? platform::Outcome{} : platform::Outcome::Failure(platform::kErrorFileNotFound);
  }
  const std::vector<platform::Path>& Opened() const { return opened_; }

 private:
  platform::Outcome result_;
  std::vector<platform::Path> opened_;
};

}  // namespace nexolant
