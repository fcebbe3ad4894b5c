#pragma once

#include <string>

namespace nexolant::platform {

// Where a warning goes that the user must see but that stops nothing: the program shows a box
// with an OK button and the exclamation icon, a console tool prints it.
class WarningSink {
 public:
  virtual ~WarningSink() = default;
  virtual void ShowWarning(const std::string& text, const std::string& caption) = 0;
};

}  // namespace nexolant::platform
