#pragma once

#include <iostream>
#include <string>

#include "platform/warning_sink.h"

namespace nexolant::nexref {

// Warnings go to standard error as "caption: text".
class StderrWarnings final : public platform::WarningSink {
 public:
  void ShowWarning(const std::string& text, const std::string& caption) override {
    std::cerr << caption << ": " << text << "\n";
  }
};

}  // namespace nexolant::nexref
