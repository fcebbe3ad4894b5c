#pragma once

#include <string_view>

#include "platform/errors.h"

namespace nexolant::platform {

// Where a console program writes its text: the console it runs in, or the file or pipe its
// output goes to.
class ConsoleStream {
 public:
  virtual ~ConsoleStream() = default;

  // Writes UTF-8 text: to a console as the characters it holds, elsewhere as these bytes.
  virtual Outcome Write(std::string_view utf8) = 0;
};

}  // namespace nexolant::platform
