#pragma once

#include <vector>

#include "platform/shell.h"

namespace nexolant {

// Records what was opened and answers with a chosen result.
class FakeShell : public platform::Shell {
 public:
  bool Open(const platform::Path& target) override {
    opened_.push_back(target);
    return result_;
  }

  void SetResult(bool result) { result_ = result; }
  const std::vector<platform::Path>& Opened() const { return opened_; }

 private:
  bool result_ = true;
  std::vector<platform::Path> opened_;
};

}  // namespace nexolant
