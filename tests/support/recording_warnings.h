#pragma once

#include <string>
#include <vector>

#include "platform/warning_sink.h"

namespace nexolant {

struct RecordedWarning {
  std::string text;
  std::string caption;
};

// Keeps every warning shown, in order.
class RecordingWarnings : public platform::WarningSink {
 public:
  void ShowWarning(const std::string& text, const std::string& caption) override {
    shown_.push_back({text, caption});
  }
  const std::vector<RecordedWarning>& Shown() const { return shown_; }

 private:
  std::vector<RecordedWarning> shown_;
};

}  // namespace nexolant
